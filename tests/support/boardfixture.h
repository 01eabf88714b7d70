#pragma once

#include "support/cycles.h"
#include "support/formfixture.h"

// Line `n` (0-based) of a message text; lines are joined by a lone CR.
inline QString messageLine(const QString &text, int n = 0) { return text.section(QChar(13), n, n); }

// The 64 rows of a window's store, to compare whole cycles.
inline QList<store::ColourPoint> storeRows(FormColour &w)
{
    QList<store::ColourPoint> out;
    for (int r = 1; r <= store::kRowCount; ++r)
        out.append(w.document().table().row(r));
    return out;
}

// The sample cycle of `points` points an hour apart in the window's store,
// checked and shown from point 1; its rows.
inline QList<store::ColourPoint> loadCycle(FormColour &w, int points, qint64 transition)
{
    w.document().table() = sampleTable(points, 1200, 100);
    w.document().setTransitionTime(transition);
    w.DataBaseCheck();
    w.document().setPointCurrent(1);
    w.document().table().MoveFirst();
    w.pointRefresh();
    return storeRows(w);
}

// The window with the virtual board on COM`boardPort`, started.
struct BoardFixture : FormFixture
{
    explicit BoardFixture(int boardPort = 1)
        : FormFixture(true, nullptr, boardPort)
    {
    }

    QAction *item(const char *name) const { return form->menuItem(QString::fromLatin1(name)); }
    QAction *button(const char *key) const { return form->toolbarButton(QString::fromLatin1(key)); }
    bool trigger(const char *name) { return FormFixture::trigger(QString::fromLatin1(name)); }
    // Ticks until the item is unticked, as when its job ends; false past `limit`.
    bool tickUntilOff(const char *name, int limit = 2000)
    {
        QAction *action = item(name);
        return tickUntil([action] { return !action->isChecked(); }, limit) > 0;
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
