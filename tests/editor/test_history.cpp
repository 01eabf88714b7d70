// The cycle as a document: every change undone and redone as one step, the
// modified state and the window title, and the question asked before a
// command drops unsaved changes.

#include "app/tags.h"
#include "cyclefile/cyclefile.h"
#include "editor/pointstable.h"
#include "store/numbers.h"
#include "support/formfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;
using platform::MsgResult;
using store::Field;

namespace {

// A cycle of `points` points an hour apart, each with its own colour.
QByteArray cycleBytes(int points, int transition)
{
    store::ColourTable t;
    store::emptyTable(t);
    for (int k = 1; k <= points; ++k) {
        t.row(k).setValue(Field::PointID, k);
        t.row(k).setValue(Field::Time, (k - 1) * 3600);
        t.row(k).setValue(Field::Length, 60);
        t.row(k).setValue(Field::Red, 10 * k);
        t.row(k).setValue(Field::Blue, 100 - 10 * k);
    }
    return cyclefile::writeCycle(t, store::format00000(transition));
}

// What a user can tell of the cycle in memory: the store, the counts, the
// file, and what the editor shows of the current point.
QString seen(FormColour &w)
{
    return u"%1 points, current %2, file '%3', title '%4', time %5, transition %6, cycle %7"_s.arg(w.PointCount)
        .arg(w.PointCurrent)
        .arg(w.FileName, w.windowTitle(), w.TextTime->text(), w.TextTransition->text(),
             QString::fromLatin1(cyclefile::writeCycle(w.table(), w.TransitionTime).toHex()));
}

QByteArray cycleOf(FormColour &w) { return cyclefile::writeCycle(w.table(), w.TransitionTime); }

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<FormFixture> m_f;
    FormColour &w() { return *m_f->form; }
    ScriptedDialogs &dialogs() { return m_f->dialogs; }

    QString file(const QString &name, int points, int transition = 600)
    {
        QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(cycleBytes(points, transition)) < 0)
            qFatal("cannot write a test file");
        return path;
    }
    bool open(const QString &path)
    {
        dialogs().answerOpenFile(path);
        return m_f->trigger(u"mnuFileOpen"_s);
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
private Q_SLOTS:
    void init()
    {
        m_f = std::make_unique<FormFixture>();
        QVERIFY(open(file(u"a.txt"_s, 4)));
    }
    void cleanup() { QVERIFY(dialogs().allAnswered()); }

    void everyChangeIsOneStep_data();
    void everyChangeIsOneStep();
    void modifiedStateFollowsSaveAndUndo();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void notWhileEditingAndEscapeAnnuls();
    void pointsTableFollowsTheEditor();
    void pointsTableCellEdits_data();
    void pointsTableCellEdits();
    void pointsTableCopyAndPaste();
};

void TestHistory::everyChangeIsOneStep_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("insert") << u"insert"_s << u"Annulla Inserisci punto 3"_s;
    QTest::newRow("edit") << u"edit"_s << u"Annulla Modifica punto 2"_s;
    QTest::newRow("shift") << u"shift"_s << u"Annulla Sposta punti da 2"_s;
    QTest::newRow("remove") << u"remove"_s << u"Annulla Rimuovi punto 2"_s;
    QTest::newRow("transition") << u"transition"_s << u"Annulla Tempo Viraggio Fine Ciclo"_s;
    QTest::newRow("open") << u"open"_s << u"Annulla Apri b.txt"_s;
    QTest::newRow("close") << u"close"_s << u"Annulla Chiudi File"_s;
}

void TestHistory::everyChangeIsOneStep()
{
    QFETCH(QString, action);
    QFETCH(QString, undoText);
    w().CommandNext_Click(); // point 2 current
    const QString before = seen(w());

    if (action == u"insert") {
        w().CommandInsert_Click();
        type(w().TextTime, u"0130"_s);
        w().CommandSave_Click();
    } else if (action == u"edit") {
        w().CommandEdit_Click();
        w().TextRed->setText(u"077"_s);
        w().CommandSave_Click();
    } else if (action == u"shift") {
        w().CommandEdit_Click();
        w().CommandMoveShift_Click();
        type(w().TextTime, u"0110"_s);
        w().CommandSave_Click();
    } else if (action == u"remove") {
        dialogs().answerMessage(MsgResult::Yes);
        w().CommandRemove_Click();
    } else if (action == u"transition") {
        type(w().TextTransition, u"002"_s);
    } else if (action == u"open") {
        QVERIFY(open(file(u"b.txt"_s, 7, 90)));
    } else if (action == u"close") {
        dialogs().answerMessage(MsgResult::Yes); // close
        dialogs().answerMessage(MsgResult::No);  // not saved first
        QVERIFY(m_f->trigger(u"mnuFileClose"_s));
    }
    const QString after = seen(w());
    QVERIFY(after.section(u"cycle"_s, 1) != before.section(u"cycle"_s, 1));
    QVERIFY(w().menuItem(u"mnuEditUndo"_s)->text() == undoText && w().toolbarButton(u"Undo"_s)->isEnabled());

    QVERIFY(m_f->trigger(u"mnuEditUndo"_s));
    QCOMPARE(seen(w()), before);
    QCOMPARE(w().menuItem(u"mnuEditUndo"_s)->text(), u"Annulla Apri a.txt"_s);
    // The chart shows the restored cycle too, its marker on the current point.
    QCOMPARE(w().SliderZoomMax->maximum(), std::max(2, int(w().PointCount)));
    QCOMPARE(w().ChartLayout->markers.selectedTime, w().table().row(w().PointCurrent).value(Field::Time));

    QVERIFY(m_f->trigger(u"mnuEditRedo"_s));
    QCOMPARE(seen(w()), after);
    QCOMPARE(w().SliderZoomMax->maximum(), std::max(2, int(w().PointCount)));
}

void TestHistory::modifiedStateFollowsSaveAndUndo()
{
    QVERIFY(w().windowTitle() == u"Orvanta - a.txt[*]"_s && !w().isWindowModified());
    const QByteArray saved = cyclefile::writeCycle(w().table(), w().TransitionTime);

    dialogs().answerMessage(MsgResult::Yes);
    w().CommandRemove_Click();
    QVERIFY(w().isWindowModified());

    dialogs().answerMessage(MsgResult::Yes); // save confirmation
    QVERIFY(m_f->trigger(u"mnuFileSave"_s));
    QVERIFY(!w().isWindowModified());
    QVERIFY(cyclefile::readCycleFile(w().FileName).cycle->pointCount == 3);

    // Back past the saved state and forward to it again.
    w().mnuEditUndo_Click();
    QVERIFY(w().isWindowModified() && cyclefile::writeCycle(w().table(), w().TransitionTime) == saved);
    w().mnuEditRedo_Click();
    QVERIFY(!w().isWindowModified());

    // The texts follow the language.
    w().mnuConfigLanguage_Click();
    QCOMPARE(w().menuItem(u"mnuEditUndo"_s)->text() + u'|' + w().menuItem(u"mnuEditRedo"_s)->text(),
             u"Undo Remove point 1|Redo"_s);
}

void TestHistory::unsavedChangesQuestion_data()
{
    QTest::addColumn<bool>("modify");
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<bool>("aFileGone");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("pointsInA");

    using L = QList<MsgResult>;
    QTest::newRow("nothing changed: no question") << false << L{} << false << true << 4;
    QTest::newRow("cancel") << true << L{MsgResult::Cancel} << false << false << 4;
    QTest::newRow("no: changes dropped") << true << L{MsgResult::No} << false << true << 4;
    QTest::newRow("yes: saved first") << true << L{MsgResult::Yes, MsgResult::Yes} << false << true << 3;
    QTest::newRow("yes, save declined") << true << L{MsgResult::Yes, MsgResult::No} << false << false << 4;
    QTest::newRow("yes, save fails") << true << L{MsgResult::Yes, MsgResult::Yes, MsgResult::Ok} << true << false << -1;
}

void TestHistory::unsavedChangesQuestion()
{
    QFETCH(bool, modify);
    QFETCH(QList<MsgResult>, answers);
    QFETCH(bool, aFileGone);
    QFETCH(bool, opened);
    QFETCH(int, pointsInA);

    const QString a = w().FileName;
    const QString b = file(u"b.txt"_s, 7);
    if (modify) {
        dialogs().answerMessage(MsgResult::Yes);
        w().CommandRemove_Click();
    }
    if (aFileGone)
        QVERIFY(QFile::remove(a));
    const QString before = seen(w());
    const qsizetype shownBefore = dialogs().shown.size();
    for (MsgResult answer : answers)
        dialogs().answerMessage(answer);
    if (opened)
        dialogs().answerOpenFile(b);
    QVERIFY(m_f->trigger(u"mnuFileOpen"_s));

    if (modify) {
        const platform::Message question = dialogs().shown.value(shownBefore);
        QCOMPARE(question.text, u"Il ciclo colore ha modifiche non salvate. Salvarle prima?"_s);
        QVERIFY(question.buttons == platform::MsgButtons::YesNoCancel && question.defaultButton == MsgResult::Cancel);
    } else {
        QCOMPARE(dialogs().shown.size(), shownBefore);
    }
    if (opened)
        QVERIFY(w().FileName == b && w().PointCount == 7 && !w().isWindowModified());
    else
        QVERIFY(seen(w()) == before && w().isWindowModified());
    QCOMPARE(pointsInA > 0 ? cyclefile::readCycleFile(a).cycle->pointCount : -1, pointsInA);
}

void TestHistory::notWhileEditingAndEscapeAnnuls()
{
    w().show();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    dialogs().answerMessage(MsgResult::Yes);
    w().CommandRemove_Click();
    QVERIFY(w().menuItem(u"mnuEditUndo"_s)->isEnabled());

    w().CommandEdit_Click();
    QVERIFY(!w().menuItem(u"mnuEditUndo"_s)->isEnabled() && !w().toolbarButton(u"Undo"_s)->isEnabled());
    QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w().PointCount, 3);

    QTest::keyClick(&w(), Qt::Key_Escape);
    QVERIFY(tag(w().CommandSave) == u"D"_s && !w().TextTime->isEnabled());
    QVERIFY(w().menuItem(u"mnuEditUndo"_s)->isEnabled());
    QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w().PointCount, 4);
    QTest::keyClick(&w(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w().PointCount, 3);
}

namespace {

QString cell(FormColour &w, int row, int column)
{
    return w.PointsTableView->model()->index(row, column).data().toString();
}

} // namespace

void TestHistory::pointsTableFollowsTheEditor()
{
    w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w()));
    QVERIFY(m_f->trigger(u"mnuViewPointsTable"_s));
    QVERIFY(w().PointsTable->isVisibleTo(&w()));
    QVERIFY(w().menuItem(u"mnuViewPointsTable"_s)->isChecked());
    QCOMPARE(w().PointsTable->windowTitle(), u"Tabella Punti"_s);
    QTableView *view = w().PointsTableView;
    QCOMPARE(view->model()->rowCount(), 4);
    QCOMPARE(cell(w(), 2, 1), u"02:00:00"_s);
    QCOMPARE(cell(w(), 2, 3), u"030"_s);

    // A row picked in the table is the editor's point, and the other way round.
    view->selectionModel()->setCurrentIndex(view->model()->index(2, 4), QItemSelectionModel::ClearAndSelect
                                                                          | QItemSelectionModel::Rows);
    QCOMPARE(w().PointCurrent, 3);
    QCOMPARE(w().TextTime->text(), u"02:00:00"_s);
    QCOMPARE(w().TextRed->text(), u"030"_s);
    w().CommandNext_Click();
    QCOMPARE(view->currentIndex().row(), 3);
    QVERIFY(view->selectionModel()->isRowSelected(3));

    // Times follow the display switch, headers and title the language.
    w().mnuConfigTimeViewer_Click();
    QCOMPARE(cell(w(), 2, 1), u"07200"_s);
    w().mnuConfigLanguage_Click();
    QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), u"Position Time"_s);
    QCOMPARE(w().PointsTable->windowTitle(), u"Points Table"_s);

    // A cycle that changes elsewhere shows in the table at once.
    dialogs().answerMessage(MsgResult::Yes);
    w().CommandRemove_Click();
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(view->currentIndex().row(), w().PointCurrent - 1);

    // While a point is being edited the table neither moves nor changes it.
    w().CommandEdit_Click();
    QVERIFY(!view->isEnabled());
    QVERIFY(!(view->model()->flags(view->model()->index(1, 1)) & Qt::ItemIsEditable));
    w().CommandAnnul_Click();
    QVERIFY(view->isEnabled());

    // The dock's close button unticks the item.
    w().PointsTable->close();
    QVERIFY(!w().menuItem(u"mnuViewPointsTable"_s)->isChecked());
}

void TestHistory::pointsTableCellEdits_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("shown");   // the cell afterwards
    QTest::addColumn<int>("current");

    using M = editor::PointsTableModel;
    QTest::newRow("time between its neighbours") << 1 << int(M::TimeColumn) << u"00:30:00"_s << QString()
                                                 << u"00:30:00"_s << 2;
    QTest::newRow("time past the next point: reordered")
        << 1 << int(M::TimeColumn) << u"02:30:00"_s << QString() << u"02:30:00"_s << 3;
    QTest::newRow("time already used") << 1 << int(M::TimeColumn) << u"02:00:00"_s
                                       << u"Posizione già utilizzata da un altro Punto Colore!"_s << u"01:00:00"_s
                                       << 1;
    QTest::newRow("time inside the previous hold")
        << 1 << int(M::TimeColumn) << u"00:00:30"_s
        << u"Posizione non compatibile con la Posizione e la Lunghezza del Punto Colore Precedente."_s
        << u"01:00:00"_s << 1;
    QTest::newRow("first point's time") << 0 << int(M::TimeColumn) << u"00:10:00"_s
                                        << u"Il primo Punto Colore ha posizione = 0. Non è possibile modificarlo"_s
                                        << u"00:00:00"_s << 1;
    QTest::newRow("length up to the next point") << 1 << int(M::LengthColumn) << u"00:59:59"_s << QString()
                                                 << u"00:59:59"_s << 2;
    QTest::newRow("length into the next point") << 1 << int(M::LengthColumn) << u"01:00:00"_s
                                                << u"Valore fuori Limite!"_s << u"00:01:00"_s << 1;
    QTest::newRow("last length into the transition") << 3 << int(M::LengthColumn) << u"20:50:01"_s
                                                     << u"Valore fuori Limite!"_s << u"00:01:00"_s << 1;
    QTest::newRow("level") << 2 << int(M::GreenColumn) << u"55"_s << QString() << u"055"_s << 3;
    QTest::newRow("level above 100") << 2 << int(M::BlueColumn) << u"250"_s << QString() << u"100"_s << 3;
}

void TestHistory::pointsTableCellEdits()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QFETCH(int, current);
    QVERIFY(m_f->trigger(u"mnuViewPointsTable"_s));
    w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w()));
    const QByteArray before = cycleOf(w());
    if (!message.isEmpty())
        dialogs().answerMessage(MsgResult::Ok);

    // Typed into the cell's editor as a user does, Enter to confirm.
    QTableView *view = w().PointsTableView;
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    auto *editor = view->findChild<QLineEdit *>(u"PointsTableEditor"_s);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell's editor hands its value on once it has closed.
    if (message.isEmpty())
        QTRY_VERIFY(cycleOf(w()) != before);
    else
        QTRY_VERIFY(dialogs().allAnswered());

    const int point = current - 1;
    if (message.isEmpty()) {
        QCOMPARE(w().menuItem(u"mnuEditUndo"_s)->text(), u"Annulla Modifica punto %1"_s.arg(w().PointCurrent));
        QCOMPARE(cell(w(), point, column), shown);
        QCOMPARE(w().PointCurrent, current);
        QCOMPARE(view->currentIndex().row(), current - 1);
        QVERIFY(m_f->trigger(u"mnuEditUndo"_s));
        QCOMPARE(cycleOf(w()), before);
    } else {
        QCOMPARE(dialogs().last().text.section(QChar(13), 0, 0), message);
        QCOMPARE(cycleOf(w()), before);
        QCOMPARE(cell(w(), row, column), shown);
        QCOMPARE(w().menuItem(u"mnuEditUndo"_s)->text(), u"Annulla Apri a.txt"_s);
    }
}

void TestHistory::pointsTableCopyAndPaste()
{
    QVERIFY(m_f->trigger(u"mnuViewPointsTable"_s));
    w().show();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    QTableView *view = w().PointsTableView;
    view->setFocus();
    view->selectionModel()->select(QItemSelection(view->model()->index(1, 0), view->model()->index(2, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied, u"02\t01:00:00\t00:01:00\t020\t000\t080\n03\t02:00:00\t00:01:00\t030\t000\t070\n"_s);
    // File Create keeps Ctrl+C outside the table.
    QVERIFY(dialogs().allAnswered());

    // Pasted as a spreadsheet gives them back, moved half an hour on: one step.
    const QString before = seen(w());
    QString moved = copied;
    moved.replace(u"01:00:00"_s, u"01:30:00"_s).replace(u"02:00:00"_s, u"9000"_s);
    QApplication::clipboard()->setText(moved);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w().PointCount, 6);
    QCOMPARE(cell(w(), 2, 1), u"01:30:00"_s);
    QCOMPARE(cell(w(), 4, 1), u"02:30:00"_s);
    QCOMPARE(cell(w(), 4, 3), u"030"_s);
    QCOMPARE(w().PointCurrent, 5);
    QCOMPARE(w().menuItem(u"mnuEditUndo"_s)->text(), u"Annulla Incolla 2 punti"_s);
    QVERIFY(m_f->trigger(u"mnuEditUndo"_s));
    QCOMPARE(seen(w()), before);

    // All or nothing: one row refused leaves the cycle as it was.
    const QStringList refused{
        u"01\t01:30:00\t00:00:10\t1\t2\t3\n02\t03:00:00\t00:00:10\t1\t2\t3\n"_s, // time of point 4
        u"01\t01:30:00\t00:00:10\t1\t2\t3\n02\t01:30:05\t00:00:10\t1\t2\t3\n"_s, // in the first's hold
        u"01\t01:30:00\t00:00:10\t1\t2\t3\nred\tgreen\n"_s,                          // no point
        u"01\t01:30:00\t00:00:10\t1\t2\t300\n"_s,                                       // level above 100
    };
    for (const QString &text : refused) {
        dialogs().answerMessage(MsgResult::Ok);
        QApplication::clipboard()->setText(text);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(dialogs().allAnswered(), qPrintable(text));
        QCOMPARE(seen(w()), before);
        QCOMPARE(view->model()->rowCount(), 4);
    }
    QCOMPARE(w().menuItem(u"mnuEditUndo"_s)->text(), u"Annulla Apri a.txt"_s);
}

QTEST_MAIN(TestHistory)
#include "test_history.moc"
