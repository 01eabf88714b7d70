// The File menu on the real window with scripted dialogs: open, create, save,
// save as, close, delete and the save of Exit.

#include "app/tags.h"
#include "cyclefile/cyclefile.h"
#include "store/numbers.h"
#include "support/formfixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using platform::MsgIcon;
using platform::MsgResult;
using store::Field;

namespace {

// A sound cycle of `points` points: point k at (k-1)*1000 s, length 10,
// red k %, blue 50 %; transition `transition`.
QByteArray cycleFile(int points, int transition = 600)
{
    store::ColourTable t;
    for (int k = 1; k <= points; ++k) {
        store::ColourPoint &p = t.row(k);
        p.setValue(Field::PointID, k);
        p.setValue(Field::Time, (k - 1) * 1000);
        p.setValue(Field::Length, 10);
        p.setValue(Field::Red, k);
        p.setValue(Field::Blue, 50);
    }
    return cyclefile::writeCycle(t, store::format00000(transition));
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString panel1(const FormFixture &f)
{
    return f.form->StatusBarPanel1->text();
}

// The cycle in the window's store, as the writer writes it.
QByteArray storeBytes(FormFixture &f)
{
    return cyclefile::writeCycle(f.form->table(), f.form->TransitionTime);
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void openLoadsCycle();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void openWithoutTransitionLoads();
    void saveWithoutFileCancelled();
    void saveOntoExistingFile_data();
    void saveOntoExistingFile();
    void saveIntoOpenFile();
    void failedWriteIsReported();
    void saveAsOntoOpenFile();
    void saveAsDeclinedNamesTheFile();
    void closeAsksTwice_data();
    void closeAsksTwice();
    void vanishedFileKeepsCycleOnCloseAndExit();
    void deleteWithoutFile();
    void deleteOpenFile();
    void createWritesTemplate_data();
    void createWritesTemplate();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FormFixture> m_f;
    ScriptedDialogs &dialogs() { return m_f->dialogs; }
    // A file of the test's folder with the given content ("" leaves it absent).
    QString file(const char *name, const QByteArray &content = {});
    void answers(std::initializer_list<MsgResult> list)
    {
        for (MsgResult r : list)
            dialogs().answerMessage(r);
    }
    void run(const char *item) { QVERIFY(m_f->trigger(QString::fromLatin1(item))); }
    QStringList texts() const
    {
        QStringList t;
        for (const platform::Message &m : m_f->dialogs.shown)
            t << m.text;
        return t;
    }
    // Opens `path` through File Open, expecting no message.
    void open(const QString &path)
    {
        dialogs().answerOpenFile(path);
        run("mnuFileOpen");
        QCOMPARE(texts(), QStringList());
    }
};

void TestFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_f = std::make_unique<FormFixture>();
}

void TestFileCommands::cleanup()
{
    QVERIFY(dialogs().allAnswered());
    m_f.reset();
    m_dir.reset();
}

QString TestFileCommands::file(const char *name, const QByteArray &content)
{
    const QString path = m_dir->filePath(QString::fromUtf8(name));
    if (!content.isEmpty()) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write a test file");
    }
    return path;
}

void TestFileCommands::openLoadsCycle()
{
    dialogs().answerOpenFile(std::nullopt);
    run("mnuFileOpen");
    QCOMPARE(panel1(*m_f), QStringLiteral("File: Nessuno"));

    const QString path = file("ciclo è.txt", cycleFile(3, 120));
    open(path);
    const auto &d = dialogs().fileDialogs.last();
    QVERIFY(!d.save);
    QCOMPARE(d.title, QStringLiteral("Apri File"));
    QCOMPARE(d.filter, QStringLiteral("Orvanta file (.txt) (*.txt);;Tutti file (*.*) (*)"));
    QCOMPARE(m_f->form->FileName, path);
    QCOMPARE(panel1(*m_f), QStringLiteral("File: ") + path);
    QCOMPARE(m_f->form->FileStatusEnglish, QStringLiteral("File: ") + path);
    QCOMPARE(m_f->form->TransitionTime, QStringLiteral("00120"));
    QCOMPARE(storeBytes(*m_f), cycleFile(3, 120));
    QCOMPARE(m_f->field(QStringLiteral("TextPointID"))->text(), QStringLiteral("01"));
    QCOMPARE(m_f->field(QStringLiteral("TextRed"))->text(), QStringLiteral("001"));
}

void TestFileCommands::failedOpenChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bad"); // empty: the file does not exist
    QTest::addColumn<bool>("inEnglish");
    QTest::addColumn<QString>("start");
    QByteArray digit = cycleFile(5);
    digit.replace("ColourPoint04 04 03000", "ColourPoint04 04 03x00");
    QTest::newRow("bad digit in row 4") << digit << false
                                        << QStringLiteral("Il Punto Colore 04 ha il Valore Tempo Non Numerico.");
    QTest::newRow("short line") << QByteArray(cycleFile(5).left(42 * 2 + 20) + "\r\n") << false
                                << QStringLiteral("Il Punto Colore 03 del file termina prima del Valore Tempo.");
    QTest::newRow("bad transition") << QByteArray(cycleFile(5).chopped(7) + "0x000\r\n") << true
                                    << QStringLiteral("Transition Time has value Not Numeric.");
    QTest::newRow("missing file") << QByteArray() << false << QStringLiteral("Il File non può essere aperto o letto.");
    QTest::newRow("missing file, English") << QByteArray() << true << QStringLiteral("The File cannot be opened or read.");
}

void TestFileCommands::failedOpenChangesNothing()
{
    QFETCH(QByteArray, bad);
    QFETCH(bool, inEnglish);
    QFETCH(QString, start);
    const QString good = file("buono.txt", cycleFile(2, 300));
    open(good);
    const QByteArray before = storeBytes(*m_f);
    if (inEnglish)
        setTag(m_f->form->mnuConfigLanguage, QStringLiteral("E"));

    const QString broken = file("rotto.txt", bad);
    dialogs().answerOpenFile(broken);
    answers({MsgResult::Ok});
    run("mnuFileOpen");
    const platform::Message shown = dialogs().last();
    QVERIFY2(shown.text.startsWith(start), qPrintable(shown.text));
    QCOMPARE(shown.title, inEnglish ? QStringLiteral("Error Found") : QStringLiteral("Errore"));
    QCOMPARE(shown.icon, MsgIcon::Critical);
    QCOMPARE(dialogs().fileDialogs.last().title, inEnglish ? QStringLiteral("File Open") : QStringLiteral("Apri File"));
    QCOMPARE(storeBytes(*m_f), before);
    QCOMPARE(m_f->form->TransitionTime, QStringLiteral("00300"));
    QCOMPARE(m_f->form->FileName, good);
    QCOMPARE(panel1(*m_f), QStringLiteral("File: ") + good);

    // A Save now writes the old cycle into the old file and leaves the broken one alone.
    answers({MsgResult::Yes});
    run("mnuFileSave");
    QCOMPARE(readBytes(good), cycleFile(2, 300));
    QCOMPARE(readBytes(broken), bad);
}

void TestFileCommands::openWithoutTransitionLoads()
{
    const QString path = file("senza.txt", cycleFile(4).left(10 * 42));
    dialogs().answerOpenFile(path);
    answers({MsgResult::Ok});
    run("mnuFileOpen");
    QCOMPARE(texts(), QStringList{QStringLiteral("Tempo di Viraggio di fine ciclo non trovato (TransitionTime). E' "
                                                 "stato assegnato il valore di default (0).")});
    QCOMPARE(m_f->form->FileName, path);
    QCOMPARE(storeBytes(*m_f), cycleFile(4, 0));
}

void TestFileCommands::saveWithoutFileCancelled()
{
    answers({MsgResult::Yes});
    dialogs().answerSaveFile(std::nullopt);
    run("mnuFileSave");
    QCOMPARE(dialogs().last().text, QStringLiteral("Salvare il File! Confermi?"));
    QCOMPARE(dialogs().last().icon, MsgIcon::Question);
    QCOMPARE(dialogs().last().defaultButton, MsgResult::No);
    QVERIFY(dialogs().fileDialogs.last().save);
    QCOMPARE(dialogs().fileDialogs.last().title, QStringLiteral("Salva File"));
    QCOMPARE(m_f->form->FileName, QString());
    QCOMPARE(panel1(*m_f), QStringLiteral("File: Nessuno"));
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void TestFileCommands::saveOntoExistingFile_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("declined") << false;
    QTest::newRow("accepted") << true;
}

void TestFileCommands::saveOntoExistingFile()
{
    QFETCH(bool, overwrite);
    open(file("sorgente.txt", cycleFile(3)));
    m_f->form->FileName.clear(); // the cycle is in memory without a file

    const QString target = file("esistente.txt", cyclefile::templateFile());
    answers({MsgResult::Yes, overwrite ? MsgResult::Yes : MsgResult::No});
    dialogs().answerSaveFile(target);
    run("mnuFileSave");
    QCOMPARE(dialogs().last().text, QStringLiteral("Il File esiste! Sovrascrivere?"));
    QCOMPARE(dialogs().last().icon, MsgIcon::Exclamation);
    QCOMPARE(dialogs().last().defaultButton, MsgResult::No);
    QCOMPARE(readBytes(target), overwrite ? cycleFile(3) : cyclefile::templateFile());
    QCOMPARE(m_f->form->FileName, overwrite ? target : QString());
    QCOMPARE(panel1(*m_f), overwrite ? QStringLiteral("File: ") + target : QStringLiteral("File: Nessuno"));
}

void TestFileCommands::saveIntoOpenFile()
{
    const QString path = file("aperto.txt", cycleFile(3));
    open(path);
    m_f->form->table().row(2).setValue(Field::Green, 77);
    m_f->form->TransitionTime = QStringLiteral("00042");
    answers({MsgResult::Yes});
    run("mnuFileSave");
    const QByteArray written = readBytes(path);
    QCOMPARE(written, storeBytes(*m_f));
    QVERIFY(written.contains("\r\nColourPoint02 02 01000 00010 002 077 050\r\n"));
    QVERIFY(written.endsWith("\r\nTransitionTime 00042\r\n"));
    QCOMPARE(m_f->form->table().position(), 1);
}

void TestFileCommands::failedWriteIsReported()
{
    setTag(m_f->form->mnuConfigLanguage, QStringLiteral("E"));
    const QString target = file("no-such-folder/ciclo.txt");
    answers({MsgResult::Yes, MsgResult::Ok});
    dialogs().answerSaveFile(target);
    run("mnuFileSave");
    QCOMPARE(dialogs().fileDialogs.last().title, QStringLiteral("File Save"));
    const platform::Message shown = dialogs().last();
    QVERIFY2(shown.text.startsWith(QStringLiteral("File has not been written!")), qPrintable(shown.text));
    QVERIFY(shown.text.contains(target));
    QCOMPARE(shown.title, QStringLiteral("Warning"));
    QCOMPARE(shown.icon, MsgIcon::Exclamation);
    QCOMPARE(m_f->form->FileName, QString());
    QCOMPARE(panel1(*m_f), QStringLiteral("File: None"));

    // Exit's Yes does not end the program when its save failed.
    QSignalSpy ended(m_f->form.get(), &FormColour::programEnded);
    answers({MsgResult::Yes, MsgResult::Yes, MsgResult::Ok});
    dialogs().answerSaveFile(target);
    run("mnuFileExit");
    QCOMPARE(ended.count(), 0);
}

void TestFileCommands::saveAsOntoOpenFile()
{
    const QString path = file("stesso.txt", cycleFile(3));
    open(path);
    m_f->form->table().row(1).setValue(Field::Red, 100);
    answers({MsgResult::Yes, MsgResult::Ok});
    dialogs().answerSaveFile(path);
    run("mnuFileSaveAs");
    QCOMPARE(texts(), (QStringList{QStringLiteral("Salvare Con nuovo nome il File! Confermi?"),
                                   QStringLiteral("File Origine e Destinatario sono lo stesso File! Uasa il "
                                                  "Commando Salva.")}));
    QCOMPARE(dialogs().fileDialogs.last().title, QStringLiteral("Salva Come File"));
    QCOMPARE(readBytes(path), cycleFile(3));
    QCOMPARE(m_f->form->FileName, path);
}

void TestFileCommands::saveAsDeclinedNamesTheFile()
{
    open(file("primo.txt", cycleFile(3)));
    const QString other = file("altro.txt", cyclefile::templateFile());
    answers({MsgResult::Yes, MsgResult::No});
    dialogs().answerSaveFile(other);
    run("mnuFileSaveAs");
    QCOMPARE(readBytes(other), cyclefile::templateFile());
    QCOMPARE(m_f->form->FileName, other);
    QCOMPARE(panel1(*m_f), QStringLiteral("File: ") + other);

    // A later Save writes into the file Save As named.
    answers({MsgResult::Yes});
    run("mnuFileSave");
    QCOMPARE(readBytes(other), cycleFile(3));
}

void TestFileCommands::closeAsksTwice_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("save declined") << false;
    QTest::newRow("save accepted") << true;
}

void TestFileCommands::closeAsksTwice()
{
    QFETCH(bool, save);
    const QString path = file("chiudi.txt", cycleFile(3));
    open(path);
    m_f->form->table().row(3).setValue(Field::Blue, 99);
    const QByteArray edited = storeBytes(*m_f);

    answers({MsgResult::Yes, save ? MsgResult::Yes : MsgResult::No});
    run("mnuFileClose");
    QCOMPARE(texts(), (QStringList{QStringLiteral("Chiudi! Confermi?"), QStringLiteral("Salvare il File! Confermi?")}));
    QCOMPARE(readBytes(path), save ? edited : cycleFile(3));
    QCOMPARE(storeBytes(*m_f), cyclefile::templateFile());
    QCOMPARE(m_f->form->PointCount, quint8(1));
    QCOMPARE(panel1(*m_f), QStringLiteral("File: Nessuno"));
    QCOMPARE(m_f->field(QStringLiteral("TextBlue"))->text(), QStringLiteral("000"));
}

void TestFileCommands::vanishedFileKeepsCycleOnCloseAndExit()
{
    const QString path = file("perso.txt", cycleFile(3));
    open(path);
    QVERIFY(QFile::remove(path));
    answers({MsgResult::Yes, MsgResult::Yes, MsgResult::Ok});
    run("mnuFileClose");
    QCOMPARE(dialogs().last().text, QStringLiteral("Il File non è stato trovato!"));
    QCOMPARE(dialogs().last().title, QStringLiteral("Attenzione"));
    QCOMPARE(storeBytes(*m_f), cycleFile(3));
    QCOMPARE(m_f->form->FileName, path);
    QVERIFY(!QFile::exists(path));

    QSignalSpy ended(m_f->form.get(), &FormColour::programEnded);
    answers({MsgResult::Yes, MsgResult::Yes, MsgResult::Ok});
    run("mnuFileExit");
    QCOMPARE(ended.count(), 0);
    // Declining the save is the user's choice: the program ends.
    answers({MsgResult::Yes, MsgResult::No});
    run("mnuFileExit");
    QCOMPARE(ended.count(), 1);
}

void TestFileCommands::deleteWithoutFile()
{
    m_f->form->table().row(1).setValue(Field::Red, 40);
    m_f->form->DataBaseRead();
    answers({MsgResult::Yes});
    run("mnuFileDelete");
    QCOMPARE(texts(), QStringList{QStringLiteral("cancella! Confermi?")});
    QCOMPARE(dialogs().last().icon, MsgIcon::Exclamation);
    QCOMPARE(storeBytes(*m_f), cyclefile::templateFile());
    QCOMPARE(panel1(*m_f), QStringLiteral("File: Nessuno"));
    // The editor still shows the point it showed.
    QCOMPARE(m_f->field(QStringLiteral("TextRed"))->text(), QStringLiteral("040"));
}

void TestFileCommands::deleteOpenFile()
{
    const QString path = file("via.txt", cycleFile(4));
    open(path);
    answers({MsgResult::No});
    run("mnuFileDelete");
    QVERIFY(QFile::exists(path));
    QCOMPARE(storeBytes(*m_f), cycleFile(4));

    answers({MsgResult::Yes});
    run("mnuFileDelete");
    QVERIFY(!QFile::exists(path));
    QCOMPARE(storeBytes(*m_f), cyclefile::templateFile());
    QCOMPARE(m_f->form->FileName, QString());
    QCOMPARE(m_f->field(QStringLiteral("TextRed"))->text(), QStringLiteral("000"));
}

void TestFileCommands::createWritesTemplate_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("new file") << false << false;
    QTest::newRow("existing, declined") << true << false;
    QTest::newRow("existing, accepted") << true << true;
}

void TestFileCommands::createWritesTemplate()
{
    QFETCH(bool, exists);
    QFETCH(bool, overwrite);
    const QString path = file("aperto.txt", cycleFile(3));
    open(path);
    const QString target = file("nuovo ü.txt", exists ? cycleFile(5) : QByteArray());
    dialogs().answerSaveFile(target);
    if (exists)
        answers({overwrite ? MsgResult::Yes : MsgResult::No});
    run("mnuFileCreate");
    QCOMPARE(dialogs().fileDialogs.last().title, QStringLiteral("Crea File"));
    QVERIFY(dialogs().fileDialogs.last().save);
    QCOMPARE(readBytes(target), exists && !overwrite ? cycleFile(5) : cyclefile::templateFile());
    QCOMPARE(storeBytes(*m_f), cycleFile(3));
    QCOMPARE(m_f->form->FileName, path);
}

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
