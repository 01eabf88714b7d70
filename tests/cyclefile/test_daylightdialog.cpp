// File > New from Daylight as the user fills it in: a named place and a date,
// the point budget, coordinates of one's own, the cycle it hands over and
// whether it fits a small screen.

#include "cyclefile/cyclefile.h"
#include "cyclefile/daylightdialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

template <typename T>
T *child(const DaylightDialog &d, const QString &name)
{
    T *w = d.findChild<T *>(name);
    if (w == nullptr)
        qFatal("no widget %s", qPrintable(name));
    return w;
}

// Selects the box's text and types over it, as the user does.
void typeInto(QAbstractSpinBox *box, const QString &text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void pick(const DaylightDialog &d, const QString &place)
{
    auto *combo = child<QComboBox>(d, u"DaylightPlace"_s);
    combo->setCurrentIndex(combo->findText(place));
}

QString summary(const DaylightDialog &d) { return child<QLabel>(d, u"DaylightSummary"_s)->text(); }

} // namespace

class TestDaylightDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fillingIn();
    void english();
};

void TestDaylightDialog::fillingIn()
{
    DaylightDialog d(false, nullptr);
    const QSize most(1000, 540);
    QVERIFY(d.minimumSizeHint().boundedTo(most) == d.minimumSizeHint());
    QVERIFY(d.sizeHint().boundedTo(most) == d.sizeHint());

    // A named place fills its coordinates and zone; the sun follows the date.
    pick(d, u"Citt\u00e0 del Capo"_s);
    QCOMPARE(child<QDoubleSpinBox>(d, u"DaylightLatitude"_s)->value(), -33.92);
    QCOMPARE(child<QComboBox>(d, u"DaylightZone"_s)->currentText(), u"Africa/Johannesburg"_s);
    auto *date = child<QDateEdit>(d, u"DaylightDate"_s);
    const QRegularExpression sunrise(u"Alba (\\d\\d:\\d\\d), tramonto (\\d\\d:\\d\\d)"_s);
    date->setDate(QDate(2027, 12, 21));
    const QString summer = sunrise.match(summary(d)).captured(1);
    typeInto(date, u"2027-06-21"_s);
    QCOMPARE(d.date(), QDate(2027, 6, 21));
    const QString winter = sunrise.match(summary(d)).captured(1);
    QVERIFY2(!summer.isEmpty() && summer < winter, qPrintable(summer + u" / "_s + winter));
    QCOMPARE(d.title(), (Bilingual{u"Cape Town 2027-06-21"_s, u"Citt\u00e0 del Capo 2027-06-21"_s}));

    // The budget bounds the points; fewer points stray further from the day.
    const std::array<double, 3> withAll = d.fit().maxDifference;
    typeInto(child<QSpinBox>(d, u"DaylightPoints"_s), u"8"_s);
    QVERIFY(d.fit().points.size() <= 8);
    QVERIFY(summary(d).contains(u"%1 punti su 8"_s.arg(d.fit().points.size())));
    QVERIFY(d.fit().maxDifference[0] >= withAll[0]);

    // The cycle reads back as the program reads a cycle file.
    const cyclefile::ReadResult read = cyclefile::readCycle(d.cycleFileText());
    QVERIFY(read.ok() && !read.cycle->notice);
    QCOMPARE(read.cycle->pointCount, d.fit().points.size());

    // Coordinates of one's own.
    typeInto(child<QDoubleSpinBox>(d, u"DaylightLatitude"_s), u"10.5"_s);
    QCOMPARE(child<QComboBox>(d, u"DaylightPlace"_s)->currentText(), u"Coordinate"_s);
    QCOMPARE(d.place().latitude, 10.5);
    QCOMPARE(d.place().zone.id(), "Africa/Johannesburg");
    QCOMPARE(d.title().italian, u"10.50, 18.42 2027-06-21"_s);

    // Beyond the polar circle.
    pick(d, u"Longyearbyen"_s);
    QVERIFY(summary(d).startsWith(u"Giorno polare: il sole non tramonta"_s));
    date->setDate(QDate(2027, 12, 21));
    QVERIFY(summary(d).startsWith(u"Notte polare: il sole non sorge"_s));

    QTest::mouseClick(child<QPushButton>(d, u"DaylightOk"_s), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void TestDaylightDialog::english()
{
    DaylightDialog d(true, nullptr);
    pick(d, u"Cape Town"_s);
    QCOMPARE(d.windowTitle(), u"New from Daylight"_s);
    QCOMPARE(child<QComboBox>(d, u"DaylightPlace"_s)->itemText(0), u"Coordinates"_s);
    QVERIFY(summary(d).startsWith(u"Sunrise "_s));
}

QTEST_MAIN(TestDaylightDialog)
#include "test_daylightdialog.moc"
