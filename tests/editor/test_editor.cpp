// The colour-point editor: its rules as plain computation, then the form
// driven through its real widgets on the offscreen platform with scripted
// dialogs (a dialog nobody scripted fails the test).

#include "app/tags.h"
#include "editor/editorcontrols.h"
#include "editor/fieldentry.h"
#include "editor/rules.h"
#include "store/numbers.h"
#include "support/cycles.h"
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

// The points in an empty store numbered from 1, as a file load leaves them.
store::ColourTable table(const QList<Point> &points)
{
    store::ColourTable t;
    store::emptyTable(t);
    for (int i = 0; i < points.size(); ++i)
        t.row(i + 1) = colourPoint({i + 1, points[i].time, points[i].length, points[i].red, 0, 0});
    return t;
}

QList<qint64> column(const store::ColourTable &t, Field field, int count)
{
    QList<qint64> list;
    for (int k = 1; k <= count; ++k)
        list.append(t.row(k).value(field));
    return list;
}

// The lines of a message joined as the program joins them.
QString lines(const QStringList &parts) { return parts.join(kLineBreak); }
// As many leading lines of `text` as `expected` has.
QString head(const QString &text, const QString &expected)
{
    return text.split(kLineBreak).mid(0, expected.split(kLineBreak).size()).join(kLineBreak);
}

// Types into a widget: a character is typed as it is; "<" and ">" are the
// arrows, "#" Backspace, "~" Delete, "=" Enter (Return), "$" End.
void type(QWidget *widget, const QString &keys)
{
    const Qt::Key named[] = {Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Backspace,
                             Qt::Key_Delete, Qt::Key_Return, Qt::Key_End};
    for (const QChar key : keys) {
        if (const qsizetype k = QStringView(u"<>#~=$").indexOf(key); k >= 0)
            QTest::keyClick(widget, named[k]);
        else
            QTest::keyClick(widget, key.toLatin1());
    }
}

// Empties a field in seconds display, its caret at the end.
void clear(QLineEdit *field) { type(field, QString(editor::kSecondsDigits, u'#')); }

// Clicks the field where the platform puts the caret at `caret` (-1: the end).
void clickAt(QLineEdit *field, int caret = -1)
{
    const int y = field->height() / 2;
    const int wanted = caret < 0 ? int(field->text().size()) : caret;
    int first = -1, last = -1;
    for (int x = 0; x < field->width(); ++x) {
        if (field->cursorPositionAt(QPoint(x, y)) == wanted) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    QVERIFY(first >= 0);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint((first + last) / 2, y));
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

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        f = std::make_unique<FormFixture>();
        w = f->form.get();
        time = f->field(u"TextTime"_s);
        length = f->field(u"TextLength"_s);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup() { QVERIFY(f->dialogs.allAnswered()); }

    // ----- The rules -----------------------------------------------------------

    void timeCheck_data()
    {
        QTest::addColumn<QList<Point>>("points");
        QTest::addColumn<editor::TimeCheckInput>("in");
        QTest::addColumn<QString>("refusal"); // how the English message starts, empty when accepted
        const auto row = [](const char *tag, const QList<Point> &points, editor::TimeCheckInput in,
                            const QString &refusal = {}) { QTest::newRow(tag) << points << in << refusal; };
        const QList<Point> two{{0}, {1000}}, three{{0}, {150}, {300}}, held{{0, 50}, {200}};
        // Point 2 of 0, 100 (length 20), 200, 300: its own old record is no neighbour.
        const QList<Point> four{{0}, {100, 20}, {200}, {300, 50}};
        row("transition 600, 85800 accepted", two, {2, 1, true, 85800, 0, 600});
        row("transition 600, 85801 refused", two, {2, 1, true, 85801, 0, 600},
            lines({u"Conflict between the Position Time and Transition Time!"_s,
                   u"Must be: Position Time < (Max Time - TransitionTime))"_s, u"Position Time = 85801"_s}));
        row("100 + 49 + 1 = 150 accepted", three, {3, 1, true, 100, 49, 0});
        row("length 50 refused", three, {3, 1, true, 100, 50, 0},
            u"Conflict between the Position Time and the complessive value of Length Time and the Next Point Colour "
            "Position Time!"_s);
        row("own old time", three, {3, 2, false, 150, 0, 0});
        row("insert at 0", three, {3, 1, true, 0, 0, 0}, u"Position Time already used!"_s);
        row("last point ends the day exactly", two, {2, 1, true, 85000, 800, 600});
        row("last point one second over", two, {2, 1, true, 85001, 800, 600},
            u"Conflict between the Position Time and the complessive value of Length Time and Transition Time!"_s);
        row("previous hold + 1 accepted", held, {2, 2, true, 51, 0, 0});
        row("inside the previous hold", held, {2, 2, true, 50, 0, 0},
            u"Conflict between the Position Time and the complessive value of the previous Position Time and Length "
            "Time"_s);
        row("moved later, own hold ignored", four, {4, 2, false, 110, 20, 0});
        row("moved earlier, own time ignored", four, {4, 2, false, 90, 50, 0});
    }

    void timeCheck()
    {
        QFETCH(QList<Point>, points);
        QFETCH(editor::TimeCheckInput, in);
        QFETCH(QString, refusal);
        const auto message = editor::DataBaseTimeCheck(table(points), in);
        QCOMPARE(message ? head(message->text.english, refusal) : QString(), refusal);
    }

    void checkConsolidatesUsedSlots()
    {
        store::ColourTable t;
        store::emptyTable(t);
        for (int k : {1, 3, 5}) {
            t.row(k).setValue(Field::PointID, 7);
            t.row(k).setValue(Field::Time, k * 100);
            t.row(k).setValue(Field::Red, k);
        }
        t.row(5).setText(Field::Blue, u"150"_s);
        const editor::CheckResult r = editor::DataBaseCheck(t, 0);
        QVERIFY(r.pointCount == 3 && !r.checkError && r.messages.isEmpty());
        QCOMPARE(column(t, Field::PointID, 3), (QList<qint64>{1, 2, 3}));
        QCOMPARE(column(t, Field::Red, 3), (QList<qint64>{1, 3, 5}));
        QCOMPARE(column(t, Field::Time, 3), (QList<qint64>{0, 300, 500})); // the first point pinned to 0
        QCOMPARE(t.row(3).text(Field::Blue), u"100"_s);                    // colour 150 to 100
        for (int k = 4; k <= store::kRowCount; ++k)
            QCOMPARE(t.row(k), store::ColourPoint());
    }

    void check_data()
    {
        QTest::addColumn<QList<Point>>("points");
        QTest::addColumn<int>("transition");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QList<qint64>>("lengths");
        QTest::addColumn<QString>("message"); // how the English message starts, empty when none
        const auto row = [](const char *tag, const QList<Point> &points, int transition, const QList<qint64> &times,
                            const QList<qint64> &lengths, const QString &message = {}) {
            QTest::newRow(tag) << points << transition << times << lengths << message;
        };
        row("out of order: sorted, holds trimmed", {{0, 250}, {500, 40}, {200, 400}, {300, 99}}, 0, {0, 200, 300, 500},
            {199, 99, 99, 40});
        // The sort meets the pair of 300s first and stops with 500 still before
        // 300; that pair keeps its length instead of a negative one.
        row("equal times stop the sort", {{0, 600}, {500, 40}, {300}, {300}}, 0, {0, 500, 300, 300}, {499, 40, 0, 0},
            lines({u"Two Color Point have the same Time Value"_s,
                   {},
                   u"Color Point 04 has Position Time = 00300"_s,
                   u"Color Point 03 has Position Time = 00300"_s}));
        row("hold as long as the gap", {{0, 100}, {100, 99}, {200}}, 0, {0, 100, 200}, {99, 99, 0});
        row("transition 600, 85800 fits", {{0}, {85800}}, 600, {0, 85800}, {0, 0});
        row("transition 600, 85801 out of the day", {{0}, {85801}}, 600, {0, 85801}, {0, 0},
            u"The Color Point 02 has the Position Time Value Out of Range (Min = 0, Max = (86400 - Transition "
            "Time).)"_s);
    }

    void check()
    {
        QFETCH(QList<Point>, points);
        QFETCH(int, transition);
        QFETCH(QString, message);
        store::ColourTable t = table(points);
        const editor::CheckResult r = editor::DataBaseCheck(t, transition);
        QCOMPARE(r.checkError, !message.isEmpty());
        QCOMPARE(r.messages.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(r.messages.isEmpty() ? QString() : head(r.messages.first().text.english, message), message);
        QTEST(column(t, Field::Time, points.size()), "times");
        QTEST(column(t, Field::Length, points.size()), "lengths");
    }

    void limitsAndShiftRange()
    {
        // Beyond the form tests: point 2 of 0, 100, 200 moved earlier holds up to
        // the point after it, captioned "Lenght" in seconds as the program writes
        // it; a time typed beyond the day leaves no length.
        const store::ColourTable t = table({{0}, {100}, {200}});
        QCOMPARE(editor::DataBaseLengthMaxValue(t, 3, 2, 50, 0, false).caption.english, u"Lenght Max = 00149 Sec"_s);
        QCOMPARE(editor::DataBaseLengthMaxValue(t, 3, 2, 50, 0, true).caption.english, u"Length Max = 00:02:29"_s);
        QCOMPARE(editor::DataBaseLengthMaxValue(t, 3, 3, 86300, 600, false).value, 0);
        QCOMPARE(editor::DataBaseTransitionMaxValue(table({{0}, {85000, 400}}), 2, false).caption.english,
                 u"Transition Time Max = 01000 Sec"_s);
        // Point 2 of 0, 100 (length 20), 200, 300 (length 50), transition 600: 1 to 85550.
        const store::ColourTable four = table({{0}, {100, 20}, {200}, {300, 50}});
        // The form's shift test reads the range and is refused 0; past its end, in English:
        const editor::ShiftRange range = editor::DataBaseShiftValue(four, 4, 2, 600, false);
        QVERIFY(!editor::shiftOutOfRange(85550, range, u"Errore"_s));
        QCOMPARE(editor::shiftOutOfRange(85551, range, u"Errore"_s)->text.english, u"Shift Time is Out of Range!"_s);
    }

    // ----- The form ------------------------------------------------------------

    void keySequences_data()
    {
        // Keys as type() takes them. How the field is reached: "edit" (the
        // focus Edit gives the time), "insert" (after the last point), "tab",
        // or a click where the platform puts the caret ("end" or a position).
        QTest::addColumn<bool>("hms");
        QTest::addColumn<QList<Point>>("points");
        QTest::addColumn<int>("point");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        const QList<Point> two{{0}, {5025}}, three{{0}, {100}, {200}}, held{{0}, {100}, {200, 86200}};
        const auto row = [](const char *tag, bool hms, const QList<Point> &points, int point, const char *field,
                            const char *how, const char *keys, const char *text, int caret) {
            QTest::newRow(tag) << hms << points << point << QString::fromLatin1(field) << QString::fromLatin1(how)
                               << QString::fromLatin1(keys) << QString::fromLatin1(text) << caret;
        };
        // hh:mm:ss types over its digits and steps over the colons.
        row("over the hours", true, two, 2, "TextTime", "0", "97", "97:23:45", 4);
        row("left over a colon", true, two, 2, "TextTime", "0", "97<", "97:23:45", 2);
        row("no deleting, no letters", true, two, 2, "TextTime", "0", "97<>#a~", "97:23:45", 4);
        row("the seconds typed over", true, two, 2, "TextTime", "6", "1", "01:23:15", 8);
        row("left over the second colon", true, two, 2, "TextTime", "6", "1<<", "01:23:15", 5);
        row("right stops at the end", true, two, 2, "TextTime", "6", "1<<>>>2", "01:23:12", 8);
        row("every digit in turn", true, two, 2, "TextTime", "0", "1234567", "12:34:57", 8);
        row("right after Edit", true, two, 2, "TextTime", "edit", "0715", "07:15:45", 7);
        row("right after Insert", true, two, 2, "TextTime", "insert", "0715", "07:15:45", 7);
        row("Tab, from the start", true, held, 3, "TextLength", "tab", "01", "01:56:40", 4);
        row("live limit", true, three, 2, "TextLength", "0", "9", "00:01:39", 2);
        // Seconds: five digits at most, the live limit of the point shown.
        row("no sixth digit", false, two, 2, "TextTime", "end", "1", "05025", 5);
        row("seconds, live limit", false, three, 2, "TextLength", "end", "#####500", "00099", 5);
        row("seconds, Tab: the limit of the point shown", false, three, 3, "TextLength", "tab", "90000", "86200", 5);
    }

    void keySequences()
    {
        QFETCH(bool, hms);
        QFETCH(QList<Point>, points);
        QFETCH(int, point);
        QFETCH(QString, field);
        QFETCH(QString, how);
        QFETCH(QString, keys);
        load(points, hms);
        click(u"Next "_s.repeated(point - 1) + (how == u"insert"_s ? u"Insert"_s : u"Edit"_s));
        QLineEdit *box = f->field(field);
        if (how == u"tab"_s)
            box->setFocus(Qt::TabFocusReason);
        else if (how != u"edit"_s && how != u"insert"_s)
            clickAt(box, how == u"end"_s ? -1 : how.toInt());
        QVERIFY(box->hasFocus());
        QCOMPARE(box->hasSelectedText(), !hms && how == u"tab"_s); // seconds reached with Tab: all selected
        type(box, keys);
        QTEST(box->text(), "text");
        QTEST(int(box->cursorPosition()), "caret");
    }

    // A typed time is checked when confirmed: the first point keeps 0, another
    // time field and Save refuse while it is typed, a taken time stays in editor
    // mode for correction.
    void typedTimeIsChecked()
    {
        load({{0}, {5025}, {5085}});
        click(u"Edit"_s);
        f->dialogs.answerMessage(MsgResult::Ok);
        clickAt(time);
        QCOMPARE(f->dialogs.last().text, u"Il primo Punto Colore ha posizione = 0. Non è possibile modificarlo"_s);
        QCOMPARE(tag(time), u"U"_s);
        click(u"Annul"_s);

        click(u"Next Edit"_s);
        clickAt(time, 0);
        type(time, u"9"_s);
        QCOMPARE(editor::textColour(time), editor::kOrange);
        f->dialogs.answerMessage(MsgResult::Ok);
        f->dialogs.answerMessage(MsgResult::Ok);
        type(length, u"5"_s);
        QCOMPARE(f->dialogs.last().text.section(kLineBreak, 0, 0), u"\"Posizione\" è in Stato Modifica, quindi:"_s);
        QCOMPARE(length->text(), u"00:00:00"_s);
        click(u"Save"_s);

        // 01:24:45 is point 3's; 01:24:05 fits.
        f->dialogs.answerMessage(MsgResult::Ok);
        type(time, u"<01>4="_s);
        QCOMPARE(f->dialogs.last().text, u"Posizione già utilizzata da un altro Punto Colore!"_s);
        type(time, u"0="_s);
        QCOMPARE(time->text(), u"01:24:05"_s);
        QCOMPARE(editor::textColour(time), editor::kNavy);
        click(u"Save"_s);
        QCOMPARE(times(), (QList<qint64>{0, 5045, 5085}));
    }

    // A confirmed transition time is the cycle's at once: the field shows it
    // after the refresh, the chart's window and the simulator end with it
    // (confirmed with Enter in hh:mm:ss it is the history test's case).
    void transitionTakesEffect()
    {
        load({{0}, {100, 10}, {200, 50}}, false);
        QVERIFY(f->trigger(u"mnuEnableColorCycle"_s));
        QLineEdit *transition = f->field(u"TextTransition"_s);
        clickAt(transition);
        type(transition, u"#####600"_s);
        doubleClick(transition);
        QCOMPARE(w->document().transitionText() + u'|' + transition->text() + u'|' + tag(transition),
                 u"00600|00600|U"_s);
        QCOMPARE(w->chartLayout().window.end, 850.0f); // 200 + 50 + 600
        QVERIFY(f->trigger(u"mnuEnableSimulator"_s));
        QTest::mouseClick(child<QPushButton>(*w, "CommandStart"), Qt::LeftButton);
        QVERIFY(w->simulatorRunning() && w->simulatorCycleEnd() == 850);
    }

    // The limit shows while the length is typed and goes with the confirmation.
    void lengthLimitShown()
    {
        load({{0}, {100}, {200}}, false);
        click(u"Next Edit"_s);
        clickAt(length);
        clear(length);
        QVERIFY(label(u"LabelRange"_s)->isVisible());
        QCOMPARE(label(u"LabelRange"_s)->text(), u"Lunghezza Massima = 00099 Sec"_s);
        type(length, u"500"_s);
        doubleClick(length);
        QVERIFY(!label(u"LabelRange"_s)->isVisible());
        click(u"Save"_s);
        QCOMPARE(w->document().table().row(2).value(Field::Length), 99);
        // A new point takes the current point's long hold: where only that
        // length is in the way, the position stands and the length shrinks to fit.
        load({{0}, {100, 5000}, {8000}}); // still in seconds
        click(u"Next Insert"_s);
        clear(time);
        type(time, u"6000="_s);
        QCOMPARE(length->text(), u"01999"_s);
        click(u"Save"_s);
        QCOMPARE(times(), (QList<qint64>{0, 100, 6000, 8000}));
    }

    void insertAt63PointsAndAnnul()
    {
        QList<Point> points;
        for (int i = 0; i < 63; ++i)
            points.append(Point{i * 100});
        load(points, false);
        click(u"Last Insert"_s);
        // Insert hands the keyboard to the time, its value selected as after Tab.
        QVERIFY(time->hasFocus() && time->selectedText() == u"06200"_s);
        type(time, u"$#9"_s);
        click(u"Annul"_s);
        QVERIFY(time->text() == u"06200"_s && !time->isEnabled());

        click(u"Insert"_s);
        clear(time);
        type(time, u"7000"_s);
        QTest::keyClick(time, Qt::Key_Enter);
        click(u"Save"_s);
        QVERIFY(times().last() == 7000 && !f->button(u"CommandInsert"_s)->isEnabled());
        QCOMPARE(label(u"LabelPointID"_s)->text(), u"64/64"_s);
    }

    void remove()
    {
        // Point 1: the next point takes its place with its own length and colour.
        load({{0, 0, 10}, {100, 5, 20}, {200, 0, 30}, {300}});
        f->dialogs.answerMessage(MsgResult::Yes);
        click(u"Remove"_s);
        QCOMPARE(f->dialogs.last().text, u"Eliminare il Punto Colore! Confermi?"_s);
        QVERIFY(f->dialogs.last().defaultButton == MsgResult::No && times() == (QList<qint64>{0, 200, 300}));
        QCOMPARE(f->field(u"TextRed"_s)->text() + label(u"LabelPointID"_s)->text(), u"02001/03"_s);

        // No keeps the point; the last point removed shows the one before it.
        click(u"Last"_s);
        f->dialogs.answerMessage(MsgResult::No);
        f->dialogs.answerMessage(MsgResult::Yes);
        click(u"Remove"_s);
        QCOMPARE(w->document().pointCount(), 3);
        click(u"Remove"_s);
        QVERIFY(times() == (QList<qint64>{0, 200}) && f->field(u"TextPointID"_s)->text() == u"02"_s);

        // The only point turns into the blank point, keeping its length.
        f->dialogs.answerMessage(MsgResult::Yes);
        f->dialogs.answerMessage(MsgResult::Yes);
        click(u"Remove Remove"_s);
        QCOMPARE((QList<qint64>{w->document().pointCount(), w->document().table().row(1).value(Field::Red),
                                w->document().table().row(1).value(Field::Length)}),
                 (QList<qint64>{1, 0, 5}));
    }

    void shift_data()
    {
        QTest::addColumn<bool>("hms");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QList<qint64>>("after");
        const QString seconds = u"Valori Ammessi: da 00001 a 85550 Sec"_s;
        QTest::newRow("seconds: to 150") << false << u"150"_s << seconds << QList<qint64>{0, 150, 250, 350};
        QTest::newRow("seconds: 0 refused, to 1") << false << u"0"_s << seconds << QList<qint64>{0, 1, 101, 201};
        QTest::newRow("hh:mm:ss: to 90") << true << u"3"_s << u"Valori Ammessi: da 00:00:01 a 23:45:50"_s
                                         << QList<qint64>{0, 90, 190, 290};
    }

    void shift()
    {
        QFETCH(bool, hms);
        QFETCH(QString, typed);
        load({{0}, {100, 20}, {200}, {300, 50}}, hms, 600);
        click(u"Next Edit MoveShift"_s); // shifting: the range below is the shift's
        clickAt(time);
        QTEST(label(u"LabelRange"_s)->text(), "range");
        type(time, hms ? u"<"_s + typed : QString(editor::kSecondsDigits, u'#') + typed); // hh:mm:ss: 00:01:4|0
        const bool refused = typed == u"0"_s;
        if (refused)
            f->dialogs.answerMessage(MsgResult::Ok);
        doubleClick(time);
        QCOMPARE(f->dialogs.last().text, refused ? u"Valore fuori Limite!"_s : QString());
        click(u"Save"_s);
        QTEST(times(), "after");
        QVERIFY(w->document().table().row(4).value(Field::Length) == 50
                && tag(f->button(u"CommandMoveShift"_s)) == u"M"_s);
    }

    void colours()
    {
        child<QAction>(*w, "mnuEnableRGB")->setChecked(true);
        child<QAction>(*w, "mnuEnableColorCycle")->setChecked(true);
        load({{0}, {100}});
        click(u"Next Edit"_s);
        QLineEdit *red = f->field(u"TextRed"_s);
        QTest::mouseClick(red, Qt::LeftButton);
        type(red, u"$X"_s);
        QCOMPARE(red->text(), u"000"_s);
        type(red, u"250="_s);
        QVERIFY(red->text() == u"100"_s && child<QSlider>(*w, "SliderRed")->value() == 100);
        // A click at the end of "100" then 20 replaces the value: 20, not 10020 taken as 100.
        QTest::mouseClick(red, Qt::LeftButton, {}, QPoint(red->width() - 4, red->height() / 2));
        type(red, u"20"_s);
        QCOMPARE(red->text(), u"20"_s);
        type(red, u"="_s);
        QCOMPARE(child<QSlider>(*w, "SliderRed")->value(), 20);
        QTest::mouseClick(red, Qt::LeftButton);
        type(red, u"100="_s);
        child<QSlider>(*w, "SliderGreen")->setValue(40); // as a drag does
        QCOMPARE(f->field(u"TextGreen"_s)->text(), u"040"_s);
        // Saved and shown again from the store: the sliders follow without moving the colours.
        click(u"Save Previous Next"_s);
        QVERIFY(child<QSlider>(*w, "SliderGreen")->value() == 40 && red->text() == u"100"_s);

        // The colour dialog: 0/128/255 is 000/050/100 percent; cancel keeps it.
        f->dialogs.answerColour(QColor(0, 128, 255));
        f->dialogs.answerColour(std::nullopt);
        w->CommandColor_Click();
        w->CommandColor_Click();
        QCOMPARE(red->text() + f->field(u"TextGreen"_s)->text() + f->field(u"TextBlue"_s)->text(), u"000050100"_s);
        QCOMPARE(editor::confirmedColour(u"99999999999999999999"_s), u"100"_s); // too long for any number
    }

private:
    // Loads the points into the form's store as a file load does, and shows
    // point 1, in seconds display unless `hms`.
    void load(const QList<Point> &points, bool hms = true, int transition = 0)
    {
        if (!hms)
            w->mnuConfigTimeViewer_Click();
        w->document().table() = table(points);
        w->document().setTransitionTime(transition);
        w->DataBaseCheck();
        w->document().setPointCurrent(1);
        w->document().table().MoveFirst();
        w->pointRefresh();
    }
    QList<qint64> times() const { return column(w->document().table(), Field::Time, w->document().pointCount()); }
    // Clicks the buttons named, "Command" left out, in turn.
    void click(const QString &buttons)
    {
        for (const QString &button : buttons.split(u' '))
            f->button(u"Command"_s + button)->click();
    }
    QLabel *label(const QString &name) const { return f->find<QLabel>(name); }

    std::unique_ptr<FormFixture> f;
    FormColour *w = nullptr;
    QLineEdit *time = nullptr;
    QLineEdit *length = nullptr;
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
