#pragma once

#include "platform/bilingual.h"
#include "platform/message.h"
#include "store/colourtable.h"

#include <QUndoCommand>

#include <array>
#include <functional>
#include <optional>

namespace editor {

// What names the cycle in memory: the file it came from or was saved to, and
// the name the window title shows ("mycycle.txt", "slot 3 "Aquarium"", or
// nothing for a cycle that is no file's).
struct CycleSource
{
    QString fileName;
    Bilingual title;
    bool operator==(const CycleSource &) const = default;
};

// A whole cycle as the window holds it: the 64 rows, PointCount,
// TransitionTime and the current point. 64 rows are small, so history keeps
// whole snapshots rather than differences. A snapshot taken around a change
// of the whole cycle (a file opened, a slot read, Close) also carries the
// source, so that undoing it names the cycle as it was named.
struct CycleState
{
    std::array<store::ColourPoint, store::kRowCount> rows;
    quint8 pointCount = 1;
    quint8 pointCurrent = 1;
    QString transitionTime;
    std::optional<CycleSource> source;

    // The same points and transition time (the current point and source aside).
    bool sameCycle(const CycleState &other) const
    {
        return pointCount == other.pointCount && transitionTime == other.transitionTime && rows == other.rows;
    }
};

// One user action on the cycle, undone and redone by putting the snapshot
// before or after it back through `apply`. The change has already been made
// when the command is pushed, so its first redo does nothing.
class CycleCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const CycleState &)>;

    // Commands with the same merge key (not -1) that follow each other on
    // the stack become one step, as the nudges of one point do.
    CycleCommand(Apply apply, CycleState before, CycleState after, Bilingual label, int mergeKey = -1);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand *other) override;

    const Bilingual &label() const { return m_label; }
    const CycleState &before() const { return m_before; }
    const CycleState &after() const { return m_after; }
    // A save gives the cycle of one side of the step a new name.
    enum Side { Before, After };
    void setSource(Side side, const CycleSource &source) { (side == Before ? m_before : m_after).source = source; }

private:
    Apply m_apply;
    CycleState m_before;
    CycleState m_after;
    Bilingual m_label;
    int m_mergeKey;
    bool m_done = true;
};

// The texts the Undo and Redo items show for a command's label.
Bilingual undoText(const Bilingual *label);
Bilingual redoText(const Bilingual *label);

// The labels of the commands.
Bilingual insertLabel(int point);
Bilingual editLabel(int point);
Bilingual shiftLabel(int point);
Bilingual removeLabel(int point);
Bilingual transitionLabel();
Bilingual openLabel(const QString &fileName);
Bilingual readLabel(int slot);
Bilingual closeLabel();
Bilingual deleteLabel();
Bilingual templateLabel();
Bilingual daylightLabel();

// The question asked before a command drops changes that are not saved:
// Yes saves first, No goes on, Cancel (the default) ends the command.
platform::BilingualMessage unsavedChangesQuestion();

} // namespace editor
