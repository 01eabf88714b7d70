#include "cyclefile/places.h"

namespace daycycle {

namespace {

struct Entry
{
    const char *english;
    const char *italian;
    double latitude;
    double longitude;
    const char *zone;
};

// Latitude and longitude of the city centre, rounded to a hundredth of a degree.
constexpr Entry kPlaces[] = {
    {"Longyearbyen", "Longyearbyen", 78.22, 15.65, "Arctic/Longyearbyen"},
    {"Troms\u00f8", "Troms\u00f8", 69.65, 18.96, "Europe/Oslo"},
    {"Reykjav\u00edk", "Reykjav\u00edk", 64.15, -21.94, "Atlantic/Reykjavik"},
    {"Anchorage", "Anchorage", 61.22, -149.90, "America/Anchorage"},
    {"Helsinki", "Helsinki", 60.17, 24.94, "Europe/Helsinki"},
    {"Amsterdam", "Amsterdam", 52.37, 4.90, "Europe/Amsterdam"},
    {"London", "Londra", 51.51, -0.13, "Europe/London"},
    {"Milan", "Milano", 45.46, 9.19, "Europe/Rome"},
    {"Rome", "Roma", 41.90, 12.50, "Europe/Rome"},
    {"New York", "New York", 40.71, -74.01, "America/New_York"},
    {"Tokyo", "Tokyo", 35.68, 139.65, "Asia/Tokyo"},
    {"Cairo", "Il Cairo", 30.04, 31.24, "Africa/Cairo"},
    {"Miami", "Miami", 25.76, -80.19, "America/New_York"},
    {"Honolulu", "Honolulu", 21.31, -157.86, "Pacific/Honolulu"},
    {"Mumbai", "Mumbai", 19.08, 72.88, "Asia/Kolkata"},
    {"Singapore", "Singapore", 1.35, 103.82, "Asia/Singapore"},
    {"Nairobi", "Nairobi", -1.29, 36.82, "Africa/Nairobi"},
    {"Manaus", "Manaus", -3.12, -60.02, "America/Manaus"},
    {"Cairns", "Cairns", -16.92, 145.78, "Australia/Brisbane"},
    {"Sydney", "Sydney", -33.87, 151.21, "Australia/Sydney"},
    {"Cape Town", "Citt\u00e0 del Capo", -33.92, 18.42, "Africa/Johannesburg"},
    {"Buenos Aires", "Buenos Aires", -34.60, -58.38, "America/Argentina/Buenos_Aires"},
    {"Auckland", "Auckland", -36.85, 174.76, "Pacific/Auckland"},
    {"Ushuaia", "Ushuaia", -54.80, -68.30, "America/Argentina/Ushuaia"},
    {"McMurdo Station", "Base McMurdo", -77.85, 166.67, "Antarctica/McMurdo"},
};

} // namespace

QList<Place> namedPlaces()
{
    QList<Place> places;
    for (const Entry &e : kPlaces)
        places.append({e.latitude,
                       e.longitude,
                       QTimeZone(QByteArray(e.zone)),
                       {QString::fromUtf8(e.english), QString::fromUtf8(e.italian)}});
    return places;
}

} // namespace daycycle
