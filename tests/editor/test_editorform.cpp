// The colour-point editor driven through its real widgets on the offscreen
// platform, with scripted dialogs.

#include "app/tags.h"
#include "editor/editorcontrols.h"
#include "store/numbers.h"
#include "support/formfixture.h"

#include <QLabel>
#include <QSlider>
#include <QTest>

using namespace Qt::StringLiterals;
using platform::MsgResult;
using store::Field;

namespace {

struct Point
{
    int time;
    int length = 0;
    int red = 0;
};

// Loads the points into the store as a file load does, and shows point 1.
void load(FormFixture &f, const QList<Point> &points, int transition = 0)
{
    FormColour &w = *f.form;
    store::ColourTable &t = w.table();
    store::emptyTable(t);
    for (int i = 0; i < points.size(); ++i) {
        store::ColourPoint &row = t.row(i + 1);
        row.setValue(Field::PointID, i + 1);
        row.setValue(Field::Time, points[i].time);
        row.setValue(Field::Length, points[i].length);
        row.setValue(Field::Red, points[i].red);
    }
    w.TransitionTime = store::format00000(transition);
    w.DataBaseCheck();
    w.PointCurrent = 1;
    t.MoveFirst();
    w.pointRefresh();
}

QList<qint64> times(FormColour &w)
{
    QList<qint64> list;
    for (int k = 1; k <= w.PointCount; ++k)
        list.append(w.table().row(k).value(Field::Time));
    return list;
}

void clickAt(QLineEdit *field, bool atStart)
{
    const QPoint pos(atStart ? 2 : field->width() - 2, field->height() / 2);
    QTest::mouseClick(field, Qt::LeftButton, {}, pos);
}

// A double click as the platform delivers it: a click, then a second press
// that is reported as a double click, then the release.
void doubleClick(QLineEdit *field)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::mousePress(field, Qt::LeftButton);
    QTest::mouseDClick(field, Qt::LeftButton);
    QTest::mouseRelease(field, Qt::LeftButton);
}

void clearSeconds(QLineEdit *field)
{
    clickAt(field, false);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(field, Qt::Key_Backspace);
}

} // namespace

class TestEditorForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void overwriteTypingWithTheCaret();
    void guardAndFirstPoint();
    void liveLengthLimit();
    void insertAt63Points();
    void annulAfterInsert();
    void removePoint1();
    void removeAnswers();
    void shift_data();
    void shift();
    void shiftOutOfRangeOnConfirm();
    void colourFieldsAndSliders();

private:
    std::unique_ptr<FormFixture> f;
    FormColour *w = nullptr;
};

void TestEditorForm::init()
{
    f = std::make_unique<FormFixture>();
    w = f->form.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // Start-up consolidated the blank store without a word.
    QVERIFY(f->dialogs.shown.isEmpty());
    QCOMPARE(f->field(u"TextPointID"_s)->text(), QStringLiteral("01"));
}

void TestEditorForm::overwriteTypingWithTheCaret()
{
    load(*f, {{0}, {5025}, {9000}});
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    QLineEdit *time = f->field(u"TextTime"_s);
    QCOMPARE(time->text(), QStringLiteral("01:23:45"));
    clickAt(time, true);
    QCOMPARE(tag(time), QStringLiteral("C"));
    QCOMPARE(editor::textColour(time), editor::kOrange);
    QCOMPARE(time->cursorPosition(), 1);

    QTest::keyClick(time, Qt::Key_9);
    QCOMPARE(time->text(), QStringLiteral("91:23:45"));
    QCOMPARE(time->cursorPosition(), 2);
    QTest::keyClick(time, Qt::Key_7);
    QCOMPARE(time->text(), QStringLiteral("97:23:45"));
    QCOMPARE(time->cursorPosition(), 4);

    QTest::keyClick(time, Qt::Key_Left);
    QCOMPARE(time->cursorPosition(), 2);
    QTest::keyClick(time, Qt::Key_Right);
    QCOMPARE(time->cursorPosition(), 4);
    QTest::keyClick(time, Qt::Key_Backspace);
    QTest::keyClick(time, Qt::Key_A);
    QTest::keyClick(time, Qt::Key_Delete);
    QCOMPARE(time->text(), QStringLiteral("97:23:45"));
    QCOMPARE(time->cursorPosition(), 4);

    // Back to 01:23:45 and one minute on: 01:24:45 fits before 9000.
    QTest::keyClick(time, Qt::Key_Left);
    QTest::keyClick(time, Qt::Key_Left);
    QTest::keyClick(time, Qt::Key_0);
    QTest::keyClick(time, Qt::Key_1);
    QCOMPARE(time->text(), QStringLiteral("01:23:45"));
    QTest::keyClick(time, Qt::Key_Right);
    QTest::keyClick(time, Qt::Key_4);
    QCOMPARE(time->text(), QStringLiteral("01:24:45"));
    QTest::keyClick(time, Qt::Key_Return);
    QCOMPARE(tag(time), QStringLiteral("U"));
    QCOMPARE(editor::textColour(time), editor::kNavy);
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(times(*w), (QList<qint64>{0, 5085, 9000}));
    QCOMPARE(tag(f->button(u"CommandSave"_s)), QStringLiteral("D"));
    QVERIFY(f->dialogs.shown.isEmpty());
}

void TestEditorForm::guardAndFirstPoint()
{
    load(*f, {{0}, {100}});
    f->button(u"CommandEdit"_s)->click();
    f->dialogs.answerMessage(MsgResult::Ok);
    clickAt(f->field(u"TextTime"_s), false);
    QCOMPARE(f->dialogs.last().text,
             QStringLiteral("Il primo Punto Colore ha posizione = 0. Non è possibile modificarlo"));
    QCOMPARE(tag(f->field(u"TextTime"_s)), QStringLiteral("U"));

    f->button(u"CommandAnnul"_s)->click();
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    clickAt(f->field(u"TextTime"_s), false);
    // Another time field refuses while the time is typed, and so does Save.
    f->dialogs.answerMessage(MsgResult::Ok);
    QTest::keyClick(f->field(u"TextLength"_s), Qt::Key_5);
    QCOMPARE(f->dialogs.last().text.section(kLineBreak, 0, 0),
             QString::fromUtf8("\"Posizione\" è in Stato Modifica, quindi:"));
    QCOMPARE(f->field(u"TextLength"_s)->text(), QStringLiteral("00:00:00"));
    f->dialogs.answerMessage(MsgResult::Ok);
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(f->dialogs.shown.size(), 3);
    QCOMPARE(f->dialogs.last().title, QStringLiteral("Attenzione"));
    QCOMPARE(tag(f->button(u"CommandSave"_s)), QStringLiteral("E"));

    // A refused time stays in editor mode for correction.
    QLineEdit *time = f->field(u"TextTime"_s);
    QTest::keyClick(time, Qt::Key_0); // 00:01:40, caret 8
    QTest::keyClick(time, Qt::Key_Left);
    QTest::keyClick(time, Qt::Key_Left);
    QTest::keyClick(time, Qt::Key_Left);
    QCOMPARE(time->cursorPosition(), 4);
    QTest::keyClicks(time, QStringLiteral("000"));
    QCOMPARE(time->text(), QStringLiteral("00:00:00"));
    f->dialogs.answerMessage(MsgResult::Ok);
    QTest::mouseDClick(time, Qt::LeftButton);
    QCOMPARE(f->dialogs.last().text, QString::fromUtf8("Posizione già utilizzata da un altro Punto Colore!"));
    QCOMPARE(tag(time), QStringLiteral("C"));
    QCOMPARE(time->text(), QStringLiteral("00:00:00"));
    QVERIFY(f->dialogs.allAnswered());
}

void TestEditorForm::liveLengthLimit()
{
    w->mnuConfigTimeViewer_Click(); // seconds
    load(*f, {{0}, {100}, {200}});
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    QLineEdit *length = f->field(u"TextLength"_s);
    clearSeconds(length);
    QVERIFY(f->find<QLabel>(u"LabelRange"_s)->isVisible());
    QCOMPARE(f->find<QLabel>(u"LabelRange"_s)->text(), QStringLiteral("Lunghezza Massima = 00099 Sec"));
    QCOMPARE(length->text(), QString());
    QTest::keyClick(length, Qt::Key_5);
    QTest::keyClick(length, Qt::Key_0);
    QCOMPARE(length->text(), QStringLiteral("50"));
    QTest::keyClick(length, Qt::Key_0);
    QCOMPARE(length->text(), QStringLiteral("00099"));
    doubleClick(length);
    QCOMPARE(tag(length), QStringLiteral("U"));
    QCOMPARE(length->text(), QStringLiteral("00099"));
    QVERIFY(!f->find<QLabel>(u"LabelRange"_s)->isVisible());
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(w->table().row(2).value(Field::Length), 99);

    // Reached with Tab, never clicked: the limit of the point shown holds,
    // and Enter confirms.
    f->button(u"CommandLast"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    length->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(length, QStringLiteral("9"));
    QCOMPARE(length->text(), QStringLiteral("9"));
    QTest::keyClicks(length, QStringLiteral("0000"));
    QCOMPARE(length->text(), QStringLiteral("86200")); // 86400 - 200
    QTest::keyClick(length, Qt::Key_Return);
    QCOMPARE(w->LengthMaxValue, QStringLiteral("86200"));
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(w->table().row(3).value(Field::Length), 86200);
    QVERIFY(f->dialogs.shown.isEmpty());

    // In hh:mm:ss a field reached with Tab takes the overwrite typing from its start.
    w->mnuConfigTimeViewer_Click();
    f->button(u"CommandEdit"_s)->click();
    length->setFocus(Qt::TabFocusReason);
    QVERIFY(!length->hasSelectedText());
    QTest::keyClicks(length, QStringLiteral("01"));
    QCOMPARE(length->text(), QStringLiteral("01:56:40"));
}

void TestEditorForm::insertAt63Points()
{
    w->mnuConfigTimeViewer_Click(); // seconds
    QList<Point> points;
    for (int i = 0; i < 63; ++i)
        points.append(Point{i * 100});
    load(*f, points);
    f->button(u"CommandLast"_s)->click();
    QVERIFY(f->button(u"CommandInsert"_s)->isEnabled());
    f->button(u"CommandInsert"_s)->click();
    QCOMPARE(tag(f->button(u"CommandSave"_s)), QStringLiteral("I"));
    QLineEdit *time = f->field(u"TextTime"_s);
    QCOMPARE(tag(time), QStringLiteral("C"));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(time, Qt::Key_Backspace);
    QTest::keyClicks(time, QStringLiteral("7000"));
    QTest::keyClick(time, Qt::Key_Enter);
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(w->PointCount, 64);
    QCOMPARE(w->PointCurrent, 64);
    QCOMPARE(w->table().row(64).value(Field::Time), 7000);
    QCOMPARE(f->find<QLabel>(u"LabelPointID"_s)->text(), QStringLiteral("64/64"));
    QVERIFY(!f->button(u"CommandInsert"_s)->isEnabled());
    QVERIFY(f->dialogs.shown.isEmpty());
}

void TestEditorForm::annulAfterInsert()
{
    load(*f, {{0}, {100, 0, 30}});
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandInsert"_s)->click();
    QLineEdit *time = f->field(u"TextTime"_s);
    QTest::keyClick(time, Qt::Key_9); // 00:01:40 -> 00:01:49
    QCOMPARE(time->text(), QStringLiteral("00:01:49"));
    f->button(u"CommandAnnul"_s)->click();
    QCOMPARE(w->PointCount, 2);
    QCOMPARE(times(*w), (QList<qint64>{0, 100}));
    QCOMPARE(time->text(), QStringLiteral("00:01:40"));
    QCOMPARE(tag(time), QStringLiteral("U"));
    QCOMPARE(editor::textColour(time), editor::kNavy);
    QVERIFY(!time->isEnabled());
    QCOMPARE(tag(f->button(u"CommandSave"_s)), QStringLiteral("D"));
    QVERIFY(f->button(u"CommandInsert"_s)->isEnabled());
}

void TestEditorForm::removePoint1()
{
    load(*f, {{0, 0, 10}, {100, 5, 20}, {200, 0, 30}});
    f->dialogs.answerMessage(MsgResult::Yes);
    f->button(u"CommandRemove"_s)->click();
    QCOMPARE(f->dialogs.last().text, QStringLiteral("Eliminare il Punto Colore! Confermi?"));
    QCOMPARE(f->dialogs.last().title, QStringLiteral("Warning"));
    QCOMPARE(f->dialogs.last().defaultButton, MsgResult::No);
    QCOMPARE(w->PointCount, 2);
    QCOMPARE(times(*w), (QList<qint64>{0, 200}));
    QCOMPARE(f->field(u"TextRed"_s)->text(), QStringLiteral("020"));
    QCOMPARE(w->table().row(1).value(Field::Length), 5);
    QCOMPARE(f->find<QLabel>(u"LabelPointID"_s)->text(), QStringLiteral("01/02"));
}

void TestEditorForm::removeAnswers()
{
    load(*f, {{0}, {100}, {200}});
    f->button(u"CommandLast"_s)->click();
    f->dialogs.answerMessage(MsgResult::No);
    f->dialogs.answerMessage(MsgResult::Yes);
    f->button(u"CommandRemove"_s)->click();
    QCOMPARE(w->PointCount, 3);
    f->button(u"CommandRemove"_s)->click();
    QCOMPARE(w->PointCount, 2);
    QCOMPARE(f->field(u"TextPointID"_s)->text(), QStringLiteral("02")); // point k - 1 is shown

    // The only point turns into the blank point, keeping its length.
    load(*f, {{0, 30, 50}});
    f->dialogs.answerMessage(MsgResult::Yes);
    f->button(u"CommandRemove"_s)->click();
    QCOMPARE(w->PointCount, 1);
    QCOMPARE(w->table().row(1).text(Field::PointID), QStringLiteral("01"));
    QCOMPARE(w->table().row(1).value(Field::Red), 0);
    QCOMPARE(w->table().row(1).value(Field::Length), 30);
}
void TestEditorForm::shift_data()
{
    QTest::addColumn<bool>("hms");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QList<qint64>>("after");
    QTest::newRow("seconds: to 150")
        << false << QStringLiteral("Valori Ammessi: da 00001 a 85550 Sec") << QList<qint64>{0, 150, 250, 350};
    QTest::newRow("hh:mm:ss: to 90")
        << true << QStringLiteral("Valori Ammessi: da 00:00:01 a 23:45:50") << QList<qint64>{0, 90, 190, 290};
}

void TestEditorForm::shift()
{
    QFETCH(bool, hms);
    QFETCH(QString, range);
    QFETCH(QList<qint64>, after);
    if (!hms)
        w->mnuConfigTimeViewer_Click();
    load(*f, {{0}, {100, 20}, {200}, {300, 50}}, 600);
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    f->button(u"CommandMoveShift"_s)->click();
    QCOMPARE(tag(f->button(u"CommandMoveShift"_s)), QStringLiteral("S"));
    QCOMPARE(f->find<QLabel>(u"LabelTimeName"_s)->text(), QStringLiteral("Trasla fino a"));
    QCOMPARE(w->ShiftRangeMin, 1);
    QCOMPARE(w->ShiftRangeMax, 85550);

    QLineEdit *time = f->field(u"TextTime"_s);
    clickAt(time, false);
    QVERIFY(f->find<QLabel>(u"LabelRange"_s)->isVisible());
    QCOMPARE(f->find<QLabel>(u"LabelRange"_s)->text(), range);
    if (hms) {
        QTest::keyClick(time, Qt::Key_Left); // 00:01:4|0
        QTest::keyClick(time, Qt::Key_3);
        QCOMPARE(time->text(), QStringLiteral("00:01:30"));
    } else {
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(time, Qt::Key_Backspace);
        QTest::keyClicks(time, QStringLiteral("150"));
    }
    doubleClick(time);
    QCOMPARE(tag(time), QStringLiteral("U"));
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(times(*w), after);
    QCOMPARE(w->table().row(4).value(Field::Length), 50);
    QCOMPARE(w->PointCurrent, 2);
    QCOMPARE(tag(f->button(u"CommandMoveShift"_s)), QStringLiteral("M"));
    QVERIFY(f->dialogs.shown.isEmpty());
}

void TestEditorForm::shiftOutOfRangeOnConfirm()
{
    w->mnuConfigTimeViewer_Click(); // seconds
    load(*f, {{0, 40}, {100}, {200}}, 0);
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    f->button(u"CommandMoveShift"_s)->click();
    QLineEdit *time = f->field(u"TextTime"_s);
    clearSeconds(time);
    QTest::keyClicks(time, QStringLiteral("30"));
    f->dialogs.answerMessage(MsgResult::Ok);
    QTest::keyClick(time, Qt::Key_Return);
    QCOMPARE(f->dialogs.last().text, QStringLiteral("Valore fuori Limite!"));
    QCOMPARE(f->dialogs.last().title, QStringLiteral("Attenzione"));
    QCOMPARE(time->text(), QStringLiteral("00041")); // the lower bound
    f->button(u"CommandSave"_s)->click();
    QCOMPARE(times(*w), (QList<qint64>{0, 41, 141}));
}

void TestEditorForm::colourFieldsAndSliders()
{
    w->mnuEnableRGB->setChecked(true);
    w->mnuEnableColorCycle->setChecked(true);
    load(*f, {{0}, {100}});
    f->button(u"CommandNext"_s)->click();
    f->button(u"CommandEdit"_s)->click();
    QLineEdit *red = f->field(u"TextRed"_s);
    QTest::mouseClick(red, Qt::LeftButton);
    QCOMPARE(tag(red), QStringLiteral("C"));
    QTest::keyClick(red, Qt::Key_End);
    QTest::keyClick(red, Qt::Key_X);
    QCOMPARE(red->text(), QStringLiteral("000"));
    QTest::keyClicks(red, QStringLiteral("250"));
    QTest::keyClick(red, Qt::Key_Return);
    QCOMPARE(red->text(), QStringLiteral("100"));
    QCOMPARE(tag(red), QStringLiteral("U"));
    QCOMPARE(w->ColorRed, QStringLiteral("100"));
    QCOMPARE(w->SliderRed->value(), 100);

    // A slider moved by the user sets its colour; the store sets the sliders
    // without the colours moving.
    w->SliderGreen->setValue(40);
    QCOMPARE(w->ColorGreen, QStringLiteral("040"));
    QCOMPARE(f->field(u"TextGreen"_s)->text(), QStringLiteral("040"));
    w->ColorBlue = QStringLiteral("070");
    w->DataBaseData();
    QCOMPARE(w->SliderBlue->value(), 70);
    QCOMPARE(w->ColorRed, QStringLiteral("100"));
    QCOMPARE(w->ColorGreen, QStringLiteral("040"));
    QCOMPARE(w->ColorBlue, QStringLiteral("070"));

    f->button(u"CommandSave"_s)->click();
    QCOMPARE(w->table().row(2).value(Field::Red), 100);
    QCOMPARE(w->table().row(2).value(Field::Green), 40);
    QCOMPARE(w->table().row(2).value(Field::Blue), 70);

    // The colour dialog: 255/128/0 is 100/050/000 percent; cancel keeps it.
    f->dialogs.answerColour(QColor(255, 128, 0));
    f->dialogs.answerColour(std::nullopt);
    w->CommandColor_Click();
    w->CommandColor_Click();
    QCOMPARE(f->field(u"TextRed"_s)->text(), QStringLiteral("100"));
    QCOMPARE(f->field(u"TextGreen"_s)->text(), QStringLiteral("050"));
    QCOMPARE(f->field(u"TextBlue"_s)->text(), QStringLiteral("000"));
}

QTEST_MAIN(TestEditorForm)
#include "test_editorform.moc"
