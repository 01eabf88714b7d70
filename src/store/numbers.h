#pragma once

#include <QString>

// Number texts of the colour-point store. Every field of the store holds a
// zero-padded decimal number of fixed width; readers treat the text as a
// number. Every conversion here saturates: nothing a user can type or a file
// can hold overflows or yields a text wider than its field.
namespace store {

// Largest magnitude any text is read as; keeps every sum of a few values
// well inside 32 bits.
inline constexpr qint64 kNumberLimit = 999999999;

// Reads a text as a number the way the program's number fields are read:
// leading blanks are skipped, an optional sign is taken, then the decimal
// digits up to the first other character. Empty or non-numeric text is 0.
// The result saturates at +/- kNumberLimit.
qint64 toNumber(const QString &text);

// Zero-padded text of exactly `width` digits ("00", "000", "00000"). Values
// below 0 give all zeros, values wider than the field give all nines.
QString formatPadded(qint64 value, int width);

inline QString format00(qint64 value) { return formatPadded(value, 2); }
inline QString format000(qint64 value) { return formatPadded(value, 3); }
inline QString format00000(qint64 value) { return formatPadded(value, 5); }

// Plain number for messages ("####0"): no padding, a minus sign when negative.
QString formatPlain(qint64 value);

// A text already holding a number, re-formatted with a field's pattern.
inline QString reformat(const QString &text, int width) { return formatPadded(toNumber(text), width); }

// Keeps only the characters "0".."9" of a text.
QString CheckNumber(const QString &text);

// Seconds to "hh:mm:ss"; hours are not limited to 24 and grow to three
// digits from 100 hours on. Negative values show as 00:00:00.
QString DataBaseTimeToHMS(qint64 timeValue);

// "hh:mm:ss" (or any text of digits and ':') to seconds, at most 86400.
// Missing parts count as 0, minutes and seconds above 59 are clamped to 59.
int DataBaseTimeToSEC(const QString &timeValue);

// The seconds a time field's text stands for: "hh:mm:ss" when `hms`, else
// plain seconds.
qint64 secondsOfText(const QString &text, bool hms);
// Seconds as a time field shows them: "hh:mm:ss" when `hms`, else "00000".
QString timeText(qint64 seconds, bool hms);

// Percentage 0..100 to a colour component 0..255: times 2.55, rounded to the
// nearest integer, halves to even.
int percentToComponent(qint64 percent);

// Colour component 0..255 back to a percentage text "000" (component / 2.55).
QString componentToPercent(int component);

} // namespace store
