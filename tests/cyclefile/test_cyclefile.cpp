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

using namespace Qt::StringLiterals;
const QChar CR(13), DQ(34);

// The 65 lines of a sound file: point k at (k-1)*1000, length 10, red k,
// blue 50 for k <= points, unused rows after them, a transition of 600.
static QList<QByteArray> soundLines(int points)
{
    QList<QByteArray> lines;
    for (int k = 1; k <= 64; ++k)
        lines << (k <= points ? u"ColourPoint%1 %1 %2 00010 %3 000 050"_s
                                    .arg(store::format00(k), store::format00000((k - 1) * 1000), store::format000(k))
                                    .toLatin1()
                              : "ColourPoint" + store::format00(k).toLatin1() + " 00 00000 00000 000 000 000");
    lines << "TransitionTime 00600";
    return lines;
}

static QByteArray joined(const QList<QByteArray> &lines) { return lines.join("\r\n") + "\r\n"; }

// A sound file of `points` points with line `line` replaced by `text`.
static QByteArray replaced(int points, int line, const QByteArray &text)
{
    QList<QByteArray> lines = soundLines(points);
    lines[line - 1] = text;
    return joined(lines);
}

// A report from its five pieces joined by '|': the sentence and two quoted values with their labels.
static QString report(const QByteArray &pieces)
{
    const QStringList p = QString::fromUtf8(pieces).split(u'|');
    return p[0] + CR + CR + p[1] + DQ + p[2] + DQ + CR + p[3] + DQ + p[4] + DQ;
}

class TestCycleFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void templateIsTheEmptyCycle()
    {
        store::ColourTable empty;
        store::emptyTable(empty);
        const QByteArray bytes = cyclefile::templateFile();
        QCOMPARE(cyclefile::writeCycle(empty, u"00000"_s), bytes);
        QVERIFY(bytes.startsWith("ColourPoint01 01 00000 00000 000 000 000\r\nColourPoint02 00 00000"));
        QVERIFY(bytes.endsWith("ColourPoint64 00 00000 00000 000 000 000\r\nTransitionTime 00000\r\n"));
    }

    void goldenRoundTrip()
    {
        const QByteArray golden = joined(soundLines(5));
        const cyclefile::LoadedCycle cycle = cyclefile::readCycle(golden).cycle.value();
        store::ColourTable table;
        for (int k = 1; k <= 64; ++k)
            table.row(k) = cycle.rows[std::size_t(k - 1)];
        QCOMPARE(cyclefile::writeCycle(table, cycle.transitionTime), golden);
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("english"); // the report, "" for a load
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("transition");
        QTest::addColumn<bool>("notice"); // the transition-missing notice
        const auto load = [](const char *name, const QByteArray &file, int points, const char *tt, bool notice) {
            QTest::newRow(name) << file << QString() << points << QString::fromLatin1(tt) << notice;
        };
        const auto fail = [](const char *name, const QByteArray &file, const char *english) {
            QTest::newRow(name) << file << report(english) << 0 << QString() << false;
        };
        load("template", cyclefile::templateFile(), 1, "00000", false);
        load("no line end on line 65", joined(soundLines(3)).chopped(2), 3, "00600", false);
        const QByteArray extra = joined(soundLines(2)).replace("050\r\n", "050 comment 99\r\n");
        load("text after columns 40 and 20", QByteArray(extra.chopped(2) + "x9 more\r\ngarbage after line 65\r\n"), 2,
             "00600", false);
        load("values not range-checked", replaced(2, 2, "ColourPoint02 07 99999 99999 999 999 999"), 2, "00600", false);
        load("unused row in the middle", replaced(3, 2, soundLines(1)[1]), 2, "00600", false);
        load("ten lines, no line 65", joined(soundLines(10).mid(0, 10)), 10, "00000", true);
        load("64 lines, no line 65", joined(soundLines(64).mid(0, 64)), 64, "00000", true);
        // Other editors' files: CR alone (old Mac), LF alone, a UTF-8 byte-order mark (Notepad).
        load("CR line ends", joined(soundLines(5)).replace("\r\n", "\r"), 5, "00600", false);
        load("LF line ends", joined(soundLines(5)).replace("\r\n", "\n"), 5, "00600", false);
        load("byte-order mark", "\xEF\xBB\xBF" + joined(soundLines(5)), 5, "00600", false);

        fail("ten lines then transition", joined(soundLines(10).mid(0, 10) << "TransitionTime 00600"),
             "The Colour Point row 11 of the File has the Text wrong.|Text Found: |TransitionTime|Text Right: "
             "|ColourPoint11 ");
        fail("row number out of place", replaced(4, 3, soundLines(4)[3]),
             "The Colour Point row 03 of the File has the Text wrong.|Text Found: |ColourPoint04 |Text Right: "
             "|ColourPoint03 ");
        fail("mark not at the start", replaced(5, 2, "\xEF\xBB\xBF" + soundLines(5)[1]),
             "The Colour Point row 02 of the File has the Text wrong.|Text Found: |\u00EF\u00BB\u00BFColourPoint|Text "
             "Right: "
             "|ColourPoint02 ");
        fail("empty line", replaced(1, 5, ""),
             "The Colour Point row 05 of the File has the Text wrong.|Text Found: ||Text Right: |ColourPoint05 ");
        // Line 3 broken after its "ColourPoint03 03".
        const auto fail3 = [&](const char *name, const char *rest, const char *english) {
            fail(name, replaced(3, 3, QByteArray("ColourPoint03 03") + rest), english);
        };
        fail3("Time 0a005", " 0a005 00010 100 000 000",
              "The Colour Point 03 has Time Not Numeric.|Time Found: |0a005|Text Error: |-a---");
        fail3("Length with a space", " 02000 0 010 100 000 000",
              "The Colour Point 03 has Length Not Numeric.|Length Found: |0 010|Text Error: |- ---");
        fail("PointID", replaced(3, 3, "ColourPoint03 x3 02000 00010 100 000 000"),
             "The Colour Point 03 has PointID Not Numeric.|PointID Found: |x3|Text Error: |x-");
        fail3("line ends at a space column", "",
              "The Colour Point 03 has not a Space Character between the PointID and the Time Value.|Character Found: "
              "||Character Right: | ");
        fail3("ends inside Time", " 0a0",
              "The Colour Point 03 of the File ends before the Time Value.|Text Found: |ColourPoint03 03 0a0|Columns "
              "Right: |18-22");
        fail("transition keyword", replaced(3, 65, "Transition 00600"),
             "Transition Time of the File has the Text wrong.|Text Found: |Transition 0060|Text Right: "
             "|TransitionTime  ");
        fail("transition digits", replaced(3, 65, "TransitionTime 6OO00"),
             "Transition Time has value Not Numeric.|Transition Time Found: |6OO00|Text Error: |-OO--");
        fail("transition short", replaced(3, 65, "TransitionTime 600"),
             "Transition Time of the File ends before the Transition Time Value.|Text Found: |TransitionTime "
             "600|Columns Right: |16-20");
    }

    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, english);
        const cyclefile::ReadResult r = cyclefile::readCycle(file);
        if (english.isEmpty()) {
            QFETCH(int, points);
            QFETCH(QString, transition);
            QFETCH(bool, notice);
            QVERIFY2(r.ok(), r.failure ? qPrintable(r.failure->text.english) : "");
            QVERIFY(r.cycle->pointCount == points && r.cycle->transitionTime == transition);
            QCOMPARE(r.cycle->notice ? r.cycle->notice->text.english : QString(),
                     notice ? u"Transition Time not found. The Default Value (0) has been assigned."_s : QString());
            for (int k = points + 1; notice && k <= 64; ++k) // rows the file lacks are blank in all six fields
                QCOMPARE(r.cycle->rows[std::size_t(k - 1)], store::ColourPoint());
        } else {
            QCOMPARE(r.failure.value().text.english, english);
            QVERIFY(r.failure->icon == platform::MsgIcon::Critical && r.failure->buttons == platform::MsgButtons::Ok);
            QVERIFY(r.failure->title == (Bilingual{u"Error Found"_s, u"Errore"_s})
                    && !r.failure->text.italian.isEmpty());
        }
    }

    // The separator after each field but the last, in both languages.
    void missingSpaceReports_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QByteArray>("english");
        QTest::addColumn<QByteArray>("italian");
        QTest::newRow("17") << 17 << QByteArray("PointID and the Time Value.")
                            << QByteArray("PointID ed il Valore Tempo.");
        QTest::newRow("23") << 23 << QByteArray("Time Value and the Length Value.")
                            << QByteArray("il valore del Tempo e quello della Lunghezza.");
        QTest::newRow("29") << 29 << QByteArray("Length Value and the Red Value.")
                            << QByteArray("il valore della Lunghezza e quello del Rosso.");
        QTest::newRow("33") << 33 << QByteArray("Red Value and the Green Value.")
                            << QByteArray("il valore del Rosso e quello del Verde.");
        QTest::newRow("37") << 37 << QByteArray("Green Value and the Blue Value.")
                            << QByteArray("il valore del Verde e quello del Blu.");
    }
    void missingSpaceReports()
    {
        QFETCH(int, column);
        QFETCH(QByteArray, english);
        QFETCH(QByteArray, italian);
        QByteArray line = soundLines(3)[2];
        line[column - 1] = '_';
        const Bilingual text = cyclefile::readCycle(replaced(3, 3, line)).failure.value().text;
        QCOMPARE(text.english, report("The Colour Point 03 has not a Space Character between the " + english
                                      + "|Character Found: |_|Character Right: | "));
        QCOMPARE(text.italian, report("Il Punto Colore 03 non ha il carattere Spazio tra " + italian
                                      + "|Carattere Trovato: |_|Carattere Corretto: | "));
    }

    void failureCarriesBothLanguages()
    {
        const auto italian = [](const char *line) {
            return cyclefile::readCycle(replaced(3, 3, line)).failure.value().text.italian;
        };
        QCOMPARE(
            italian("ColourPoint03 03 0a005 00010 100 000 000"),
            report("Il Punto Colore 03 ha il Valore Tempo Non Numerico.|Tempo Trovato: |0a005|Testo Errato: |-a---"));
        QCOMPARE(italian("ColourPoint03 03 0a0"),
                 report("Il Punto Colore 03 del file termina prima del Valore Tempo.|Testo Trovato: |ColourPoint03 03 "
                        "0a0|Colonne Corrette: |18-22"));
    }

    // Replacing a file under a non-ASCII path; a write that fails part-way leaves the old file.
    void replaceWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"cicli è 日本/ciclo-à.txt"_s);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(!cyclefile::writeWholeFile(path, cyclefile::templateFile()));
        const QByteArray old = joined(soundLines(6));
        QVERIFY(!cyclefile::writeWholeFile(path, old));
#ifdef Q_OS_LINUX
        // The file-size limit makes the write fail part-way, as a full disk does.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1000, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const std::optional<QString> failure = cyclefile::writeWholeFile(path, cyclefile::templateFile());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(failure.has_value() && !failure->isEmpty());
#endif
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old);
        // No temporary file is left behind.
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{u"ciclo-à.txt"_s});
    }
};

QTEST_GUILESS_MAIN(TestCycleFile)
#include "test_cyclefile.moc"
