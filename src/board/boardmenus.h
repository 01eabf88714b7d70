#pragma once

#include "platform/bilingual.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QMainWindow;
class QProgressBar;
class QToolBar;

namespace board {

class BoardSession;
enum class Busy;

// The window's board controls as the view of the board session: the USB
// menu's checks and states, the toolbar's board buttons, the progress bar,
// the slot captions and status panels 2 to 4. Each shows what the session
// holds, and is refreshed when a signal of the session says that it has
// changed. The window's handlers act on the session; this only shows it.
class BoardMenus : public QObject
{
    Q_OBJECT
public:
    // What the window lends: its language, panel 2, and the lock of the
    // editor while a job runs.
    struct Window
    {
        std::function<bool()> english;
        std::function<void(const Bilingual &)> setUsbStatus;
        std::function<void(bool)> setEditorLocked;
    };
    // The controls are the window's, found by their objectNames.
    BoardMenus(QMainWindow &window, BoardSession &session, Window lent);

    // The USB menu, the toolbar and panels 3 and 4 made to show the session.
    void sync();
    void showPanels();
    // The port choice's items: automatic or manual, the manual port ticked.
    void showPortChoice();
    // Erase All's guard off again.
    void disarmEraseAll();

private:
    QAction *item(const char *name) const { return item(QString::fromLatin1(name)); }
    QAction *item(const QString &name) const { return m_items.value(name); }
    QAction *button(const char *key) const { return item(QStringLiteral("Toolbar") + QString::fromLatin1(key)); }
    QString slotCaption(int slot) const;
    void setButton(const char *key, std::optional<bool> pressed, std::optional<bool> enabled = std::nullopt);
    void showBusy(Busy busy);
    void showProgress(int step);
    void endProgress();
    void showSlotName(int slot, const QByteArray &name);
    void showPortDevices();

    Window m_window;
    BoardSession &m_session;
    QHash<QString, QAction *> m_items; // the window's actions by objectName
    QToolBar *m_toolbar = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_modePanel = nullptr;   // panel 3
    QLabel *m_resultPanel = nullptr; // panel 4
    // While a back up or restore runs only its Stop answers: the USB menu's
    // other items, the slots and the toolbar's other buttons are held off
    // through these, each keeping the state it has of its own.
    QActionGroup *m_usbGate = nullptr;
    QActionGroup *m_slotItems = nullptr;
    QActionGroup *m_toolbarGate = nullptr;
};

} // namespace board
