// The two languages, the comments, the guide, the information window and the
// keyboard's way into the menus, driven as a user does.

#include "app/captions.h"
#include "app/forminformation.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "platform/helpwindow.h"
#include "platform/qtdialogs.h"
#include "support/formfixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;
using captions::Caption;
using captions::Role;
using captions::When;

namespace {

// What the target of a row shows now: its caption, column label or tool tip.
QString shown(FormColour &w, const Caption &row)
{
    const QString name = QString::fromLatin1(row.name);
    if (row.role == Role::Header) {
        // The headers stand in the table's columns in the order of their rows.
        int column = 0;
        for (const Caption &other : captions::table()) {
            if (&other == &row)
                break;
            column += other.role == Role::Header ? 1 : 0;
        }
        return child<QTableView>(w, "PointsTableView")->model()->headerData(column, Qt::Horizontal).toString();
    }
    QObject *object = w.menuItem(name);
    if (!object)
        object = w.findChild<QAction *>(name);
    if (!object)
        object = w.findChild<QWidget *>(name);
    if (!object)
        return u"(no object %1)"_s.arg(name);
    if (row.role >= Role::Column1)
        return child<ChartView>(w, "MSChartColorCycle")->columnLabel(int(row.role) - int(Role::Column1) + 1);
    if (row.role != Role::Text)
        return object->property("toolTip").toString();
    if (auto *item = qobject_cast<QAction *>(object))
        return captions::visibleText(item->text());
    return object->property("text").toString();
}

// A comment's tool tip as the user sees it, Italian: a button's key follows
// the comment, or stands alone while the comments are off.
QString tipOf(FormColour &w, const Caption &row, bool on)
{
    const QWidget *control = w.findChild<QWidget *>(QString::fromLatin1(row.name));
    const QString key = control ? control->property("keyText").toString() : QString();
    const QString tip = on ? row.text(false) : QString();
    return key.isEmpty() ? tip : on ? tip + u" ("_s + key + u')' : key;
}

bool hasRow(const QString &name, Role role)
{
    for (const Caption &row : captions::table())
        if (row.role == role && name == QLatin1String(row.name))
            return true;
    return false;
}

QList<QAction *> menuTree(const QList<QAction *> &actions)
{
    QList<QAction *> all;
    for (QAction *a : actions) {
        if (!a->isSeparator())
            all << a << (a->menu() ? menuTree(a->menu()->actions()) : QList<QAction *>());
    }
    return all;
}

QString openMenu()
{
    return QApplication::activePopupWidget() ? QApplication::activePopupWidget()->objectName() : QString();
}

void closeMenus(FormColour &w)
{
    while (QWidget *popup = QApplication::activePopupWidget())
        QTest::keyClick(popup, Qt::Key_Escape);
    QTest::keyClick(w.menuBar(), Qt::Key_Escape);
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The completeness walk: every row that applies in any state shows on its
    // target, as built, in English and back in Italian. The slot the board named
    // keeps its name through the switches.
    void everyCaptionOnItsTarget()
    {
        FormFixture f;
        FormColour &w = *f.form;
        QAction *slot = w.menuItem(u"mnuUsbInterfaceOnCycle3"_s);
        slot->setProperty("Caption", u"Tom&Jerr"_s);
        slot->setText(u"Tom&&Jerr"_s);
        // The first switch from the toolbar's Language button, the second from
        // the menu; the guide opened is the one of the language in force.
        for (int switches = 0; switches <= 2; ++switches) {
            if (switches > 0)
                QVERIFY(f.trigger(u"mnuHelpGuide"_s));
            if (switches == 1)
                w.toolbarButton(u"Language"_s)->trigger();
            else if (switches == 2)
                QVERIFY(f.trigger(u"mnuConfigLanguage"_s));
            int checked = 0;
            for (const Caption &row : captions::table()) {
                if (row.role == Role::Comment) {
                    QCOMPARE(shown(w, row), tipOf(w, row, false)); // the comments start off
                } else if (row.when == When::Always) {
                    QCOMPARE(shown(w, row), switches == 0 ? row.designedText() : row.text(switches == 1));
                    ++checked;
                }
            }
            QVERIFY(checked >= 70);
            QCOMPARE(slot->text(), u"Tom&&Jerr"_s);
        }
        // The comments on, then off, in Italian; the Language button keeps its
        // own tool tip, and a switch while they are on leaves them off.
        const QString languageTip = w.toolbarButton(u"Language"_s)->toolTip();
        for (bool on : {true, false}) {
            QVERIFY(f.trigger(u"mnuHelpCommentOn"_s));
            int count = 0;
            for (const Caption &row : captions::table()) {
                if (row.role == Role::Comment) {
                    QCOMPARE(shown(w, row), tipOf(w, row, on));
                    ++count;
                }
            }
            QCOMPARE(count, 70);
            QCOMPARE(w.menuItem(u"mnuHelpCommentOn"_s)->isChecked(), on);
            QCOMPARE(w.toolbarButton(u"Language"_s)->toolTip(), languageTip);
        }
        // An empty comment shows nothing, not even a button's name.
        QCOMPARE(child<QToolBar>(w, "Toolbar")->widgetForAction(w.toolbarButton(u"Open"_s))->toolTip(), QString());
        QVERIFY(f.trigger(u"mnuHelpCommentOn"_s));
        QVERIFY(f.trigger(u"mnuConfigLanguage"_s));
        QVERIFY(!w.menuItem(u"mnuHelpCommentOn"_s)->isChecked());
        QCOMPARE(w.toolbarButton(u"Open"_s)->toolTip(), QString());
        // An open guide follows each switch.
        QCOMPARE(f.dialogs.helpShown, QStringList({u"OrvantaGuida"_s, u"-> OrvantaGuide"_s, u"OrvantaGuide"_s,
                                                   u"-> OrvantaGuida"_s, u"-> OrvantaGuide"_s}));
        // A file's status follows the switch.
        w.setFileStatus({u"File: day.txt"_s, u"File: giorno.txt"_s});
        QVERIFY(f.trigger(u"mnuConfigLanguage"_s));
        QCOMPARE(child<QLabel>(w, "StatusBarPanel1")->text(), u"File: giorno.txt"_s);
    }

    void captionSpotRows_data()
    {
        // Written from the texts the user reads, not from the table: one menu
        // item, a label of each editor mode and time display, a comment, a tool
        // tip, a column and the designed Italian that differs from the switch's.
        QTest::addColumn<int>("switches");
        // "s": seconds, "S": shifting, "c": comments on; a speed factor, as
        // "f0.2": the simulator's speed label, first set to "as it was".
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *tag, int switches, const char *setup, const char *name, const char *text) {
            QTest::newRow(tag) << switches << QString::fromLatin1(setup) << QString::fromLatin1(name)
                               << QString::fromUtf8(text);
        };
        row("menu, Italian", 2, "", "mnuSimulatorRestart", "Riavvio");
        row("menu, English", 1, "", "mnuSimulatorRestart", "Simulator Restart");
        row("designed Italian", 0, "", "mnuUsbOn", "USB Abilitazione Scheda");
        row("switched Italian", 2, "", "mnuUsbOn", "USB Abiliazione Scheda");
        row("switched time item", 2, "", "mnuConfigTimeViewer", "Tempi = hh:mm:ss");
        row("moving, Italian", 2, "", "LabelTimeName", "Posizione");
        row("moving, English", 1, "", "LabelTimeName", "Position Time");
        row("shifting, Italian", 2, "S", "LabelTimeName", "Trasla fino a");
        row("shifting, English", 1, "S", "LabelTimeName", "Shift to Time");
        row("seconds, English", 1, "s", "LabelTime", "Seconds");
        row("seconds, Italian", 2, "s", "LabelLength", "Secondi");
        row("hh:mm:ss, English", 1, "", "LabelTransition", "hh : mm : ss");
        row("comment, Italian", 0, "c", "CommandColor", "Selezione del colore (F7)");
        row("comment, English", 1, "c", "CommandColor", "Color Palette (F7)");
        row("tool tip, English", 1, "", "ToolbarLanguage", "English Language -> Lingua Italiana");
        row("tool tip, Italian", 2, "", "ToolbarLanguage", "Lingua Italiana -> English Language");
        row("status, English", 1, "", "StatusBarPanel2", "No USB Board Enabled");
        row("status, Italian", 2, "", "StatusBarPanel2", "Nessuna Scheda USB Abilitata");
        row("no file, English", 1, "", "StatusBarPanel1", "File: None");
        row("column, English", 1, "", "MSChartColorCycle", "Red");
        row("column, Italian", 2, "", "MSChartColorCycle", "Rosso");
        row("speed, English", 1, "f0.2", "LabelSimulatorSpeed", "Speed: /5");
        row("speed, Italian", 2, "f1", "LabelSimulatorSpeed", "Velocità: Tempo Reale");
        row("speed 1 hour, Italian", 2, "f3600", "LabelSimulatorSpeed", "Velocità: 1hour = 1sec");
        // A factor without a speed item leaves the label as it was.
    }

    void captionSpotRows()
    {
        QFETCH(int, switches);
        QFETCH(QString, setup);
        QFETCH(QString, name);
        FormFixture f;
        FormColour &w = *f.form;
        if (setup.contains(u's'))
            w.mnuConfigTimeViewer_Click();
        setTag(child<QPushButton>(w, "CommandMoveShift"), setup.contains(u'S') ? u"S"_s : u"M"_s);
        if (setup.startsWith(u'f')) {
            const auto &speeds = chart::speedItems();
            const auto speed = std::find_if(speeds.begin(), speeds.end(), [&](const chart::SpeedItem &item) {
                return item.factor == setup.mid(1).toFloat();
            });
            w.mnuSimulatorSpeed_Click(int(speed - speeds.begin()));
            child<QLabel>(w, "LabelSimulatorSpeed")->setText(u"as it was"_s);
        }
        for (int i = 0; i < switches; ++i)
            QVERIFY(f.trigger(u"mnuConfigLanguage"_s));
        if (setup.contains(u'c'))
            QVERIFY(f.trigger(u"mnuHelpCommentOn"_s));
        const QByteArray object = name.toLatin1();
        const Role role = setup.contains(u'c')             ? Role::Comment
                          : name == u"ToolbarLanguage"_s   ? Role::ToolTip
                          : name == u"MSChartColorCycle"_s ? Role::Column1
                                                           : Role::Text;
        const QString text = shown(w, Caption{object.constData(), role, When::Always, "", ""});
        QTEST(text, "text");
    }

    // No menu item, toolbar button or captioned label is left out of the table.
    void everyMenuItemButtonAndLabelHasItsRow()
    {
        FormFixture f;
        FormColour &w = *f.form;
        const QList<QAction *> items = menuTree(w.menuBar()->actions());
        QVERIFY(items.size() > 70);
        for (QAction *item : items)
            QVERIFY2(hasRow(item->objectName(), Role::Text), qPrintable(item->objectName()));
        for (QAction *button : child<QToolBar>(w, "Toolbar")->actions()) {
            const QString name = button->objectName();
            QVERIFY2(button->isSeparator() || hasRow(name, Role::Comment) != hasRow(name, Role::ToolTip),
                     qPrintable(name));
        }
        // The status panels and the speed label have texts of their own.
        const QStringList own{u"StatusBarPanel1"_s, u"StatusBarPanel2"_s, u"LabelSimulatorSpeed"_s};
        static const QRegularExpression word(u"[A-Za-z]{3}"_s);
        for (QLabel *label : w.findChildren<QLabel *>()) {
            if (!label->objectName().isEmpty() && !own.contains(label->objectName()) && label->text().contains(word))
                QVERIFY2(hasRow(label->objectName(), Role::Text), qPrintable(label->objectName()));
        }
    }

    // One information window, in the language it opened in; it goes away when
    // closed or as soon as another window takes the focus.
    void informationWindow()
    {
        FormFixture f;
        FormColour &w = *f.form;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(f.trigger(u"mnuInfoOrvanta"_s));
        QVERIFY(f.trigger(u"mnuInfoOrvanta"_s)); // asked again, the one window comes forward
        QCOMPARE(w.findChildren<FormInformation *>().size(), 1);
        QPointer<FormInformation> info = w.findChild<FormInformation *>();
        QVERIFY(info->isVisible() && !info->isModal() && !info->PictureInformation->pixmap().isNull());
        QCOMPARE(info->windowTitle() + u'|' + info->LabelSoftware->text() + u'|' + info->Command->text(),
                 u"Orvanta Information|Software               V01.00|Chiudi"_s);
        QTest::mouseClick(info->Command, Qt::LeftButton);
        QTRY_VERIFY(info.isNull());
        // Escape closes it too, though the main window has an Escape of its own.
        QVERIFY(f.trigger(u"mnuInfoOrvanta"_s));
        info = w.findChild<FormInformation *>();
        QVERIFY(QTest::qWaitForWindowActive(info));
        QTest::keyClick(info, Qt::Key_Escape);
        QTRY_VERIFY(info.isNull());

        w.mnuConfigLanguage_Click();
        QVERIFY(f.trigger(u"mnuInfoOrvanta"_s));
        info = w.findChild<FormInformation *>();
        QVERIFY(QTest::qWaitForWindowActive(info));
        w.mnuConfigLanguage_Click();
        QCOMPARE(info->Command->text(), u"Close"_s);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(info.isNull());
    }

    // Skipped only where Qt's Italian file is not on the machine, never on the
    // program's own say.
    void qtTextsFollowTheLanguage()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_it.qm"_s))
            QSKIP("Qt's Italian translation (qtbase_it.qm) is not installed");
        FormFixture f;
        const auto buttons = []() -> QString {
            QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
            QStringList texts;
            for (auto which : {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Cancel})
                texts << captions::visibleText(box.button(which)->text());
            return texts.join(u'/');
        };
        QCOMPARE(buttons(), u"Sì/No/Annulla"_s);
        QVERIFY(f.trigger(u"mnuConfigLanguage"_s));
        QCOMPARE(buttons(), u"Yes/No/Cancel"_s);
        QVERIFY(f.trigger(u"mnuConfigLanguage"_s));
        QCOMPARE(buttons(), u"Sì/No/Annulla"_s);
    }

    void guideWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("other");
        QTest::newRow("Italian") << u"OrvantaGuida"_s << u"Orvanta - Guida"_s << u"Indietro"_s
                                 << u"Orvanta - User Guide"_s;
        QTest::newRow("English") << u"OrvantaGuide"_s << u"Orvanta - User Guide"_s << u"Back"_s << u"Orvanta - Guida"_s;
    }

    // The guide shows whole in the program's own window: every link inside it
    // leads somewhere, every picture is there, the contents list its sections.
    void guideWindow()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFETCH(QString, back);
        QFETCH(QString, other);
        QWidget owner;
        platform::QtDialogs dialogs(&owner);
        dialogs.showHelp(file);
        QPointer<platform::HelpWindow> help = owner.findChild<platform::HelpWindow *>();
        QVERIFY(help && help->isVisible() && help->contents()->topLevelItemCount() >= 6);
        QCOMPARE(help->windowTitle() + u'|' + help->findChild<QToolButton *>(u"HelpBack"_s)->text(),
                 title + u'|' + back);

        QSet<QString> anchors;
        QStringList links, images;
        for (QTextBlock block = help->browser()->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                for (const QString &name : format.anchorNames())
                    anchors.insert(name);
                if (format.isAnchor())
                    links << format.anchorHref();
                if (format.isImageFormat())
                    images << format.toImageFormat().name();
            }
        }
        QVERIFY(links.size() >= 10 && images.size() >= 2);
        QString otherGuide;
        for (const QString &link : links) {
            QVERIFY2(!link.startsWith(u'#') || anchors.contains(link.mid(1)), qPrintable(link));
            if (link.endsWith(QLatin1String(".html")))
                otherGuide = link;
        }
        for (const QString &image : images)
            QVERIFY2(QFile::exists(u":/help/"_s + image), qPrintable(image));

        // The link to the other language, then the guide asked for again in the same window.
        help->browser()->setSource(help->browser()->source().resolved(QUrl(otherGuide)));
        QCOMPARE(help->windowTitle(), other);
        dialogs.showHelp(file);
        QCOMPARE(owner.findChildren<platform::HelpWindow *>().size(), 1);
        QCOMPARE(help->windowTitle(), title);
    }

    void keyboardReachesTheMenus()
    {
        FormFixture f(false);
        FormColour &w = *f.form;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // During the start-up progress only the Help and Info menus are on.
        QTest::keyClick(&w, Qt::Key_F10);
        QCOMPARE(openMenu(), u"mnuHelp"_s);
        closeMenus(w);
        f.tick(5);
        QTest::keyClick(&w, Qt::Key_F10);
        QCOMPARE(openMenu(), u"mnuFile"_s);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left); // round to the last menu
        QCOMPARE(openMenu(), u"mnuInfo"_s);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return); // Info > Orvanta
        QTRY_VERIFY(w.findChild<FormInformation *>());
        w.findChild<FormInformation *>()->close();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // Alt with a title's letter opens that menu, in either language; the
        // titles read as they are written.
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(openMenu(), u"mnuFile"_s);
        closeMenus(w);
        w.mnuConfigLanguage_Click();
        QTest::keyClick(&w, Qt::Key_H, Qt::AltModifier);
        QVERIFY(openMenu() == u"mnuHelp"_s && captions::visibleText(child<QAction>(w, "mnuHelp")->text()) == u"Help"_s);
        closeMenus(w);
        // The Edit and View menus came later: the older titles keep their letters.
        QStringList titles;
        for (QAction *title : w.menuBar()->actions())
            titles << title->text();
        QCOMPARE(titles.join(u' '), u"&File E&dit &USB &Enable &Configuration &View &Help &Info"_s);
        QCOMPARE(captions::withMnemonics({u"R&D"_s, u"Rosso"_s, u"12"_s}),
                 QStringList({u"&R&&D"_s, u"R&osso"_s, u"&12"_s}));

        // Alt alone puts the focus on the menu bar.
        QTest::keyPress(&w, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(&w, Qt::Key_Alt, Qt::NoModifier);
        QVERIFY(w.menuBar()->hasFocus() && w.menuBar()->activeAction());
        closeMenus(w);

        // The shortcuts of the items still work.
        f.dialogs.answerOpenFile(std::nullopt);
        QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.dialogs.fileDialogs.size(), 1);
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
