#include "store/colourtable.h"

#include "store/numbers.h"

namespace store {

ColourPoint::ColourPoint() { clear(); }

qint64 ColourPoint::value(Field f) const { return toNumber(text(f)); }

void ColourPoint::setText(Field f, const QString &text) { setValue(f, toNumber(text)); }

void ColourPoint::setValue(Field f, qint64 value) { m_fields[std::size_t(f)] = formatPadded(value, fieldWidth(f)); }

void ColourPoint::clear()
{
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[std::size_t(i)] = QString(fieldWidth(Field(i)), u'0');
}

ColourTable::ColourTable() = default;

void ColourTable::moveTo(int row) { m_cursor = row < 1 ? 0 : (row > kRowCount ? kRowCount + 1 : row); }

QString ColourTable::text(Field f) const
{
    if (isBOF() || isEOF())
        return QString(fieldWidth(f), u'0');
    return row(m_cursor).text(f);
}

qint64 ColourTable::value(Field f) const { return toNumber(text(f)); }

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
