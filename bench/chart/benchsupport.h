#pragma once

#include "store/numbers.h"
#include "support/scripteddialogs.h"
#include "support/window.h"
#include "virtualport.h"

#include <QTimer>

#include <memory>

// A main window offscreen with no board, its timer stopped and the start-up
// ticks run, holding a cycle of `points` points spread over the day with
// holds and ramps, the colour-cycle function on.
struct BenchWindow
{
    ScriptedDialogs dialogs;
    board::VirtualBoard board;
    board::VirtualSerialPort port{board, 0}; // no board: no port opens
    std::unique_ptr<FormColour> form;

    explicit BenchWindow(int points, bool timer = false)
        : form(std::make_unique<FormColour>(dialogs, port))
    {
        if (!timer)
            child<QTimer>(*form, "TimerMove")->stop();
        for (int i = 0; i < 5; ++i)
            form->TimerMove_Timer();
        store::ColourTable &rs = form->document().table();
        store::emptyTable(rs);
        const qint64 stride = 86000 / points;
        for (int k = 1; k <= points; ++k) {
            store::ColourPoint &row = rs.row(k);
            row.setValue(store::Field::PointID, k);
            row.setValue(store::Field::Time, (k - 1) * stride);
            row.setValue(store::Field::Length, stride / 3);
            row.setValue(store::Field::Red, (k * 37) % 101);
            row.setValue(store::Field::Green, (k * 61) % 101);
            row.setValue(store::Field::Blue, (k * 13) % 101);
        }
        form->document().setPointCount(quint8(points));
        form->document().setTransitionTime(300);
        form->mnuEnableColorCycle_Click();
    }
};
