#include "editor/pointstable.h"

#include "app/captions.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QColor>
#include <QRegularExpression>

#include <algorithm>

using platform::BilingualMessage;
using platform::MsgIcon;
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
    m_hms = hms;
    const int shown = int(m_rows.size());
    if (count < shown) {
        beginRemoveRows(QModelIndex(), count, shown - 1);
        m_rows.resize(std::size_t(count));
        m_colours.resize(std::size_t(count));
        endRemoveRows();
    }
    // The rows both old and new: only the changed ones are announced.
    int first = -1;
    int last = -1;
    const int kept = std::min(count, shown);
    for (int r = 0; r < kept; ++r) {
        RowTexts texts = textsOf(*table, r + 1);
        const QColor colour = colourOf(table->row(r + 1));
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

// ----- Paste ---------------------------------------------------------------------

namespace {

BilingualMessage pasteRefusal(const QString &english, const QString &italian)
{
    return platform::warning({english, italian});
}

std::optional<qint64> timeOf(const QString &text)
{
    static const QRegularExpression seconds(QStringLiteral("^\\d{1,5}$"));
    static const QRegularExpression hms(QStringLiteral("^\\d{1,3}:\\d{1,2}:\\d{1,2}$"));
    if (seconds.match(text).hasMatch())
        return store::toNumber(text);
    if (hms.match(text).hasMatch())
        return store::DataBaseTimeToSEC(text);
    return std::nullopt;
}

} // namespace

PastedRows parsePastedRows(const QString &text)
{
    PastedRows out;
    static const QRegularExpression level(QStringLiteral("^\\d{1,3}$"));
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        PastedPoint p;
        bool ok = cells.size() >= 6;
        if (ok) {
            const std::optional<qint64> time = timeOf(cells[1].trimmed());
            const std::optional<qint64> length = timeOf(cells[2].trimmed());
            ok = time && length;
            if (ok) {
                p.time = *time;
                p.length = *length;
            }
            for (int c = 0; ok && c < 3; ++c) {
                const QString cell = cells[3 + c].trimmed();
                ok = level.match(cell).hasMatch() && store::toNumber(cell) <= 100;
                p.rgb[std::size_t(c)] = store::toNumber(cell);
            }
        }
        if (!ok) {
            const QString n = QString::number(i + 1);
            out.refusal = pasteRefusal(
                QStringLiteral("Line ") + n + QStringLiteral(" of the pasted text is not a Colour Point!") + kLineBreak
                    + QStringLiteral("Must be: Point, Position Time, Length Time, Red, Green, Blue (0..100), "
                                     "separated by tabs"),
                QStringLiteral("La riga ") + n + QStringLiteral(" del testo incollato non è un Punto Colore!")
                    + kLineBreak
                    + QStringLiteral("Deve essere: Punto, Posizione, Lunghezza, Rosso, Verde, Blu (0..100), "
                                     "separati da tabulazioni"));
            out.points.clear();
            return out;
        }
        out.points.push_back(p);
    }
    if (out.points.empty())
        out.refusal = pasteRefusal(QStringLiteral("There is no Colour Point to paste!"),
                                   QStringLiteral("Non ci sono Punti Colore da incollare!"));
    return out;
}

std::optional<BilingualMessage> insertPastedPoints(store::ColourTable &table, int &pointCount, qint64 transitionTime,
                                                   const std::vector<PastedPoint> &points, int &lastPoint)
{
    int count = std::clamp(pointCount, 1, store::kRowCount);
    if (count + int(points.size()) > store::kRowCount) {
        const QString max = QString::number(store::kRowCount);
        const QString room = QString::number(store::kRowCount - count);
        const QString rows = QString::number(points.size());
        return pasteRefusal(
            QStringLiteral("The Colour Cycle has room for ") + max + QStringLiteral(" Colour Points only!") + kLineBreak
                + QStringLiteral("%1 of the %2 rows pasted would fit.").arg(room, rows),
            QStringLiteral("Il Ciclo Colore ha posto solo per ") + max + QStringLiteral(" Punti Colore!") + kLineBreak
                + QStringLiteral("Entrerebbero %1 delle %2 righe incollate.").arg(room, rows));
    }
    store::ColourTable work = table;
    int last = 1;
    for (const PastedPoint &p : points) {
        // Checked as a new point, against every point there is.
        TimeCheckInput in;
        in.pointCount = count;
        in.pointCurrent = 0;
        in.insertMode = true;
        in.time = p.time;
        in.length = p.length;
        in.transitionTime = transitionTime;
        if (std::optional<BilingualMessage> refusal = DataBaseTimeCheck(work, in))
            return refusal;
        store::ColourPoint &slot = work.row(count + 1);
        slot.setValue(Field::PointID, count + 1);
        slot.setValue(Field::Time, p.time);
        slot.setValue(Field::Length, p.length);
        slot.setValue(Field::Red, p.rgb[0]);
        slot.setValue(Field::Green, p.rgb[1]);
        slot.setValue(Field::Blue, p.rgb[2]);
        const CheckResult check = DataBaseCheck(work, transitionTime);
        if (check.checkError && !check.messages.isEmpty())
            return check.messages.first();
        count = check.pointCount;
        last = 1;
        while (last < count && work.row(last).value(Field::Time) != p.time)
            ++last;
    }
    table = work;
    table.moveTo(last);
    pointCount = count;
    lastPoint = last;
    return std::nullopt;
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
