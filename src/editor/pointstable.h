#pragma once

#include "editor/pastedrows.h"
#include "platform/bilingual.h"
#include "platform/message.h"
#include "store/colourtable.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <functional>
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
    // The points the rows were read from: a row whose point and time display
    // are as they were keeps its texts and colour without formatting them again.
    std::vector<store::ColourPoint> m_points;
    Commit m_commit;
    bool m_hms = true;
    bool m_english = false;
    bool m_editable = true;
};

// Why a paste into the table did nothing while the colour-cycle function is off.
platform::BilingualMessage pasteNeedsColourCycle();

// The label of a paste in the history.
Bilingual pasteLabel(int count);

} // namespace editor
