// The cycle file: writer, template, reader with its reports, and the file
// access beneath them (non-ASCII paths, whole-file replacement).

#include "cyclefile/cyclefile.h"
#include "cyclefile/filewrite.h"
#include "store/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using store::Field;

namespace {

const QChar CR(13);
const QChar DQ(34);

// Row k of a sound cycle of `points` points: time (k-1)*1000, length 10.
QByteArray usedLine(int k)
{
    return QStringLiteral("ColourPoint%1 %1 %2 00010 %3 000 050")
        .arg(store::format00(k), store::format00000((k - 1) * 1000), store::format000(k))
        .toLatin1();
}

QByteArray unusedLine(int k)
{
    return QByteArrayLiteral("ColourPoint") + store::format00(k).toLatin1() + QByteArrayLiteral(" 00 00000 00000 000 000 000");
}

// The 65 lines of a sound file with `points` points and a transition of 600.
QList<QByteArray> soundLines(int points)
{
    QList<QByteArray> lines;
    for (int k = 1; k <= 64; ++k)
        lines << (k <= points ? usedLine(k) : unusedLine(k));
    lines << QByteArrayLiteral("TransitionTime 00600");
    return lines;
}

QByteArray joined(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    return out;
}

QByteArray replaced(int points, int line, const QByteArray &text)
{
    QList<QByteArray> lines = soundLines(points);
    lines[line - 1] = text;
    return joined(lines);
}

QString report(const QString &first, const QString &label, const QString &found, const QString &label2,
               const QString &second)
{
    return first + CR + CR + label + DQ + found + DQ + CR + label2 + DQ + second + DQ;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCycleFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void templateReadsAsEmptyCycle();
    void goldenRoundTrip();
    void reader_data();
    void reader();
    void missingTransitionBlanksTheRest();
    void failureCarriesBothLanguages();
    void nonAsciiPathReadAndWritten();
    void unreadableFileIsReported();
    void failedWriteLeavesOldFile();
};

void TestCycleFile::templateReadsAsEmptyCycle()
{
    const QByteArray bytes = cyclefile::templateFile();
    QCOMPARE(bytes.count("\r\n"), 65);
    QVERIFY(bytes.startsWith("ColourPoint01 01 00000 00000 000 000 000\r\nColourPoint02 00 00000"));
    QVERIFY(bytes.endsWith("ColourPoint64 00 00000 00000 000 000 000\r\nTransitionTime 00000\r\n"));

    const cyclefile::ReadResult r = cyclefile::readCycle(bytes);
    QVERIFY(r.ok());
    QVERIFY(!r.cycle->notice);
    QCOMPARE(r.cycle->pointCount, 1);
    QCOMPARE(r.cycle->transitionTime, QStringLiteral("00000"));
    store::ColourTable empty;
    store::emptyTable(empty);
    for (int k = 1; k <= 64; ++k)
        QCOMPARE(r.cycle->rows[std::size_t(k - 1)], empty.row(k));
    // The template is what the writer gives for the empty cycle.
    QCOMPARE(cyclefile::writeCycle(empty, QStringLiteral("00000")), bytes);
}

void TestCycleFile::goldenRoundTrip()
{
    const QByteArray golden = joined(soundLines(5));
    const cyclefile::ReadResult r = cyclefile::readCycle(golden);
    QVERIFY(r.ok());
    QCOMPARE(r.cycle->pointCount, 5);
    QCOMPARE(r.cycle->transitionTime, QStringLiteral("00600"));
    QCOMPARE(r.cycle->rows[2].text(Field::Time), QStringLiteral("02000"));

    store::ColourTable table;
    for (int k = 1; k <= 64; ++k)
        table.row(k) = r.cycle->rows[std::size_t(k - 1)];
    table.moveTo(3);
    const QByteArray written = cyclefile::writeCycle(table, r.cycle->transitionTime);
    QCOMPARE(written, golden);
    QCOMPARE(written.count("\r\n"), 65);
    QCOMPARE(written.size(), 64 * 42 + 22);
    QCOMPARE(table.position(), 3);
}

void TestCycleFile::reader_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("english"); // the report, "" for a clean load
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("transition");

    const QString ok;
    QTest::newRow("sound") << joined(soundLines(3)) << ok << 3 << "00600";
    QTest::newRow("no line end on line 65") << joined(soundLines(3)).chopped(2) << ok << 3 << "00600";
    QTest::newRow("text after column 40 and 20") << [] {
        QList<QByteArray> l = soundLines(2);
        l[0] += " comment 99";
        l[64] += "x9 more";
        l << "garbage after line 65";
        return joined(l);
    }() << ok << 2 << "00600";
    QTest::newRow("values not range-checked") << replaced(2, 2, "ColourPoint02 07 99999 99999 999 999 999") << ok << 2
                                              << "00600";
    QTest::newRow("unused row in the middle") << replaced(3, 2, unusedLine(2)) << ok << 2 << "00600";

    const auto start = [](const char *nn, const QString &found) {
        return report(QStringLiteral("The Colour Point row %1 of the File has the Text wrong.").arg(QLatin1StringView(nn)),
                      QStringLiteral("Text Found: "), found, QStringLiteral("Text Right: "),
                      QStringLiteral("ColourPoint%1 ").arg(QLatin1StringView(nn)));
    };
    QTest::newRow("ten lines then transition") << [] {
        QList<QByteArray> l = soundLines(10).mid(0, 10);
        l << "TransitionTime 00600";
        return joined(l);
    }() << start("11", QStringLiteral("TransitionTime")) << 0 << "";
    QTest::newRow("row number out of place") << replaced(4, 3, usedLine(4)) << start("03", QStringLiteral("ColourPoint04 "))
                                             << 0 << "";
    QTest::newRow("empty line") << replaced(1, 5, "") << start("05", QString()) << 0 << "";

    const auto digits = [](const char *sentence, const char *label, const char *found, const char *marker) {
        return report(QStringLiteral("The Colour Point 03") + QLatin1StringView(sentence), QLatin1StringView(label),
                      QLatin1StringView(found), QStringLiteral("Text Error: "), QLatin1StringView(marker));
    };
    QTest::newRow("0a005") << replaced(3, 3, "ColourPoint03 03 0a005 00010 100 000 000")
                           << digits(" has Time Not Numeric.", "Time Found: ", "0a005", "-a---") << 0 << "";
    QTest::newRow("PointID") << replaced(3, 3, "ColourPoint03 x3 02000 00010 100 000 000")
                             << digits(" has PointID Not Numeric.", "PointID Found: ", "x3", "x-") << 0 << "";
    QTest::newRow("Length") << replaced(3, 3, "ColourPoint03 03 02000 0 010 100 000 000")
                            << digits(" has Length Not Numeric.", "Length Found: ", "0 010", "- ---") << 0 << "";
    QTest::newRow("Red") << replaced(3, 3, "ColourPoint03 03 02000 00010 -10 000 000")
                         << digits(" has Red Not Numeric.", "Red Found: ", "-10", "---") << 0 << "";
    QTest::newRow("Green") << replaced(3, 3, "ColourPoint03 03 02000 00010 100 +00 000")
                           << digits(" has Green Not Numeric.", "Green Found: ", "+00", "+--") << 0 << "";
    QTest::newRow("Blue") << replaced(3, 3, "ColourPoint03 03 02000 00010 100 000 0.5")
                          << digits(" has Blue Not Numeric.", "Blue Found: ", "0.5", "-.-") << 0 << "";

    const auto space = [](const char *sentence, const char *found) {
        return report(QStringLiteral("The Colour Point 03") + QLatin1StringView(sentence),
                      QStringLiteral("Character Found: "), QLatin1StringView(found),
                      QStringLiteral("Character Right: "), QStringLiteral(" "));
    };
    QTest::newRow("column 17") << replaced(3, 3, "ColourPoint03 03_02000 00010 100 000 000")
                               << space(" has not a Space Character between the PointID and the Time Value.", "_") << 0
                               << "";
    QTest::newRow("column 23") << replaced(3, 3, "ColourPoint03 03 020000000010 100 000 000")
                               << space(" has not a Space Character between the Time Value and the Length Value.", "0")
                               << 0 << "";
    QTest::newRow("column 29") << replaced(3, 3, "ColourPoint03 03 02000 00010\t100 000 000")
                               << space(" has not a Space Character between the Length Value and the Red Value.", "\t")
                               << 0 << "";
    QTest::newRow("column 33") << replaced(3, 3, "ColourPoint03 03 02000 00010 100,000 000")
                               << space(" has not a Space Character between the Red Value and the Green Value.", ",")
                               << 0 << "";
    QTest::newRow("column 37") << replaced(3, 3, "ColourPoint03 03 02000 00010 100 000;000")
                               << space(" has not a Space Character between the Green Value and the Blue Value.", ";")
                               << 0 << "";
    QTest::newRow("line ends at a space column") << replaced(3, 3, "ColourPoint03 03")
                                                 << space(" has not a Space Character between the PointID and the Time Value.", "")
                                                 << 0 << "";

    const auto shortLine = [](const char *field, const char *line, const char *cols) {
        return report(QStringLiteral("The Colour Point 03 of the File ends before ") + QLatin1StringView(field) + u'.',
                      QStringLiteral("Text Found: "), QLatin1StringView(line), QStringLiteral("Columns Right: "),
                      QLatin1StringView(cols));
    };
    QTest::newRow("ends inside Time") << replaced(3, 3, "ColourPoint03 03 0a0")
                                      << shortLine("the Time Value", "ColourPoint03 03 0a0", "18-22") << 0 << "";
    QTest::newRow("ends inside Blue") << replaced(3, 3, "ColourPoint03 03 02000 00010 100 000 00")
                                      << shortLine("the Blue Value", "ColourPoint03 03 02000 00010 100 000 00", "38-40")
                                      << 0 << "";

    QTest::newRow("transition keyword") << replaced(3, 65, "Transition 00600")
                                        << report(QStringLiteral("Transition Time of the File has the Text wrong."),
                                                  QStringLiteral("Text Found: "), QStringLiteral("Transition 0060"),
                                                  QStringLiteral("Text Right: "), QStringLiteral("TransitionTime  "))
                                        << 0 << "";
    QTest::newRow("transition digits") << replaced(3, 65, "TransitionTime 6OO00")
                                       << report(QStringLiteral("Transition Time has value Not Numeric."),
                                                 QStringLiteral("Transition Time Found: "), QStringLiteral("6OO00"),
                                                 QStringLiteral("Text Error: "), QStringLiteral("-OO--"))
                                       << 0 << "";
    QTest::newRow("transition short") << replaced(3, 65, "TransitionTime 600")
                                      << report(QStringLiteral("Transition Time of the File ends before the Transition Time Value."),
                                                QStringLiteral("Text Found: "), QStringLiteral("TransitionTime 600"),
                                                QStringLiteral("Columns Right: "), QStringLiteral("16-20"))
                                      << 0 << "";
}

void TestCycleFile::reader()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, english);
    QFETCH(int, points);
    QFETCH(QString, transition);

    const cyclefile::ReadResult r = cyclefile::readCycle(file);
    if (english.isEmpty()) {
        QVERIFY2(r.ok(), r.failure ? qPrintable(r.failure->text.english) : "");
        QVERIFY(!r.cycle->notice);
        QCOMPARE(r.cycle->pointCount, points);
        QCOMPARE(r.cycle->transitionTime, transition);
    } else {
        QVERIFY(!r.ok());
        QCOMPARE(r.failure->text.english, english);
        QCOMPARE(r.failure->icon, platform::MsgIcon::Critical);
        QCOMPARE(r.failure->buttons, platform::MsgButtons::Ok);
        QCOMPARE(r.failure->title, (Bilingual{QStringLiteral("Error Found"), QStringLiteral("Errore")}));
        QVERIFY(!r.failure->text.italian.isEmpty());
    }
}

void TestCycleFile::missingTransitionBlanksTheRest()
{
    const QString notice = QStringLiteral("Transition Time not found. The Default Value (0) has been assigned.");
    // All 64 point lines and no line 65.
    cyclefile::ReadResult r = cyclefile::readCycle(joined(soundLines(64).mid(0, 64)));
    QVERIFY(r.ok());
    QCOMPARE(r.cycle->pointCount, 64);
    QCOMPARE(r.cycle->transitionTime, QStringLiteral("00000"));
    QVERIFY(r.cycle->notice);
    QCOMPARE(r.cycle->notice->text.english, notice);
    QCOMPARE(r.cycle->notice->icon, platform::MsgIcon::Critical);

    // Ten lines: rows 1..10 from the file, 11..64 blank in all six fields.
    r = cyclefile::readCycle(joined(soundLines(10).mid(0, 10)));
    QVERIFY(r.ok());
    QCOMPARE(r.cycle->pointCount, 10);
    QVERIFY(r.cycle->notice);
    QCOMPARE(r.cycle->rows[9].text(Field::Time), QStringLiteral("09000"));
    for (int k = 11; k <= 64; ++k)
        QCOMPARE(r.cycle->rows[std::size_t(k - 1)], store::ColourPoint());
}

void TestCycleFile::failureCarriesBothLanguages()
{
    const cyclefile::ReadResult r = cyclefile::readCycle(replaced(3, 3, "ColourPoint03 03 0a005 00010 100 000 000"));
    QVERIFY(!r.ok());
    QCOMPARE(r.failure->text.italian,
             report(QStringLiteral("Il Punto Colore 03 ha il Valore Tempo Non Numerico."),
                    QStringLiteral("Tempo Trovato: "), QStringLiteral("0a005"), QStringLiteral("Testo Errato: "),
                    QStringLiteral("-a---")));
    const cyclefile::ReadResult s = cyclefile::readCycle(replaced(3, 3, "ColourPoint03 03 0a0"));
    QCOMPARE(s.failure->text.italian,
             report(QStringLiteral("Il Punto Colore 03 del file termina prima del Valore Tempo."),
                    QStringLiteral("Testo Trovato: "), QStringLiteral("ColourPoint03 03 0a0"),
                    QStringLiteral("Colonne Corrette: "), QStringLiteral("18-22")));
}

void TestCycleFile::nonAsciiPathReadAndWritten()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("cicli è 日本/ciclo-à.txt"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QByteArray bytes = joined(soundLines(4));
    QVERIFY(!cyclefile::writeWholeFile(path, bytes));
    QCOMPARE(readBytes(path), bytes);
    const cyclefile::ReadResult r = cyclefile::readCycleFile(path);
    QVERIFY(r.ok());
    QCOMPARE(r.cycle->pointCount, 4);
    // Replacing keeps no temporary file behind.
    QVERIFY(!cyclefile::writeWholeFile(path, cyclefile::templateFile()));
    QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("ciclo-à.txt")});
}

void TestCycleFile::unreadableFileIsReported()
{
    QTemporaryDir dir;
    for (const QString &path : {dir.filePath(QStringLiteral("missing.txt")), dir.path()}) {
        const cyclefile::ReadResult r = cyclefile::readCycleFile(path);
        QVERIFY2(!r.ok(), qPrintable(path));
        QVERIFY(r.failure->text.english.startsWith(QStringLiteral("The File cannot be opened or read.") + CR + CR
                                                   + QStringLiteral("File: ") + DQ + path + DQ));
        QVERIFY(r.failure->text.italian.startsWith(QStringLiteral("Il File non può essere aperto o letto.")));
        QCOMPARE(r.failure->icon, platform::MsgIcon::Critical);
    }
    // A folder that does not exist cannot take a new file.
    QVERIFY(cyclefile::writeWholeFile(dir.filePath(QStringLiteral("no/such.txt")), "x").has_value());
}

void TestCycleFile::failedWriteLeavesOldFile()
{
#ifdef Q_OS_LINUX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ciclo.txt"));
    const QByteArray old = joined(soundLines(6));
    writeBytes(path, old);

    // The file-size limit makes the write fail part-way, as a full disk does.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::optional<QString> failure = cyclefile::writeWholeFile(path, cyclefile::templateFile());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(failure.has_value());
    QVERIFY(!failure->isEmpty());
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ciclo.txt")});
#else
    QSKIP("needs a file-size limit");
#endif
}

QTEST_GUILESS_MAIN(TestCycleFile)
#include "test_cyclefile.moc"
