#pragma once

#include "cyclefile/cyclefile.h"
#include "store/numbers.h"

#include <array>

// A point from its six fields in order: number, time, length, red, green, blue.
inline store::ColourPoint colourPoint(const std::array<qint64, store::kFieldCount> &fields)
{
    store::ColourPoint p;
    for (int f = 0; f < store::kFieldCount; ++f)
        p.setValue(store::Field(f), fields[std::size_t(f)]);
    return p;
}

// A sound cycle of `points` points: point k at (k-1)*`spacing` s holding
// `length` s, in red `red`*k %, green 100-k % and blue 7k mod 101 %.
inline store::ColourTable sampleTable(int points, qint64 spacing, qint64 length, int red = 1)
{
    store::ColourTable t;
    store::emptyTable(t);
    for (int k = 1; k <= points; ++k)
        t.row(k) = colourPoint({k, (k - 1) * spacing, length, red * k, 100 - k, (7 * k) % 101});
    return t;
}

// The same cycle as a cycle file's bytes.
inline QByteArray sampleFile(int points, qint64 transition, qint64 spacing, qint64 length, int red = 1)
{
    return cyclefile::writeCycle(sampleTable(points, spacing, length, red), store::format00000(transition));
}
