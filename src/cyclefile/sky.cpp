#include "cyclefile/sky.h"

#include <libnova/julian_day.h>
#include <libnova/lunar.h>
#include <libnova/rise_set.h>
#include <libnova/solar.h>
#include <libnova/transform.h>

#include <algorithm>
#include <cmath>
#include <ctime>

namespace daycycle {

namespace {

// Seconds between two positions taken from libnova. Over an hour the sun and
// the moon move along so nearly straight a line that interpolating adds less
// than a thousandth of a degree.
constexpr qint64 kSampleStep = 3600;
// The moon's illuminated fraction changes by a few hundredths a day: it is
// taken every sixth sample.
constexpr std::size_t kFractionEvery = 6;
// The lunar theory (ELP 2000-82B) cut at this precision is off by a few
// thousandths of a degree and runs some eighty times quicker than in full.
constexpr double kMoonPrecision = 1e-5;

double julianDay(qint64 instant)
{
    auto t = std::time_t(instant);
    return ln_get_julian_from_timet(&t);
}

qint64 instantOf(double julian)
{
    std::time_t t = 0;
    ln_get_timet_from_julian(julian, &t);
    return qint64(t);
}

void moonPosition(double julian, ln_equ_posn *position)
{
    ln_get_lunar_equ_coords_prec(julian, position, kMoonPrecision);
}

ln_lnlat_posn observerAt(double latitude, double longitude)
{
    ln_lnlat_posn observer{};
    observer.lat = latitude;
    observer.lng = longitude;
    return observer;
}

} // namespace

Sky::Sky(const Place &place, QDate date)
    : m_latitude(place.latitude)
    , m_longitude(place.longitude)
    , m_day(date, place.zone)
{
    const qint64 end = m_day.instant(kDaySeconds);
    m_firstSample = m_day.instant(0) - kSampleStep;
    const auto count = std::size_t((end - m_firstSample) / kSampleStep + 2);
    const auto unwrapped = [](const std::vector<Position> &samples, const ln_equ_posn &p) {
        Position next{p.ra, p.dec};
        if (!samples.empty())
            next.ra += 360.0 * std::round((samples.back().ra - p.ra) / 360.0);
        return next;
    };
    for (std::size_t k = 0; k < count; ++k) {
        const double julian = julianDay(m_firstSample + qint64(k) * kSampleStep);
        ln_equ_posn sun{};
        ln_equ_posn moon{};
        ln_get_solar_equ_coords(julian, &sun);
        moonPosition(julian, &moon);
        m_sun.push_back(unwrapped(m_sun, sun));
        m_moon.push_back(unwrapped(m_moon, moon));
    }
    const std::size_t fractions = (count - 1 + kFractionEvery - 1) / kFractionEvery + 1;
    for (std::size_t k = 0; k < fractions; ++k)
        m_fraction.push_back(ln_get_lunar_disk(julianDay(m_firstSample + qint64(k * kFractionEvery) * kSampleStep)));
    findEvents();
}

Sky::Position Sky::interpolated(const std::vector<Position> &samples, qint64 instant) const
{
    const double x = double(instant - m_firstSample) / double(kSampleStep);
    const auto k = std::size_t(std::clamp(std::floor(x), 0.0, double(samples.size() - 2)));
    const double f = x - double(k);
    const Position &a = samples[k];
    const Position &b = samples[k + 1];
    return {a.ra + f * (b.ra - a.ra), a.dec + f * (b.dec - a.dec)};
}

double Sky::altitude(const Position &p, qint64 instant) const
{
    ln_equ_posn equ{};
    equ.ra = p.ra - 360.0 * std::floor(p.ra / 360.0);
    equ.dec = p.dec;
    ln_lnlat_posn observer = observerAt(m_latitude, m_longitude);
    ln_hrz_posn hrz{};
    ln_get_hrz_from_equ(&equ, &observer, julianDay(instant), &hrz);
    return hrz.alt;
}

double Sky::sunAltitude(int clockSecond) const
{
    const qint64 t = m_day.instant(clockSecond);
    return altitude(interpolated(m_sun, t), t);
}

double Sky::moonAltitude(int clockSecond) const
{
    const qint64 t = m_day.instant(clockSecond);
    return altitude(interpolated(m_moon, t), t);
}

double Sky::moonFraction(int clockSecond) const
{
    const double x = double(m_day.instant(clockSecond) - m_firstSample) / double(kSampleStep * kFractionEvery);
    const auto k = std::size_t(std::clamp(std::floor(x), 0.0, double(m_fraction.size() - 2)));
    const double f = x - double(k);
    return std::clamp(m_fraction[k] + f * (m_fraction[k + 1] - m_fraction[k]), 0.0, 1.0);
}

void Sky::findEvents()
{
    ln_lnlat_posn observer = observerAt(m_latitude, m_longitude);
    // libnova gives the first rise, set and transit in the day after the
    // moment asked; a date of 25 hours (the clocks go back) is asked twice.
    // Its rise and set of the fast-moving moon can be minutes away from the
    // moment the moon's positions cross the horizon, so every rise and set is
    // brought to the second at which the hourly positions (those the light
    // follows) cross it.
    const qint64 start = m_day.instant(0);
    const qint64 length = m_day.instant(kDaySeconds) - start;
    std::vector<double> asks{julianDay(start)};
    if (length > kDaySeconds)
        asks.push_back(julianDay(start + length - kDaySeconds));
    // The first time an event falls on the date is the one kept.
    const auto take = [this](qint64 instant, std::optional<QTime> &event) {
        if (event)
            return;
        if (const std::optional<int> second = m_day.clockSecond(instant))
            event = QTime::fromMSecsSinceStartOfDay(*second * 1000);
    };
    for (const double julian : asks) {
        ln_rst_time rst{};
        if (ln_get_solar_rst(julian, &observer, &rst) == 0) {
            take(crossing(m_sun, instantOf(rst.rise), kSunriseAltitude, true), m_events.sunrise);
            take(crossing(m_sun, instantOf(rst.set), kSunriseAltitude, false), m_events.sunset);
            take(instantOf(rst.transit), m_events.solarNoon);
        }
        if (ln_get_body_rst_horizon(julian, &observer, moonPosition, kMoonriseAltitude, &rst) == 0) {
            take(crossing(m_moon, instantOf(rst.rise), kMoonriseAltitude, true), m_events.moonrise);
            take(crossing(m_moon, instantOf(rst.set), kMoonriseAltitude, false), m_events.moonset);
        }
    }
    if (m_events.solarNoon)
        return;
    // The sun neither rises nor sets: libnova gives its transit for a horizon
    // it does cross, halfway between its lowest and highest altitude.
    double low = 90;
    double high = -90;
    for (std::size_t k = 0; k < m_sun.size(); ++k) {
        const double a = altitude(m_sun[k], m_firstSample + qint64(k) * kSampleStep);
        low = std::min(low, a);
        high = std::max(high, a);
    }
    for (const double julian : asks) {
        ln_rst_time rst{};
        if (ln_get_solar_rst_horizon(julian, &observer, (low + high) / 2, &rst) == 0)
            take(instantOf(rst.transit), m_events.solarNoon);
    }
}

qint64 Sky::crossing(const std::vector<Position> &body, qint64 near, double horizon, bool rising) const
{
    constexpr qint64 kReach = 1800;
    constexpr qint64 kStep = 300;
    const auto above = [&](qint64 t) { return altitude(interpolated(body, t), t) >= horizon; };
    // The bracket of five minutes closest to `near` where the body crosses
    // the horizon the right way.
    std::optional<qint64> bracket;
    for (qint64 t = near - kReach; t < near + kReach; t += kStep) {
        if (above(t) != rising && above(t + kStep) == rising
            && (!bracket || std::abs(t + kStep / 2 - near) < std::abs(*bracket + kStep / 2 - near)))
            bracket = t;
    }
    if (!bracket)
        return near;
    qint64 low = *bracket;
    qint64 high = *bracket + kStep;
    while (high - low > 1) {
        const qint64 middle = (low + high) / 2;
        (above(middle) == rising ? high : low) = middle;
    }
    return high;
}

} // namespace daycycle
