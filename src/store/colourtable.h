#pragma once

#include <QString>

#include <array>

namespace store {

// The six fields of a colour point, in the order they stand everywhere a
// point is listed (table, cycle file, board transfer).
enum class Field { PointID, Time, Length, Red, Green, Blue };

inline constexpr int kFieldCount = 6;
inline constexpr int kRowCount = 64;

// Width of each field's fixed text.
constexpr int fieldWidth(Field f)
{
    switch (f) {
    case Field::PointID: return 2;
    case Field::Time:
    case Field::Length: return 5;
    case Field::Red:
    case Field::Green:
    case Field::Blue: return 3;
    }
    return 0;
}

// The largest number a field's fixed width holds (99, 99999, 999).
constexpr qint32 fieldLimit(Field f)
{
    qint32 limit = 1;
    for (int i = 0; i < fieldWidth(f); ++i)
        limit *= 10;
    return limit - 1;
}

// One row: six numbers, each kept within what its fixed-width digit text can
// hold (0 .. 99, 99999 or 999), so that the text written for it, padded with
// the field's pattern, is always of the right width.
class ColourPoint
{
public:
    ColourPoint() = default;

    // The field as its fixed-width text ("00120").
    QString text(Field f) const;
    qint64 value(Field f) const { return m_values[std::size_t(f)]; }

    // Stores the number the text holds, saturated to the field's width.
    void setText(Field f, const QString &text);
    void setValue(Field f, qint64 value);

    // ("00", "00000", "00000", "000", "000", "000")
    void clear() { m_values = {}; }

    bool operator==(const ColourPoint &other) const = default;

private:
    std::array<qint32, kFieldCount> m_values{};
};

// The fixed table of 64 rows with a record cursor. Rows are never added,
// removed or reordered; only their values change. The cursor stands on a row
// 1..64, before the first row (BOF) or after the last row (EOF).
class ColourTable
{
public:
    ColourTable();

    void MoveFirst() { m_cursor = 1; }
    void MoveLast() { m_cursor = kRowCount; }
    void MoveNext()
    {
        if (m_cursor <= kRowCount)
            ++m_cursor;
    }
    void MovePrevious()
    {
        if (m_cursor >= 1)
            --m_cursor;
    }
    // Moves straight to row k (1..64); the equivalent of k - 1 MoveNext after MoveFirst.
    void moveTo(int row);

    bool isBOF() const { return m_cursor < 1; }
    bool isEOF() const { return m_cursor > kRowCount; }
    // 1..64 on a row, 0 before the first, 65 after the last.
    int position() const { return m_cursor; }

    // Fields of the current row. Reading or writing while the cursor is on
    // BOF or EOF is a programming error; reads then give the blank row's
    // text and writes are ignored.
    QString text(Field f) const;
    qint64 value(Field f) const;
    void setText(Field f, const QString &text);
    void setValue(Field f, qint64 value);

    // Direct access to row k (1..64), for code that walks the table.
    const ColourPoint &row(int k) const { return m_rows[std::size_t(k - 1)]; }
    ColourPoint &row(int k) { return m_rows[std::size_t(k - 1)]; }

    // Number of rows whose PointID is not 0.
    int usedRows() const;

private:
    std::array<ColourPoint, kRowCount> m_rows;
    int m_cursor = 1;
};

// Owner of the colour-point table. On creation it builds the 64 blank rows and
// makes row 1 the blank first point ("01").
class CustomerDataSource
{
public:
    CustomerDataSource();

    // Every data member name gives the same table.
    ColourTable &GetDataMember(const QString & = QString()) { return Recordset; }

    ColourTable Recordset;
};

// Writes the empty cycle (one blank point at time 0) into all 64 rows.
void emptyTable(ColourTable &table);

} // namespace store
