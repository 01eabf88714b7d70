// The validation rules, the consolidation of the store, the limits, the shift
// range and the keystroke rules of the value fields.

#include "editor/fieldentry.h"
#include "editor/rules.h"
#include "store/colourtable.h"
#include "store/numbers.h"

#include <QTest>

using editor::FieldText;
using editor::KeyOutcome;
using store::Field;

namespace {

struct Point
{
    int time;
    int length = 0;
};

// A consolidated store holding the points in order, numbered from 1.
store::ColourTable table(const QList<Point> &points)
{
    store::ColourTable t;
    for (int i = 0; i < points.size(); ++i) {
        t.row(i + 1).setValue(Field::PointID, i + 1);
        t.row(i + 1).setValue(Field::Time, points[i].time);
        t.row(i + 1).setValue(Field::Length, points[i].length);
    }
    return t;
}

// The lines of a message joined as the program joins them.
QString lines(std::initializer_list<const char *> parts)
{
    QStringList list;
    for (const char *part : parts)
        list.append(QString::fromUtf8(part));
    return list.join(kLineBreak);
}

QString line(const QString &text, int n)
{
    return text.split(kLineBreak).value(n);
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeCheck_data();
    void timeCheck();
    void timeCheckMessagesInBothLanguages();

    void checkConsolidatesUsedSlots();
    void checkOrdersAndTrims();
    void checkStopsAtEqualTimes();
    void checkReportsTimeOutOfDay();
    void checkOfEmptyStore();

    void lengthMax_data();
    void lengthMax();
    void transitionMax();
    void shiftRange();
    void shiftMovesLaterPoints();

    void timeKey_data();
    void timeKey();
    void colourKey();
    void editorModeMessage();
};

void TestRules::timeCheck_data()
{
    QTest::addColumn<QList<Point>>("points");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("transition");
    QTest::addColumn<QString>("refusal"); // first English line, empty when accepted

    const QList<Point> two{{0}, {1000}};
    QTest::newRow("transition 600, 85800 accepted") << two << 1 << true << 85800 << 0 << 600 << QString();
    QTest::newRow("transition 600, 85801 refused")
        << two << 1 << true << 85801 << 0 << 600 << "Conflict between the Position Time and Transition Time!";

    const QList<Point> next{{0}, {150}, {300}};
    QTest::newRow("100 + 49 + 1 = 150 accepted") << next << 1 << true << 100 << 49 << 0 << QString();
    QTest::newRow("length 50 refused")
        << next << 1 << true << 100 << 50 << 0
        << "Conflict between the Position Time and the complessive value of Length Time and the Next Point Colour "
           "Position Time!";

    QTest::newRow("time of another point") << next << 2 << false << 300 << 0 << 0 << "Position Time already used!";
    QTest::newRow("own old time") << next << 2 << false << 150 << 0 << 0 << QString();
    QTest::newRow("insert at 0") << next << 1 << true << 0 << 0 << 0 << "Position Time already used!";

    QTest::newRow("new last point ends the day exactly") << two << 1 << true << 85000 << 800 << 600 << QString();
    QTest::newRow("new last point one second over")
        << two << 1 << true << 85001 << 800 << 600
        << "Conflict between the Position Time and the complessive value of Length Time and Transition Time!";

    const QList<Point> held{{0, 50}, {200}};
    QTest::newRow("previous hold + 1 accepted") << held << 2 << true << 51 << 0 << 0 << QString();
    QTest::newRow("inside the previous hold")
        << held << 2 << true << 50 << 0 << 0
        << "Conflict between the Position Time and the complessive value of the previous Position Time and Length "
           "Time";

    // Point 2 of 0, 100 (length 20), 200, 300: its own old record is no neighbour.
    const QList<Point> four{{0}, {100, 20}, {200}, {300, 50}};
    QTest::newRow("moved later, own hold ignored") << four << 2 << false << 110 << 20 << 0 << QString();
    QTest::newRow("moved earlier, own time ignored") << four << 2 << false << 90 << 50 << 0 << QString();
    QTest::newRow("moved past a neighbour")
        << four << 2 << false << 250 << 60 << 0
        << "Conflict between the Position Time and the complessive value of Length Time and the Next Point Colour "
           "Position Time!";
}

void TestRules::timeCheck()
{
    QFETCH(QList<Point>, points);
    QFETCH(int, current);
    QFETCH(bool, insert);
    QFETCH(int, time);
    QFETCH(int, length);
    QFETCH(int, transition);
    QFETCH(QString, refusal);

    const store::ColourTable t = table(points);
    const auto message = editor::DataBaseTimeCheck(
        t, {int(points.size()), current, insert, time, length, transition});
    QCOMPARE(message ? line(message->text.english, 0) : QString(), refusal);
    if (message) {
        QCOMPARE(message->title.english, QStringLiteral("Warning"));
        QCOMPARE(message->title.italian, QStringLiteral("Attenzione"));
    }
}

void TestRules::timeCheckMessagesInBothLanguages()
{
    const store::ColourTable t = table({{0}, {1000}});
    const auto message = editor::DataBaseTimeCheck(t, {2, 1, true, 85801, 0, 600});
    QVERIFY(message);
    QCOMPARE(message->text.english,
             lines({"Conflict between the Position Time and Transition Time!",
                          "Must be: Position Time < (Max Time - TransitionTime))", "Position Time = 85801",
                          "Max Time = 86400", "Transition Time = 600"}));
    QCOMPARE(line(message->text.italian, 0),
             QStringLiteral("Posizione non compatibile con il tempo di Viraggio di Fine Ciclo."));
    QCOMPARE(line(message->text.italian, 4), QStringLiteral("Viraggio di Fine Ciclo = 600"));
}

void TestRules::checkConsolidatesUsedSlots()
{
    store::ColourTable t;
    store::emptyTable(t);
    for (int k : {1, 3, 5}) {
        t.row(k).setValue(Field::PointID, 7);
        t.row(k).setValue(Field::Time, k * 100);
        t.row(k).setValue(Field::Red, k);
    }
    t.row(5).setText(Field::Blue, QStringLiteral("150"));
    const editor::CheckResult r = editor::DataBaseCheck(t, 0);
    QCOMPARE(r.pointCount, 3);
    QVERIFY(!r.checkError);
    QVERIFY(r.messages.isEmpty());
    for (int k = 1; k <= 3; ++k) {
        QCOMPARE(t.row(k).text(Field::PointID), store::format00(k));
        QCOMPARE(t.row(k).value(Field::Red), 2 * k - 1);
    }
    QCOMPARE(t.row(1).value(Field::Time), 0); // pinned
    QCOMPARE(t.row(2).value(Field::Time), 300);
    QCOMPARE(t.row(3).value(Field::Time), 500);
    QCOMPARE(t.row(3).text(Field::Blue), QStringLiteral("100")); // colour 150 to 100
    for (int k = 4; k <= store::kRowCount; ++k)
        QCOMPARE(t.row(k), store::ColourPoint());
    QCOMPARE(t.position(), 1);
}

void TestRules::checkOrdersAndTrims()
{
    // Loaded out of order: 0, 500 (length 40), 200 (length 400), 300.
    store::ColourTable t = table({{0, 250}, {500, 40}, {200, 400}, {300, 99}});
    t.row(2).setValue(Field::Green, 55);
    const editor::CheckResult r = editor::DataBaseCheck(t, 0);
    QVERIFY(!r.checkError);
    const qint64 times[] = {0, 200, 300, 500};
    const qint64 lengths[] = {199, 99, 99, 40};
    for (int k = 1; k <= 4; ++k) {
        QCOMPARE(t.row(k).text(Field::PointID), store::format00(k));
        QCOMPARE(t.row(k).value(Field::Time), times[k - 1]);
        QCOMPARE(t.row(k).value(Field::Length), lengths[k - 1]);
    }
    QCOMPARE(t.row(4).value(Field::Green), 55); // the colour moved with its time
}

void TestRules::checkStopsAtEqualTimes()
{
    // 0 (length 600), 500 (length 40), 300, 300: the sort meets the pair of
    // 300s first and stops with 500 still before 300.
    store::ColourTable t = table({{0, 600}, {500, 40}, {300}, {300}});
    const editor::CheckResult r = editor::DataBaseCheck(t, 0);
    QVERIFY(r.checkError);
    QCOMPARE(r.pointCount, 4);
    QCOMPARE(r.messages.size(), 1);
    const platform::BilingualMessage &m = r.messages.first();
    QCOMPARE(m.title.english, QStringLiteral("Error Found"));
    QCOMPARE(m.title.italian, QStringLiteral("Errore"));
    QCOMPARE(m.text.english,
             lines({"Two Color Point have the same Time Value", "",
                          "Color Point 04 has Position Time = 00300", "Color Point 03 has Position Time = 00300", "",
                          "Edit a Color Point and change the Position Time Value"}));
    QCOMPARE(line(m.text.italian, 2), QStringLiteral("Punto Colore 04 ha Posizione = 00300"));
    QCOMPARE(t.row(2).value(Field::Time), 500);
    QCOMPARE(t.row(3).value(Field::Time), 300);
    // The hold of point 1 still ends before point 2; the out-of-order pair
    // keeps its length instead of a negative one.
    QCOMPARE(t.row(1).value(Field::Length), 499);
    QCOMPARE(t.row(2).text(Field::Length), QStringLiteral("00040"));
    QCOMPARE(t.row(3).text(Field::Length), QStringLiteral("00000"));
}

void TestRules::checkReportsTimeOutOfDay()
{
    store::ColourTable t = table({{0}, {85801}});
    const editor::CheckResult r = editor::DataBaseCheck(t, 600);
    QVERIFY(r.checkError);
    QCOMPARE(r.messages.size(), 1);
    QCOMPARE(r.messages.first().title.italian, QStringLiteral("Error Found"));
    QCOMPARE(line(r.messages.first().text.english, 0),
             QStringLiteral("The Color Point 02 has the Position Time Value Out of Range (Min = 0, Max = (86400 - "
                            "Transition Time).)"));
    QVERIFY(line(r.messages.first().text.italian, 1).startsWith(QStringLiteral("Apri il file (.txt)")));

    store::ColourTable fits = table({{0}, {85800}});
    QVERIFY(!editor::DataBaseCheck(fits, 600).checkError);
}

void TestRules::checkOfEmptyStore()
{
    store::ColourTable t;
    t.row(1).setValue(Field::PointID, 0);
    t.row(1).setValue(Field::Time, 40);
    QCOMPARE(editor::DataBaseCheck(t, 0).pointCount, 1);
    QCOMPARE(t.row(1).text(Field::PointID), QStringLiteral("01"));
    QCOMPARE(t.row(1).value(Field::Time), 0);
}
void TestRules::lengthMax_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("transition");
    QTest::addColumn<int>("max");

    // Points 0, 100, 200.
    QTest::newRow("to the next point") << 2 << 100 << 0 << 99;
    QTest::newRow("moved earlier: to the point after it") << 2 << 50 << 0 << 149;
    QTest::newRow("last point: to the end of the day") << 3 << 200 << 600 << 85600;
    QTest::newRow("typed beyond the day: none") << 3 << 86300 << 600 << 0;
}

void TestRules::lengthMax()
{
    QFETCH(int, current);
    QFETCH(int, time);
    QFETCH(int, transition);
    QFETCH(int, max);
    const store::ColourTable t = table({{0}, {100}, {200}});
    QCOMPARE(editor::DataBaseLengthMaxValue(t, 3, current, time, transition, false).value, max);
}

void TestRules::transitionMax()
{
    const store::ColourTable t = table({{0}, {85000, 400}});
    const editor::Limit seconds = editor::DataBaseTransitionMaxValue(t, 2, false);
    QCOMPARE(seconds.value, 1000);
    QCOMPARE(seconds.caption.english, QStringLiteral("Transition Time Max = 01000 Sec"));
    const editor::Limit hms = editor::DataBaseTransitionMaxValue(t, 2, true);
    QCOMPARE(hms.caption.italian, QStringLiteral("Massimo Tempo di Viraggio = 00:16:40"));

    const editor::Limit length = editor::DataBaseLengthMaxValue(table({{0}, {100}, {200}}), 3, 2, 100, 0, false);
    QCOMPARE(length.caption.english, QStringLiteral("Lenght Max = 00099 Sec"));
    QCOMPARE(length.caption.italian, QStringLiteral("Lunghezza Massima = 00099 Sec"));
    QCOMPARE(editor::DataBaseLengthMaxValue(table({{0}, {100}, {200}}), 3, 2, 100, 0, true).caption.english,
             QStringLiteral("Length Max = 00:01:39"));
}

void TestRules::shiftRange()
{
    const store::ColourTable t = table({{0, 0}, {100, 20}, {200}, {300, 50}});
    const editor::ShiftRange seconds = editor::DataBaseShiftValue(t, 4, 2, 600, false);
    QCOMPARE(seconds.min, 1);
    QCOMPARE(seconds.max, 85550);
    QCOMPARE(seconds.caption.english, QStringLiteral("Shift Range: from 00001 up to 85550 Sec"));
    QCOMPARE(seconds.caption.italian, QStringLiteral("Valori Ammessi: da 00001 a 85550 Sec"));
    QCOMPARE(editor::DataBaseShiftValue(t, 4, 2, 600, true).caption.english,
             QStringLiteral("Shift Range: from 00:00:01 up to 23:45:50"));
    // Point 1 cannot move earlier than itself.
    QCOMPARE(editor::DataBaseShiftValue(t, 4, 1, 600, false).min, 0);

    QVERIFY(!editor::shiftOutOfRange(1, seconds, QStringLiteral("Errore")));
    QVERIFY(!editor::shiftOutOfRange(85550, seconds, QStringLiteral("Errore")));
    QVERIFY(editor::shiftOutOfRange(0, seconds, QStringLiteral("Errore")));
    const auto over = editor::shiftOutOfRange(85551, seconds, QStringLiteral("Errore"));
    QVERIFY(over);
    QCOMPARE(over->text.english, QStringLiteral("Shift Time is Out of Range!"));
    QCOMPARE(over->title.italian, QStringLiteral("Errore"));
}

void TestRules::shiftMovesLaterPoints()
{
    store::ColourTable later = table({{0}, {100, 20}, {200}, {300, 50}});
    editor::shiftLaterPoints(later, 4, 2, 50);
    QCOMPARE(later.row(2).value(Field::Time), 100); // the edited point is written by the form
    QCOMPARE(later.row(3).value(Field::Time), 250);
    QCOMPARE(later.row(4).value(Field::Time), 350);
    QCOMPARE(later.row(4).value(Field::Length), 50);

    store::ColourTable earlier = table({{0}, {100, 20}, {200}, {300, 50}});
    editor::shiftLaterPoints(earlier, 4, 2, -10);
    QCOMPARE(earlier.row(3).value(Field::Time), 190);
    QCOMPARE(earlier.row(4).value(Field::Time), 290);
}

void TestRules::timeKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed"); // the field once the text box applied the key
    QTest::addColumn<int>("typedCaret");
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<int>("bufferCaret");
    QTest::addColumn<bool>("hms");
    QTest::addColumn<int>("limit"); // -1: none
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");

    const int accept = int(KeyOutcome::Accept);
    const int reject = int(KeyOutcome::Reject);
    const QString hms = QStringLiteral("01:23:45");
    QTest::newRow("9 over the first hour digit") << 57 << "091:23:45" << 2 << hms << 1 << true << -1 << accept
                                                 << "91:23:45" << 2;
    QTest::newRow("7 over the second, caret past the colon")
        << 55 << "917:23:45" << 3 << "91:23:45" << 2 << true << -1 << accept << "97:23:45" << 4;
    QTest::newRow("first minute digit") << 56 << "01:283:45" << 5 << hms << 4 << true << -1 << accept << "01:83:45"
                                        << 5;
    QTest::newRow("second minute digit") << 56 << "01:238:45" << 6 << hms << 5 << true << -1 << accept
                                         << "01:28:45" << 7;
    QTest::newRow("first second digit") << 48 << "01:23:405" << 8 << hms << 7 << true << -1 << accept << "01:23:05"
                                        << 8;
    QTest::newRow("last digit, caret stays at the end")
        << 57 << "01:23:459" << 9 << hms << 8 << true << -1 << accept << "01:23:49" << 8;
    QTest::newRow("letter") << 0 << hms << 2 << hms << 2 << true << -1 << reject << hms << 2;
    QTest::newRow("backspace undone") << 8 << "0:23:45" << 0 << hms << 1 << true << -1 << reject << hms << 1;
    QTest::newRow("left from 4 lands on 2") << 37 << hms << 3 << hms << 4 << true << -1 << accept << hms << 2;
    QTest::newRow("right from 2 lands on 4") << 39 << hms << 3 << hms << 2 << true << -1 << accept << hms << 4;
    QTest::newRow("hms limit") << 57 << "091:23:45" << 2 << hms << 1 << true << 99 << accept << "00:01:39" << 2;

    QTest::newRow("seconds: digit") << 53 << "5" << 1 << "" << 0 << false << -1 << accept << "5" << 1;
    QTest::newRow("seconds: no sixth digit") << 49 << "123451" << 6 << "12345" << 5 << false << -1 << reject
                                             << "12345" << 5;
    QTest::newRow("seconds: backspace") << 8 << "0010" << 3 << "00100" << 4 << false << -1 << accept << "0010" << 3;
    QTest::newRow("seconds: limit") << 48 << "500" << 3 << "50" << 2 << false << 99 << accept << "00099" << 5;
    QTest::newRow("enter gives the buffer back")
        << 13 << hms << 3 << "01:23:46" << 8 << true << -1 << int(KeyOutcome::Confirm) << "01:23:46" << 8;
}

void TestRules::timeKey()
{
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(int, typedCaret);
    QFETCH(QString, buffer);
    QFETCH(int, bufferCaret);
    QFETCH(bool, hms);
    QFETCH(int, limit);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    QFETCH(int, caret);

    const editor::KeyResult r = editor::timeFieldKey(key, {typed, typedCaret}, {buffer, bufferCaret}, hms,
                                                     limit < 0 ? std::nullopt : std::optional<qint64>(limit));
    QCOMPARE(int(r.outcome), outcome);
    QCOMPARE(r.shown.text, text);
    QCOMPARE(r.shown.caret, caret);
}

void TestRules::colourKey()
{
    const editor::KeyResult letter = editor::colourFieldKey(0, {QStringLiteral("1a5"), 2});
    QCOMPARE(letter.shown, (FieldText{QStringLiteral("15"), 1}));
    QCOMPARE(int(editor::colourFieldKey(13, {QStringLiteral("42"), 2}).outcome), int(KeyOutcome::Confirm));

    QCOMPARE(editor::confirmedColour(QString()), QStringLiteral("000"));
    QCOMPARE(editor::confirmedColour(QStringLiteral("250")), QStringLiteral("100"));
    QCOMPARE(editor::confirmedColour(QStringLiteral("7")), QStringLiteral("007"));
    QCOMPARE(editor::confirmedColour(QStringLiteral("99999999999999999999")), QStringLiteral("100"));
}

void TestRules::editorModeMessage()
{
    const platform::BilingualMessage m = editor::editorModeMessage(QStringLiteral("Posizione"));
    QCOMPARE(m.text.english,
             lines({"\"Posizione\" is in Editor Mode, thereafter:", "or",
                          "- \"Double Click\" of the Mouse on the Value", "or",
                          "- TAB on the Value and push \"Enter\""}));
    QCOMPARE(m.text.italian,
             lines({"\"Posizione\" è in Stato Modifica, quindi:", "o",
                          "- \"Doppio Click\" del mouse sul Dato", "o", "- TAB sul Dato e Commando \"Enter\""}));
    QCOMPARE(m.title.italian, QStringLiteral("Attenzione"));
    QCOMPARE(m.icon, platform::MsgIcon::Exclamation);
}

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
