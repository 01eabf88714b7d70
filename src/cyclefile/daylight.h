#pragma once

#include "cyclefile/sky.h"

#include <QDate>

#include <array>

// The light of a real day at a place, minute by minute: the sun through a
// clear sky, warmer near the horizon, and the moon at night.
namespace daycycle {

inline constexpr int kDayMinutes = 1440;

// Red, green and blue in percent (0..100), or as factors 0..1.
using Colour = std::array<double, 3>;

// What the user chooses besides the place and the date.
struct Options
{
    // Each channel's percent with the sun straight overhead.
    std::array<int, 3> peak{100, 100, 100};
    // Percent of blue under a full moon; 0 leaves the nights dark.
    int moonMax = 0;
    // The whole day moves later by this many minutes (earlier when negative);
    // what passes midnight comes round at the other end.
    int shiftMinutes = 0;
    // The longest daylight, in minutes, centred on solar noon; 0 for no limit.
    int photoperiodMinutes = 0;
    // How many points the cycle may use, 8..64 (for fitCycle).
    int budget = 64;
};

inline constexpr int kMinBudget = 8;
inline constexpr int kMaxBudget = 64;

// The colour the light should have at the start of every minute of the date
// (shift and photoperiod applied), and the day's events as the sky has them.
struct Ideal
{
    std::array<Colour, kDayMinutes> minute{};
    SkyDay sky;
};

Ideal idealDay(const Place &place, QDate date, const Options &options);
// The same from a sky already worked out.
Ideal idealDay(const Sky &sky, const Options &options);

// ----- The pieces of the light model -----------------------------------------

// Brightness of the clear sky's light on a level surface for the sun at
// `altitude` degrees, relative to the sun straight overhead (1):
//  - below -6 degrees (the end of civil twilight): 0;
//  - from -6 degrees to the horizon: kHorizonLevel * s * s * (3 - 2 * s), with
//    s = (altitude + 6) / 6, a rise that starts and arrives softly;
//  - above the horizon: kHorizonLevel + (1 - kHorizonLevel) * E(altitude) / E(90),
//    E(a) = sin(a) * 0.7^(AM(a)^0.678), the direct sun through a clear
//    atmosphere (Meinel), with the air mass of Kasten and Young:
//    AM(a) = 1 / (sin(a) + 0.50572 * (a + 6.07995)^-1.6364).
inline constexpr double kHorizonLevel = 0.05;
inline constexpr double kTwilightAltitude = -6.0;
double sunBrightness(double altitude);

// Colour temperature in kelvin of the sunlight at `altitude` degrees:
// 2000 K + 4500 K * sqrt(sin(altitude)), 2000 K at and below the horizon,
// 6500 K with the sun overhead.
double colourTemperature(double altitude);

// Tanner Helland's fit of the black body's colour at `kelvin` (1000..40000),
// divided channel by channel by the colour of 6500 K, so that 6500 K is white
// (1, 1, 1) and a warmer light has less green and much less blue.
Colour temperatureColour(double kelvin);

// The moonlight's fixed colour, relative to its blue.
inline constexpr Colour kMoonColour{0.25, 0.45, 1.0};

} // namespace daycycle
