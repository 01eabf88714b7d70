#include "cyclefile/daylight.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace daycycle {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// The direct sun on a level surface through a clear sky (see sunBrightness).
double clearSky(double altitude)
{
    const double sine = std::sin(altitude * kDegree);
    const double airMass = 1.0 / (sine + 0.50572 * std::pow(altitude + 6.07995, -1.6364));
    return sine * std::pow(0.7, std::pow(airMass, 0.678));
}

// Tanner Helland's fit, 0..255 per channel.
Colour blackBody(double kelvin)
{
    const double t = std::clamp(kelvin, 1000.0, 40000.0) / 100.0;
    Colour c{};
    if (t <= 66) {
        c[0] = 255;
        c[1] = 99.4708025861 * std::log(t) - 161.1195681661;
    } else {
        c[0] = 329.698727446 * std::pow(t - 60, -0.1332047592);
        c[1] = 288.1221695283 * std::pow(t - 60, -0.0755148492);
    }
    if (t >= 66)
        c[2] = 255;
    else if (t <= 19)
        c[2] = 0;
    else
        c[2] = 138.5177312231 * std::log(t - 10) - 305.0447927307;
    for (double &v : c)
        v = std::clamp(v, 0.0, 255.0);
    return c;
}

// The clock second of solar noon; a date without one (it can only lack it
// when the sky gave none) takes the highest sun of the minutes.
int noonSecond(const Sky &sky)
{
    if (const std::optional<QTime> noon = sky.events().solarNoon)
        return noon->msecsSinceStartOfDay() / 1000;
    int best = 0;
    for (int m = 1; m < kDayMinutes; ++m)
        if (sky.sunAltitude(60 * m) > sky.sunAltitude(60 * best))
            best = m;
    return 60 * best;
}

} // namespace

double sunBrightness(double altitude)
{
    if (altitude <= kTwilightAltitude)
        return 0;
    if (altitude < 0) {
        const double s = (altitude - kTwilightAltitude) / -kTwilightAltitude;
        return kHorizonLevel * s * s * (3 - 2 * s);
    }
    const double a = std::min(altitude, 90.0);
    return kHorizonLevel + (1 - kHorizonLevel) * clearSky(a) / clearSky(90);
}

double colourTemperature(double altitude)
{
    return 2000.0 + 4500.0 * std::sqrt(std::sin(std::clamp(altitude, 0.0, 90.0) * kDegree));
}

Colour temperatureColour(double kelvin)
{
    static const Colour white = blackBody(6500);
    Colour c = blackBody(kelvin);
    for (std::size_t ch = 0; ch < 3; ++ch)
        c[ch] = std::min(c[ch] / white[ch], 1.0);
    return c;
}

Ideal idealDay(const Place &place, QDate date, const Options &options) { return idealDay(Sky(place, date), options); }

Ideal idealDay(const Sky &sky, const Options &options)
{
    Ideal ideal;
    ideal.sky = sky.events();
    Colour peak{};
    for (std::size_t ch = 0; ch < 3; ++ch)
        peak[ch] = std::clamp(options.peak[ch], 0, 100);
    const double moonMax = std::clamp(options.moonMax, 0, 100);
    // The daylight's window: clock seconds within half the photoperiod of
    // noon, either way round midnight.
    const int photoperiod = std::clamp(options.photoperiodMinutes, 0, kDayMinutes);
    const int noon = photoperiod > 0 ? noonSecond(sky) : 0;
    const int shift = ((options.shiftMinutes % kDayMinutes) + kDayMinutes) % kDayMinutes;

    for (int m = 0; m < kDayMinutes; ++m) {
        const int second = 60 * m;
        Colour c{};
        const int fromNoon =
            ((second - noon) % kDaySeconds + kDaySeconds + kDaySeconds / 2) % kDaySeconds - kDaySeconds / 2;
        if (photoperiod == 0 || (fromNoon >= -30 * photoperiod && fromNoon < 30 * photoperiod)) {
            const double altitude = sky.sunAltitude(second);
            const double brightness = sunBrightness(altitude);
            if (brightness > 0) {
                const Colour tint = temperatureColour(colourTemperature(altitude));
                for (std::size_t ch = 0; ch < 3; ++ch)
                    c[ch] = peak[ch] * brightness * tint[ch];
            }
        }
        // The moonlight shows where it is brighter than the sun's: at night and
        // in deep twilight.
        if (moonMax > 0 && sky.moonAltitude(second) > kMoonriseAltitude) {
            const double level = moonMax * sky.moonFraction(second);
            for (std::size_t ch = 0; ch < 3; ++ch)
                c[ch] = std::max(c[ch], level * kMoonColour[ch]);
        }
        for (double &v : c)
            v = std::clamp(v, 0.0, 100.0);
        ideal.minute[std::size_t((m + shift) % kDayMinutes)] = c;
    }
    return ideal;
}

} // namespace daycycle
