// The main window as a user meets it: start-up state, the start-up progress
// and menu gating tick by tick, the toolbar dispatch, Exit and the time
// display switch.

#include "app/tags.h"
#include "platform/icons.h"
#include "support/formfixture.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <functional>

using namespace Qt::StringLiterals;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUp();
    void toolbarDispatchIsExactAndCaseSensitive_data();
    void toolbarDispatchIsExactAndCaseSensitive();
    void exitAnswers_data();
    void exitAnswers();
    void timeDisplayRoundTrips_data();
    void timeDisplayRoundTrips();
    void everyButtonAndPictureFindsItsImage();
    void settingsComeBackAtTheNextStart();
};

// The start as a user meets it: the Italian status bar and an empty point 01
// in hh:mm:ss, with nothing yet to edit, move or walk through; the menus
// during the start-up progress (which items are off or ticked, their
// shortcuts, no two alike or neither would fire, the lengths of the lists and
// the toolbar's order), and the progress's ticks that end the gating. The
// captions are the language test's.
void TestMainWindow::startUp()
{
    FormFixture f(false);
    FormColour &w = *f.form;
    QVERIFY(w.windowTitle() == u"Orvanta[*]"_s && !w.isWindowModified());
    QStringList shown{child<QLabel>(w, "StatusBarPanel1")->text(), child<QLabel>(w, "StatusBarPanel2")->text()};
    for (const char *name :
         {"TextPointID", "TextTime", "TextLength", "TextTransition", "TextRed", "TextGreen", "TextBlue"})
        shown << f.field(QString::fromLatin1(name))->text();
    QCOMPARE(shown.join(u'|'),
             u"File: Nessuno|Nessuna Scheda USB Abilitata|01|00:00:00|00:00:00|00:00:00|000|000|000"_s);
    QVERIFY(!child<QLabel>(w, "LabelRange")->isVisibleTo(&w));
    for (const char *name :
         {"CommandFirst", "CommandPrevious", "CommandNext", "CommandLast", "CommandRemove", "CommandInsert",
          "CommandEdit", "CommandMoveShift", "CommandSave", "CommandAnnul", "CommandColor"})
        QVERIFY2(!f.button(QString::fromLatin1(name))->isEnabled(), name);

    // Each item: its name, "off" or "ticked" when so, and its shortcut.
    const QStringList items =
        QStringLiteral(
            "mnuFile off;mnuFileCreate Ctrl+C;mnuFileOpen Ctrl+O;mnuFileSave Ctrl+S;mnuFileSaveAs Ctrl+A;"
            "mnuFileClose Ctrl+L;mnuFileDelete Ctrl+D;mnuFileExit;mnuUSB off;mnuUSBComPortA ticked;mnuUSBComPortS off;"
            "mnuUSBComPort16;mnuUsbOn Ctrl+U;mnuUsbEmulatorOn off Ctrl+E;mnuUsbInterfaceOn off Ctrl+I;"
            "mnuUsbInterfaceOnCycle off;mnuUsbInterfaceOnCycle8 Ctrl+F8;mnuUsbInterfaceOnCommandRd Ctrl+R;"
            "mnuUsbInterfaceOnCommandEr off;mnuEnable off;mnuSimulatorConfiguration off;mnuSimulatorSpeedR ticked;"
            "mnuSimulatorSpeedIHS;mnuSimulatorSpeedD10;mnuConfig off;mnuConfigLanguage;mnuHelp;mnuInfo;mnuInfoBoard "
            "off")
            .split(u';');
    for (const QString &item : items) {
        QStringList words = item.split(u' ');
        QAction *a = w.menuItem(words.takeFirst());
        QVERIFY2(a, qPrintable(item));
        QVERIFY2(a->isEnabled() == !words.removeOne(QStringLiteral("off")), qPrintable(item));
        QVERIFY2(a->isChecked() == words.removeOne(QStringLiteral("ticked")), qPrintable(item));
        QCOMPARE(a->shortcut().toString(), words.value(0));
    }
    QSet<QString> shortcuts;
    for (QAction *a : w.findChildren<QAction *>()) {
        const QString keys = a->shortcut().toString();
        QVERIFY2(keys.isEmpty() || !shortcuts.contains(keys), qPrintable(keys));
        shortcuts.insert(keys);
    }
    // The sixteen ports, the eight slots and the fifteen speeds.
    QCOMPARE(w.findChild<QMenu *>(QStringLiteral("mnuUSBComPortS"))->actions().size(), 16);
    QCOMPARE(w.findChild<QMenu *>(QStringLiteral("mnuUsbInterfaceOnCycle"))->actions().size(), 8);
    const QList<QAction *> simulator = w.findChild<QMenu *>(QStringLiteral("mnuSimulatorConfiguration"))->actions();
    QCOMPARE(simulator.size(), 1 + 1 + 15);
    QVERIFY(simulator.at(1)->isSeparator());

    // The toolbar: keyed buttons in order, a separator between the groups.
    QStringList layout;
    for (QAction *a : child<QToolBar>(w, "Toolbar")->actions())
        layout << (a->isSeparator() ? QStringLiteral("|") : a->property("Key").toString());
    QCOMPARE(layout.join(u' '),
             QStringLiteral(
                 "Create Open Save SaveAs Close Delete | Undo Redo | USBOn USBEm USBIn | Cycle1 Cycle2 Cycle3 Cycle4 "
                 "Cycle5 Cycle6 Cycle7 Cycle8 | Read Write Rename Stop | Language | Exit"));

    // The progress after each tick: shown or hidden with its value, start-up
    // done, and the gated menus and the toolbar on (1) or off (0).
    const auto progress = [&w] {
        QString out = child<QProgressBar>(w, "ProgressBarWait")->isVisibleTo(&w)
                          ? QString::number(child<QProgressBar>(w, "ProgressBarWait")->value())
                          : u"-"_s;
        out += tag(child<QProgressBar>(w, "ProgressBarWait")) + (w.startupDone() ? u"D "_s : u" "_s);
        for (bool on : {child<QAction>(w, "mnuFile")->isEnabled(), child<QAction>(w, "mnuUSB")->isEnabled(),
                        child<QAction>(w, "mnuEnable")->isEnabled(), child<QAction>(w, "mnuConfig")->isEnabled(),
                        child<QToolBar>(w, "Toolbar")->isEnabled()})
            out += on ? u'1' : u'0';
        return out;
    };
    QStringList ticks{progress()};
    for (int tick = 1; tick <= 5; ++tick) {
        if (tick == 4) { // switching the board on this early changes nothing, by shortcut or item
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(&w, Qt::Key_U, Qt::ControlModifier);
            w.mnuUsbOn_Click();
            QVERIFY(!w.menuItem(QStringLiteral("mnuUsbOn"))->isChecked()
                    && tag(child<QProgressBar>(w, "ProgressBarWait")) == u"S"_s);
        }
        f.tick();
        ticks << progress();
    }
    QCOMPARE(ticks,
             QStringList({u"0S 00000"_s, u"1S 00000"_s, u"2S 00000"_s, u"3S 00000"_s, u"-HD 00000"_s, u"-HD 11111"_s}));
}

void TestMainWindow::toolbarDispatchIsExactAndCaseSensitive_data()
{
    // The dialog each key's command opens first: a message's title, or the
    // title of the file dialog; empty when the key must do nothing. A slot
    // key selects its slot ("0": none).
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fileDialog");
    QTest::addColumn<QString>("slot");
    const auto row = [](const char *name, const char *key, const char *message = "", const char *fileDialog = "") {
        QTest::newRow(name) << QString::fromLatin1(key) << QString::fromLatin1(message)
                            << QString::fromLatin1(fileDialog) << QStringLiteral("0");
    };
    row("Exit", "Exit", "Attenzione");
    row("Open", "Open", "", "Apri File");
    row("SaveAs asks first", "SaveAs", "Attenzione");
    row("Create", "Create", "", "Crea File");
    for (int slot = 1; slot <= 8; ++slot)
        QTest::addRow("Cycle%d", slot) << QStringLiteral("Cycle%1").arg(slot) << QString() << QString()
                                       << QString::number(slot);
    row("lower case exit", "exit");
    row("trailing blank", "Exit ");
    row("cycle 9", "Cycle9");
}

void TestMainWindow::toolbarDispatchIsExactAndCaseSensitive()
{
    QFETCH(QString, key);
    QFETCH(QString, message);
    QFETCH(QString, fileDialog);
    FormFixture f;
    if (!message.isEmpty())
        f.dialogs.answerMessage(key == u"Exit" ? MsgResult::Cancel : MsgResult::No);
    if (!fileDialog.isEmpty()) {
        f.dialogs.answerOpenFile(std::nullopt);
        f.dialogs.answerSaveFile(std::nullopt);
    }
    // The slot keys act while the slot list is offered, as in interface mode.
    f.form->menuItem(QStringLiteral("mnuUsbInterfaceOn"))->setChecked(true);
    f.form->menuItem(QStringLiteral("mnuUsbInterfaceOnCycle"))->setEnabled(true);
    f.form->Toolbar_ButtonClick(key);
    QCOMPARE(f.dialogs.shown.isEmpty() ? QString() : f.dialogs.shown.first().title, message);
    QCOMPARE(f.dialogs.fileDialogs.isEmpty() ? QString() : f.dialogs.fileDialogs.first().title, fileDialog);
    QTEST(QString::number(f.form->boardSession().selectedSlot()), "slot");
    QVERIFY(f.form->isEnabled());
}

void TestMainWindow::exitAnswers_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("closeButton"); // the window's close button instead of Exit
    QTest::newRow("cancel goes on") << false << MsgResult::Cancel << false << false;
    QTest::newRow("no ends") << false << MsgResult::No << true << false;
    QTest::newRow("english no") << true << MsgResult::No << true << false;
    // Yes asks the save question first; declining it still ends the program.
    // Yes ends only with the cycle saved: declining the save keeps the program.
    QTest::newRow("yes, save declined") << false << MsgResult::Yes << false << false;
    // The close button asks the same question with the same outcomes.
    QTest::newRow("close, cancel") << false << MsgResult::Cancel << false << true;
    QTest::newRow("close, yes") << true << MsgResult::Yes << false << true;
}

void TestMainWindow::exitAnswers()
{
    QFETCH(bool, english);
    QFETCH(MsgResult, answer);
    QFETCH(bool, ends);
    QFETCH(bool, closeButton);
    FormFixture f;
    FormColour &w = *f.form;
    w.show();
    if (english)
        child<QAction>(w, "mnuConfigLanguage")->trigger();
    QSignalSpy ended(&w, &FormColour::programEnded);
    f.dialogs.answerMessage(answer);
    if (answer == MsgResult::Yes)
        f.dialogs.answerMessage(MsgResult::No);
    if (closeButton)
        w.close();
    else
        QVERIFY(f.trigger(QStringLiteral("mnuFileExit")));
    QVERIFY(f.dialogs.allAnswered());

    const platform::Message &m = f.dialogs.shown.first();
    QVERIFY(m.icon == MsgIcon::Question && m.buttons == MsgButtons::YesNoCancel
            && m.defaultButton == MsgResult::Cancel);
    QCOMPARE(m.title + u'|' + m.text, english
                                          ? u"Warning|Before to exit,\rWould you like to save the selected File?"_s
                                          : u"Attenzione|Prima di Uscire,\rDesideri salvare il File selezionato?"_s);
    // No ends without any further question; Yes asks whether to save.
    QCOMPARE((QList<int>{int(ended.count()), w.isVisible(), int(f.dialogs.shown.size())}),
             (QList<int>{ends, !ends, answer == MsgResult::Yes ? 2 : 1}));
}

void TestMainWindow::timeDisplayRoundTrips_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("hms");
    QTest::addColumn<QString>("back");
    QTest::newRow("100 s") << u"00100"_s << u"00:01:40"_s << u"00100"_s;
    QTest::newRow("90000 clamps on the way back") << u"90000"_s << u"25:00:00"_s << u"86400"_s;
    QTest::newRow("empty") << QString() << u"00:00:00"_s << u"00000"_s;
}

// The switch converts the three time fields both ways and writes its own
// caption ("Tempo", not the language switch's "Tempi"), the simulator clock
// and the carets; the labels are the language test's.
void TestMainWindow::timeDisplayRoundTrips()
{
    QFETCH(QString, seconds);
    QFETCH(QString, hms);
    QFETCH(QString, back);
    FormFixture f;
    FormColour &w = *f.form;
    const auto texts = [&w] {
        return QStringList{child<QLineEdit>(w, "TextTime")->text(), child<QLineEdit>(w, "TextLength")->text(),
                           child<QLineEdit>(w, "TextTransition")->text()};
    };
    w.mnuConfigTimeViewer_Click(); // to seconds
    QCOMPARE(tag(child<QAction>(w, "mnuConfigTimeViewer")) + child<QAction>(w, "mnuConfigTimeViewer")->text()
                 + child<QLabel>(w, "LabelSimulatorTime")->text(),
             u"STempo = Secondi00000"_s);
    QCOMPARE((QList<int>{child<QLineEdit>(w, "TextTime")->cursorPosition(),
                         w.acceptedTime(child<QLineEdit>(w, "TextTime")).second,
                         w.acceptedTime(child<QLineEdit>(w, "TextTransition")).second}),
             (QList<int>{5, 5, 5}));
    for (QLineEdit *box :
         {child<QLineEdit>(w, "TextTime"), child<QLineEdit>(w, "TextLength"), child<QLineEdit>(w, "TextTransition")})
        box->setText(seconds);
    child<QAction>(w, "mnuConfigLanguage")->trigger();
    w.mnuConfigTimeViewer_Click();
    QCOMPARE(texts(), QStringList(3, hms));
    QCOMPARE(child<QAction>(w, "mnuConfigTimeViewer")->text() + child<QLabel>(w, "LabelSimulatorTime")->text(),
             u"Time = hh:mm:ss00:00:00"_s);
    QCOMPARE((QList<int>{child<QLineEdit>(w, "TextLength")->cursorPosition(),
                         w.acceptedTime(child<QLineEdit>(w, "TextLength")).second}),
             (QList<int>{8, 8}));
    w.mnuConfigTimeViewer_Click();
    QCOMPARE(texts(), QStringList(3, back));
    for (const char *field : {"TextTime", "TextLength", "TextTransition"})
        QCOMPARE(w.acceptedTime(child<QLineEdit>(w, field)).first, back);
}

// Icons are read when first drawn, so a misspelt name would only show as a
// blank button; every image must be there, at both densities.
void TestMainWindow::everyButtonAndPictureFindsItsImage()
{
    FormFixture f(false);
    FormColour &w = *f.form;
    const auto drawable = [](const QIcon &icon) {
        const QPixmap normal = icon.pixmap(QSize(24, 24));
        return !normal.isNull() && normal.size() == QSize(24, 24)
               && !icon.pixmap(QSize(24, 24), QIcon::Disabled).isNull();
    };
    int buttons = 0;
    for (QPushButton *button : w.findChildren<QPushButton *>()) {
        QVERIFY2(drawable(button->icon()), qPrintable(button->objectName()));
        ++buttons;
    }
    QVERIFY(buttons >= 20);
    int actions = 0;
    for (QAction *action : child<QToolBar>(w, "Toolbar")->actions()) {
        if (action->isSeparator())
            continue;
        QVERIFY2(drawable(action->icon()), qPrintable(action->text()));
        ++actions;
    }
    QCOMPARE(actions, 25);
    QStringList names;
    for (QLabel *label : w.findChildren<QLabel *>()) {
        if (!icons::pictureName(label).isEmpty()) {
            QVERIFY2(drawable(icons::picture(label)), qPrintable(label->objectName()));
            names << icons::pictureName(label);
        }
    }
    QCOMPARE(names.size(), 9);
    names << QStringLiteral("save_point") << QStringLiteral("pause") << QStringLiteral("cycle1");
    for (const QString &name : names)
        QVERIFY2(QFile::exists(QStringLiteral(":/icons/%1@2x.png").arg(name)), qPrintable(name));
}

// The settings, in a settings file of the test's own: the first start
// without any is the usual start; what the user changed comes back at the
// next start after Exit; a window geometry from a bigger screen is not
// restored beyond today's screen.
void TestMainWindow::settingsComeBackAtTheNextStart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orvanta.conf"));
    const QString folder = dir.filePath(QStringLiteral("cycles"));
    const auto started = [&path](const std::function<void(FormFixture &)> &check) {
        QSettings settings(path, QSettings::IniFormat);
        FormFixture f(true, &settings);
        check(f);
    };
    const auto comments = [](FormFixture &f) {
        return f.form->menuItem(QStringLiteral("mnuHelpCommentOn"))->isChecked();
    };
    const auto port = [](FormFixture &f, int n) { return f.form->menuItem(QStringLiteral("mnuUSBComPort%1").arg(n)); };
    started([&](FormFixture &f) {
        FormColour &w = *f.form;
        QVERIFY(!w.english() && w.hmsMode() && !comments(f)
                && w.boardSession().portChoice() == board::PortChoice::Automatic && w.boardSession().portNumber() == 0);
        QVERIFY(w.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->isChecked());
        w.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->setChecked(false);
        QVERIFY(w.recentFiles().isEmpty() && w.dialogFolder(QStringLiteral("open")).isEmpty());
        for (const char *item : {"mnuConfigLanguage", "mnuConfigTimeViewer", "mnuHelpCommentOn", "mnuUSBComPortM"})
            QVERIFY(f.trigger(QString::fromLatin1(item)));
        w.boardSession().setPortNumber(5); // as a port that answered the test of its item
        port(f, 5)->setChecked(true);
        w.resize(700, 450);
        w.rememberFolder(QStringLiteral("open"), folder + QStringLiteral("/day.txt"));
        w.addRecentFile(folder + QStringLiteral("/day.txt"));
        f.dialogs.answerMessage(MsgResult::No);
        QVERIFY(f.trigger(QStringLiteral("mnuFileExit")));
    });
    started([&](FormFixture &f) {
        FormColour &w = *f.form;
        QVERIFY(w.english() && !w.hmsMode() && comments(f)
                && child<QLabel>(w, "StatusBarPanel1")->text() == u"File: None"_s);
        QVERIFY(!w.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->isChecked());
        QVERIFY(w.boardSession().portChoice() == board::PortChoice::Manual && w.boardSession().portNumber() == 5
                && port(f, 5)->isChecked());
        QVERIFY(w.menuItem(QStringLiteral("mnuUSBComPortS"))->isEnabled() && w.size() == QSize(700, 450));
        QCOMPARE(w.recentFiles(), QStringList{folder + QStringLiteral("/day.txt")});
        QVERIFY(w.menuItem(QStringLiteral("mnuFileRecent1"))->isVisible());
        // The open dialog starts in the folder of the last file chosen in it.
        f.dialogs.answerOpenFile(std::nullopt);
        QVERIFY(f.trigger(QStringLiteral("mnuFileOpen")));
        QCOMPARE(f.dialogs.fileDialogs.last().fileName, folder);
    });
    {
        QSettings settings(path, QSettings::IniFormat);
        QWidget huge;
        huge.setGeometry(50, 50, 6000, 4000);
        settings.setValue(QStringLiteral("window/geometry"), huge.saveGeometry());
    }
    started([&](FormFixture &f) {
        const QRect available = f.form->screen()->availableGeometry();
        QVERIFY(f.form->width() <= available.width() && f.form->height() <= available.height());
        QVERIFY(f.form->english()); // the rest still comes back
    });
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
