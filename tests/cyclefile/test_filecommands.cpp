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
    void openInEnglish();
    void openCancelledChangesNothing();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void openWithoutTransitionLoads();

    void saveWithoutFileCancelled();
    void saveOntoExistingFile_data();
    void saveOntoExistingFile();
    void saveIntoOpenFile();
    void saveOfVanishedFile();
    void failedSaveIsReported();
    void saveAsOntoOpenFile();
    void saveAsDeclinedNamesTheFile();

    void closeAsksTwice_data();
    void closeAsksTwice();
    void closeKeepsCycleWhenSaveFails();
    void deleteWithoutFile();
    void deleteOpenFile();
    void createWritesTemplate_data();
    void createWritesTemplate();

    void exitEndsOnlyWhenSaveDidNotFail();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FormFixture> m_f;
    QString path(const char *name) const { return m_dir->filePath(QString::fromUtf8(name)); }
    // Opens `file` through File Open, expecting no message.
    void open(const QString &file);
};

void TestFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_f = std::make_unique<FormFixture>();
}

void TestFileCommands::cleanup()
{
    QVERIFY(m_f->dialogs.allAnswered());
    m_f.reset();
    m_dir.reset();
}

void TestFileCommands::open(const QString &file)
{
    const qsizetype before = m_f->dialogs.shown.size();
    m_f->dialogs.answerOpenFile(file);
    QVERIFY(m_f->trigger(QStringLiteral("mnuFileOpen")));
    QCOMPARE(m_f->dialogs.shown.size(), before);
}

void TestFileCommands::openLoadsCycle()
{
    const QString file = path("ciclo è.txt");
    writeBytes(file, cycleFile(3, 120));
    open(file);

    const auto &d = m_f->dialogs.fileDialogs.last();
    QVERIFY(!d.save);
    QCOMPARE(d.title, QStringLiteral("Apri File"));
    QCOMPARE(d.fileName, QString());
    QVERIFY(d.filter.contains(QStringLiteral("*.txt")));
    QCOMPARE(m_f->form->FileName, file);
    QCOMPARE(panel1(*m_f), QStringLiteral("File: ") + file);
    QCOMPARE(m_f->form->FileStatusEnglish, QStringLiteral("File: ") + file);
    QCOMPARE(m_f->form->TransitionTime, QStringLiteral("00120"));
    QCOMPARE(m_f->form->PointCurrent, quint8(1));
    QCOMPARE(storeBytes(*m_f), cycleFile(3, 120));
    // The editor shows point 1.
    QCOMPARE(m_f->field(QStringLiteral("TextPointID"))->text(), QStringLiteral("01"));
    QCOMPARE(m_f->field(QStringLiteral("TextRed"))->text(), QStringLiteral("001"));
}

void TestFileCommands::openInEnglish()
{
    setTag(m_f->form->mnuConfigLanguage, QStringLiteral("E"));
    const QString file = path("bad.txt");
    writeBytes(file, QByteArrayLiteral("ColourPoint02 01 00000 00000 000 000 000\r\n"));
    m_f->dialogs.answerOpenFile(file);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileOpen"));
    QCOMPARE(m_f->dialogs.fileDialogs.last().title, QStringLiteral("File Open"));
    QCOMPARE(m_f->dialogs.last().title, QStringLiteral("Error Found"));
    QVERIFY(m_f->dialogs.last().text.startsWith(QStringLiteral("The Colour Point row 01 of the File has the Text wrong.")));
}

void TestFileCommands::openCancelledChangesNothing()
{
    const QString before = panel1(*m_f);
    m_f->dialogs.answerOpenFile(std::nullopt);
    m_f->trigger(QStringLiteral("mnuFileOpen"));
    QCOMPARE(panel1(*m_f), before);
    QCOMPARE(m_f->form->FileName, QString());
    QVERIFY(m_f->dialogs.shown.isEmpty());
}

void TestFileCommands::failedOpenChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bad"); // empty: the file does not exist
    QTest::addColumn<QString>("italianStart");
    QByteArray partial = cycleFile(5);
    partial.replace("ColourPoint04 04 03000", "ColourPoint04 04 03x00");
    QTest::newRow("bad digit in row 4") << partial << QStringLiteral("Il Punto Colore 04 ha il Valore Tempo Non Numerico.");
    QTest::newRow("short line") << QByteArray(cycleFile(5).left(42 * 2 + 20) + "\r\n")
                                << QStringLiteral("Il Punto Colore 03 del file termina prima del Valore Tempo.");
    QTest::newRow("bad transition") << QByteArray(cycleFile(5).chopped(7) + "0x000\r\n")
                                    << QStringLiteral("Il Tempo di Viraggio di fine Ciclo Non è Numerico");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("Il File non può essere aperto o letto.");
}

void TestFileCommands::failedOpenChangesNothing()
{
    QFETCH(QByteArray, bad);
    QFETCH(QString, italianStart);
    const QString good = path("buono.txt");
    writeBytes(good, cycleFile(2, 300));
    open(good);
    const QByteArray before = storeBytes(*m_f);

    const QString file = path("rotto.txt");
    if (!bad.isEmpty())
        writeBytes(file, bad);
    m_f->dialogs.answerOpenFile(file);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileOpen"));

    const platform::Message shown = m_f->dialogs.last();
    QVERIFY2(shown.text.startsWith(italianStart), qPrintable(shown.text));
    QCOMPARE(shown.title, QStringLiteral("Errore"));
    QCOMPARE(shown.icon, MsgIcon::Critical);
    QCOMPARE(storeBytes(*m_f), before);
    QCOMPARE(m_f->form->TransitionTime, QStringLiteral("00300"));
    QCOMPARE(m_f->form->FileName, good);
    QCOMPARE(panel1(*m_f), QStringLiteral("File: ") + good);

    // A Save after the failure writes the old cycle into the old file, never
    // a partial cycle into the file that failed.
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->trigger(QStringLiteral("mnuFileSave"));
    QCOMPARE(readBytes(good), cycleFile(2, 300));
    if (!bad.isEmpty())
        QCOMPARE(readBytes(file), bad);
}

void TestFileCommands::openWithoutTransitionLoads()
{
    const QString file = path("senza.txt");
    QByteArray bytes = cycleFile(4);
    bytes.truncate(10 * 42);
    writeBytes(file, bytes);
    m_f->dialogs.answerOpenFile(file);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileOpen"));
    QCOMPARE(m_f->dialogs.last().text,
             QStringLiteral("Tempo di Viraggio di fine ciclo non trovato (TransitionTime). E' stato assegnato il "
                            "valore di default (0)."));
    QCOMPARE(m_f->form->FileName, file);
    QCOMPARE(m_f->form->TransitionTime, QStringLiteral("00000"));
    QCOMPARE(storeBytes(*m_f), cycleFile(4, 0));
}

void TestFileCommands::saveWithoutFileCancelled()
{
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerSaveFile(std::nullopt);
    m_f->trigger(QStringLiteral("mnuFileSave"));
    QCOMPARE(m_f->dialogs.shown.first().text, QStringLiteral("Salvare il File! Confermi?"));
    QCOMPARE(m_f->dialogs.shown.first().icon, MsgIcon::Question);
    QCOMPARE(m_f->dialogs.shown.first().defaultButton, MsgResult::No);
    const auto &d = m_f->dialogs.fileDialogs.last();
    QVERIFY(d.save);
    QCOMPARE(d.title, QStringLiteral("Salva File"));
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
    const QString source = path("sorgente.txt");
    writeBytes(source, cycleFile(3));
    open(source);
    // The cycle is now in memory without a file.
    m_f->form->FileName.clear();

    const QString target = path("esistente.txt");
    writeBytes(target, cyclefile::templateFile());
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerSaveFile(target);
    m_f->dialogs.answerMessage(overwrite ? MsgResult::Yes : MsgResult::No);
    m_f->trigger(QStringLiteral("mnuFileSave"));

    QCOMPARE(m_f->dialogs.last().text, QStringLiteral("Il File esiste! Sovrascrivere?"));
    QCOMPARE(m_f->dialogs.last().icon, MsgIcon::Exclamation);
    QCOMPARE(m_f->dialogs.last().defaultButton, MsgResult::No);
    QCOMPARE(readBytes(target), overwrite ? cycleFile(3) : cyclefile::templateFile());
    QCOMPARE(m_f->form->FileName, overwrite ? target : QString());
    QCOMPARE(panel1(*m_f), overwrite ? QStringLiteral("File: ") + target : QStringLiteral("File: Nessuno"));
}

void TestFileCommands::saveIntoOpenFile()
{
    const QString file = path("aperto.txt");
    writeBytes(file, cycleFile(3));
    open(file);
    m_f->form->table().row(2).setValue(Field::Green, 77);
    m_f->form->TransitionTime = QStringLiteral("00042");
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->trigger(QStringLiteral("mnuFileSave"));
    const QByteArray written = readBytes(file);
    QCOMPARE(written, storeBytes(*m_f));
    QVERIFY(written.contains("ColourPoint02 02 01000 00010 002 077 050\r\n"));
    QVERIFY(written.endsWith("TransitionTime 00042\r\n"));
    QCOMPARE(m_f->form->table().position(), 1);
}

void TestFileCommands::saveOfVanishedFile()
{
    const QString file = path("sparito.txt");
    writeBytes(file, cycleFile(2));
    open(file);
    QVERIFY(QFile::remove(file));
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileSave"));
    QCOMPARE(m_f->dialogs.last().text, QStringLiteral("Il File non è stato trovato!"));
    QCOMPARE(m_f->dialogs.last().title, QStringLiteral("Attenzione"));
    QCOMPARE(m_f->form->FileName, file);
    QVERIFY(!QFile::exists(file));
}

void TestFileCommands::failedSaveIsReported()
{
    setTag(m_f->form->mnuConfigLanguage, QStringLiteral("E"));
    const QString target = path("no-such-folder/ciclo.txt");
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerSaveFile(target);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileSave"));
    const platform::Message shown = m_f->dialogs.last();
    QVERIFY2(shown.text.startsWith(QStringLiteral("File has not been written!")), qPrintable(shown.text));
    QVERIFY(shown.text.contains(target));
    QCOMPARE(shown.title, QStringLiteral("Warning"));
    QCOMPARE(shown.icon, MsgIcon::Exclamation);
    QCOMPARE(m_f->form->FileName, QString());
    QCOMPARE(panel1(*m_f), QStringLiteral("File: None"));
}

void TestFileCommands::saveAsOntoOpenFile()
{
    const QString file = path("stesso.txt");
    writeBytes(file, cycleFile(3));
    open(file);
    m_f->form->table().row(1).setValue(Field::Red, 100);
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerSaveFile(file);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileSaveAs"));
    QCOMPARE(m_f->dialogs.shown.first().text, QStringLiteral("Salvare Con nuovo nome il File! Confermi?"));
    QCOMPARE(m_f->dialogs.fileDialogs.last().title, QStringLiteral("Salva Come File"));
    QCOMPARE(m_f->dialogs.last().text,
             QStringLiteral("File Origine e Destinatario sono lo stesso File! Uasa il Commando Salva."));
    QCOMPARE(readBytes(file), cycleFile(3));
    QCOMPARE(m_f->form->FileName, file);
}

void TestFileCommands::saveAsDeclinedNamesTheFile()
{
    const QString file = path("primo.txt");
    const QString other = path("altro.txt");
    writeBytes(file, cycleFile(3));
    writeBytes(other, cyclefile::templateFile());
    open(file);
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerSaveFile(other);
    m_f->dialogs.answerMessage(MsgResult::No);
    m_f->trigger(QStringLiteral("mnuFileSaveAs"));
    QCOMPARE(readBytes(other), cyclefile::templateFile());
    QCOMPARE(m_f->form->FileName, other);
    QCOMPARE(panel1(*m_f), QStringLiteral("File: ") + other);

    // A later Save writes into the file Save As named.
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->trigger(QStringLiteral("mnuFileSave"));
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
    const QString file = path("chiudi.txt");
    writeBytes(file, cycleFile(3));
    open(file);
    m_f->form->table().row(3).setValue(Field::Blue, 99);
    const QByteArray edited = storeBytes(*m_f);

    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(save ? MsgResult::Yes : MsgResult::No);
    m_f->trigger(QStringLiteral("mnuFileClose"));
    QCOMPARE(m_f->dialogs.shown.size(), 2);
    QCOMPARE(m_f->dialogs.shown[0].text, QStringLiteral("Chiudi! Confermi?"));
    QCOMPARE(m_f->dialogs.shown[1].text, QStringLiteral("Salvare il File! Confermi?"));
    QCOMPARE(readBytes(file), save ? edited : cycleFile(3));
    QCOMPARE(storeBytes(*m_f), cyclefile::templateFile());
    QCOMPARE(m_f->form->PointCount, quint8(1));
    QCOMPARE(m_f->form->FileName, QString());
    QCOMPARE(panel1(*m_f), QStringLiteral("File: Nessuno"));
    QCOMPARE(m_f->field(QStringLiteral("TextBlue"))->text(), QStringLiteral("000"));
}

void TestFileCommands::closeKeepsCycleWhenSaveFails()
{
    const QString file = path("perso.txt");
    writeBytes(file, cycleFile(3));
    open(file);
    QVERIFY(QFile::remove(file));
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileClose"));
    QCOMPARE(m_f->dialogs.last().text, QStringLiteral("Il File non è stato trovato!"));
    QCOMPARE(storeBytes(*m_f), cycleFile(3));
    QCOMPARE(m_f->form->FileName, file);
}

void TestFileCommands::deleteWithoutFile()
{
    // A point shown in the editor, not from any file.
    m_f->form->table().row(1).setValue(Field::Red, 40);
    m_f->form->table().MoveFirst();
    m_f->form->DataBaseRead();
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->trigger(QStringLiteral("mnuFileDelete"));
    QCOMPARE(m_f->dialogs.shown.size(), 1);
    QCOMPARE(m_f->dialogs.shown[0].text, QStringLiteral("cancella! Confermi?"));
    QCOMPARE(m_f->dialogs.shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(storeBytes(*m_f), cyclefile::templateFile());
    QCOMPARE(panel1(*m_f), QStringLiteral("File: Nessuno"));
    QCOMPARE(m_f->field(QStringLiteral("TextRed"))->text(), QStringLiteral("040"));
}

void TestFileCommands::deleteOpenFile()
{
    const QString file = path("via.txt");
    writeBytes(file, cycleFile(4));
    open(file);
    m_f->dialogs.answerMessage(MsgResult::No);
    m_f->trigger(QStringLiteral("mnuFileDelete"));
    QVERIFY(QFile::exists(file));
    QCOMPARE(storeBytes(*m_f), cycleFile(4));

    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->trigger(QStringLiteral("mnuFileDelete"));
    QVERIFY(!QFile::exists(file));
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
    const QString file = path("aperto.txt");
    writeBytes(file, cycleFile(3));
    open(file);
    const QString target = path("nuovo ü.txt");
    if (exists)
        writeBytes(target, cycleFile(5));
    m_f->dialogs.answerSaveFile(target);
    if (exists)
        m_f->dialogs.answerMessage(overwrite ? MsgResult::Yes : MsgResult::No);
    m_f->trigger(QStringLiteral("mnuFileCreate"));
    QCOMPARE(m_f->dialogs.fileDialogs.last().title, QStringLiteral("Crea File"));
    QVERIFY(m_f->dialogs.fileDialogs.last().save);
    QCOMPARE(readBytes(target), exists && !overwrite ? cycleFile(5) : cyclefile::templateFile());
    QCOMPARE(storeBytes(*m_f), cycleFile(3));
    QCOMPARE(m_f->form->FileName, file);
}

void TestFileCommands::exitEndsOnlyWhenSaveDidNotFail()
{
    QSignalSpy ended(m_f->form.get(), &FormColour::programEnded);
    const QString file = path("uscita.txt");
    writeBytes(file, cycleFile(3));
    open(file);
    QVERIFY(QFile::remove(file));

    // Yes to Exit, Yes to the save, and the save fails: the program goes on.
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(MsgResult::Ok);
    m_f->trigger(QStringLiteral("mnuFileExit"));
    QCOMPARE(ended.count(), 0);
    QCOMPARE(storeBytes(*m_f), cycleFile(3));

    // Declining the save is the user's choice: the program ends.
    m_f->dialogs.answerMessage(MsgResult::Yes);
    m_f->dialogs.answerMessage(MsgResult::No);
    m_f->trigger(QStringLiteral("mnuFileExit"));
    QCOMPARE(ended.count(), 1);
}

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
