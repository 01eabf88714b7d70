#pragma once

#include <QObject>

#include <optional>

class FormColour;
class QAction;
class QActionGroup;

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
    BoardMenus(FormColour &window, BoardSession &session);

    // The USB menu, the toolbar and panels 3 and 4 made to show the session.
    void sync();
    void showPanels();
    // The port choice's items: automatic or manual, the manual port ticked.
    void showPortChoice();
    // Erase All's guard off again.
    void disarmEraseAll();

private:
    QAction *item(const char *name) const;
    void setButton(const char *key, std::optional<bool> pressed, std::optional<bool> enabled = std::nullopt);
    void showBusy(Busy busy);
    void showProgress(int step);
    void endProgress();
    void showSlotName(int slot, const QByteArray &name);
    void showPortDevices();

    FormColour &m_window;
    BoardSession &m_session;
    // While a back up or restore runs only its Stop answers: the USB menu's
    // other items, the slots and the toolbar's other buttons are held off
    // through these, each keeping the state it has of its own.
    QActionGroup *m_usbGate = nullptr;
    QActionGroup *m_slotItems = nullptr;
    QActionGroup *m_toolbarGate = nullptr;
};

} // namespace board
