#pragma once

#include "editor/cyclehistory.h"
#include "store/colourtable.h"

#include <QObject>

class QUndoStack;

namespace editor {

// The cycle in memory as a document: its 64 rows, the number of points, the
// transition time, the current point, what names it (the file it comes from
// and the title the window shows) and the history of its changes. It needs no
// window: the main window, the command line and the tests work on it alike.
//
// The store's procedures change the rows in place through table(); a change
// becomes one step of the history with record(), which tells the views. A
// step undone or redone puts its snapshot back here, and the views follow
// the signals.
class CycleDocument : public QObject
{
    Q_OBJECT
public:
    explicit CycleDocument(QObject *parent = nullptr);

    // The 64 rows with their record cursor.
    const store::ColourTable &table() const { return m_table; }
    store::ColourTable &table() { return m_table; }

    // Points 1..pointCount are used (1..64).
    int pointCount() const { return m_pointCount; }
    void setPointCount(int count);
    // The point the editor and the chart show (1..pointCount).
    int pointCurrent() const { return m_pointCurrent; }
    void setPointCurrent(int point);
    // The ramp from the last point back to the first, in seconds.
    qint64 transitionTime() const { return m_transitionTime; }
    void setTransitionTime(qint64 seconds);
    // The transition as its five-digit text ("00600").
    QString transitionText() const;
    // A whole cycle comes in (a slot read): its rows, the points used and
    // the transition, in seconds.
    void setCycle(const store::ColourTable &rows, int pointCount, qint64 transitionSeconds);

    // The file the cycle comes from or was saved to ("" for none), and the
    // name the title shows (the file's, a slot's, or none).
    const CycleSource &source() const { return m_source; }
    QString fileName() const { return m_source.fileName; }
    void setSource(const CycleSource &source);

    // The history: its clean state is the cycle as saved.
    QUndoStack *history() const { return m_history; }
    bool isModified() const;
    void markSaved();
    // No file holds the cycle any more: it counts as unsaved.
    void markUnsaved();

    // The cycle as it stands; with `withSource`, also what names it.
    CycleState state(bool withSource = false) const;
    // Puts a cycle back, without a step of the history.
    void restore(const CycleState &state);
    // Records the change made since `before` as one step (nothing when
    // nothing changed); steps with the same merge key (not -1) that follow
    // each other become one.
    void record(const CycleState &before, const Bilingual &label, int mergeKey = -1);
    // The steps around the current one that carry the source `from` carry
    // `to` instead: a save renames the cycle for the steps that hold it.
    void renameSource(const CycleSource &from, const CycleSource &to);

    // The empty cycle: one blank point, no transition, point 1 current.
    void empty();

Q_SIGNALS:
    void rowsChanged();
    void currentPointChanged(int point);
    void sourceChanged();
    void modifiedChanged(bool modified);
    // A step of the history has been undone or redone; `wholeCycle` when
    // it replaced the whole cycle (a file, a slot, a template, Close).
    void stepRestored(bool wholeCycle);

private:
    store::ColourTable m_table;
    int m_pointCount = 1;
    int m_pointCurrent = 1;
    qint64 m_transitionTime = 0;
    CycleSource m_source;
    QUndoStack *m_history = nullptr;
};

} // namespace editor
