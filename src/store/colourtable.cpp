#include "store/colourtable.h"

#include "store/numbers.h"

#include <algorithm>

namespace store {

QString ColourPoint::text(Field f) const { return formatPadded(value(f), fieldWidth(f)); }

void ColourPoint::setText(Field f, const QString &text) { setValue(f, toNumber(text)); }

void ColourPoint::setValue(Field f, qint64 value)
{
    // As the padded text would read back: nothing below 0, all nines past the width.
    m_values[std::size_t(f)] = qint32(std::clamp<qint64>(value, 0, fieldLimit(f)));
}

ColourTable::ColourTable() = default;

void ColourTable::moveTo(int row) { m_cursor = row < 1 ? 0 : (row > kRowCount ? kRowCount + 1 : row); }

QString ColourTable::text(Field f) const
{
    if (isBOF() || isEOF())
        return QString(fieldWidth(f), u'0');
    return row(m_cursor).text(f);
}

qint64 ColourTable::value(Field f) const { return isBOF() || isEOF() ? 0 : row(m_cursor).value(f); }

void ColourTable::setText(Field f, const QString &text)
{
    if (!isBOF() && !isEOF())
        row(m_cursor).setText(f, text);
}

void ColourTable::setValue(Field f, qint64 value)
{
    if (!isBOF() && !isEOF())
        row(m_cursor).setValue(f, value);
}

int ColourTable::usedRows() const
{
    int used = 0;
    for (const ColourPoint &p : m_rows)
        used += p.value(Field::PointID) != 0 ? 1 : 0;
    return used;
}

CustomerDataSource::CustomerDataSource()
{
    Recordset.MoveFirst();
    Recordset.setText(Field::PointID, QStringLiteral("01"));
}

void emptyTable(ColourTable &table)
{
    for (int k = 1; k <= kRowCount; ++k)
        table.row(k).clear();
    table.row(1).setValue(Field::PointID, 1);
}

} // namespace store
