#pragma once

#include <QString>

// What the fuzzers check: a failed check stops the run where it happened.
inline void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A text of exactly `width` decimal digits.
inline bool digitsOfWidth(const QString &text, int width)
{
    if (text.size() != width)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}
