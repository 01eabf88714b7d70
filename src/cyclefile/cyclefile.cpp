#include "cyclefile/cyclefile.h"

#include "cyclefile/readreports.h"
#include "store/numbers.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace cyclefile {

namespace {

using reports::PointField;
using store::Field;

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// Only the first columns of a line matter; the rest of a long line is read
// past. A line is cut after kLineLimit bytes so that a file without line ends
// (a device, a binary file) cannot keep the reader busy for long.
constexpr qsizetype kKeptColumns = 256;
constexpr qsizetype kLineLimit = qsizetype(1) << 20;

// Reads the next line of the stream without its line end. CR LF, LF and a
// CR alone all end a line, so files from every kind of editor read alike.
// Nothing when the stream is at its end; `failed` is set when the device
// reports an error.
std::optional<QString> nextLine(QIODevice &device, bool &failed)
{
    if (device.atEnd())
        return std::nullopt;
    QByteArray kept;
    qsizetype total = 0;
    char c = 0;
    while (total < kLineLimit) {
        if (!device.getChar(&c)) {
            failed = !device.atEnd();
            break;
        }
        if (c == '\n')
            break;
        if (c == '\r') {
            char next = 0;
            if (device.peek(&next, 1) == 1 && next == '\n')
                device.getChar(&next);
            break;
        }
        if (kept.size() < kKeptColumns)
            kept.append(c);
        ++total;
    }
    if (failed)
        return std::nullopt;
    return QString::fromLatin1(kept);
}

// Columns `first`..`first + count - 1` (counted from 1) of a line; shorter
// or empty where the line ends earlier.
QString columns(const QString &line, int first, int count) { return line.mid(first - 1, count); }

struct FieldColumns
{
    PointField field;
    Field storeField;
    int first;
    int count;
};

constexpr FieldColumns kFields[] = {
    {PointField::PointID, Field::PointID, 15, 2}, {PointField::Time, Field::Time, 18, 5},
    {PointField::Length, Field::Length, 24, 5},   {PointField::Red, Field::Red, 30, 3},
    {PointField::Green, Field::Green, 34, 3},     {PointField::Blue, Field::Blue, 38, 3},
};

// The marker of a digit check: "-" for each digit, the character itself for
// each other one. Every character is examined. True when all are digits.
bool digitsMarker(const QString &text, QString &marker)
{
    marker.clear();
    bool allDigits = true;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            marker += u'-';
        } else {
            marker += c;
            allDigits = false;
        }
    }
    return allDigits;
}

ReadResult fail(platform::BilingualMessage report)
{
    ReadResult r;
    r.failure = std::move(report);
    return r;
}

ReadResult read(QIODevice &device, const QString &name)
{
    LoadedCycle cycle;
    bool failed = false;
    const auto readError = [&] { return fail(reports::cannotRead(name, device.errorString())); };
    // A UTF-8 byte-order mark (as Windows Notepad writes) is no part of the first line.
    if (device.peek(3) == QByteArrayLiteral("\xEF\xBB\xBF"))
        device.skip(3);

    for (int row = 1; row <= kPointLines; ++row) {
        store::ColourPoint &point = cycle.rows[std::size_t(row - 1)];
        const std::optional<QString> next = nextLine(device, failed);
        if (failed)
            return readError();
        if (!next) {
            point.clear();
            continue;
        }
        const QString &line = *next;

        const QString start = columns(line, 1, 14);
        if (start != QStringLiteral("ColourPoint") + store::format00(row) + u' ')
            return fail(reports::wrongStart(row, start));

        for (std::size_t f = 0; f < std::size(kFields); ++f) {
            const FieldColumns &c = kFields[f];
            if (line.size() < c.first + c.count - 1)
                return fail(reports::lineTooShort(row, c.field, line));
            const QString text = columns(line, c.first, c.count);
            QString marker;
            if (!digitsMarker(text, marker))
                return fail(reports::notNumeric(row, c.field, text, marker));
            point.setText(c.storeField, text);
            if (f + 1 < std::size(kFields)) {
                const QString separator = columns(line, c.first + c.count, 1);
                if (separator != QStringLiteral(" "))
                    return fail(reports::missingSpace(row, c.field, separator));
            }
        }
        if (point.value(Field::PointID) != 0)
            ++cycle.pointCount;
    }

    const std::optional<QString> last = nextLine(device, failed);
    if (failed)
        return readError();
    if (!last) {
        cycle.transitionTime = QStringLiteral("00000");
        cycle.notice = reports::transitionMissing();
    } else {
        const QString start = columns(*last, 1, 15);
        if (start != QStringLiteral("TransitionTime "))
            return fail(reports::transitionWrongStart(start));
        if (last->size() < kTransitionLineLength)
            return fail(reports::transitionTooShort(*last));
        const QString text = columns(*last, 16, 5);
        QString marker;
        if (!digitsMarker(text, marker))
            return fail(reports::transitionNotNumeric(text, marker));
        cycle.transitionTime = store::reformat(text, 5);
    }

    ReadResult r;
    r.cycle = std::move(cycle);
    return r;
}

} // namespace

QString dialogFilter() { return QStringLiteral("Orvanta file (.txt) (*.txt);;Tutti file (*.*) (*)"); }

QString withCycleExtension(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QStringView name = QStringView(path).sliced(slash + 1);
    if (name.isEmpty() || name.contains(u'.'))
        return path;
    return path + QStringLiteral(".txt");
}

QString pointLine(int row, const store::ColourPoint &point)
{
    QString line = QStringLiteral("ColourPoint") + store::format00(row);
    for (int f = 0; f < store::kFieldCount; ++f)
        line += u' ' + point.text(Field(f));
    return line;
}

QString transitionLine(const QString &transitionTime)
{
    return QStringLiteral("TransitionTime ") + store::reformat(transitionTime, 5);
}

QByteArray writeCycle(const store::ColourTable &table, const QString &transitionTime)
{
    QByteArray out;
    out.reserve(kLineCount * (kPointLineLength + 2));
    for (int row = 1; row <= kPointLines; ++row)
        out += pointLine(row, table.row(row)).toLatin1() + kLineEnd;
    out += transitionLine(transitionTime).toLatin1() + kLineEnd;
    return out;
}

QByteArray templateFile()
{
    QByteArray out;
    out += QByteArrayLiteral("ColourPoint01 01 00000 00000 000 000 000") + kLineEnd;
    for (int row = 2; row <= kPointLines; ++row)
        out += QByteArrayLiteral("ColourPoint") + store::format00(row).toLatin1()
               + QByteArrayLiteral(" 00 00000 00000 000 000 000") + kLineEnd;
    out += QByteArrayLiteral("TransitionTime 00000") + kLineEnd;
    return out;
}

ReadResult readCycle(QIODevice &device) { return read(device, QString()); }

ReadResult readCycle(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, QString());
}

ReadResult readCycleFile(const QString &path)
{
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return fail(reports::cannotRead(path, reports::notRegularFile()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(reports::cannotRead(path, file.errorString()));
    return read(file, path);
}

} // namespace cyclefile
