#pragma once

#include "cyclefile/sky.h"

#include <QList>

namespace daycycle {

// Some twenty places to start from, across both hemispheres and from the
// equator to beyond the polar circles, each with the time zone of its clocks
// and its name in English and Italian. Ordered from north to south.
QList<Place> namedPlaces();

} // namespace daycycle
