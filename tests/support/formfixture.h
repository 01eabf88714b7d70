#pragma once

#include "support/scripteddialogs.h"
#include "support/window.h"
#include "virtualboard.h"
#include "virtualport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <functional>
#include <memory>

// A main window on the offscreen platform with scripted dialogs and the
// virtual board behind its serial port on COM`boardPort` (0: no board, no
// port opens). Its timer is stopped: each tick moves the line's clock by
// 50 ms and runs one timer tick, as the running program does.
struct FormFixture
{
    ScriptedDialogs dialogs;
    board::VirtualBoard board;
    board::VirtualSerialPort port;
    std::unique_ptr<FormColour> form;

    // Builds the window; with `started`, runs the start-up ticks so that the
    // menus are on, as a user finds them a moment after start. `settings`
    // is the test's own settings file (none: the window keeps no settings).
    explicit FormFixture(bool started = true, QSettings *settings = nullptr, int boardPort = 0);

    void tick(int count = 1);
    // Ticks until `done` holds; the number of ticks taken, or -1 past `limit`.
    int tickUntil(const std::function<bool()> &done, int limit = 2000);
    // Triggers a menu item by name as a click on it does: a disabled item, or
    // one under a disabled menu, does nothing. Returns false when it was out of reach.
    bool trigger(const QString &menuItem);
    static bool reachable(const QAction *action);
    // Opens a cycle file through File Open, the path chosen in its dialog.
    bool open(const QString &path)
    {
        dialogs.answerOpenFile(path);
        return trigger(QStringLiteral("mnuFileOpen"));
    }

    template <typename T = QWidget>
    T *find(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    QLineEdit *field(const QString &name) const { return find<QLineEdit>(name); }
    QPushButton *button(const QString &name) const { return find<QPushButton>(name); }
};
