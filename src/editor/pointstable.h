#pragma once

#include "platform/bilingual.h"
#include "platform/message.h"
#include "store/colourtable.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The points table: every used point of the store as one row, with its
// number, time and length in the time display in force, its three levels and
// a swatch of its colour. The model only shows the store; an edited cell is
// handed to the window, which validates it with the editor's rules and
// changes the store (or refuses and leaves it as it was).
namespace editor {

class PointsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { PointColumn, TimeColumn, LengthColumn, RedColumn, GreenColumn, BlueColumn, ColourColumn, kColumns };

    // Takes an edited cell: point 1..pointCount, column, the text typed.
    using Commit = std::function<void(int point, int column, const QString &text)>;

    // `source` gives the store's table as it stands (nothing before the store exists).
    using Source = std::function<const store::ColourTable *()>;
    explicit PointsTableModel(Source source, QObject *parent = nullptr);

    void setCommit(Commit commit) { m_commit = std::move(commit); }
    // Cells take edits only while the cycle may change.
    void setEditable(bool editable) { m_editable = editable; }
    bool editable() const { return m_editable; }

    // Reads the store again: `pointCount` rows, times as hh:mm:ss or
    // seconds, headers in a language. Only the rows that changed are
    // announced to the views.
    void refresh(int pointCount, bool hms, bool english);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    bool hms() const { return m_hms; }

    // The rows (0-based) as tab-separated lines: point, time, length, red,
    // green, blue, the way a spreadsheet pastes them.
    QString rowsText(QList<int> rows) const;

private:
    using RowTexts = std::array<QString, 6>;
    RowTexts textsOf(const store::ColourTable &table, int point) const;

    Source m_source;
    std::vector<RowTexts> m_rows;
    std::vector<QColor> m_colours;
    Commit m_commit;
    bool m_hms = true;
    bool m_english = false;
    bool m_editable = true;
};

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
// Why a paste into the table did nothing while the colour-cycle function is off.
platform::BilingualMessage pasteNeedsColourCycle();

std::optional<platform::BilingualMessage> insertPastedPoints(store::ColourTable &table, int &pointCount,
                                                             qint64 transitionTime,
                                                             const std::vector<PastedPoint> &points, int &lastPoint);

// The label of a paste in the history.
Bilingual pasteLabel(int count);

} // namespace editor
