#pragma once

#include "platform/message.h"
#include "store/colourtable.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// Rows pasted into the points table: read from whatever text the clipboard
// holds, then inserted into the store by the editor's rules.
namespace editor {

// One row of pasted text as a point: time, length and the three levels.
struct PastedPoint
{
    qint64 time = 0;
    qint64 length = 0;
    std::array<qint64, 3> rgb{};
};

// The rows of a tab-separated text, each "point, time, length, red, green,
// blue" (the point number is not kept: pasted points are numbered where they
// land). Times are hh:mm:ss when they hold a colon, seconds otherwise. A line
// that is no such row gives a refusal naming it.
struct PastedRows
{
    std::vector<PastedPoint> points;
    std::optional<platform::BilingualMessage> refusal;
};
PastedRows parsePastedRows(const QString &text);

// Inserts the pasted points into `table` one after the other, each checked
// as an Insert is (unique time, room before the next point and for the
// transition, after the previous point's hold), and consolidated. All or
// nothing: on the first refusal `table` is left as it came and the refusal
// is returned. On success `pointCount` is the new count and `lastPoint` the
// position of the last point pasted.
std::optional<platform::BilingualMessage> insertPastedPoints(store::ColourTable &table, int &pointCount,
                                                             qint64 transitionTime,
                                                             const std::vector<PastedPoint> &points, int &lastPoint);

} // namespace editor
