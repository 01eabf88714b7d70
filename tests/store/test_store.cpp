// The colour-point table, its cursor and the number and time conversions.

#include "store/colourtable.h"
#include "store/numbers.h"
#include "support/cycles.h"

#include <QTest>

using store::Field;

class TestStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A fresh table and an emptied one both hold the empty cycle: point 01 at
    // time 0 in colour 0, and 63 unused rows.
    void freshAndEmptiedTables()
    {
        store::CustomerDataSource source;
        store::ColourTable &fresh = source.GetDataMember(QStringLiteral("anything"));
        QCOMPARE(&fresh, &source.GetDataMember());
        store::ColourTable emptied;
        for (int k = 1; k <= store::kRowCount; ++k)
            emptied.row(k) = colourPoint({k, k * 100, 0, 0, 50, 0});
        store::emptyTable(emptied);
        const store::ColourPoint first = colourPoint({1, 0, 0, 0, 0, 0});
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

    void cursorEnds()
    {
        store::ColourTable t;
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
        t.MoveNext();
        QVERIFY(t.isEOF());
        t.MovePrevious();
        QCOMPARE(t.position(), 64);
        for (int k = 1; k < 64; ++k)
            QCOMPARE(t.row(k).value(Field::Time), 0);
    }

    void writesKeepFieldWidth()
    {
        store::ColourTable t;
        t.moveTo(3);
        QStringList shown;
        for (auto [field, text] : {std::pair{Field::Time, "12"},
                                   {Field::Time, "123456789012"},
                                   {Field::Length, "-40"},
                                   {Field::Blue, "1500"},
                                   {Field::PointID, "100"}}) {
            t.setText(field, QString::fromLatin1(text));
            shown << t.text(field);
        }
        QCOMPARE(shown.join(u' '), QStringLiteral("00012 99999 00000 999 99"));
        QVERIFY(t.value(Field::PointID) == 99 && store::formatPlain(-12) == QStringLiteral("-12"));
    }

    void conversions_data()
    {
        // Each conversion of a text or number, its input and its result as text.
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        const auto row = [](const char *function, const char *in, const char *out) {
            QTest::addRow("%s(%s)", function, in)
                << QString::fromLatin1(function) << QString::fromUtf8(in) << QString::fromLatin1(out);
        };
        row("toNumber", "00012", "12");
        row("toNumber", "", "0");
        row("toNumber", "abc", "0");
        row("toNumber", "12ab", "12");
        row("toNumber", "  7", "7");
        row("toNumber", "-15", "-15");
        row("toNumber", "99999999999999999999999", "999999999"); // saturates
        row("toNumber", "-99999999999999999999", "-999999999");
        row("toHMS", "0", "00:00:00");
        row("toHMS", "3725", "01:02:05");
        row("toHMS", "86400", "24:00:00");
        row("toHMS", "99999", "27:46:39");
        row("toHMS", "360000", "100:00:00");
        row("toHMS", "-5", "00:00:00");
        row("toSEC", "01:02:03", "3723");
        row("toSEC", "24:00:00", "86400");
        row("toSEC", "25:30:30", "86400");
        row("toSEC", "24:30:00", "86400"); // 24 hours end the day
        row("toSEC", "23:75:80", "86399"); // clamps
        row("toSEC", "00:75:00", "3540");  // no carry
        row("toSEC", "", "0");
        row("toSEC", "7", "25200"); // a lone number is hours
        row("toSEC", "1a:2b:3c", "3723");
        row("toSEC", "12:", "43200");
        row("toSEC", ":30", "1800");
        row("toSEC", "99999999999999:00:00", "86400");
        row("toSEC", "00:00:99999999", "59");
        row("digits", "a1b2", "12");
        row("digits", "12:30", "1230");
        row("digits", "٣4", "4"); // non-ASCII digits dropped
    }

    void conversions()
    {
        QFETCH(QString, function);
        QFETCH(QString, in);
        const qint64 number = in.toLongLong();
        QString out;
        if (function == u"toNumber")
            out = QString::number(store::toNumber(in));
        else if (function == u"toHMS")
            out = store::DataBaseTimeToHMS(number);
        else if (function == u"toSEC")
            out = QString::number(store::DataBaseTimeToSEC(in));
        else
            out = store::CheckNumber(in);
        QTEST(out, "out");
    }

    void percentAndComponent()
    {
        // 2.55; 25.5 and 76.5: the half goes to the even neighbour; 127.4999... in binary.
        QList<int> components;
        for (int percent : {100, 150, -3, 1, 10, 30, 50})
            components << store::percentToComponent(percent);
        QCOMPARE(components, (QList<int>{255, 255, 0, 3, 26, 76, 127}));
        QCOMPARE(store::componentToPercent(128), QStringLiteral("050"));
        for (int p = 0; p <= 100; ++p)
            QCOMPARE(store::toNumber(store::componentToPercent(store::percentToComponent(p))), p);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
