// The colour-point table, its cursor and the number and time conversions.

#include "store/colourtable.h"
#include "store/numbers.h"

#include <QTest>

using store::Field;

class TestStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshAndEmptiedTables();
    void cursorEnds();
    void writesKeepFieldWidth();

    void toNumber_data();
    void toNumber();
    void timeToHMS_data();
    void timeToHMS();
    void timeToSEC_data();
    void timeToSEC();
    void checkNumber_data();
    void checkNumber();
    void percentAndComponent();
};

// A fresh table and an emptied one both hold the empty cycle: point 01 at
// time 0 in colour 0, and 63 unused rows.
void TestStore::freshAndEmptiedTables()
{
    store::CustomerDataSource source;
    store::ColourTable &fresh = source.GetDataMember(QStringLiteral("anything"));
    QCOMPARE(&fresh, &source.GetDataMember());
    store::ColourTable emptied;
    for (int k = 1; k <= store::kRowCount; ++k) {
        emptied.row(k).setValue(Field::PointID, k);
        emptied.row(k).setValue(Field::Time, k * 100);
        emptied.row(k).setValue(Field::Green, 50);
    }
    store::emptyTable(emptied);
    store::ColourPoint first;
    first.setValue(Field::PointID, 1);
    for (const store::ColourTable *t : {&fresh, &emptied}) {
        QCOMPARE(t->usedRows(), 1);
        QCOMPARE(t->row(1), first);
        for (int k = 2; k <= store::kRowCount; ++k)
            QCOMPARE(t->row(k), store::ColourPoint());
    }
    QStringList blank;
    for (int f = 0; f < store::kFieldCount; ++f)
        blank << store::ColourPoint().text(Field(f));
    QCOMPARE(blank.join(u' '), QStringLiteral("00 00000 00000 000 000 000"));
}

void TestStore::cursorEnds()
{
    store::ColourTable t;
    t.MoveFirst();
    QVERIFY(!t.isBOF());
    t.MovePrevious();
    QVERIFY(t.isBOF());
    // Reads off the table give the blank text and writes are dropped.
    QCOMPARE(t.text(Field::Time), QStringLiteral("00000"));
    t.setValue(Field::Time, 5);
    t.MovePrevious();
    QVERIFY(t.isBOF());
    t.MoveNext();
    QCOMPARE(t.position(), 1);

    t.MoveLast();
    t.setValue(Field::Red, 42);
    QCOMPARE(t.row(64).text(Field::Red), QStringLiteral("042"));
    t.MoveNext();
    QVERIFY(t.isEOF());
    t.MoveNext();
    QVERIFY(t.isEOF());
    t.MovePrevious();
    QCOMPARE(t.position(), 64);
    for (int k = 1; k < 64; ++k)
        QCOMPARE(t.row(k).value(Field::Time), 0);
}

void TestStore::writesKeepFieldWidth()
{
    store::ColourTable t;
    t.moveTo(3);
    t.setText(Field::Time, QStringLiteral("12"));
    QCOMPARE(t.text(Field::Time), QStringLiteral("00012"));
    t.setText(Field::Time, QStringLiteral("123456789012"));
    QCOMPARE(t.text(Field::Time), QStringLiteral("99999"));
    t.setValue(Field::Length, -40);
    QCOMPARE(t.text(Field::Length), QStringLiteral("00000"));
    t.setText(Field::Blue, QStringLiteral("1500"));
    QCOMPARE(t.text(Field::Blue), QStringLiteral("999"));
    t.setValue(Field::PointID, 100);
    QCOMPARE(t.text(Field::PointID), QStringLiteral("99"));
    QCOMPARE(t.value(Field::PointID), 99);
    QCOMPARE(store::formatPlain(-12), QStringLiteral("-12"));
}

void TestStore::toNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("padded") << "00012" << qint64(12);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("letters") << "abc" << qint64(0);
    QTest::newRow("digits then letters") << "12ab" << qint64(12);
    QTest::newRow("leading blanks") << "  7" << qint64(7);
    QTest::newRow("negative") << "-15" << qint64(-15);
    QTest::newRow("huge saturates") << "99999999999999999999999" << store::kNumberLimit;
    QTest::newRow("huge negative saturates") << "-99999999999999999999" << -store::kNumberLimit;
}

void TestStore::toNumber()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(store::toNumber(text), value);
}

void TestStore::timeToHMS_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "00:00:00";
    QTest::newRow("59") << qint64(59) << "00:00:59";
    QTest::newRow("3600") << qint64(3600) << "01:00:00";
    QTest::newRow("3725") << qint64(3725) << "01:02:05";
    QTest::newRow("86400") << qint64(86400) << "24:00:00";
    QTest::newRow("99999") << qint64(99999) << "27:46:39";
    QTest::newRow("360000") << qint64(360000) << "100:00:00";
    QTest::newRow("negative") << qint64(-5) << "00:00:00";
}

void TestStore::timeToHMS()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(store::DataBaseTimeToHMS(seconds), text);
}

void TestStore::timeToSEC_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds");
    QTest::newRow("01:02:03") << "01:02:03" << 3723;
    QTest::newRow("24:00:00") << "24:00:00" << 86400;
    QTest::newRow("25:30:30") << "25:30:30" << 86400;
    QTest::newRow("24:30:00: 24 hours end the day") << "24:30:00" << 86400;
    QTest::newRow("24:00:01") << "24:00:01" << 86400;
    QTest::newRow("23:75:80 clamps") << "23:75:80" << 86399;
    QTest::newRow("00:75:00 no carry") << "00:75:00" << 3540;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("lone number is hours") << "7" << 25200;
    QTest::newRow("junk digits") << "1a:2b:3c" << 3723;
    QTest::newRow("12:") << "12:" << 43200;
    QTest::newRow(":30") << ":30" << 1800;
    QTest::newRow("huge hours") << "99999999999999:00:00" << 86400;
    QTest::newRow("huge seconds") << "00:00:99999999" << 59;
}

void TestStore::timeToSEC()
{
    QFETCH(QString, text);
    QFETCH(int, seconds);
    QCOMPARE(store::DataBaseTimeToSEC(text), seconds);
}

void TestStore::checkNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");
    QTest::newRow("a1b2") << "a1b2"
                          << "12";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("12:30") << "12:30"
                           << "1230";
    QTest::newRow("non-ascii digits dropped") << QString::fromUtf8("٣4") << "4";
}

void TestStore::checkNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QCOMPARE(store::CheckNumber(text), digits);
}

void TestStore::percentAndComponent()
{
    QCOMPARE(store::percentToComponent(100), 255);
    QCOMPARE(store::percentToComponent(150), 255);
    QCOMPARE(store::percentToComponent(-3), 0);
    QCOMPARE(store::percentToComponent(1), 3);    // 2.55
    QCOMPARE(store::percentToComponent(10), 26);  // 25.5: the half goes to the even neighbour
    QCOMPARE(store::percentToComponent(30), 76);  // 76.5: the half goes to the even neighbour
    QCOMPARE(store::percentToComponent(50), 127); // 127.4999... in binary
    QCOMPARE(store::componentToPercent(128), QStringLiteral("050"));
    for (int p = 0; p <= 100; ++p)
        QCOMPARE(store::toNumber(store::componentToPercent(store::percentToComponent(p))), p);
}

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
