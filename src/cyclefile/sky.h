#pragma once

#include "cyclefile/localday.h"
#include "platform/bilingual.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <optional>
#include <vector>

// The sun and the moon over a place during one local date, from libnova.
namespace daycycle {

// A place on the Earth: degrees of latitude (north positive) and longitude
// (east positive), and the time zone of its clocks.
struct Place
{
    double latitude = 0;
    double longitude = 0;
    QTimeZone zone = QTimeZone::systemTimeZone();
    Bilingual name;
};

// The day's events as the local clock shows them; an event that does not
// happen on the date (the sun of a polar day never sets, the moon rises about
// 50 minutes later each day and skips a date now and then) is absent.
struct SkyDay
{
    std::optional<QTime> sunrise;
    std::optional<QTime> sunset;
    std::optional<QTime> solarNoon;
    std::optional<QTime> moonrise;
    std::optional<QTime> moonset;
};

// Sunrise and sunset are the moments the top of the sun's disc meets the
// horizon, with the usual allowance for refraction (the centre at -0.83
// degrees); moonrise and moonset likewise for the moon (its centre at +0.125
// degrees as libnova counts it).
inline constexpr double kSunriseAltitude = -0.8333;
inline constexpr double kMoonriseAltitude = 0.125;

// The sky of a place on a date. Clock seconds run from 0 to 86400 of the
// local date (see LocalDay for the days the clocks change). The sun's and the
// moon's places among the stars are taken from libnova once an hour and
// interpolated in between; the turning of the sky is followed to the second.
class Sky
{
public:
    Sky(const Place &place, QDate date);

    const LocalDay &day() const { return m_day; }
    // Altitude of the sun's centre above the horizon in degrees, without
    // refraction.
    double sunAltitude(int clockSecond) const;
    // Altitude of the moon's centre in degrees, as seen from the Earth's centre.
    double moonAltitude(int clockSecond) const;
    // The illuminated fraction of the moon's disc, 0 (new) to 1 (full).
    double moonFraction(int clockSecond) const;
    const SkyDay &events() const { return m_events; }

private:
    struct Position
    {
        double ra = 0; // degrees, unwrapped from one sample to the next
        double dec = 0;
    };
    Position interpolated(const std::vector<Position> &samples, qint64 instant) const;
    double altitude(const Position &p, qint64 instant) const;
    void findEvents();
    // The instant, to the second, at which the body crosses `horizon` (rising
    // or setting) nearest to `near`, within half an hour; `near` itself when
    // it does not cross there.
    qint64 crossing(const std::vector<Position> &body, qint64 near, double horizon, bool rising) const;

    double m_latitude = 0;
    double m_longitude = 0;
    LocalDay m_day;
    qint64 m_firstSample = 0;
    std::vector<Position> m_sun;
    std::vector<Position> m_moon;
    std::vector<double> m_fraction;
    SkyDay m_events;
};

} // namespace daycycle
