#include "editor/rules.h"

#include "store/numbers.h"

#include <QStringList>

#include <algorithm>

using platform::BilingualMessage;
using platform::MsgIcon;
using store::Field;
using store::format00000;
using store::formatPlain;

namespace editor {

namespace {

QString lines(const QStringList &parts) { return parts.join(kLineBreak); }

BilingualMessage warning(const QStringList &english, const QStringList &italian)
{
    return platform::warning({lines(english), lines(italian)});
}

qint64 timeOf(const store::ColourTable &t, int point) { return t.row(point).value(Field::Time); }

qint64 lengthOf(const store::ColourTable &t, int point) { return t.row(point).value(Field::Length); }

// The first point whose time exceeds `time`, or the last point.
int nextPoint(const store::ColourTable &t, int pointCount, qint64 time)
{
    int n = 1;
    while (n < pointCount && timeOf(t, n) <= time)
        ++n;
    return n;
}

// Walking back from the last point: the first point whose time is below
// `time`, or point 1.
int previousPoint(const store::ColourTable &t, int pointCount, qint64 time)
{
    int p = pointCount;
    while (p > 1 && timeOf(t, p) >= time)
        --p;
    return p;
}

// Limits are kept as five-digit texts: nothing below zero, nothing wider.
qint64 fieldValue(qint64 v) { return std::clamp<qint64>(v, 0, 99999); }

QString shown(qint64 seconds, bool hms)
{
    return hms ? store::DataBaseTimeToHMS(seconds) : format00000(seconds) + QStringLiteral(" Sec");
}

int clampedCount(int pointCount) { return std::clamp(pointCount, 1, store::kRowCount); }

} // namespace

bool DataBaseRecordShiftDown(store::ColourTable &t)
{
    if (t.value(Field::PointID) == 0)
        return false;
    const store::ColourPoint moving = t.row(t.position());
    t.MovePrevious();
    if (t.value(Field::PointID) != 0) {
        t.MoveNext();
        return false;
    }
    t.row(t.position()) = moving;
    t.MoveNext();
    t.row(t.position()).clear();
    return true;
}

bool DataBaseRecordSwap(store::ColourTable &t, bool &checkError, QList<BilingualMessage> &messages)
{
    const store::ColourPoint later = t.row(t.position());
    t.MovePrevious();
    const store::ColourPoint earlier = t.row(t.position());

    if (later.value(Field::PointID) == 0) {
        t.MoveNext();
        return false;
    }
    if (later.value(Field::Time) == earlier.value(Field::Time)) {
        checkError = true;
        const QString idK = later.text(Field::PointID);
        const QString timeK = later.text(Field::Time);
        const QString idK1 = earlier.text(Field::PointID);
        const QString timeK1 = earlier.text(Field::Time);
        messages.append(BilingualMessage{
            {lines({QStringLiteral("Two Color Point have the same Time Value"), QString(),
                    QStringLiteral("Color Point ") + idK + QStringLiteral(" has Position Time = ") + timeK,
                    QStringLiteral("Color Point ") + idK1 + QStringLiteral(" has Position Time = ") + timeK1, QString(),
                    QStringLiteral("Edit a Color Point and change the Position Time Value")}),
             lines({QStringLiteral("Due Punti Colore hanno la medesima Posizione"), QString(),
                    QStringLiteral("Punto Colore ") + idK + QStringLiteral(" ha Posizione = ") + timeK,
                    QStringLiteral("Punto Colore ") + idK1 + QStringLiteral(" ha Posizione = ") + timeK1, QString(),
                    QStringLiteral("Apri uno dei due Punti Colore e cambia la Posizione")})},
            {QStringLiteral("Error Found"), QStringLiteral("Errore")},
            MsgIcon::Exclamation});
        return false;
    }
    if (later.value(Field::Time) < earlier.value(Field::Time)) {
        // The numbers stay with their slots: only the contents move.
        store::ColourPoint &lower = t.row(t.position());
        for (Field f : {Field::Time, Field::Length, Field::Red, Field::Green, Field::Blue})
            lower.setText(f, later.text(f));
        t.MoveNext();
        store::ColourPoint &upper = t.row(t.position());
        for (Field f : {Field::Time, Field::Length, Field::Red, Field::Green, Field::Blue})
            upper.setText(f, earlier.text(f));
        return true;
    }
    t.MoveNext();
    return false;
}

CheckResult DataBaseCheck(store::ColourTable &t, qint64 transitionTime)
{
    CheckResult result;
    bool &checkError = result.checkError;

    // 1. Renumber the slots in use and clamp their colours.
    int count = 0;
    for (int k = 1; k <= store::kRowCount; ++k) {
        store::ColourPoint &p = t.row(k);
        if (p.value(Field::PointID) == 0)
            continue;
        ++count;
        p.setValue(Field::PointID, count);
        for (Field f : {Field::Red, Field::Green, Field::Blue})
            p.setValue(f, std::clamp<qint64>(p.value(f), 0, 100));
    }
    // 2.
    result.pointCount = count == 0 ? 1 : count;

    // 3. Close the gaps: every used slot before every free one, order kept.
    bool changed = true;
    while (changed) {
        t.MoveLast();
        changed = false;
        for (int i = 0; i < store::kRowCount - 1; ++i) {
            if (DataBaseRecordShiftDown(t))
                changed = true;
            t.MovePrevious();
        }
    }

    // 4. Order by time: a bubble sort from the end of the table to its start,
    // stopped by the first pair of equal times.
    changed = true;
    while (changed && !checkError) {
        t.MoveLast();
        changed = false;
        for (int i = 0; i < store::kRowCount - 1 && !checkError; ++i) {
            if (DataBaseRecordSwap(t, checkError, result.messages))
                changed = true;
            t.MovePrevious();
        }
    }

    // 5. Every time inside the day less the transition.
    const qint64 latest = kDayLength - transitionTime;
    for (int k = 1; k <= store::kRowCount && !checkError; ++k) {
        const store::ColourPoint &p = t.row(k);
        if (p.value(Field::Time) > latest) {
            checkError = true;
            const QString id = p.text(Field::PointID);
            result.messages.append(BilingualMessage{
                {lines({QStringLiteral("The Color Point ") + id
                            + QStringLiteral(" has the Position Time Value Out of Range (Min = 0, Max = (86400 - "
                                             "Transition Time).)"),
                        QStringLiteral("Edit the file (.txt) and change the Position Time Value or change the "
                                       "Transition Time")}),
                 lines({QStringLiteral("Il Punto Colore ") + id
                            + QStringLiteral(" ha la Posizione al di fuori dei limiti (Min = 0, Max = (86400 - "
                                             "Viraggio Fine Ciclo).)"),
                        QStringLiteral("Apri il file (.txt) e cambia il valore della Posizione o cambia il "
                                       "Viraggio di Fine Ciclo.")})},
                {QStringLiteral("Error Found"), QStringLiteral("Error Found")},
                MsgIcon::Exclamation});
        }
    }

    // 6. A hold that reaches into the next point ends one second before it.
    // A pair left out of order by an error keeps its length: there is no gap
    // to fit it into, and a negative length has no field to go in.
    for (int i = 1; i < result.pointCount; ++i) {
        const qint64 gap = timeOf(t, i + 1) - timeOf(t, i);
        if (gap > 0 && lengthOf(t, i) >= gap)
            t.row(i).setValue(Field::Length, gap - 1);
    }

    // 7. The first point starts the cycle.
    if (!checkError) {
        t.row(1).setValue(Field::PointID, 1);
        t.row(1).setValue(Field::Time, 0);
    }
    // 8.
    t.MoveFirst();
    return result;
}

std::optional<BilingualMessage> DataBaseTimeCheck(const store::ColourTable &t, const TimeCheckInput &in)
{
    const int count = clampedCount(in.pointCount);
    const qint64 T = in.time;
    const qint64 L = in.length;
    const qint64 TT = in.transitionTime;

    // 1. Unique time.
    for (int k = 1; k <= count; ++k) {
        if (!in.insertMode && k == in.pointCurrent)
            continue;
        if (timeOf(t, k) == T)
            return warning({QStringLiteral("Position Time already used!")},
                           {QString::fromUtf8("Posizione già utilizzata da un altro Punto Colore!")});
    }

    // 2. Room for the transition.
    if (T > kDayLength - TT)
        return warning({QStringLiteral("Conflict between the Position Time and Transition Time!"),
                        QStringLiteral("Must be: Position Time < (Max Time - TransitionTime))"),
                        QStringLiteral("Position Time = ") + formatPlain(T),
                        QStringLiteral("Max Time = ") + formatPlain(kDayLength),
                        QStringLiteral("Transition Time = ") + formatPlain(TT)},
                       {QStringLiteral("Posizione non compatibile con il tempo di Viraggio di Fine Ciclo."),
                        QStringLiteral("Deve essere: Posizione < (Tempo Massimo - Viraggio di Fine Ciclo))"),
                        QStringLiteral("Posizione = ") + formatPlain(T),
                        QStringLiteral("Tempo Massimo = ") + formatPlain(kDayLength),
                        QStringLiteral("Viraggio di Fine Ciclo = ") + formatPlain(TT)});

    // 3. The next point; the current point's own old record is no neighbour.
    const int n = nextPoint(t, count, T);
    if (n != in.pointCurrent) {
        const qint64 next = timeOf(t, n);
        // 4. Hold and one spare second before the next point.
        if (T < next && T > next - L - 1)
            return warning(
                {QStringLiteral("Conflict between the Position Time and the complessive value of Length Time and the "
                                "Next Point Colour Position Time!"),
                 QStringLiteral("Must be: Position Time < (NextPositionTime - (Length Time + 1))"),
                 QStringLiteral("Position Time = ") + formatPlain(T), QStringLiteral("Length Time = ") + formatPlain(L),
                 QStringLiteral("Next Position Time = ") + formatPlain(next)},
                {QStringLiteral("Posizione non compatibile con la Lunghezza ed la Posizione del Punto Colore "
                                "Successivo."),
                 QStringLiteral("Deve essere: Posizione < (Posizione del Punto Colore Successivo - (Lunghezza + 1))"),
                 QStringLiteral("Posizione = ") + formatPlain(T), QStringLiteral("Lunghezza = ") + formatPlain(L),
                 QStringLiteral("Posizione Punto Colore Successivo = ") + formatPlain(next)});
        // 5. As the last point: hold and transition inside the day.
        if (T >= next && T > kDayLength - L - TT)
            return warning(
                {QStringLiteral("Conflict between the Position Time and the complessive value of Length Time and "
                                "Transition Time!"),
                 QStringLiteral("Must be: Position Time < (TimeMax - (Length Time + Transition Time))"),
                 QStringLiteral("Position Time = ") + formatPlain(T),
                 QStringLiteral("Max Time = ") + formatPlain(kDayLength),
                 QStringLiteral("Length Time = ") + formatPlain(L),
                 QStringLiteral("Transition Time = ") + formatPlain(TT)},
                {QStringLiteral("Posizione non compatibile con la Lunghezza ed il tempo di Viraggio di Fine Ciclo."),
                 QStringLiteral("Deve essere: Posizione < (Tempo Massimo - (Lunghezza + Viraggio))"),
                 QStringLiteral("Posizione = ") + formatPlain(T),
                 QStringLiteral("Tempo Massimo = ") + formatPlain(kDayLength),
                 QStringLiteral("Lunghezza = ") + formatPlain(L), QStringLiteral("Viraggio = ") + formatPlain(TT)});
    }

    // 6. After the previous point's hold.
    const int p = previousPoint(t, count, T);
    if (in.insertMode || p != in.pointCurrent) {
        const qint64 prevTime = timeOf(t, p);
        const qint64 prevLength = lengthOf(t, p);
        if (T < prevTime + prevLength + 1)
            return warning(
                {QStringLiteral("Conflict between the Position Time and the complessive value of the previous Position "
                                "Time and Length Time"),
                 QStringLiteral("Must be: Position Time > (Previous PositionTime + Previous Length Time + 1)"),
                 QStringLiteral("Position Time = ") + formatPlain(T),
                 QStringLiteral("Previous Position Time = ") + formatPlain(prevTime),
                 QStringLiteral("Previous Length Time = ") + formatPlain(prevLength)},
                {QStringLiteral("Posizione non compatibile con la Posizione e la Lunghezza del Punto Colore "
                                "Precedente."),
                 QStringLiteral("Deve essere: Posizione > (Posizione del Punto Colore Precedente + Lunghezza del Punto "
                                "Colore Precedente + 1)"),
                 QStringLiteral("Posizione = ") + formatPlain(T),
                 QStringLiteral("Posizione Punto Colore Precedente = ") + formatPlain(prevTime),
                 QStringLiteral("Lunghezza Punto Colore Precedente = ") + formatPlain(prevLength)});
    }
    return std::nullopt;
}

Limit DataBaseLengthMaxValue(const store::ColourTable &t, int pointCount, int pointCurrent, qint64 time,
                             qint64 transitionTime, bool hms)
{
    const int count = clampedCount(pointCount);
    const int n = nextPoint(t, count, time);
    int following = 0; // none
    if (time < timeOf(t, n)) {
        if (n != pointCurrent)
            following = n;
        else if (pointCurrent != count)
            following = n + 1;
    }
    const qint64 max = following != 0 ? timeOf(t, following) - time - 1 : kDayLength - time - transitionTime;
    Limit limit;
    limit.value = fieldValue(max);
    if (hms)
        limit.caption = {QStringLiteral("Length Max = ") + shown(limit.value, true),
                         QStringLiteral("Lunghezza Massima = ") + shown(limit.value, true)};
    else
        limit.caption = {QStringLiteral("Lenght Max = ") + shown(limit.value, false),
                         QStringLiteral("Lunghezza Massima = ") + shown(limit.value, false)};
    return limit;
}

qint64 longestInsertLength(const store::ColourTable &t, int pointCount, qint64 time, qint64 transitionTime)
{
    const int count = clampedCount(pointCount);
    const int n = nextPoint(t, count, time);
    const qint64 max = time < timeOf(t, n) ? timeOf(t, n) - time - 1 : kDayLength - time - transitionTime;
    return std::max<qint64>(max, 0);
}

Limit DataBaseTransitionMaxValue(const store::ColourTable &t, int pointCount, bool hms)
{
    const int last = clampedCount(pointCount);
    Limit limit;
    limit.value = fieldValue(kDayLength - timeOf(t, last) - lengthOf(t, last));
    limit.caption = {QStringLiteral("Transition Time Max = ") + shown(limit.value, hms),
                     QStringLiteral("Massimo Tempo di Viraggio = ") + shown(limit.value, hms)};
    return limit;
}

ShiftRange DataBaseShiftValue(const store::ColourTable &t, int pointCount, int pointCurrent, qint64 transitionTime,
                              bool hms)
{
    const int count = clampedCount(pointCount);
    const int current = std::clamp(pointCurrent, 1, count);
    const qint64 tc = timeOf(t, current);
    ShiftRange range;
    range.min = fieldValue(current != 1 ? timeOf(t, current - 1) + lengthOf(t, current - 1) + 1 : tc);
    range.max = fieldValue(tc + (kDayLength - timeOf(t, count) - lengthOf(t, count) - transitionTime));
    if (hms) {
        const QString from = store::DataBaseTimeToHMS(range.min);
        const QString to = store::DataBaseTimeToHMS(range.max);
        range.caption = {QStringLiteral("Shift Range: from ") + from + QStringLiteral(" up to ") + to,
                         QStringLiteral("Valori Ammessi: da ") + from + QStringLiteral(" a ") + to};
    } else {
        const QString from = format00000(range.min);
        const QString to = format00000(range.max);
        range.caption = {
            QStringLiteral("Shift Range: from ") + from + QStringLiteral(" up to ") + to + QStringLiteral(" Sec"),
            QStringLiteral("Valori Ammessi: da ") + from + QStringLiteral(" a ") + to + QStringLiteral(" Sec")};
    }
    return range;
}

std::optional<BilingualMessage> shiftOutOfRange(qint64 time, const ShiftRange &range, const QString &italianTitle)
{
    if (time >= range.min && time <= range.max)
        return std::nullopt;
    return BilingualMessage{{QStringLiteral("Shift Time is Out of Range!"), QStringLiteral("Valore fuori Limite!")},
                            {QStringLiteral("Error"), italianTitle},
                            MsgIcon::Exclamation};
}

MoveRange pointMoveRange(const store::ColourTable &t, int pointCount, int point, qint64 transitionTime)
{
    const int count = clampedCount(pointCount);
    const int k = std::clamp(point, 1, count);
    const qint64 time = timeOf(t, k);
    if (k == 1)
        return {time, time};
    MoveRange range;
    range.min = timeOf(t, k - 1) + lengthOf(t, k - 1) + 1;
    range.max = k < count ? timeOf(t, k + 1) - lengthOf(t, k) - 1 : kDayLength - lengthOf(t, k) - transitionTime;
    // A point already outside its room (a file read as it was) keeps its time.
    range.min = std::min(range.min, time);
    range.max = std::max(range.max, time);
    return range;
}

void shiftLaterPoints(store::ColourTable &t, int pointCount, int pointCurrent, qint64 delta)
{
    const int count = clampedCount(pointCount);
    for (int k = std::max(pointCurrent, 0) + 1; k <= count; ++k)
        t.row(k).setValue(Field::Time, timeOf(t, k) + delta);
}

} // namespace editor
