#include "editor/pointstable.h"

#include "app/captions.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QColor>

#include <algorithm>

using platform::BilingualMessage;
using store::Field;

namespace editor {

namespace {

constexpr const char *kHeaders[PointsTableModel::kColumns] = {
    "PointsTablePoint", "PointsTableTime", "PointsTableLength", "PointsTableRed",
    "PointsTableGreen", "PointsTableBlue", "PointsTableColour"};

QColor colourOf(const store::ColourPoint &p)
{
    const auto component = [&p](Field f) { return store::percentToComponent(std::clamp<qint64>(p.value(f), 0, 100)); };
    return QColor(component(Field::Red), component(Field::Green), component(Field::Blue));
}

} // namespace

PointsTableModel::PointsTableModel(Source source, QObject *parent)
    : QAbstractTableModel(parent)
    , m_source(std::move(source))
{
    m_rows.reserve(store::kRowCount);
    m_colours.reserve(store::kRowCount);
    m_points.reserve(store::kRowCount);
}

PointsTableModel::RowTexts PointsTableModel::textsOf(const store::ColourTable &table, int point) const
{
    const store::ColourPoint &p = table.row(point);
    RowTexts texts;
    texts[PointColumn] = p.text(Field::PointID);
    // Through the field's width, as the editor shows them.
    texts[TimeColumn] = store::timeText(p.value(Field::Time), m_hms);
    texts[LengthColumn] = store::timeText(p.value(Field::Length), m_hms);
    texts[RedColumn] = p.text(Field::Red);
    texts[GreenColumn] = p.text(Field::Green);
    texts[BlueColumn] = p.text(Field::Blue);
    return texts;
}

void PointsTableModel::refresh(int pointCount, bool hms, bool english)
{
    const store::ColourTable *table = m_source();
    const int count = table ? std::clamp(pointCount, 1, store::kRowCount) : 0;
    if (english != m_english) {
        m_english = english;
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    }
    const bool sameTimes = hms == m_hms;
    m_hms = hms;
    const int shown = int(m_rows.size());
    if (count < shown) {
        beginRemoveRows(QModelIndex(), count, shown - 1);
        m_rows.resize(std::size_t(count));
        m_colours.resize(std::size_t(count));
        m_points.resize(std::size_t(count));
        endRemoveRows();
    }
    // The rows both old and new: only the changed ones are announced.
    int first = -1;
    int last = -1;
    const int kept = std::min(count, shown);
    for (int r = 0; r < kept; ++r) {
        const store::ColourPoint &point = table->row(r + 1);
        if (sameTimes && point == m_points[std::size_t(r)])
            continue;
        m_points[std::size_t(r)] = point;
        RowTexts texts = textsOf(*table, r + 1);
        const QColor colour = colourOf(point);
        if (texts == m_rows[std::size_t(r)] && colour == m_colours[std::size_t(r)])
            continue;
        m_rows[std::size_t(r)] = std::move(texts);
        m_colours[std::size_t(r)] = colour;
        if (first < 0)
            first = r;
        last = r;
    }
    if (first >= 0)
        Q_EMIT dataChanged(index(first, 0), index(last, kColumns - 1));
    if (count > shown) {
        beginInsertRows(QModelIndex(), shown, count - 1);
        for (int r = shown; r < count; ++r) {
            m_rows.push_back(textsOf(*table, r + 1));
            m_colours.push_back(colourOf(table->row(r + 1)));
            m_points.push_back(table->row(r + 1));
        }
        endInsertRows();
    }
}

int PointsTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int PointsTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant PointsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const std::size_t row = std::size_t(index.row());
    const int column = index.column();
    if (column == ColourColumn) {
        if (role == Qt::BackgroundRole)
            return m_colours[row];
        if (role == Qt::ToolTipRole)
            return m_colours[row].name();
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return m_rows[row][std::size_t(column)];
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    default: return {};
    }
}

QVariant PointsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    const captions::Caption *caption = captions::find(kHeaders[section], captions::Role::Header);
    return caption ? caption->text(m_english) : QString();
}

Qt::ItemFlags PointsTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid() && index.column() >= TimeColumn && index.column() <= BlueColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool PointsTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !m_commit)
        return false;
    const QString text = value.toString();
    if (text == m_rows[std::size_t(index.row())][std::size_t(index.column())])
        return false;
    // The store changes (or not) through the window; the refresh that
    // follows a change shows it.
    m_commit(index.row() + 1, index.column(), text);
    return true;
}

QString PointsTableModel::rowsText(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QString text;
    for (int r : rows) {
        if (r < 0 || r >= int(m_rows.size()))
            continue;
        text += QStringList(m_rows[std::size_t(r)].begin(), m_rows[std::size_t(r)].end()).join(u'\t');
        text += u'\n';
    }
    return text;
}

BilingualMessage pasteNeedsColourCycle()
{
    return platform::warning({QStringLiteral("The Colour Cycle function is off: switch it on (Enable menu) to paste "
                                             "Colour Points."),
                              QStringLiteral("La funzione Ciclo Colore è spenta: accendila (menu Abilitazione) per "
                                             "incollare Punti Colore.")});
}

Bilingual pasteLabel(int count)
{
    return count == 1
               ? Bilingual{QStringLiteral("Paste 1 point"), QStringLiteral("Incolla 1 punto")}
               : Bilingual{QStringLiteral("Paste %1 points").arg(count), QStringLiteral("Incolla %1 punti").arg(count)};
}

} // namespace editor
