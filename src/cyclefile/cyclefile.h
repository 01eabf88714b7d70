#pragma once

#include "platform/message.h"
#include "store/colourtable.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

class QIODevice;

// The cycle file: 65 lines of single-byte text, each ended by CR LF.
//
//   ColourPoint01 01 00000 00000 000 000 000     lines 1..64, one per table row
//   ...                                          (row number, PointID, Time,
//   ColourPoint64 00 00000 00000 000 000 000      Length, Red, Green, Blue)
//   TransitionTime 00000                         line 65
//
// Characters after column 40 of a colour-point line and after column 20 of the
// transition line are ignored; nothing after line 65 is read.
namespace cyclefile {

inline constexpr int kPointLines = store::kRowCount;
inline constexpr int kLineCount = kPointLines + 1;
inline constexpr int kPointLineLength = 40;
inline constexpr int kTransitionLineLength = 20;

// The filter of the file dialogs, in Qt's syntax.
QString dialogFilter();
// A file name typed without an extension gets ".txt", so that the open
// dialog's filter shows the file afterwards.
QString withCycleExtension(const QString &path);

// One colour-point line for row `row` (1..64), without line end.
QString pointLine(int row, const store::ColourPoint &point);
// The transition line, without line end; the time is written as five digits.
QString transitionLine(const QString &transitionTime);

// The whole file for the table's 64 rows (in row order, unused rows included)
// and the transition time. The table's cursor is not moved.
QByteArray writeCycle(const store::ColourTable &table, const QString &transitionTime);
// The file File Create writes: the empty cycle, one blank point at time 0.
QByteArray templateFile();

// A cycle that passed every check of the reader.
struct LoadedCycle
{
    std::array<store::ColourPoint, store::kRowCount> rows;
    QString transitionTime = QStringLiteral("00000");
    // Rows with a PointID other than 0.
    int pointCount = 0;
    // Set when the file ended before the transition line: the cycle loads
    // with a transition time of 0 and the user is told so.
    std::optional<platform::BilingualMessage> notice;
};

// Either the loaded cycle or the first failure with its report.
struct ReadResult
{
    std::optional<LoadedCycle> cycle;
    std::optional<platform::BilingualMessage> failure;

    bool ok() const { return cycle.has_value(); }
};

// Reads and checks a whole cycle file. Every line is checked in order, and the
// first failing check ends the reading with its report; nothing is returned
// for a file that failed, so a caller takes a cycle in only when all of it is
// sound.
ReadResult readCycle(QIODevice &device);
ReadResult readCycle(const QByteArray &bytes);
// Opens the file at `path` and reads it; a file that cannot be opened or read
// gives a failure with its report.
ReadResult readCycleFile(const QString &path);

} // namespace cyclefile
