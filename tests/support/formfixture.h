#pragma once

#include "app/formcolour.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <memory>

// A main window on the offscreen platform with scripted dialogs and no board.
// Its timer is stopped: tests run the ticks themselves.
struct FormFixture
{
    ScriptedDialogs dialogs;
    NoSerialPort port;
    std::unique_ptr<FormColour> form;

    // Builds the window; with `started`, runs the start-up ticks so that the
    // menus are on, as a user finds them a moment after start. `settings`
    // is the test's own settings file (none: the window keeps no settings).
    explicit FormFixture(bool started = true, QSettings *settings = nullptr);

    void tick(int count = 1);
    // Triggers a menu item by name as a click on it does: a disabled item, or
    // one under a disabled menu, does nothing. Returns false when it was out of reach.
    bool trigger(const QString &menuItem);

    template <typename T = QWidget>
    T *find(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    QLineEdit *field(const QString &name) const { return find<QLineEdit>(name); }
    QPushButton *button(const QString &name) const { return find<QPushButton>(name); }
};
