// The File menu on the real window with scripted dialogs: open, create, save,
// save as, close, delete and the save of Exit.

#include "app/tags.h"
#include "chart/chartview.h"
#include "cyclefile/cyclefile.h"
#include "support/cycles.h"
#include "support/formfixture.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;
using platform::MsgIcon;
using platform::MsgResult;
using store::Field;

// The sample cycle with points 1000 s apart, each held 10 s, in red k %.
static QByteArray cycleFile(int points, int transition = 600) { return sampleFile(points, transition, 1000, 10); }

// The pages of a PDF: its page objects (the page tree's "/Type /Pages" aside).
static int pdfPages(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

// A file's bytes, or "(absent)".
static QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
}

class TestFileCommands : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FormFixture> m_f;
    ScriptedDialogs &dialogs() { return m_f->dialogs; }
    QString panel1() const { return child<QLabel>(*m_f->form, "StatusBarPanel1")->text(); }
    // The last message as "icon|text": "!" a warning, "?" a question, "x" an error.
    QString said()
    {
        const platform::Message &m = dialogs().last();
        const char *icon = m.icon == MsgIcon::Exclamation ? "!" : m.icon == MsgIcon::Question ? "?" : "x";
        return QString::fromLatin1(icon) + u'|' + m.text;
    }
    QByteArray storeBytes() const
    {
        return cyclefile::writeCycle(m_f->form->document().table(), m_f->form->document().transitionText());
    }
    // A file of the test's folder with the given content ("" leaves it absent).
    QString file(const char *name, const QByteArray &content = {})
    {
        QString path = m_dir->filePath(QString::fromUtf8(name));
        QFile f(path);
        if (!content.isEmpty() && (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()))
            qFatal("cannot write a test file");
        return path;
    }
    // Scripts the message answers, the save dialog's answer when given, and runs the menu item.
    void run(const QString &item, std::initializer_list<MsgResult> answers = {},
             std::optional<std::optional<QString>> saveAs = {})
    {
        for (MsgResult r : answers)
            dialogs().answerMessage(r);
        if (saveAs)
            dialogs().answerSaveFile(*saveAs);
        QVERIFY(m_f->trigger(item));
    }
    // Opens `path` through File Open, expecting no message.
    void open(const QString &path) { QVERIFY(m_f->open(path) && dialogs().shown.isEmpty()); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_f = std::make_unique<FormFixture>();
    }
    void cleanup() { QVERIFY(dialogs().allAnswered()); }

    void openReportsOrLoads_data()
    {
        QTest::addColumn<QByteArray>("bad"); // empty: the file does not exist
        QTest::addColumn<bool>("inEnglish");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QByteArray>("loaded"); // empty: the failure changes nothing
        const auto row = [](const char *name, const QByteArray &bad, bool inEnglish, const char *start,
                            const QByteArray &loaded = {}) {
            QTest::newRow(name) << bad << inEnglish << QString::fromUtf8(start) << loaded;
        };
        row("short line", cycleFile(5).left(42 * 2 + 20) + "\r\n", false,
            "Il Punto Colore 03 del file termina prima del Valore Tempo.");
        row("bad transition, English", cycleFile(5).chopped(7) + "0x000\r\n", true,
            "Transition Time has value Not Numeric.");
        row("missing file", {}, false, "Il File non può essere aperto o letto.");
        row("missing file, English", {}, true, "The File cannot be opened or read.");
        row("no line 65 still loads", cycleFile(4).left(10 * 42), false,
            "Tempo di Viraggio di fine ciclo non trovato (TransitionTime). E' stato assegnato", cycleFile(4, 0));
    }
    void openReportsOrLoads()
    {
        QFETCH(QByteArray, bad);
        QFETCH(bool, inEnglish);
        QFETCH(QString, start);
        QFETCH(QByteArray, loaded);
        const QString good = file("buono è.txt", cycleFile(2, 300));
        open(good);
        QCOMPARE(dialogs().fileDialogs.last().filter, u"Orvanta file (.txt) (*.txt);;Tutti file (*.*) (*)"_s);
        if (inEnglish)
            child<QAction>(*m_f->form, "mnuConfigLanguage")->trigger();

        const QString broken = file("rotto.txt", bad);
        dialogs().answerOpenFile(broken);
        run(u"mnuFileOpen"_s, {MsgResult::Ok});
        const platform::Message shown = dialogs().last();
        QVERIFY2(said().startsWith(u"x|"_s + start) && (!bad.isEmpty() || shown.text.contains(broken)),
                 qPrintable(shown.text));
        QCOMPARE(shown.title + u'|' + dialogs().fileDialogs.last().title,
                 inEnglish ? u"Error Found|File Open"_s : u"Errore|Apri File"_s);
        QCOMPARE(storeBytes(), loaded.isEmpty() ? cycleFile(2, 300) : loaded);
        const QString named = loaded.isEmpty() ? good : broken;
        QVERIFY(m_f->form->document().fileName() == named && panel1() == u"File: "_s + named);
    }

    // With the colour-cycle function already on, an opened cycle is still
    // checked: sorted until the pair of equal times stops it, with its report.
    void openCheckedWhileCycleOn()
    {
        open(file("buono.txt", cycleFile(2)));
        QVERIFY(child<QAction>(*m_f->form, "mnuEnableColorCycle")->isChecked());
        // Times 0, 300, 300, 100.
        const QByteArray unsorted =
            cycleFile(4).replace(" 01000 ", " 00300 ").replace(" 02000 ", " 00300 ").replace(" 03000 ", " 00100 ");
        dialogs().answerOpenFile(file("doppio.txt", unsorted));
        run(u"mnuFileOpen"_s, {MsgResult::Ok});
        QVERIFY(dialogs().shown.size() == 1 && dialogs().last().title == u"Errore"_s);
        QCOMPARE(dialogs().last().text.split(QChar(13)).mid(0, 4),
                 (QStringList{u"Due Punti Colore hanno la medesima Posizione"_s, QString(),
                              u"Punto Colore 04 ha Posizione = 00300"_s, u"Punto Colore 03 ha Posizione = 00300"_s}));
        QList<qint64> timesAndReds;
        for (int k = 1; k <= 4; ++k)
            timesAndReds << m_f->form->document().table().row(k).value(Field::Time)
                         << m_f->form->document().table().row(k).value(Field::Red);
        QCOMPARE(timesAndReds, (QList<qint64>{0, 1, 100, 4, 300, 2, 300, 3}));
    }

    // The open file removed behind the program's back: Save and Delete say
    // so, and neither writes it again.
    void fileGoneFromDisk_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("inEnglish");
        QTest::addColumn<QString>("message");
        const QString italian =
            u"Il File non è stato trovato!\rUsa SalvaCome File per tenere il ciclo in un altro File."_s;
        QTest::newRow("save") << u"mnuFileSave"_s << false << italian;
        QTest::newRow("save, English")
            << u"mnuFileSave"_s << true
            << u"File is not been found!\rUse File SaveAs to keep the cycle in another file."_s;
        QTest::newRow("delete") << u"mnuFileDelete"_s << false << u"Il File non è stato trovato"_s;
        // Exit's save fails the same way, and the program goes on.
        QTest::newRow("exit") << u"mnuFileExit"_s << false << italian;
    }
    void fileGoneFromDisk()
    {
        QFETCH(QString, item);
        QFETCH(bool, inEnglish);
        QFETCH(QString, message);
        const QString path = file("sparito.txt", cycleFile(3));
        open(path);
        QVERIFY(QFile::remove(path));
        if (inEnglish)
            child<QAction>(*m_f->form, "mnuConfigLanguage")->trigger();
        const bool save = item != u"mnuFileDelete"_s;
        QSignalSpy ended(m_f->form.get(), &FormColour::programEnded);
        if (item == u"mnuFileExit"_s)
            dialogs().answerMessage(MsgResult::Yes);
        run(item, {MsgResult::Yes, MsgResult::Ok});
        QCOMPARE(said(), u"!|"_s + message);
        QVERIFY(!QFile::exists(path) && ended.isEmpty());
        // Save keeps naming the file and the cycle; Delete has emptied both.
        QCOMPARE(m_f->form->document().fileName(), save ? path : QString());
        QCOMPARE(storeBytes(), save ? cycleFile(3) : cyclefile::templateFile());
    }

    // Save from a cycle in memory with no file: the dialog cancelled, or an existing file declined or accepted.
    void saveWithoutFile_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("cancelled") << 0;
        QTest::newRow("existing, declined") << 1;
        QTest::newRow("existing, accepted") << 2;
    }
    void saveWithoutFile()
    {
        QFETCH(int, choice);
        open(file("sorgente.txt", cycleFile(3)));
        m_f->form->document().setSource({});
        const QString target = file("esistente.txt", cyclefile::templateFile());
        dialogs().answerMessage(MsgResult::Yes);
        if (choice) // the overwrite question
            dialogs().answerMessage(choice == 2 ? MsgResult::Yes : MsgResult::No);
        run(u"mnuFileSave"_s, {}, choice ? std::optional(target) : std::nullopt);
        QCOMPARE(said(), choice ? u"!|Il File esiste! Sovrascrivere?"_s : u"?|Salvare il File! Confermi?"_s);
        QVERIFY(dialogs().last().defaultButton == MsgResult::No && dialogs().fileDialogs.last().save);
        QCOMPARE(dialogs().fileDialogs.last().title, u"Salva File"_s);
        QCOMPARE(readBytes(target), choice == 2 ? cycleFile(3) : cyclefile::templateFile());
        QCOMPARE(panel1(), choice == 2 ? u"File: "_s + target : u"File: Nessuno"_s);
    }

    // In English: a save into a folder that does not exist, from Save and from Exit.
    void failedSaveIsReported()
    {
        child<QAction>(*m_f->form, "mnuConfigLanguage")->trigger();
        const QString target = file("no-such-folder/ciclo.txt");
        QSignalSpy ended(m_f->form.get(), &FormColour::programEnded);
        run(u"mnuFileSave"_s, {MsgResult::Yes, MsgResult::Ok}, target);
        const platform::Message shown = dialogs().last();
        QVERIFY(said().startsWith(u"!|File has not been written!"_s) && shown.text.contains(target));
        QCOMPARE((QStringList{shown.title, dialogs().fileDialogs.last().title, panel1()}),
                 (QStringList{u"Warning"_s, u"File Save"_s, u"File: None"_s}));
        // Exit's Yes saves, and the failed save keeps the program running.
        run(u"mnuFileExit"_s, {MsgResult::Yes, MsgResult::Yes, MsgResult::Ok}, target);
        QVERIFY(dialogs().last().text == shown.text && ended.count() == 0);
        // Yes ends the program only with the cycle saved: a declined save keeps it, No ends it.
        run(u"mnuFileExit"_s, {MsgResult::Yes, MsgResult::No});
        QCOMPARE(ended.count(), 0);
        run(u"mnuFileExit"_s, {MsgResult::No});
        QCOMPARE(ended.count(), 1);
    }

    // Close asks to close, then whether to save; Delete asks once and removes
    // the open file. Both leave the empty cycle in the store and in the
    // editor: never old points over an empty store. An undone Delete names no file.
    void closeAndDeleteEmptyTheEditor_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<bool>("save");
        QTest::newRow("close, save declined") << u"mnuFileClose"_s << true << false;
        QTest::newRow("close, save accepted") << u"mnuFileClose"_s << true << true;
        QTest::newRow("delete, no file") << u"mnuFileDelete"_s << false << false;
        QTest::newRow("delete, open file") << u"mnuFileDelete"_s << true << false;
    }
    void closeAndDeleteEmptyTheEditor()
    {
        QFETCH(QString, item);
        QFETCH(bool, withFile);
        QFETCH(bool, save);
        const bool close = item == u"mnuFileClose"_s;
        const QString path = withFile ? file("via è.txt", cycleFile(4)) : QString();
        if (withFile)
            open(path);
        m_f->form->document().table().row(1).setValue(Field::Red, 40);
        m_f->form->DataBaseRead();
        const QByteArray edited = storeBytes();
        dialogs().answerMessage(MsgResult::Yes);
        if (close)
            dialogs().answerMessage(save ? MsgResult::Yes : MsgResult::No);
        run(item);
        const QString named = withFile ? u"\rFile: \"%1\""_s.arg(path) : QString();
        QCOMPARE(dialogs().shown.first().text, close ? u"Chiudi! Confermi?"_s : u"cancella! Confermi?"_s + named);
        QCOMPARE(said(), close ? u"?|Salvare il File! Confermi?"_s : u"!|cancella! Confermi?"_s + named);
        if (withFile)
            QCOMPARE(readBytes(path), close ? (save ? edited : cycleFile(4)) : "(absent)");
        QVERIFY(storeBytes() == cyclefile::templateFile() && m_f->form->document().fileName().isEmpty());
        QCOMPARE((QStringList{panel1(), m_f->field(u"TextRed"_s)->text(),
                              QString::number(m_f->form->document().pointCount())}),
                 (QStringList{u"File: Nessuno"_s, u"000"_s, u"1"_s}));
        if (close)
            return;
        // Undone, a delete brings the cycle back as no file's: Save asks for a name.
        run(u"mnuEditUndo"_s);
        QCOMPARE((QStringList{panel1(), m_f->form->windowTitle()}), (QStringList{u"File: Nessuno"_s, u"Orvanta[*]"_s}));
        run(u"mnuFileSave"_s, {MsgResult::Yes}, std::optional<QString>());
        QVERIFY(storeBytes() == edited && dialogs().fileDialogs.last().save);
    }

    // The recent files: the most recent first, six at most, a file opened
    // again moves up, a saved file joins; one gone from the disk leaves the
    // list with a message and the cycle in memory stays.
    void recentFiles()
    {
        FormColour &w = *m_f->form;
        QVERIFY(!w.menuItem(u"mnuFileRecent"_s)->isEnabled());
        QStringList paths;
        for (int k = 1; k <= 7; ++k)
            paths << QDir(m_dir->path()).absoluteFilePath(file(qPrintable(u"c%1.txt"_s.arg(k)), cycleFile(k)));
        for (const QString &path : paths)
            open(path);
        open(paths[2]);
        QCOMPARE(w.recentFiles(), (QStringList{paths[2], paths[6], paths[5], paths[4], paths[3], paths[1]}));
        QVERIFY(w.menuItem(u"mnuFileRecent"_s)->isEnabled());
        QAction *first = w.menuItem(u"mnuFileRecent1"_s);
        QVERIFY(first->isVisible() && first->text().endsWith(u"c3.txt"_s));
        QCOMPARE(first->shortcut(), QKeySequence(Qt::ALT | Qt::Key_1));

        QVERIFY(m_f->trigger(u"mnuFileRecent2"_s)); // c7, through File Open's path
        QVERIFY(dialogs().shown.isEmpty() && w.document().fileName() == paths[6] && w.document().pointCount() == 7);
        QCOMPARE(w.recentFiles().first(), paths[6]);

        QFile::remove(paths[5]); // c6, now third
        dialogs().answerMessage(MsgResult::Ok);
        QVERIFY(m_f->trigger(u"mnuFileRecent3"_s));
        QVERIFY(said().startsWith(u"!|"_s) && said().contains(paths[5]));
        QCOMPARE(w.recentFiles(), (QStringList{paths[6], paths[2], paths[4], paths[3], paths[1]}));
        QVERIFY(!w.menuItem(u"mnuFileRecent6"_s)->isVisible() && w.document().fileName() == paths[6]
                && w.document().pointCount() == 7);

        const QString copy = QDir(m_dir->path()).absoluteFilePath(u"copy.txt"_s);
        run(u"mnuFileSaveAs"_s, {MsgResult::Yes}, copy);
        QCOMPARE(w.recentFiles().first(), copy);
    }

    // Every template loads without a report, the editor's consolidation
    // leaves it as shipped, and it names no file: Save asks for one.
    void templates_data()
    {
        QTest::addColumn<int>("item");
        for (int item = 1; item <= FormColour::kTemplates; ++item)
            QTest::newRow(qPrintable(FormColour::templateResource(item))) << item;
    }
    void templates()
    {
        QFETCH(int, item);
        FormColour &w = *m_f->form;
        open(file("day.txt", cycleFile(3)));
        QVERIFY(m_f->trigger(u"mnuFileTemplate%1"_s.arg(item)) && dialogs().shown.isEmpty());
        const QByteArray shipped = readBytes(FormColour::templateResource(item));
        QCOMPARE(shipped.count("\r\n"), cyclefile::kLineCount);
        QCOMPARE(storeBytes(), shipped);
        QVERIFY(w.document().fileName().isEmpty() && panel1() == u"File: Nessuno"_s
                && child<QAction>(w, "mnuEnableColorCycle")->isChecked());
        run(u"mnuFileSave"_s, {MsgResult::Yes}, std::optional<QString>());
        QVERIFY(dialogs().fileDialogs.last().save);
    }

    // New from Daylight: the cycle computed replaces the one in memory as a
    // template does, named after the place and the date until it is saved.
    void daylight()
    {
        FormColour &w = *m_f->form;
        open(file("day.txt", cycleFile(3)));
        dialogs().answerDaylight(platform::Dialogs::GeneratedCycle{cycleFile(5), {u"Oslo"_s, u"Oslo"_s}});
        QVERIFY(m_f->trigger(u"mnuFileDaylight"_s));
        QVERIFY(storeBytes() == cycleFile(5) && w.document().fileName().isEmpty() && w.isWindowModified());
        QCOMPARE(w.windowTitle(), u"Orvanta - Oslo[*]"_s);
        QVERIFY(m_f->trigger(u"mnuEditUndo"_s) && storeBytes() == cycleFile(3));
    }

    // Export: the chart as PNG at twice its size on a screen of ratio 1; the
    // sheet of 64 points as a one-page PDF (".pdf" added to a bare name);
    // Print renders the same one page, and a cancelled print dialog nothing.
    void exportAndPrint()
    {
        FormColour &w = *m_f->form;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        open(file("full.txt", cycleFile(64, 0)));
        QCOMPARE(int(w.document().pointCount()), 64);

        dialogs().answerSaveFile(m_dir->filePath(u"chart.png"_s));
        QVERIFY(m_f->trigger(u"mnuFileExport"_s));
        QCOMPARE(w.exportRatio(), 2.0);
        QCOMPARE(QImage(m_dir->filePath(u"chart.png"_s)).size(), child<ChartView>(w, "MSChartColorCycle")->size() * 2);

        dialogs().answerSaveFile(m_dir->filePath(u"sheet"_s));
        QVERIFY(m_f->trigger(u"mnuFileExport"_s));
        const QByteArray pdf = readBytes(m_dir->filePath(u"sheet.pdf"_s));
        QVERIFY(pdf.startsWith("%PDF") && pdfPages(pdf) == 1);
        // The document names the cycle as the window title does; its chart is
        // the cycle alone, without the bars over the chart.
        QVERIFY(pdf.contains(QByteArray(QStringEncoder(QStringConverter::Utf16BE)(u"colore - full.txt"_s))));
        QVERIFY(m_f->trigger(u"mnuEnableSimulator"_s));
        const QImage alone = w.chartImage(1, true);
        for (QFrame *bar : {child<QFrame>(w, "CommandCursorSelected"), child<QFrame>(w, "PictureSelected"),
                            child<QFrame>(w, "CommandCursorSimulator")})
            QVERIFY(alone.pixelColor(bar->geometry().center()) != ChartView::overlayColour(bar));

        // An existing file is only written over when the user says so.
        dialogs().answerSaveFile(m_dir->filePath(u"sheet.pdf"_s));
        dialogs().answerMessage(MsgResult::No);
        QVERIFY(m_f->trigger(u"mnuFileExport"_s));
        QCOMPARE(readBytes(m_dir->filePath(u"sheet.pdf"_s)), pdf);
        // A folder that is not there is reported.
        dialogs().answerSaveFile(m_dir->filePath(u"gone/sheet.pdf"_s));
        dialogs().answerMessage(MsgResult::Ok);
        QVERIFY(m_f->trigger(u"mnuFileExport"_s));
        QVERIFY(dialogs().last().text.contains(u"gone/sheet.pdf"_s));

        dialogs().answerPrint(false);
        dialogs().answerPrint(true);
        QVERIFY(m_f->trigger(u"mnuFilePrint"_s));
        QVERIFY(m_f->trigger(u"mnuFilePrint"_s));
        QVERIFY(dialogs().printed.size() == 1 && pdfPages(dialogs().printed.first()) == 1);
    }

    // A name typed without an extension is saved as ".txt", so Open's filter
    // finds it; the overwrite question is about that file.
    void savedNamesGetTxt()
    {
        open(file("origine.txt", cycleFile(3)));
        m_f->form->document().setSource({});
        run(u"mnuFileSave"_s, {MsgResult::Yes}, file("day4"));
        QCOMPARE(readBytes(file("day4.txt")), cycleFile(3));
        QVERIFY(!QFile::exists(file("day4")));
        QCOMPARE(m_f->form->document().fileName(), file("day4.txt"));
        // "day4" is the open "day4.txt": Save As refuses it and leaves it as it was.
        m_f->form->document().table().row(1).setValue(Field::Red, 100);
        run(u"mnuFileSaveAs"_s, {MsgResult::Yes, MsgResult::Ok}, file("day4"));
        QCOMPARE((QStringList{dialogs().shown[dialogs().shown.size() - 2].text, dialogs().last().text,
                              dialogs().fileDialogs.last().title}),
                 (QStringList{u"Salvare Con nuovo nome il File! Confermi?"_s,
                              u"File Origine e Destinatario sono lo stesso File! Uasa il Commando Salva."_s,
                              u"Salva Come File"_s}));
        QCOMPARE(readBytes(file("day4.txt")), cycleFile(3));
        // Another existing file declined: nothing written, the cycle still named after its own file.
        const QString other = file("altro.txt", cycleFile(2));
        run(u"mnuFileSaveAs"_s, {MsgResult::Yes, MsgResult::No}, other);
        QVERIFY(readBytes(other) == cycleFile(2) && m_f->form->document().fileName() == file("day4.txt"));
        QVERIFY(panel1() == u"File: "_s + file("day4.txt") && m_f->form->windowTitle().contains(u"day4.txt"_s));
        // Create refuses the open file, naming it: it would empty it under the cycle shown.
        run(u"mnuFileCreate"_s, {MsgResult::Ok}, file("day4"));
        QVERIFY(said().startsWith(u"!|Il File contiene il ciclo aperto!"_s) && said().contains(file("day4.txt")));
        QCOMPARE(readBytes(file("day4.txt")), cycleFile(3));
        // Create writes the template, not the cycle in memory, which keeps its
        // own file; over an existing file after asking.
        const QByteArray edited = storeBytes();
        run(u"mnuFileCreate"_s, {}, file("vuoto"));
        QCOMPARE(readBytes(file("vuoto.txt")), cyclefile::templateFile());
        QCOMPARE(dialogs().fileDialogs.last().title, u"Crea File"_s);
        const QString existing = file("nuovo ü.txt", cycleFile(2));
        run(u"mnuFileCreate"_s, {MsgResult::Yes}, existing);
        QCOMPARE(readBytes(existing), cyclefile::templateFile());
        QVERIFY(storeBytes() == edited && m_f->form->document().fileName() == file("day4.txt"));
        run(u"mnuFileCreate"_s, {}, file("copia.bak"));
        QVERIFY(QFile::exists(file("copia.bak")));
    }

    // Unsaved changes are never dropped unasked: Close asks first (Cancel
    // keeps the cycle) and its Yes saves without a second question; a save
    // names the cycle for undo and redo; a Save As cancelled keeps the title
    // and the cycle counts as unsaved.
    void unsavedWorkStaysInReach()
    {
        FormColour &w = *m_f->form;
        const auto asked = [this](qsizetype from) {
            QStringList texts;
            for (const platform::Message &m : dialogs().shown.mid(from))
                texts << m.text.left(22);
            return texts.join(u'|');
        };
        QVERIFY(m_f->trigger(u"mnuFileTemplate1"_s));
        const QByteArray sunrise = storeBytes();
        run(u"mnuFileClose"_s, {MsgResult::Cancel});
        QVERIFY(asked(0) == u"Il ciclo colore ha mod"_s && storeBytes() == sunrise && w.isWindowModified());
        const QString a = file("a.txt");
        run(u"mnuFileSaveAs"_s, {MsgResult::Yes}, a);
        QVERIFY(m_f->trigger(u"mnuEditUndo"_s) && m_f->trigger(u"mnuEditRedo"_s));
        QVERIFY(w.document().fileName() == a && w.windowTitle() == u"Orvanta - a.txt[*]"_s && !w.isWindowModified());

        QVERIFY(m_f->trigger(u"mnuFileTemplate2"_s));
        const QByteArray aquarium = storeBytes();
        const QString b = file("b.txt");
        const qsizetype before = dialogs().shown.size();
        run(u"mnuFileClose"_s, {MsgResult::Yes, MsgResult::Yes}, b);
        QCOMPARE(asked(before), u"Il ciclo colore ha mod|Chiudi! Confermi?"_s);
        QVERIFY(readBytes(b) == aquarium && storeBytes() == cyclefile::templateFile());

        QVERIFY(m_f->open(a));
        run(u"mnuFileSaveAs"_s, {MsgResult::Yes}, std::optional<QString>());
        QVERIFY(panel1() == u"File: Nessuno"_s && w.windowTitle() == u"Orvanta - a.txt[*]"_s && w.isWindowModified());
    }

#ifdef Q_OS_UNIX
    // A pipe chosen in the dialog is refused, not read: reading it would
    // hold the window until something wrote to it.
    void pipesAreRefused()
    {
        const QString pipe = m_dir->filePath(u"pipe.txt"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        dialogs().answerOpenFile(pipe);
        run(u"mnuFileOpen"_s, {MsgResult::Ok});
        QVERIFY(said().startsWith(u"x|Il File non può essere aperto o letto."_s) && said().contains(u"normale"_s));
        QVERIFY(m_f->form->document().fileName().isEmpty());
    }
#endif

    // After a load or a save the value fields are in browse mode, and the
    // editor, the chart's marker and the sliders all show point 1.
    void browseStateAfterOpenAndSave()
    {
        FormColour &w = *m_f->form;
        const auto enabled = [this] {
            QString out;
            for (const char *name : {"TextTime", "TextLength", "TextRed", "TextGreen", "TextBlue", "TextTransition"})
                out += m_f->field(QString::fromLatin1(name))->isEnabled() ? u'1' : u'0';
            return out;
        };
        QCOMPARE(enabled(), u"000000"_s); // before anything
        open(file("cinque.txt", cycleFile(5)));
        QCOMPARE(enabled(), u"000001"_s);
        QVERIFY(m_f->trigger(u"mnuEnableRGB"_s));
        m_f->button(u"CommandLast"_s)->click();
        QCOMPARE(child<QSlider>(w, "SliderRed")->value(), 5);
        const int markerAt5 = child<QFrame>(w, "CommandCursorSelected")->x();
        run(u"mnuFileSave"_s, {MsgResult::Yes});
        QVERIFY(w.document().pointCurrent() == 1 && m_f->field(u"TextPointID"_s)->text() == u"01"_s);
        QVERIFY(child<QSlider>(w, "SliderRed")->value() == 1
                && child<QFrame>(w, "CommandCursorSelected")->x() < markerAt5);
        m_f->button(u"CommandLast"_s)->click();
        run(u"mnuFileSaveAs"_s, {MsgResult::Yes}, std::optional<QString>());
        QCOMPARE(child<QSlider>(w, "SliderRed")->value(), 1);
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
