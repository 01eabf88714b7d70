// orvanta-cli as a script sees it: the built program run with arguments, its
// exit status, standard output and standard error.

#include "cyclefile/cyclefile.h"
#include "store/colourtable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void runs_data();
    void runs();

private:
    QTemporaryDir m_dir;
};

void TestCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Two points: red at midnight for an hour, blue from noon; an hour back.
    store::ColourTable table;
    const std::array<std::array<int, 6>, 2> points{{{1, 0, 3600, 100, 0, 0}, {2, 43200, 600, 0, 0, 100}}};
    for (int k = 1; k <= 2; ++k)
        for (int f = 0; f < store::kFieldCount; ++f)
            table.row(k).setValue(store::Field(f), points.at(std::size_t(k - 1)).at(std::size_t(f)));
    QFile good(m_dir.filePath(u"good.txt"_s));
    QVERIFY(good.open(QIODevice::WriteOnly) && good.write(cyclefile::writeCycle(table, u"03600"_s)) > 0);
    QFile bad(m_dir.filePath(u"bad.txt"_s));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("Colour Point 01\r\n") > 0);
}

void TestCli::runs_data()
{
    QTest::addColumn<QString>("args");     // @ stands for the test's folder
    QTest::addColumn<QString>("messages"); // LC_MESSAGES
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");  // a part of standard output
    QTest::addColumn<QString>("err");  // a part of standard error
    QTest::addColumn<QString>("read"); // json: show's JSON; cycle: a cycle file

    QTest::newRow("check good") << u"check @/good.txt"_s << "" << 0 << u"good.txt: ok, 2 points"_s << ""
                                << "";
    QTest::newRow("check bad") << u"check @/good.txt @/bad.txt"_s << "" << 3
                               << u"bad.txt: not a valid cycle file\n  The Colour Point row 01 of the File"_s << ""
                               << "";
    QTest::newRow("check missing") << u"check @/none.txt"_s << "" << 3 << u"cannot be opened"_s << ""
                                   << "";
    QTest::newRow("check it") << u"--lang it check @/bad.txt"_s << "" << 3 << u"  Testo Trovato: \"Colour Point 0\""_s
                              << ""
                              << "";
    QTest::newRow("check it env") << u"check @/good.txt"_s << "it_IT.UTF-8" << 0 << u"ok, 2 punti"_s << ""
                                  << "";
    QTest::newRow("check en") << u"check --lang en @/good.txt"_s << "it_IT.UTF-8" << 0 << u"ok, 2 points"_s << ""
                              << "";
    QTest::newRow("show text") << u"show @/good.txt"_s << "" << 0
                               << u"        2  12:00:00  00:10:00         0         0       100\ntransition: 01:00:00"_s
                               << ""
                               << "";
    QTest::newRow("show csv") << u"show @/good.txt --seconds --format csv"_s << "" << 0
                              << u"point,time,length,red,green,blue\n1,0,3600,100,0,0\n2,43200,600,0,0,100\n"
                                 u"transition,3600,,,,\n"_s
                              << ""
                              << "";
    QTest::newRow("show json") << u"show @/good.txt --format json"_s << "" << 0 << ""
                               << ""
                               << "json";
    QTest::newRow("show bad") << u"show @/bad.txt"_s << "" << 3 << "" << u"Text Right: \"ColourPoint01 \""_s << "";
    QTest::newRow("daylight place") << u"daylight --place amsterdam --date 2027-06-21 --moon 5"_s << "" << 0 << ""
                                    << u"Sunrise 05:1"_s << "cycle";
    QTest::newRow("daylight coordinates") << u"daylight --lat -33.87 --lon 151.21 --tz Australia/Sydney "
                                             "--date 2027-06-21 --points 12 --peak 90,80,70 --shift -30 -o -"_s
                                          << "" << 0 << "" << u"Sunrise 0"_s << "cycle";
    QTest::newRow("daylight file") << u"-q daylight --place Roma --photoperiod 600 -o @/day.txt"_s << "" << 0 << ""
                                   << ""
                                   << "";
    QTest::newRow("no command") << u""_s << "" << 2 << "" << u"Usage: orvanta-cli COMMAND"_s << "";
    QTest::newRow("unknown command") << u"frob"_s << "" << 2 << "" << u"unknown command: frob"_s << "";
    QTest::newRow("show no file") << u"show"_s << "" << 2 << "" << u"Usage: orvanta-cli show FILE"_s << "";
    QTest::newRow("bad format") << u"--lang it show @/good.txt --format xml"_s << "" << 2 << ""
                                << u"Uso: orvanta-cli show"_s << "";
    QTest::newRow("foreign option") << u"check --seconds @/good.txt"_s << "" << 2 << "" << u"unknown option"_s << "";
    QTest::newRow("bad place") << u"daylight --place Atlantis"_s << "" << 2 << "" << u"unknown place"_s << "";
    QTest::newRow("bad points") << u"daylight --place Rome --points 99"_s << "" << 2 << "" << u"from 8 to 64"_s << "";
    QTest::newRow("help show") << u"help show"_s << "" << 0 << u"--seconds"_s << ""
                               << "";
    QTest::newRow("daylight help") << u"daylight --help"_s << "" << 0 << u"--photoperiod MIN"_s << ""
                                   << "";
    QTest::newRow("version") << u"--version"_s << "" << 0 << u"orvanta-cli "_s << ""
                             << "";
}

void TestCli::runs()
{
    QFETCH(QString, args);
    QFETCH(QString, messages);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, read);

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"LC_ALL"_s);
    env.insert(u"LANG"_s, u"C.UTF-8"_s);
    env.insert(u"LC_MESSAGES"_s, messages.isEmpty() ? u"C.UTF-8"_s : messages);
    cli.setProcessEnvironment(env);
    cli.setStandardInputFile(QProcess::nullDevice());
    QStringList list = args.split(u' ', Qt::SkipEmptyParts);
    for (QString &a : list)
        a.replace(u"@"_s, m_dir.path());
    cli.start(QStringLiteral(ORVANTA_CLI), list);
    QVERIFY(cli.waitForFinished(-1));
    const QByteArray stdOut = cli.readAllStandardOutput();
    const QString stdErr = QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitCode(), status);
    QVERIFY2(QString::fromUtf8(stdOut).contains(out), stdOut.constData());
    QVERIFY2(stdErr.contains(err), qPrintable(stdErr));

    if (read == u"json"_s) {
        const QJsonObject o = QJsonDocument::fromJson(stdOut).object();
        QCOMPARE(o.value(u"transition"_s).toInt(), 3600);
        const QJsonArray points = o.value(u"points"_s).toArray();
        QCOMPARE(points.size(), 2);
        QCOMPARE(points.at(1).toObject().value(u"time"_s).toInt(), 43200);
        QCOMPARE(points.at(1).toObject().value(u"blue"_s).toInt(), 100);
    } else if (read == u"cycle"_s) {
        const cyclefile::ReadResult result = cyclefile::readCycle(stdOut);
        QVERIFY(result.ok() && !result.cycle->notice);
        QVERIFY(result.cycle->pointCount >= 2);
    } else if (args.contains(u"-o @"_s)) {
        QVERIFY(cyclefile::readCycleFile(m_dir.filePath(u"day.txt"_s)).ok());
        QVERIFY(stdErr.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
