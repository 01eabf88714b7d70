#include "editor/pastedrows.h"

#include "editor/rules.h"
#include "store/numbers.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using platform::BilingualMessage;
using store::Field;

namespace editor {

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

} // namespace editor
