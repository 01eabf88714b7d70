#include "store/numbers.h"

#include <algorithm>
#include <cmath>

namespace store {

qint64 toNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
        if (value > kNumberLimit) {
            value = kNumberLimit;
            // The rest of the digits cannot change a saturated value.
            break;
        }
    }
    return negative ? -value : value;
}

QString formatPadded(qint64 value, int width)
{
    if (value <= 0)
        return QString(width, u'0');
    qint64 limit = 1;
    for (int i = 0; i < width; ++i)
        limit *= 10;
    if (value >= limit)
        return QString(width, u'9');
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

QString formatPlain(qint64 value) { return QString::number(value); }

QString CheckNumber(const QString &text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= u'0' && c.unicode() <= u'9')
            digits.append(c);
    }
    return digits;
}

QString DataBaseTimeToHMS(qint64 timeValue)
{
    qint64 n = std::clamp<qint64>(timeValue, 0, kNumberLimit);
    const qint64 hours = n / 3600;
    n -= hours * 3600;
    const qint64 minutes = n / 60;
    const qint64 seconds = n - minutes * 60;
    auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')); };
    return two(hours) + u':' + two(minutes) + u':' + two(seconds);
}

int DataBaseTimeToSEC(const QString &timeValue)
{
    // The scan looks at the first character and then at most ten more.
    const QString text = timeValue.left(11);
    qsizetype pos = 0;
    auto takePart = [&](bool toEnd) {
        QString part = QStringLiteral("0");
        while (pos < text.size() && (toEnd || text[pos] != u':'))
            part.append(text[pos++]);
        return toNumber(CheckNumber(part));
    };
    qint64 hours = takePart(false);
    if (pos < text.size() && text[pos] == u':')
        ++pos;
    qint64 minutes = takePart(false);
    if (pos < text.size() && text[pos] == u':')
        ++pos;
    qint64 seconds = takePart(true);

    if (hours >= 24) {
        hours = 24;
        minutes = 0;
        seconds = 0;
    }
    minutes = std::clamp<qint64>(minutes, 0, 59);
    seconds = std::clamp<qint64>(seconds, 0, 59);
    return int(hours * 3600 + minutes * 60 + seconds);
}

int percentToComponent(qint64 percent)
{
    const double scaled = double(std::clamp<qint64>(percent, 0, 100)) * 2.55;
    return std::clamp(int(std::nearbyint(scaled)), 0, 255);
}

QString componentToPercent(int component)
{
    const double percent = double(std::clamp(component, 0, 255)) / 2.55;
    return format000(qint64(std::nearbyint(percent)));
}

qint64 secondsOfText(const QString &text, bool hms) { return hms ? qint64(DataBaseTimeToSEC(text)) : toNumber(text); }

QString timeText(qint64 seconds, bool hms) { return hms ? DataBaseTimeToHMS(seconds) : format00000(seconds); }

} // namespace store
