// The daylight cycle: the sky's events on ordinary, polar and clock-change
// dates, the light model's shape and options, and the fitted cycle as the
// file reader, the editor's rules and the simulator take it.

#include "chart/simulator.h"
#include "cyclefile/cyclefile.h"
#include "cyclefile/daylightfit.h"
#include "cyclefile/places.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace daycycle;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(daycycle::Options)

namespace {

Place at(double latitude, double longitude) { return {latitude, longitude, QTimeZone(0), {}}; }

Place named(const QString &english)
{
    const QList<Place> places = namedPlaces();
    return *std::find_if(places.cbegin(), places.cend(), [&](const Place &p) { return p.name.english == english; });
}

int secondOf(const std::optional<QTime> &t) { return t.value().msecsSinceStartOfDay() / 1000; }

// What the program finds wrong with a fitted cycle: its file read back and
// written again, the editor's consolidation and time rules, and the
// simulator's colour at each minute against the ideal. Empty when all is well.
QString faultOf(const Fit &fit, const Ideal &ideal, double aim)
{
    const QByteArray file = cycleFileText(fit);
    const cyclefile::ReadResult read = cyclefile::readCycle(file);
    if (!read.ok() || read.cycle->notice)
        return QStringLiteral("not read back");
    store::ColourTable table;
    for (int k = 1; k <= store::kRowCount; ++k)
        table.row(k) = read.cycle->rows[std::size_t(k - 1)];
    if (cyclefile::writeCycle(table, read.cycle->transitionTime) != file)
        return QStringLiteral("read back differently");
    const store::ColourTable asRead = table;
    const int count = read.cycle->pointCount;
    const qint64 transition = store::toNumber(read.cycle->transitionTime);
    const editor::CheckResult check = editor::DataBaseCheck(table, transition);
    for (int k = 1; k <= store::kRowCount; ++k)
        if (check.checkError || check.pointCount != count || !(table.row(k) == asRead.row(k)))
            return QStringLiteral("changed by the consolidation at row %1").arg(k);
    for (int k = 1; k <= count; ++k) {
        const store::ColourPoint &p = table.row(k);
        if (editor::DataBaseTimeCheck(
                table, {count, k, false, p.value(store::Field::Time), p.value(store::Field::Length), transition}))
            return QStringLiteral("point %1 refused").arg(k);
    }
    const chart::Cycle cycle = chart::readCycle(table, count, transition);
    if (cycle.end() != kDaySeconds)
        return QStringLiteral("ends at %1").arg(cycle.end());
    for (int m = 0; m < kDayMinutes; ++m) {
        const Colour played = chart::simulatorAt(cycle, cycle.end(), 60.0 * m).colour;
        for (std::size_t ch = 0; ch < 3; ++ch)
            if (std::abs(played[ch] - ideal.minute[std::size_t(m)][ch]) > aim)
                return QStringLiteral("minute %1 off by %2").arg(m).arg(played[ch] - ideal.minute[std::size_t(m)][ch]);
    }
    return {};
}

} // namespace

class TestDaylight : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dayLength_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("minutes"); // of sun above the horizon; 0 never rises, 1440 never sets
        QTest::newRow("equator, March equinox") << 0.0 << QDate(2027, 3, 20) << 12 * 60 + 7;
        QTest::newRow("60N, June solstice") << 60.0 << QDate(2027, 6, 21) << 18 * 60 + 50;
        QTest::newRow("60N, December solstice") << 60.0 << QDate(2027, 12, 21) << 5 * 60 + 50;
        QTest::newRow("70N, late December") << 70.0 << QDate(2027, 12, 28) << 0;
        QTest::newRow("70N, late June") << 70.0 << QDate(2027, 6, 28) << kDayMinutes;
        QTest::newRow("70S, late June") << -70.0 << QDate(2027, 6, 28) << 0;
    }
    void dayLength()
    {
        QFETCH(double, latitude);
        QFETCH(QDate, date);
        QFETCH(int, minutes);
        const Sky sky(at(latitude, 0), date);
        const SkyDay &e = sky.events();
        int above = 0;
        for (int m = 0; m < kDayMinutes; ++m)
            above += sky.sunAltitude(60 * m) > kSunriseAltitude ? 1 : 0;
        if (minutes == 0 || minutes == kDayMinutes) {
            QVERIFY(!e.sunrise && !e.sunset && e.solarNoon);
            QCOMPARE(above, minutes);
            return;
        }
        const int length = (secondOf(e.sunset) - secondOf(e.sunrise)) / 60;
        QVERIFY2(std::abs(length - minutes) <= 5, qPrintable(QString::number(length)));
        QVERIFY(std::abs(above - length) <= 1);
        QVERIFY(std::abs((secondOf(e.sunrise) + secondOf(e.sunset)) / 2 - secondOf(e.solarNoon)) < 120);
    }

    // The clock second after `before` is `step` seconds later in time, and the
    // clock's sunrise moves by the hour the clocks moved.
    void clockChange_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("sunriseMoves"); // minutes, from the date before
        QTest::newRow("forward: 02:xx repeats 03:xx") << u"Amsterdam"_s << QDate(2027, 3, 28) << -3599 << 60;
        QTest::newRow("back: 02:xx is summer time") << u"Amsterdam"_s << QDate(2027, 10, 31) << 3601 << -60;
        QTest::newRow("southern, back") << u"Sydney"_s << QDate(2027, 4, 4) << 3601 << -60;
        QTest::newRow("southern, forward") << u"Sydney"_s << QDate(2027, 10, 3) << -3599 << 60;
    }
    void clockChange()
    {
        QFETCH(QString, place);
        QFETCH(QDate, date);
        QFETCH(int, step);
        QFETCH(int, sunriseMoves);
        const Sky sky(named(place), date);
        const LocalDay &day = sky.day();
        for (int s = 0; s < kDaySeconds; s += 1800)
            QCOMPARE(day.instant(s + 1) - day.instant(s), 1);
        const int before = 3 * 3600 - 1;
        QCOMPARE(day.instant(before + 1) - day.instant(before), step);
        const int moved =
            secondOf(sky.events().sunrise) - secondOf(Sky(named(place), date.addDays(-1)).events().sunrise);
        QVERIFY2(std::abs(moved / 60 - sunriseMoves) <= 4, qPrintable(QString::number(moved)));
    }

    void lightModel()
    {
        // Brightness rises steadily from civil twilight to the sun overhead.
        QCOMPARE(sunBrightness(kTwilightAltitude - 0.1), 0.0);
        QVERIFY(std::abs(sunBrightness(90) - 1) < 1e-12);
        for (double a = kTwilightAltitude; a < 90; a += 0.1) {
            QVERIFY(sunBrightness(a + 0.1) >= sunBrightness(a));
            QVERIFY(sunBrightness(a + 0.1) - sunBrightness(a) < 0.005);
        }
        // The light warms as the sun sinks: less green, still less blue.
        const Colour white = temperatureColour(colourTemperature(90));
        QVERIFY(std::abs(white[0] - 1) + std::abs(white[1] - 1) + std::abs(white[2] - 1) < 1e-9);
        for (double a = 0; a < 90; a += 1) {
            const Colour low = temperatureColour(colourTemperature(a));
            const Colour high = temperatureColour(colourTemperature(a + 1));
            QVERIFY(low[0] == 1 && low[1] < high[1] && low[2] < high[2] && low[2] < low[1]);
        }
    }

    void options_data()
    {
        QTest::addColumn<Options>("options");
        QTest::newRow("peaks") << Options{{80, 60, 0}, 0, 0, 0, 64};
        QTest::newRow("later by 90 minutes") << Options{{100, 100, 100}, 0, 90, 0, 64};
        QTest::newRow("earlier past midnight") << Options{{100, 100, 100}, 0, -1500, 0, 64};
        QTest::newRow("8 hours of light") << Options{{100, 100, 100}, 0, 0, 480, 64};
        QTest::newRow("moonlight") << Options{{100, 100, 100}, 40, 0, 0, 64};
    }
    // Each option against the plain day at Milan on a date with a waxing
    // gibbous moon high in the evening.
    void options()
    {
        QFETCH(Options, options);
        const Sky sky({45.46, 9.19, QTimeZone("Europe/Rome"), {}}, QDate(2027, 5, 17));
        const Ideal plain = idealDay(sky, Options{});
        const Ideal ideal = idealDay(sky, options);
        const int noon = secondOf(plain.sky.solarNoon);
        int lit = 0;
        int moonlit = 0;
        for (int m = 0; m < kDayMinutes; ++m) {
            const Colour &c = ideal.minute[std::size_t(m)];
            Colour expected = plain.minute[std::size_t((m - options.shiftMinutes + 3 * kDayMinutes) % kDayMinutes)];
            for (std::size_t ch = 0; ch < 3; ++ch)
                expected[ch] *= options.peak[ch] / 100.0;
            const int fromNoon = 60 * m - noon;
            const int halfDaylight = 30 * options.photoperiodMinutes;
            if (halfDaylight > 0 && (fromNoon < -halfDaylight || fromNoon >= halfDaylight))
                expected = {};
            lit += c[0] > 0 ? 1 : 0;
            // Where the moon outshines the sun, its blue is the moonlight's level.
            moonlit += c[2] > expected[2] ? 1 : 0;
            QVERIFY(c[2] <= std::max<double>(expected[2], options.moonMax));
            for (std::size_t ch = 0; ch < 3; ++ch)
                QVERIFY(std::abs(c[ch] - expected[ch]) < 1e-9
                        || (options.moonMax > 0
                            && std::abs(c[ch] - std::max(expected[ch], c[2] * kMoonColour[ch])) < 1e-9));
        }
        QVERIFY(options.photoperiodMinutes == 0 || lit == options.photoperiodMinutes);
        QVERIFY(options.moonMax == 0 || moonlit > 120);
    }

    void fitAcrossTheGlobe_data()
    {
        QTest::addColumn<Options>("options");
        QTest::newRow("plain days") << Options{};
        QTest::newRow("moonlight, 95 minutes earlier") << Options{{100, 100, 100}, 25, -95, 0, 64};
        QTest::newRow("warm peaks, moonlight, 10 hours of light past midnight")
            << Options{{100, 70, 40}, 60, 700, 600, 64};
    }
    // 64 points stay within 2 percentage points of the ideal, 32 within 4, and
    // the program takes the cycle as it is.
    void fitAcrossTheGlobe()
    {
        QFETCH(Options, options);
        for (const double latitude : {-66.0, -45.0, -23.0, 0.0, 23.0, 45.0, 66.0}) {
            for (const double longitude : {-150.0, -20.0, 100.0}) {
                const QTimeZone zone(int(std::lround(longitude / 15)) * 3600);
                for (const QDate date :
                     {QDate(2027, 1, 15), QDate(2027, 3, 21), QDate(2027, 6, 21), QDate(2027, 9, 10)}) {
                    const Ideal ideal = idealDay({latitude, longitude, zone, {}}, date, options);
                    for (const auto &[budget, aim] : {std::pair{64, 2.0}, std::pair{32, 4.0}}) {
                        const Fit fit = fitCycle(ideal, budget);
                        const QString where = QStringLiteral("%1, %2 on %3 in %4 points: ")
                                                  .arg(latitude)
                                                  .arg(longitude)
                                                  .arg(date.toString(Qt::ISODate))
                                                  .arg(budget);
                        QVERIFY2(fit.points.size() <= budget
                                     && *std::max_element(fit.maxDifference.cbegin(), fit.maxDifference.cend()) <= aim,
                                 qPrintable(where));
                        const QString fault = faultOf(fit, ideal, aim);
                        QVERIFY2(fault.isEmpty(), qPrintable(where + fault));
                    }
                }
            }
        }
    }

    // Every named place's zone is known, and its clocks show solar noon near
    // midday: a longitude of the wrong sign or the wrong zone would not.
    void namedPlaces()
    {
        for (const Place &place : daycycle::namedPlaces()) {
            QVERIFY2(place.zone.isValid(), qPrintable(place.name.english));
            for (const QDate date : {QDate(2027, 6, 21), QDate(2027, 12, 21)}) {
                const int noon = secondOf(Sky(place, date).events().solarNoon);
                QVERIFY2(noon > 10 * 3600 + 1800 && noon < 14 * 3600 + 1800, qPrintable(place.name.english));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDaylight)
#include "test_daylight.moc"
