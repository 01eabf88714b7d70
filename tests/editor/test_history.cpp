// The cycle as a document: every change undone and redone as one step, the
// modified state and the window title, the question asked before a command
// drops unsaved changes, and the points table beside the editor.

#include "app/tags.h"
#include "cyclefile/cyclefile.h"
#include "editor/pointstable.h"
#include "support/cycles.h"
#include "support/formfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using platform::MsgResult;
using store::Field;

namespace {

QByteArray cycleOf(FormColour &w) { return cyclefile::writeCycle(w.document().table(), w.document().transitionText()); }

// What a user can tell of the cycle in memory: the store, the counts, the
// file, and what the editor shows of the current point.
QString seen(FormColour &w)
{
    return u"%1 points, current %2, file '%3', title '%4', time %5, transition %6, cycle %7"_s
        .arg(w.document().pointCount())
        .arg(w.document().pointCurrent())
        .arg(w.document().fileName(), w.windowTitle(), child<QLineEdit>(w, "TextTime")->text(),
             child<QLineEdit>(w, "TextTransition")->text(), QString::fromLatin1(cycleOf(w).toHex()));
}

QString cell(FormColour &w, int row, int column)
{
    return child<QTableView>(w, "PointsTableView")->model()->index(row, column).data().toString();
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<FormFixture> m_f;
    FormColour &w() { return *m_f->form; }
    ScriptedDialogs &dialogs() { return m_f->dialogs; }
    QString undoText() { return w().menuItem(u"mnuEditUndo"_s)->text(); }

    QString file(const QString &name, int points, int transition = 600)
    {
        QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(sampleFile(points, transition, 3600, 60, 10)) < 0)
            qFatal("cannot write a test file");
        return path;
    }
    // Types over a time field from its first digit and confirms with Enter.
    static void type(QLineEdit *field, const QString &digits)
    {
        const int y = field->height() / 2;
        int x = 0;
        while (x < field->width() && field->cursorPositionAt(QPoint(x + 2, y)) != 0)
            ++x;
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(x + 2, y));
        QTest::keyClicks(field, digits);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // The window on screen with the points table open.
    QTableView *showTable()
    {
        w().show();
        if (!QTest::qWaitForWindowActive(&w()) || !m_f->trigger(u"mnuViewPointsTable"_s))
            qFatal("no points table");
        return child<QTableView>(w(), "PointsTableView");
    }

private Q_SLOTS:
    void init()
    {
        m_f = std::make_unique<FormFixture>();
        QVERIFY(m_f->open(file(u"a.txt"_s, 4)));
    }
    void cleanup() { QVERIFY(dialogs().allAnswered()); }

    void everyChangeIsOneStep_data()
    {
        // Steps: "Field=digits" typed over a time field and confirmed,
        // "Field:text" set as typed, "yes"/"no" the answer to the next
        // question, "open" opens another file ("openCopy" a copy of a.txt),
        // "mnu..." a menu item, any other word the button Command<word>.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("label"); // of the step, on the Undo item and, once undone, on Redo
        QTest::newRow("insert") << u"Insert TextTime=0130 Save"_s << u"Inserisci punto 3"_s;
        QTest::newRow("edit") << u"Edit TextRed:077 Save"_s << u"Modifica punto 2"_s;
        QTest::newRow("shift") << u"Edit MoveShift TextTime=0110 Save"_s << u"Sposta punti da 2"_s;
        QTest::newRow("remove") << u"yes Remove"_s << u"Rimuovi punto 2"_s;
        QTest::newRow("transition") << u"TextTransition=002"_s << u"Tempo Viraggio Fine Ciclo"_s;
        QTest::newRow("open") << u"open"_s << u"Apri b.txt"_s;
        // The same points from another file are still a step: it names the cycle anew.
        QTest::newRow("open the same points") << u"openCopy"_s << u"Apri c.txt"_s;
        QTest::newRow("close, not saved first") << u"yes no mnuFileClose"_s << u"Chiudi File"_s;
    }

    void everyChangeIsOneStep()
    {
        QFETCH(QString, steps);
        QFETCH(QString, label);
        w().CommandNext_Click(); // point 2 current
        const QString before = seen(w());
        for (const QString &step : steps.split(u' ')) {
            const QString name = step.section(u'=', 0, 0).section(u':', 0, 0);
            if (step.contains(u'='))
                type(m_f->field(name), step.section(u'=', 1));
            else if (step.contains(u':'))
                m_f->field(name)->setText(step.section(u':', 1));
            else if (step == u"yes"_s || step == u"no"_s)
                dialogs().answerMessage(step == u"yes"_s ? MsgResult::Yes : MsgResult::No);
            else if (step.startsWith(u"open"_s))
                QVERIFY(m_f->open(step == u"open"_s ? file(u"b.txt"_s, 7, 90) : file(u"c.txt"_s, 4)));
            else if (step.startsWith(u"mnu"_s))
                QVERIFY(m_f->trigger(step));
            else
                m_f->button(u"Command"_s + step)->click();
        }
        const QString after = seen(w());
        QCOMPARE(after.section(u"cycle"_s, 1) == before.section(u"cycle"_s, 1), steps == u"openCopy"_s);
        QCOMPARE(undoText(), u"Annulla "_s + label);
        QVERIFY(w().toolbarButton(u"Undo"_s)->isEnabled());

        QVERIFY(m_f->trigger(u"mnuEditUndo"_s));
        QCOMPARE(seen(w()), before);
        QCOMPARE(undoText() + u'|' + w().menuItem(u"mnuEditRedo"_s)->text(), u"Annulla Apri a.txt|Ripeti "_s + label);
        // The chart shows the restored cycle to its end, its marker on the current point.
        QCOMPARE(child<QSlider>(w(), "SliderZoomMax")->value(), std::max(2, int(w().document().pointCount())));
        QCOMPARE(w().chartLayout().markers.selectedTime,
                 w().document().table().row(w().document().pointCurrent()).value(Field::Time));

        QVERIFY(m_f->trigger(u"mnuEditRedo"_s));
        QCOMPARE(seen(w()), after);
        QCOMPARE(child<QSlider>(w(), "SliderZoomMax")->value(), std::max(2, int(w().document().pointCount())));
    }

    // The modified state follows the saved cycle through undo and redo; while a
    // point is edited there is no undo, and Escape annuls the edit.
    void modifiedStateAndEditing()
    {
        QVERIFY(w().windowTitle() == u"Orvanta - a.txt[*]"_s && !w().isWindowModified());
        w().show();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        const QByteArray opened = cycleOf(w());
        dialogs().answerMessage(MsgResult::Yes);
        w().CommandRemove_Click();
        QVERIFY(w().isWindowModified() && w().menuItem(u"mnuEditUndo"_s)->isEnabled());

        w().CommandEdit_Click();
        QVERIFY(!w().menuItem(u"mnuEditUndo"_s)->isEnabled() && !w().toolbarButton(u"Undo"_s)->isEnabled());
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w().document().pointCount(), 3);
        QTest::keyClick(&w(), Qt::Key_Escape);
        QVERIFY(tag(child<QPushButton>(w(), "CommandSave")) == u"D"_s
                && !child<QLineEdit>(w(), "TextTime")->isEnabled());
        // Escape also gives up a transition time half typed.
        const QString transition = child<QLineEdit>(w(), "TextTransition")->text();
        QTest::mouseClick(child<QLineEdit>(w(), "TextTransition"), Qt::LeftButton);
        QTest::keyClicks(child<QLineEdit>(w(), "TextTransition"), u"12"_s);
        QVERIFY(tag(child<QLineEdit>(w(), "TextTransition")) == u"C"_s);
        QTest::keyClick(&w(), Qt::Key_Escape);
        QVERIFY(child<QLineEdit>(w(), "TextTransition")->text() == transition
                && tag(child<QLineEdit>(w(), "TextTransition")) == u"U"_s);
        QVERIFY(w().menuItem(u"mnuEditUndo"_s)->isEnabled());
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w().document().pointCount() == 4 && !w().isWindowModified());
        QTest::keyClick(&w(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(w().document().pointCount() == 3 && w().isWindowModified());

        dialogs().answerMessage(MsgResult::Yes); // save confirmation
        QVERIFY(m_f->trigger(u"mnuFileSave"_s));
        QVERIFY(!w().isWindowModified() && cyclefile::readCycleFile(w().document().fileName()).cycle->pointCount == 3);
        // Back past the saved state and forward to it again.
        w().mnuEditUndo_Click();
        QVERIFY(w().isWindowModified() && cycleOf(w()) == opened);
        w().mnuEditRedo_Click();
        QVERIFY(!w().isWindowModified());
        // The texts follow the language.
        w().mnuConfigLanguage_Click();
        QCOMPARE(undoText() + u'|' + w().menuItem(u"mnuEditRedo"_s)->text(), u"Undo Remove point 1|Redo"_s);
    }

    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<bool>("modify");
        QTest::addColumn<QList<MsgResult>>("answers");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<int>("pointsInA"); // -1: a.txt is gone before the question
        using L = QList<MsgResult>;
        QTest::newRow("nothing changed: no question") << false << L{} << true << 4;
        QTest::newRow("cancel") << true << L{MsgResult::Cancel} << false << 4;
        QTest::newRow("no: changes dropped") << true << L{MsgResult::No} << true << 4;
        // Yes is the save's confirmation: Save does not ask again.
        QTest::newRow("yes: saved first") << true << L{MsgResult::Yes} << true << 3;
        QTest::newRow("yes, save fails") << true << L{MsgResult::Yes, MsgResult::Ok} << false << -1;
        // A recent file (a.txt itself) asks as Open does.
        QTest::newRow("recent file, cancel") << true << L{MsgResult::Cancel} << false << 4;
    }

    void unsavedChangesQuestion()
    {
        QFETCH(bool, modify);
        QFETCH(QList<MsgResult>, answers);
        QFETCH(bool, opened);
        QFETCH(int, pointsInA);
        const QString a = w().document().fileName(), b = file(u"b.txt"_s, 7);
        if (modify) {
            dialogs().answerMessage(MsgResult::Yes);
            w().CommandRemove_Click();
        }
        QVERIFY(pointsInA > 0 || QFile::remove(a));
        const QString before = seen(w());
        const qsizetype shownBefore = dialogs().shown.size();
        for (MsgResult answer : answers)
            dialogs().answerMessage(answer);
        if (opened)
            dialogs().answerOpenFile(b);
        QVERIFY(m_f->trigger(QByteArray(QTest::currentDataTag()).startsWith("recent") ? u"mnuFileRecent1"_s
                                                                                      : u"mnuFileOpen"_s));
        if (modify) {
            const platform::Message question = dialogs().shown.value(shownBefore);
            QCOMPARE(question.text, u"Il ciclo colore ha modifiche non salvate. Salvarle prima?"_s);
            QVERIFY(question.buttons == platform::MsgButtons::YesNoCancel
                    && question.defaultButton == MsgResult::Cancel);
        } else {
            QCOMPARE(dialogs().shown.size(), shownBefore);
        }
        if (opened)
            QVERIFY(w().document().fileName() == b && w().document().pointCount() == 7 && !w().isWindowModified());
        else
            QVERIFY(seen(w()) == before && w().isWindowModified());
        QCOMPARE(pointsInA > 0 ? cyclefile::readCycleFile(a).cycle->pointCount : -1, pointsInA);
    }

    void pointsTableCellEdits_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("shown");   // the cell afterwards
        QTest::addColumn<int>("current");
        const auto row = [](const char *tag, int row, int column, const QString &typed, const QString &message,
                            const QString &shown, int current) {
            QTest::newRow(tag) << row << column << typed << message << shown << current;
        };
        // The rules are the editor test's: here one case of each that the cells pass on.
        using M = editor::PointsTableModel;
        row("time past the next point: reordered", 1, M::TimeColumn, u"02:30:00"_s, {}, u"02:30:00"_s, 3);
        row("time already used", 1, M::TimeColumn, u"02:00:00"_s,
            u"Posizione già utilizzata da un altro Punto Colore!"_s, u"01:00:00"_s, 1);
        row("first point's time", 0, M::TimeColumn, u"00:10:00"_s,
            u"Il primo Punto Colore ha posizione = 0. Non è possibile modificarlo"_s, u"00:00:00"_s, 1);
        row("length up to the next point", 1, M::LengthColumn, u"00:59:59"_s, {}, u"00:59:59"_s, 2);
        row("length into the next point", 1, M::LengthColumn, u"01:00:00"_s, u"Valore fuori Limite!"_s, u"00:01:00"_s,
            1);
        row("last length into the transition", 3, M::LengthColumn, u"20:50:01"_s, u"Valore fuori Limite!"_s,
            u"00:01:00"_s, 1);
        row("level", 2, M::GreenColumn, u"55"_s, {}, u"055"_s, 3);
        row("level past 100", 2, M::GreenColumn, u"150"_s, u"Valore fuori Limite!"_s, u"097"_s, 1);
    }

    void pointsTableCellEdits()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, current);
        QTableView *view = showTable();
        const QByteArray before = cycleOf(w());
        if (!message.isEmpty())
            dialogs().answerMessage(MsgResult::Ok);
        // Typed into the cell's editor as a user does, Enter to confirm.
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = view->findChild<QLineEdit *>(u"PointsTableEditor"_s);
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        // The cell's editor hands its value on once it has closed.
        if (message.isEmpty()) {
            QTRY_VERIFY(cycleOf(w()) != before);
            QCOMPARE(undoText(), u"Annulla Modifica punto %1"_s.arg(w().document().pointCurrent()));
            QTEST(cell(w(), current - 1, column), "shown");
            QVERIFY(w().document().pointCurrent() == current && view->currentIndex().row() == current - 1);
            QVERIFY(m_f->trigger(u"mnuEditUndo"_s));
        } else {
            QTRY_VERIFY(dialogs().allAnswered());
            QCOMPARE(dialogs().last().text.section(QChar(13), 0, 0), message);
            QTEST(cell(w(), row, column), "shown");
            QCOMPARE(undoText(), u"Annulla Apri a.txt"_s);
        }
        QCOMPARE(cycleOf(w()), before);
    }

    // Rows copied and pasted as a spreadsheet takes them; then the table and
    // the editor follow each other.
    void pointsTable()
    {
        QTableView *view = showTable();
        QVERIFY(child<QDockWidget>(w(), "PointsTable")->isVisibleTo(&w())
                && w().menuItem(u"mnuViewPointsTable"_s)->isChecked());
        QCOMPARE(child<QDockWidget>(w(), "PointsTable")->windowTitle(), u"Tabella Punti"_s);
        QCOMPARE((QStringList{QString::number(view->model()->rowCount()), cell(w(), 2, 1), cell(w(), 2, 3)}),
                 (QStringList{u"4"_s, u"02:00:00"_s, u"030"_s}));
        view->setFocus();
        view->selectionModel()->select(QItemSelection(view->model()->index(1, 0), view->model()->index(2, 0)),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QApplication::clipboard()->text();
        // (File Create keeps Ctrl+C outside the table: its question would be a dialog nobody scripted.)
        QCOMPARE(copied, u"02\t01:00:00\t00:01:00\t020\t098\t014\n03\t02:00:00\t00:01:00\t030\t097\t021\n"_s);

        // Pasted as a spreadsheet gives them back, moved half an hour on, a level at 100: one step.
        const QString before = seen(w());
        QApplication::clipboard()->setText(QString(copied)
                                               .replace(u"01:00:00"_s, u"01:30:00"_s)
                                               .replace(u"02:00:00"_s, u"9000"_s)
                                               .replace(u"098"_s, u"100"_s));
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE((QStringList{QString::number(w().document().pointCount()), cell(w(), 2, 1), cell(w(), 4, 1),
                              cell(w(), 4, 3), QString::number(w().document().pointCurrent()), undoText()}),
                 (QStringList{u"6"_s, u"01:30:00"_s, u"02:30:00"_s, u"030"_s, u"5"_s, u"Annulla Incolla 2 punti"_s}));
        QCOMPARE(child<QSlider>(w(), "SliderZoomMax")->value(), 6); // the chart reaches the new end
        QVERIFY(m_f->trigger(u"mnuEditUndo"_s));
        QCOMPARE(seen(w()), before);

        // All or nothing: one row refused leaves the cycle as it was.
        const QStringList refused{
            u"01\t01:30:00\t00:00:10\t1\t2\t3\n02\t03:00:00\t00:00:10\t1\t2\t3\n"_s, // time of point 4
            u"01\t01:30:00\t00:00:10\t1\t2\t3\n02\t01:30:05\t00:00:10\t1\t2\t3\n"_s, // in the first's hold
            u"01\t01:30:00\t00:00:10\t1\t2\t3\nred\tgreen\n"_s,                      // no point
            u"01\t01:30:00\t00:00:10\t1\t2\t300\n"_s,                                // level above 100
        };
        for (const QString &text : refused) {
            dialogs().answerMessage(MsgResult::Ok);
            QApplication::clipboard()->setText(text);
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
            QVERIFY2(dialogs().allAnswered(), qPrintable(text));
            QVERIFY(seen(w()) == before && view->model()->rowCount() == 4);
        }
        QCOMPARE(undoText(), u"Annulla Apri a.txt"_s);
        // With the colour-cycle function off a paste says why it does nothing.
        QVERIFY(m_f->trigger(u"mnuEnableColorCycle"_s));
        dialogs().answerMessage(MsgResult::Ok);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(dialogs().last().text.startsWith(u"La funzione Ciclo Colore è spenta"_s) && seen(w()) == before);
        QVERIFY(m_f->trigger(u"mnuEnableColorCycle"_s));
        // No room past 64 points: two rows pasted into 63 are refused whole, saying what would fit; one fits.
        store::ColourTable full = sampleTable(63, 1200, 100);
        int count = 63, last = 0;
        const auto refusal = editor::insertPastedPoints(full, count, 0, {{50000, 0, {}}, {60000, 0, {}}}, last);
        QCOMPARE(refusal ? refusal->text.english : QString(),
                 u"The Colour Cycle has room for 64 Colour Points only!\r1 of the 2 rows pasted would fit."_s);
        QVERIFY(!editor::insertPastedPoints(full, count, 0, {{50000, 0, {}}}, last) && count == 64);
        // A row picked in the table is the editor's point, and the other way round.
        view->selectionModel()->setCurrentIndex(view->model()->index(2, 4),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QVERIFY(w().document().pointCurrent() == 3 && child<QLineEdit>(w(), "TextTime")->text() == u"02:00:00"_s
                && child<QLineEdit>(w(), "TextRed")->text() == u"030"_s);
        w().CommandNext_Click();
        QVERIFY(view->currentIndex().row() == 3 && view->selectionModel()->isRowSelected(3));
        // Times follow the display switch, the title the language (the headers
        // are the language test's).
        w().mnuConfigTimeViewer_Click();
        QCOMPARE(cell(w(), 2, 1), u"07200"_s);
        w().mnuConfigLanguage_Click();
        QCOMPARE(child<QDockWidget>(w(), "PointsTable")->windowTitle(), u"Points Table"_s);
        // A cycle that changes elsewhere shows in the table at once.
        dialogs().answerMessage(MsgResult::Yes);
        w().CommandRemove_Click();
        QVERIFY(view->model()->rowCount() == 3 && view->currentIndex().row() == w().document().pointCurrent() - 1);
        // While a point is being edited the table neither moves nor changes it.
        w().CommandEdit_Click();
        QVERIFY(!view->isEnabled() && !(view->model()->flags(view->model()->index(1, 1)) & Qt::ItemIsEditable));
        w().CommandAnnul_Click();
        QVERIFY(view->isEnabled());
        // The dock's close button unticks the item.
        child<QDockWidget>(w(), "PointsTable")->close();
        QVERIFY(!w().menuItem(u"mnuViewPointsTable"_s)->isChecked());
    }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"
