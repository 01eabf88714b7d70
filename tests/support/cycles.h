#pragma once

#include "cyclefile/cyclefile.h"
#include "store/numbers.h"

// A sound cycle of `points` points: point k at (k-1)*`spacing` s holding
// `length` s, in red `red`*k %, green 100-k % and blue 7k mod 101 %.
inline store::ColourTable sampleTable(int points, qint64 spacing, qint64 length, int red = 1)
{
    store::ColourTable t;
    store::emptyTable(t);
    for (int k = 1; k <= points; ++k) {
        store::ColourPoint &p = t.row(k);
        p.setValue(store::Field::PointID, k);
        p.setValue(store::Field::Time, (k - 1) * spacing);
        p.setValue(store::Field::Length, length);
        p.setValue(store::Field::Red, red * k);
        p.setValue(store::Field::Green, 100 - k);
        p.setValue(store::Field::Blue, (7 * k) % 101);
    }
    return t;
}

// The same cycle as a cycle file's bytes.
inline QByteArray sampleFile(int points, qint64 transition, qint64 spacing, qint64 length, int red = 1)
{
    return cyclefile::writeCycle(sampleTable(points, spacing, length, red), store::format00000(transition));
}
