#pragma once

#include "app/formcolour.h"
#include "store/numbers.h"
#include "support/scripteddialogs.h"
#include "virtualboard.h"
#include "virtualport.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include <functional>
#include <memory>

// Line `n` (0-based) of a message text; lines are joined by a lone CR.
inline QString messageLine(const QString &text, int n = 0) { return text.section(QChar(13), n, n); }

// The 64 rows of a window's store, to compare whole cycles.
inline QList<store::ColourPoint> storeRows(FormColour &w)
{
    QList<store::ColourPoint> out;
    for (int r = 1; r <= store::kRowCount; ++r)
        out.append(w.table().row(r));
    return out;
}

// A cycle of `points` points: point k at (k-1)*1200 s, length 100, colour from k.
inline void loadCycle(FormColour &w, int points, qint64 transition)
{
    store::emptyTable(w.table());
    for (int k = 1; k <= points; ++k) {
        store::ColourPoint &p = w.table().row(k);
        p.setValue(store::Field::PointID, k);
        p.setValue(store::Field::Time, (k - 1) * 1200);
        p.setValue(store::Field::Length, 100);
        p.setValue(store::Field::Red, k);
        p.setValue(store::Field::Green, 100 - k);
        p.setValue(store::Field::Blue, (7 * k) % 101);
    }
    w.TransitionTime = store::format00000(transition);
    w.DataBaseCheck();
    w.PointCurrent = 1;
    w.table().MoveFirst();
    w.pointRefresh();
}

// A main window with scripted dialogs and the virtual board behind its
// serial port, on COM`boardPort`. Each tick moves the line's clock by 50 ms
// and runs one timer tick, as the running program does.
struct BoardFixture
{
    ScriptedDialogs dialogs;
    board::VirtualBoard board;
    board::VirtualSerialPort port;
    std::unique_ptr<FormColour> form;

    explicit BoardFixture(int boardPort = 1)
        : port(board, boardPort)
        , form(std::make_unique<FormColour>(dialogs, port))
    {
        form->TimerMove->stop();
        tick(5);
    }

    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            port.advance(50);
            form->TimerMove_Timer();
        }
    }
    // Ticks until `done` holds; the number of ticks taken, or -1 past `limit`.
    int tickUntil(const std::function<bool()> &done, int limit = 2000)
    {
        for (int n = 1; n <= limit; ++n) {
            tick();
            if (done())
                return n;
        }
        return -1;
    }
    QAction *item(const char *name) const { return form->menuItem(QString::fromLatin1(name)); }
    QAction *button(const char *key) const { return form->toolbarButton(QString::fromLatin1(key)); }
    // A click on a menu item: nothing when it, or a menu it sits in, is disabled.
    bool trigger(const char *name)
    {
        QAction *action = item(name);
        if (!reachable(action))
            return false;
        action->trigger();
        return true;
    }
    static bool reachable(QAction *action)
    {
        if (!action || !action->isEnabled())
            return false;
        for (QObject *owner : action->associatedObjects()) {
            if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu->menuAction() != action)
                return reachable(menu->menuAction());
        }
        return true;
    }
    // Frames of a command letter written since `from`.
    int framesSent(char letter, qsizetype from = 0) const
    {
        int n = 0;
        for (qsizetype i = from; i < port.written.size(); ++i)
            n += port.written[i].bytes.size() > 1 && port.written[i].bytes[1] == letter;
        return n;
    }
};
