// orvanta-cli as a script sees it: the built program run with arguments, its
// exit status, standard output and standard error; its board commands against
// the virtual board tool on a pseudo-terminal.

#include "cyclefile/cyclefile.h"
#include "store/colourtable.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
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
    QVERIFY(QDir(m_dir.path()).mkdir(u"pty"_s));
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
    QTest::addColumn<QString>("read"); // json: show's JSON; cycle: a cycle file; file: good.txt's bytes; list, names
    // The virtual board's options, on COM2 (none: no board); "&&" runs several
    // command lines against it, all but the last to succeed.
    QTest::addColumn<QString>("board");

    QTest::newRow("check good") << u"check @/good.txt"_s << "" << 0 << u"good.txt: ok, 2 points"_s << ""
                                << ""
                                << "";
    QTest::newRow("check bad") << u"check @/good.txt @/bad.txt"_s << "" << 3
                               << u"bad.txt: not a valid cycle file\n  The Colour Point row 01 of the File"_s << ""
                               << ""
                               << "";
    QTest::newRow("check missing") << u"check @/none.txt"_s << "" << 3 << u"cannot be opened"_s << ""
                                   << ""
                                   << "";
    QTest::newRow("check it") << u"--lang it check @/bad.txt"_s << "" << 3 << u"  Testo Trovato: \"Colour Point 0\""_s
                              << ""
                              << ""
                              << "";
    QTest::newRow("check it env") << u"check @/good.txt"_s << "it_IT.UTF-8" << 0 << u"ok, 2 punti"_s << ""
                                  << ""
                                  << "";
    QTest::newRow("check en") << u"check --lang en @/good.txt"_s << "it_IT.UTF-8" << 0 << u"ok, 2 points"_s << ""
                              << ""
                              << "";
    QTest::newRow("show text") << u"show @/good.txt"_s << "" << 0
                               << u"        2  12:00:00  00:10:00         0         0       100\ntransition: 01:00:00"_s
                               << ""
                               << ""
                               << "";
    QTest::newRow("show csv") << u"show @/good.txt --seconds --format csv"_s << "" << 0
                              << u"point,time,length,red,green,blue\n1,0,3600,100,0,0\n2,43200,600,0,0,100\n"
                                 u"transition,3600,,,,\n"_s
                              << ""
                              << ""
                              << "";
    QTest::newRow("show json") << u"show @/good.txt --format json"_s << "" << 0 << ""
                               << ""
                               << "json"
                               << "";
    QTest::newRow("show bad") << u"show @/bad.txt"_s << "" << 3 << "" << u"Text Right: \"ColourPoint01 \""_s << ""
                              << "";
    QTest::newRow("daylight place") << u"daylight --place amsterdam --date 2027-06-21 --moon 5"_s << "" << 0 << ""
                                    << u"Sunrise 05:1"_s << "cycle"
                                    << "";
    QTest::newRow("daylight coordinates") << u"daylight --lat -33.87 --lon 151.21 --tz Australia/Sydney "
                                             "--date 2027-06-21 --points 12 --peak 90,80,70 --shift -30 -o -"_s
                                          << "" << 0 << "" << u"Sunrise 0"_s << "cycle"
                                          << "";
    QTest::newRow("daylight file") << u"-q daylight --place Roma --photoperiod 600 -o @/day.txt"_s << "" << 0 << ""
                                   << ""
                                   << ""
                                   << "";
    QTest::newRow("no command") << u""_s << "" << 2 << "" << u"Usage: orvanta-cli COMMAND"_s << ""
                                << "";
    QTest::newRow("unknown command") << u"frob"_s << "" << 2 << "" << u"unknown command: frob"_s << ""
                                     << "";
    QTest::newRow("show no file") << u"show"_s << "" << 2 << "" << u"Usage: orvanta-cli show FILE"_s << ""
                                  << "";
    QTest::newRow("bad format") << u"--lang it show @/good.txt --format xml"_s << "" << 2 << ""
                                << u"Uso: orvanta-cli show"_s << ""
                                << "";
    QTest::newRow("foreign option") << u"check --seconds @/good.txt"_s << "" << 2 << "" << u"unknown option"_s << ""
                                    << "";
    QTest::newRow("bad place") << u"daylight --place Atlantis"_s << "" << 2 << "" << u"unknown place"_s << ""
                               << "";
    QTest::newRow("bad points") << u"daylight --place Rome --points 99"_s << "" << 2 << "" << u"from 8 to 64"_s << ""
                                << "";
    QTest::newRow("help show") << u"help show"_s << "" << 0 << u"--seconds"_s << ""
                               << ""
                               << "";
    QTest::newRow("daylight help") << u"daylight --help"_s << "" << 0 << u"--photoperiod MIN"_s << ""
                                   << ""
                                   << "";
    QTest::newRow("version") << u"--version"_s << "" << 0 << u"orvanta-cli "_s << ""
                             << ""
                             << "";

    // The board commands, against the virtual board.
    QTest::newRow("board write read") << u"board write 3 @/good.txt && board read 3"_s << "" << 0 << ""
                                      << ""
                                      << "file"
                                      << "--demo";
    QTest::newRow("board backup erase restore")
        << u"board backup @/bk && board erase --yes && --lang it board restore @/bk --yes && board names --format json"_s
        << "" << 0 << ""
        << ""
        << "names"
        << "--demo";
    QTest::newRow("board list json") << u"board list --format json"_s << "" << 0 << ""
                                     << ""
                                     << "list"
                                     << "--demo";
    QTest::newRow("board wrong point") << u"board write 3 @/good.txt --port COM2"_s << "" << 1 << ""
                                       << u"Slot 3 differs from the cycle written at point 2"_s << ""
                                       << "--corrupt-point 2";
    QTest::newRow("board vanishes") << u"board write 4 - --device @/pty/COM2"_s << "" << 1 << ""
                                    << u"Slot 4 may be partly written"_s << ""
                                    << "--vanish-after 15";
    QTest::newRow("board silent") << u"board names"_s << "" << 4 << "" << u"No Board"_s << ""
                                  << "--silent-after 0";
    QTest::newRow("board none") << u"board info --port COM3"_s << "" << 4 << "" << u"COM3"_s << ""
                                << "";
    QTest::newRow("board bad file") << u"board write 2 @/bad.txt"_s << "" << 3 << "" << u"The Colour Point row 01"_s
                                    << ""
                                    << "";
    QTest::newRow("board unknown") << u"board frob"_s << "" << 2 << "" << u"Usage: orvanta-cli board COMMAND"_s << ""
                                   << "";
    QTest::newRow("board slot 9") << u"board read 9"_s << "" << 2 << "" << u"board read SLOT"_s << ""
                                  << "";
    QTest::newRow("board slot 1") << u"board write 1 @/good.txt"_s << "" << 2 << "" << u"slot 1 can only be read"_s
                                  << ""
                                  << "";
    QTest::newRow("board erase") << u"--lang it board erase"_s << "" << 2 << "" << u"aggiungere --yes"_s << ""
                                 << "";
    QTest::newRow("board write help") << u"board write --help"_s << "" << 0 << u"--no-verify"_s << ""
                                      << ""
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
    QFETCH(QString, board);

    // The board's link is @/pty/COM2; the ports are that folder's only.
    const QString ports = m_dir.filePath(u"pty"_s);
    QProcess tool;
    const auto stop = qScopeGuard([&tool] {
        tool.terminate();
        tool.waitForFinished();
    });
    if (!board.isEmpty()) {
#ifdef VIRTUAL_BOARD_TOOL
        tool.start(QStringLiteral(VIRTUAL_BOARD_TOOL),
                   QStringList{u"--dir"_s, ports, u"--port"_s, u"2"_s} + board.split(u' '));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(ports + u"/COM2"_s), 10000);
#else
        QSKIP("no virtual board here");
#endif
    }
    QByteArray stdOut;
    QString stdErr;
    const QStringList lines = args.split(u"&&"_s);
    for (const QString &line : lines) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"LC_ALL"_s);
        env.insert(u"LANG"_s, u"C.UTF-8"_s);
        env.insert(u"LC_MESSAGES"_s, messages.isEmpty() ? u"C.UTF-8"_s : messages);
        env.insert(u"ORVANTA_PORT_DIR"_s, ports);
        cli.setProcessEnvironment(env);
        QStringList list = line.split(u' ', Qt::SkipEmptyParts);
        cli.setStandardInputFile(list.contains(u"-"_s) ? m_dir.filePath(u"good.txt"_s) : QProcess::nullDevice());
        for (QString &a : list)
            a.replace(u"@"_s, m_dir.path());
        cli.start(QStringLiteral(ORVANTA_CLI), list);
        QVERIFY(cli.waitForFinished(-1));
        stdOut = cli.readAllStandardOutput();
        stdErr = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), &line == &lines.constLast() ? status : 0);
    }
    QVERIFY2(QString::fromUtf8(stdOut).contains(out), stdOut.constData());
    QVERIFY2(stdErr.contains(err), qPrintable(stdErr));

    const QJsonDocument json = QJsonDocument::fromJson(stdOut);
    if (read == u"json"_s) {
        const QJsonObject o = json.object();
        QCOMPARE(o.value(u"transition"_s).toInt(), 3600);
        const QJsonArray points = o.value(u"points"_s).toArray();
        QCOMPARE(points.size(), 2);
        QCOMPARE(points.at(1).toObject().value(u"time"_s).toInt(), 43200);
        QCOMPARE(points.at(1).toObject().value(u"blue"_s).toInt(), 100);
    } else if (read == u"cycle"_s) {
        const cyclefile::ReadResult result = cyclefile::readCycle(stdOut);
        QVERIFY(result.ok() && !result.cycle->notice);
        QVERIFY(result.cycle->pointCount >= 2);
    } else if (read == u"file"_s) {
        QFile good(m_dir.filePath(u"good.txt"_s));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QCOMPARE(stdOut, good.readAll());
    } else if (read == u"names"_s) {
        // Erased, then slots 2.. back with their names; slot 1 only named anew.
        const QJsonArray names = json.array();
        QCOMPARE(names.size(), 8);
        const QStringList expected{u"Cycle1"_s, u"Evening"_s, u"Aquarium"_s, u"Cycle4"_s};
        for (int k = 0; k < expected.size(); ++k) {
            QCOMPARE(names.at(k).toObject().value(u"slot"_s).toInt(), k + 1);
            QCOMPARE(names.at(k).toObject().value(u"name"_s).toString(), expected.at(k));
        }
    } else if (read == u"list"_s) {
        const QJsonArray list = json.array();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0).toObject().value(u"port"_s).toString(), u"COM2"_s);
        QCOMPARE(list.at(0).toObject().value(u"device"_s).toString(), ports + u"/COM2"_s);
        QVERIFY(list.at(0).toObject().value(u"board"_s).toBool());
    } else if (args.contains(u"-o @"_s)) {
        QVERIFY(cyclefile::readCycleFile(m_dir.filePath(u"day.txt"_s)).ok());
        QVERIFY(stdErr.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
