// The chart, zoom, cursors and simulator as the user drives them in the window.

#include "app/shape.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "cyclefile/cyclefile.h"
#include "store/numbers.h"
#include "support/formfixture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>

#include <cmath>

using namespace Qt::StringLiterals;
using store::Field;

namespace {

using P = std::array<qint64, 5>; // time, length, red, green, blue

const QList<P> kFive{
    {0, 10, 100, 0, 0}, {100, 10, 0, 100, 0}, {250, 10, 0, 0, 100}, {400, 10, 50, 50, 50}, {600, 10, 0, 0, 0}};

QString str(const char *s) { return QString::fromUtf8(s); }

// A started window on screen, holding a cycle when one is given.
struct Loaded : FormFixture
{
    FormColour &w = *form;
    ChartView *chart = child<ChartView>(w, "MSChartColorCycle");
    QTemporaryDir dir;

    explicit Loaded(const QList<P> &points = kFive, qint64 transition = 20)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (!points.isEmpty())
            load(points, transition);
    }
    // Opens the points as a cycle file through File Open, with the colour-cycle
    // function on, which consolidates them, sets up zoom and cursors and redraws.
    void load(const QList<P> &points, qint64 transition)
    {
        store::ColourTable table;
        for (int k = 1; k <= points.size(); ++k) {
            table.row(k).setValue(Field::PointID, k);
            for (int i = 0; i < 5; ++i) // time, length, red, green, blue follow the point's number
                table.row(k).setValue(Field(i + 1), points[k - 1][std::size_t(i)]);
        }
        QFile file(dir.filePath(u"cycle.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(cyclefile::writeCycle(table, store::format00000(transition)));
        file.close();
        QVERIFY(open(file.fileName()) && dialogs.shown.isEmpty());
        QVERIFY(child<QAction>(w, "mnuEnableColorCycle")->isChecked() || trigger(u"mnuEnableColorCycle"_s));
    }
    QByteArray cycle() const { return cyclefile::writeCycle(w.document().table(), w.document().transitionText()); }
    void click(QWidget *widget, int times = 1, Qt::MouseButton button = Qt::LeftButton)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(widget, button, {}, widget->rect().center());
    }
    // Where point k's level of a channel stands on the chart, in pixels.
    QPointF at(int point, Field channel) const
    {
        const store::ColourPoint &p = w.document().table().row(point);
        return {chart->pixelX(w.chartLayout().window.x(double(p.value(Field::Time)))),
                chart->levelY(double(p.value(channel)))};
    }
    int bar() const { return ChartView::unitWidth(child<QFrame>(w, "CommandCursorSimulator")); }
    // What playback shows: current point, clock, the colour fields, simulator
    // bar width; then the point shown: its number, the orange bar's place, the
    // points table's row.
    QString playing() const
    {
        return QString::number(w.document().pointCurrent()) + u' ' + child<QLabel>(w, "LabelSimulatorTime")->text()
               + u' ' + child<QLineEdit>(w, "TextRed")->text() + u'/' + child<QLineEdit>(w, "TextGreen")->text() + u'/'
               + child<QLineEdit>(w, "TextBlue")->text() + u' ' + QString::number(bar()) + u' '
               + child<QLineEdit>(w, "TextPointID")->text() + u' '
               + QString::number(ChartView::unitLeft(child<QFrame>(w, "CommandCursorSelected"))) + u' '
               + QString::number(child<QTableView>(w, "PointsTableView")->currentIndex().row() + 1);
    }
    // Simulator on and started, pacing frozen so that every tick stands for 50 ms.
    void start()
    {
        w.simulatorPacer().setClock([] { return qint64(0); });
        QVERIFY(child<QAction>(w, "mnuEnableSimulator")->isChecked() || trigger(u"mnuEnableSimulator"_s));
        click(child<QPushButton>(w, "CommandStart"));
    }
};

} // namespace

class TestChartForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chartZoomAndCursors()
    {
        Loaded f;
        FormColour &w = f.w;
        QSlider *lo = child<QSlider>(w, "SliderZoomMin"), *hi = child<QSlider>(w, "SliderZoomMax");
        QCOMPARE((QList<int>{f.chart->rowCount(), lo->value(), hi->value(), hi->maximum(), lo->isEnabled()}),
                 (QList<int>{800, 1, 5, 5, true}));
        // Releasing a slider brings a current point outside the window into it.
        f.click(child<QPushButton>(w, "CommandLast"));
        hi->setValue(3);
        QTest::mouseRelease(hi, Qt::LeftButton, {}, hi->rect().center());
        QCOMPARE((QList<int>{w.document().pointCurrent(), w.document().table().position()}), (QList<int>{3, 3}));
        QCOMPARE(w.chartLayout().window.end, 280.0f); // 250 + 10 + 20
        // Going to a point outside the window widens it.
        f.click(child<QPushButton>(w, "CommandLast"));
        QCOMPARE((QList<int>{w.document().pointCurrent(), hi->value()}), (QList<int>{5, 5}));
        QCOMPARE(w.chartLayout().window.end, 630.0f);
        // A point removed from a window zoomed to the end leaves three points in it.
        lo->setValue(3);
        f.dialogs.answerMessage(platform::MsgResult::Yes);
        f.click(child<QPushButton>(w, "CommandRemove"));
        // The right cursor at the cycle's end stays there.
        QCOMPARE((QList<int>{w.document().pointCount(), w.document().pointCurrent(), lo->value(), hi->value(),
                             w.cursorRightPoint()}),
                 (QList<int>{4, 4, 2, 4, 5}));
        QCOMPARE(w.chartLayout().window.start, 100.0f);
        // In English and seconds, cursors on points 2 and 4, the current point on
        // the left cursor: a tie.
        child<QAction>(w, "mnuConfigLanguage")->trigger();
        w.mnuConfigTimeViewer_Click();
        for (QWidget *button :
             {child<QPushButton>(w, "CommandCursorLeftView"), child<QPushButton>(w, "CommandCursorRightView"),
              child<QPushButton>(w, "CommandCursorLeftR"), child<QPushButton>(w, "CommandCursorRightL"),
              child<QPushButton>(w, "CommandFirst"), child<QPushButton>(w, "CommandNext")})
            f.click(button);
        QCOMPARE((QStringList{child<QLabel>(w, "LabelCursorLeft")->text(), child<QLabel>(w, "LabelCursorRight")->text(),
                              child<QLabel>(w, "LabelDeltaL")->text(), child<QLabel>(w, "LabelDelta")->text(),
                              child<QLabel>(w, "LabelDeltaR")->text()}),
                 str("TL = 00100|TR = 00400|TP-TL = 00000|TR-TL = 00300|TR-TP = 00300").split(u'|'));
    }

    void zoomAndCursorSteps_data()
    {
        // Steps in turn: "Min=N"/"Max=N" move a zoom slider, a button name is
        // clicked ("*N": N times). Then the zoom sliders and the cursors' points,
        // and the right cursor's label and place where it is shown. The zoom
        // sliders keep one point between them, pushed back within range; the
        // right cursor starts at the end of the cycle: 600 + 10 + 20 = 630 s.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("positions"); // zoom low, high, cursor left, right
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("unit");
        const int end = 13320, last = 1240 + int(std::lround(600 * 12080 / 630.0));
        const auto row = [](const char *tag, const char *steps, const QList<int> &positions, const char *label = "",
                            int unit = 0) {
            QTest::newRow(tag) << str(steps).split(u' ') << positions << str(label) << unit;
        };
        row("upper zoom down to 2", "Max=2", {1, 3, 1, 6});
        row("lower zoom past the upper", "Max=2 Min=4", {1, 3, 1, 6});
        row("lower zoom next to the upper", "Min=4", {3, 5, 1, 6});
        row("steps stop at the ends", "RightView LeftView LeftL RightR", {1, 5, 1, 6}, "TD = 00:10:30", end);
        row("never crossing", "RightView LeftView LeftR*6 RightL*3", {1, 5, 5, 6}, "TD = 00:10:30", end);
        row("hidden left goes home", "RightView LeftView LeftR*2 LeftView", {1, 5, 1, 6}, "TD = 00:10:30", end);
        // On the last point it reads that point's time, also after a refresh.
        row("right on the last point, after a refresh", "RightView RightL Last", {1, 5, 1, 5}, "TD = 00:10:00", last);
    }

    void zoomAndCursorSteps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, label);
        Loaded f;
        FormColour &w = f.w;
        for (const QString &step : steps) {
            const QString name = step.section(u'*', 0, 0).section(u'=', 0, 0);
            if (step.contains(u'='))
                f.find<QSlider>(u"SliderZoom"_s + name)->setValue(step.section(u'=', 1).toInt());
            else if (QWidget *button = f.find(u"CommandCursor"_s + name))
                f.click(button, step.contains(u'*') ? step.section(u'*', 1).toInt() : 1);
            else
                f.click(f.find(u"Command"_s + name));
        }
        QTEST((QList<int>{child<QSlider>(w, "SliderZoomMin")->value(), child<QSlider>(w, "SliderZoomMax")->value(),
                          w.cursorLeftPoint(), w.cursorRightPoint()}),
              "positions");
        QCOMPARE(child<QLabel>(w, "LabelDelta")->isHidden(),
                 steps.count(u"LeftView"_s) % 2 == 0); // the delta with both cursors
        if (!label.isEmpty()) {
            QCOMPARE(child<QLabel>(w, "LabelCursorRight")->text(), label);
            QTEST(ChartView::unitLeft(child<QFrame>(w, "CommandCursorRight")), "unit");
        }
    }

    // The window around the simulator's tick (whose cases are test_simulator's):
    // playing keeps the menus off, Pause holds, Stop brings the editor back.
    void simulatorWiring()
    {
        Loaded f({{0, 10, 100, 0, 0}, {20, 10, 0, 0, 100}}, 10); // 40 s over 12120 units
        FormColour &w = f.w;
        // No start while the selected point is being edited.
        setTag(child<QPushButton>(w, "CommandSave"), u"E"_s);
        child<QAction>(w, "mnuConfigLanguage")->trigger();
        QVERIFY(f.trigger(u"mnuEnableSimulator"_s));
        f.dialogs.answerMessage(platform::MsgResult::Ok);
        f.click(child<QPushButton>(w, "CommandStart"));
        QVERIFY(!w.simulatorRunning() && f.dialogs.last().text.startsWith(u"The Selected Colour Point is in Editor"_s));
        setTag(child<QPushButton>(w, "CommandSave"), u"D"_s);
        const auto menus = [&w] {
            return QList<int>{child<QAction>(w, "mnuFile")->isEnabled(), child<QAction>(w, "mnuEnable")->isEnabled(),
                              child<QAction>(w, "mnuUSB")->isEnabled(),  child<QAction>(w, "mnuConfig")->isEnabled(),
                              child<QAction>(w, "mnuInfo")->isEnabled(), child<QAction>(w, "mnuHelp")->isEnabled(),
                              child<QToolBar>(w, "Toolbar")->isEnabled()};
        };
        f.start();
        QCOMPARE(menus(), (QList<int>{0, 0, 0, 0, 0, 1, 0})); // only Help
        // The time display stays as it is: the clock's right click does nothing.
        f.click(child<QLabel>(w, "LabelSimulatorTime"), 1, Qt::RightButton);
        QVERIFY(w.hmsMode() && child<QLineEdit>(w, "TextTime")->text() == u"00:00:00"_s);
        f.tick(181); // 180 steps of 50 ms sum to a hair under 9 s, shown as 9 s
        QCOMPARE(child<QLabel>(w, "LabelSimulatorTime")->text(), u"00:00:09"_s);
        QCOMPARE(child<Shape>(w, "ShapeColor")->fillColor(), QColor(255, 0, 0));
        f.tick(120); // the ramp, half-way at 15 s
        QCOMPARE(f.playing(), u"1 00:00:15 050/000/050 4545 01 1240 1"_s);
        QCOMPARE(f.tickUntil([&] { return w.document().pointCurrent() != 1; }), 100);
        QCOMPARE(f.playing(), u"2 00:00:20 000/000/100 6060 02 7280 2"_s);
        f.click(child<QPushButton>(w, "CommandStop")); // on point 2: the editor goes back to point 1
        f.tick();
        QVERIFY(!w.simulatorRunning() && f.bar() == 75 && menus() == QList<int>(7, 1));
        QVERIFY(w.document().pointCurrent() == 1 && f.field(u"TextPointID"_s)->text() == u"01"_s);
    }

    void cycleEnd_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::newRow("restart off: standing on point 1") << false;
        QTest::newRow("restart on: playing point 1 again") << true;
    }

    void cycleEnd()
    {
        QFETCH(bool, restart);
        Loaded f({{0, 0, 0, 100, 0}, {1, 1, 0, 0, 100}}, 0); // cycle end 2 s, no transition
        FormColour &w = f.w;
        QVERIFY(f.trigger(u"mnuEnableSimulator"_s));
        for (int i = 0; i < (restart ? 1 : 2); ++i) // on, or on and off again
            QVERIFY(f.trigger(u"mnuSimulatorRestart"_s));
        QCOMPARE(child<QPushButton>(w, "CommandStart")->property("Picture").toString(),
                 str(restart ? "PictureStartAEn" : "PictureStartEn"));
        f.start();
        QCOMPARE(f.tickUntil([&] { return w.document().pointCurrent() == 2; }), 21); // 1 s of ramp, then the jump
        QCOMPARE(f.tickUntil([&] { return w.simulatorClock() == 0.0; }), 21); // the last hold ends with the cycle
        QCOMPARE(f.playing(), u"1 00:00:00 000/100/000 75 01 1240 1"_s);
        QCOMPARE((QList<bool>{w.simulatorRunning(), child<QPushButton>(w, "CommandStart")->isEnabled(),
                              child<QPushButton>(w, "CommandStop")->isEnabled()}),
                 (QList<bool>{restart, !restart, restart}));
        f.tick(2);
        QCOMPARE((QList<int>{w.simulatorRunning(), w.document().pointCurrent(), w.document().table().position()}),
                 (QList<int>{restart, 1, 1}));
        QCOMPARE(w.simulatorTime(), restart ? 0.1 : 0.0);
    }

    void onePointStopsItself_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("playing") << false;
        QTest::newRow("paused: Pause released") << true;
    }

    // A one-point cycle cannot play: its first tick stops it with a message,
    // paused or not, and Pause does not stay held.
    void onePointStopsItself()
    {
        QFETCH(bool, paused);
        Loaded f({{0, 5, 10, 20, 30}}, 0);
        FormColour &w = f.w;
        QVERIFY(!child<QSlider>(w, "SliderZoomMin")->isEnabled()
                && !child<QPushButton>(w, "CommandCursorLeftView")->isEnabled());
        // The right cursor of a one-point cycle stands at 3, as for two points.
        QCOMPARE((QList<int>{w.cursorLeftPoint(), w.cursorRightPoint()}), (QList<int>{1, 3}));
        // The speed menu waits for the simulator; its items write the speed label.
        QVERIFY(!f.trigger(u"mnuSimulatorSpeedIHS"_s) && f.trigger(u"mnuEnableSimulator"_s));
        QVERIFY(f.trigger(u"mnuSimulatorSpeedIHS"_s)
                && child<QLabel>(w, "LabelSimulatorSpeed")->text() == u"Velocità: 1ora = 1sec"_s);
        f.start();
        if (paused)
            f.click(child<QPushButton>(w, "CommandPause"));
        QCOMPARE(child<QPushButton>(w, "CommandPause")->isChecked(), paused);
        f.dialogs.answerMessage(platform::MsgResult::Ok);
        f.tick(3);
        QVERIFY(f.dialogs.shown.size() == 1 && f.dialogs.last().icon == platform::MsgIcon::Exclamation);
        QCOMPARE(f.dialogs.last().title + u'|' + f.dialogs.last().text,
                 u"Attenzione|C'è un solo Punto Colore nel Ciclo Colore. Il Simulatore è Off!"_s);
        QVERIFY(!w.simulatorRunning() && w.simulatorClock() == 0.0);
        QVERIFY(!child<QPushButton>(w, "CommandPause")->isChecked()
                && child<QPushButton>(w, "CommandStart")->isEnabled());
    }

    // Playing from the current point, moved along the bar with the mouse, and
    // the functions and context menus around it.
    void playbackFromCurrentPointAndScrub()
    {
        Loaded f;
        FormColour &w = f.w;
        QVERIFY(f.trigger(u"mnuEnableRGB"_s));
        QCOMPARE(child<Shape>(w, "ShapeGreen")->borderColor(), QColor(0, 192, 0));
        // Playing from point 3: 250 of 630 s.
        f.click(child<QPushButton>(w, "CommandNext"), 2);
        f.start();
        f.tick();
        QCOMPARE(f.playing(), u"3 00:04:10 000/000/100 4809 03 6034 3"_s);
        QVERIFY(!child<QSlider>(w, "SliderZoomMin")->isEnabled() && !child<QPushButton>(w, "CommandNext")->isEnabled());
        // The bar stands for the whole cycle, 630 seconds.
        const auto bar = [&f](double clock) {
            return QPointF(f.chart->pixelX(chart::kPlotLeft + clock / 630.0 * 12120.0),
                           f.chart->simulatorBand().center().y())
                .toPoint();
        };
        // Back into point 2's ramp from green to blue: 65 of its 140 seconds.
        QTest::mousePress(f.chart, Qt::LeftButton, {}, bar(175.2));
        QCOMPARE(f.playing(), u"2 00:02:55 000/053/047 3371 02 3157 2"_s);
        // Dragged on, paused: the playback follows and stays there, with Start
        // and Stop off (the button clicked as the keyboard does, the pointer held).
        child<QPushButton>(w, "CommandPause")->click();
        QTest::mouseMove(f.chart, bar(405.4));
        QTest::mouseRelease(f.chart, Qt::LeftButton, {}, bar(405.4));
        QCOMPARE(f.playing().section(u' ', 0, 2), u"4 00:06:45 050/050/050"_s);
        f.tick(100);
        QCOMPARE(f.playing().section(u' ', 0, 2), u"4 00:06:45 050/050/050"_s);
        QVERIFY(child<QPushButton>(w, "CommandPause")->isChecked() && !child<QPushButton>(w, "CommandStop")->isEnabled()
                && !child<QPushButton>(w, "CommandStart")->isEnabled());
        // Playing again from there.
        f.click(child<QPushButton>(w, "CommandPause"));
        f.tick(41); // two seconds
        QCOMPARE(f.playing().section(u' ', 0, 1), u"4 00:06:47"_s);
        QVERIFY(w.document().history()->count() == 1);
        // No USB menu while playing; the speed label's right click opens the
        // speed menu, with restart off while it is open.
        f.click(f.chart, 1, Qt::RightButton);
        QVERIFY(!child<QMenu>(w, "mnuUSB")->isVisible());
        f.click(child<QLabel>(w, "LabelSimulatorSpeed"), 1, Qt::RightButton);
        QTRY_VERIFY(child<QMenu>(w, "mnuSimulatorConfiguration")->isVisible());
        QVERIFY(!w.menuItem(u"mnuSimulatorRestart"_s)->isEnabled());
        child<QMenu>(w, "mnuSimulatorConfiguration")->close();
        QTRY_VERIFY(w.menuItem(u"mnuSimulatorRestart"_s)->isEnabled());
        f.click(child<QPushButton>(w, "CommandStop"));
        f.tick(); // the menus come back
        // The scrub is over: a point dragged up moves, one step.
        QTest::mousePress(f.chart, Qt::LeftButton, {}, f.at(4, Field::Red).toPoint());
        QTest::mouseMove(f.chart, (f.at(4, Field::Red) + QPointF(0, -30)).toPoint());
        QTest::mouseRelease(f.chart, Qt::LeftButton, {}, (f.at(4, Field::Red) + QPointF(0, -30)).toPoint());
        QCOMPARE(w.document().history()->count(), 2);
        f.click(f.chart, 1, Qt::RightButton);
        QTRY_VERIFY(child<QMenu>(w, "mnuUSB")->isVisible());
        child<QMenu>(w, "mnuUSB")->close();
        // Colour cycle off also switches the simulator off.
        QVERIFY(f.trigger(u"mnuEnableColorCycle"_s));
        QVERIFY(!child<QAction>(w, "mnuEnableSimulator")->isChecked()
                && !child<QPushButton>(w, "CommandStart")->isEnabled()
                && !child<QSlider>(w, "SliderZoomMax")->isEnabled());
        QVERIFY(child<QFrame>(w, "CommandCursorSelected")->isHidden()
                && child<Shape>(w, "ShapeColorCycle")->borderColor() == QColor(128, 128, 128));
    }

    void rightClicks_data()
    {
        // Real mouse events on the widget under the pointer: an enabled control
        // keeps its own release, a disabled one passes it to the window (its
        // frame's switch), and a right click toggles exactly once. Setup: "R" RGB
        // on, "S" simulator on, "C" colour cycle off, "E" a point edited. Where:
        // "c" centre, "e" left edge, "k" top-left corner, "b" bottom-left, "l" a
        // left click at the centre. What changed: the functions toggled, or
        // "times" for the time display.
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("changed");
        const auto row = [](const QString &tag, const char *setup, const QString &widget, const char *where,
                            const char *changed) {
            QTest::newRow(qPrintable(tag))
                << QString::fromLatin1(setup) << widget << QString::fromLatin1(where) << QString::fromLatin1(changed);
        };
        for (const char *slider : {"SliderRed", "SliderGreen", "SliderBlue"}) {
            row(str(slider) + u" off: through the window"_s, "", str(slider), "c", "RGB");
            row(str(slider) + u" on: by itself"_s, "R", str(slider), "c", "RGB");
        }
        row(u"a left click on a slider"_s, "R", u"SliderRed"_s, "l", "");
        for (const char *label : {"LabelTimeName", "LabelPointID", "LabelRed"})
            row(str(label) + u" enabled: keeps its release"_s, "", str(label), "c", "");
        row(u"a label while editing"_s, "E", u"LabelLengthName"_s, "c", "");
        row(u"disabled Start: the simulator frame"_s, "", u"CommandStart"_s, "c", "simulator");
        row(u"enabled Start: restart"_s, "S", u"CommandStart"_s, "c", "restart");
        row(u"the simulator frame"_s, "", u"ShapeSimulator"_s, "b", "simulator");
        row(u"a disabled label of the colour cycle"_s, "C", u"LabelPointID"_s, "c", "cycle");
        row(u"the colour-cycle frame"_s, "", u"ShapeColorCycle"_s, "k", "cycle");
        row(u"a disabled button in it"_s, "", u"CommandSave"_s, "c", "cycle");
        for (const char *label : {"LabelCursorLeft", "LabelCursorRight", "LabelDeltaL", "LabelDelta", "LabelDeltaR",
                                  "LabelTime", "LabelLength", "LabelTransition", "LabelSimulatorTime"}) {
            row(str(label) + u" on its edge"_s, "", str(label), "e", "");
            row(str(label) + u" inside"_s, "", str(label), "c", "times");
        }
    }

    void rightClicks()
    {
        QFETCH(QString, setup);
        QFETCH(QString, widget);
        QFETCH(QString, where);
        QStringList changed; // a toggle counted each time: exactly once
        Loaded f;
        FormColour &w = f.w;
        for (auto [letter, item] :
             {std::pair{u'R', "mnuEnableRGB"}, {u'S', "mnuEnableSimulator"}, {u'C', "mnuEnableColorCycle"}})
            QVERIFY(!setup.contains(letter) || f.trigger(str(item)));
        if (setup.contains(u'E'))
            f.click(child<QPushButton>(w, "CommandEdit"));
        for (auto [name, action] : {std::pair{"RGB", child<QAction>(w, "mnuEnableRGB")},
                                    {"cycle", child<QAction>(w, "mnuEnableColorCycle")},
                                    {"simulator", child<QAction>(w, "mnuEnableSimulator")},
                                    {"restart", w.menuItem(u"mnuSimulatorRestart"_s)}})
            connect(action, &QAction::toggled, &w, [&changed, text = str(name)] { changed << text; });
        const bool hms = w.hmsMode();
        QWidget *target = f.find(widget);
        target->show();
        const QPoint at = where == u"e"_s   ? QPoint(0, target->height() / 2)
                          : where == u"k"_s ? QPoint(3, 3)
                          : where == u"b"_s ? QPoint(4, target->height() - 4)
                                            : target->rect().center();
        QTest::mouseClick(target, where == u"l"_s ? Qt::LeftButton : Qt::RightButton, {}, at);
        if (w.hmsMode() != hms)
            changed << u"times"_s;
        QTEST(changed.join(u','), "changed");
        if (setup.contains(u'E')) // an edit is not annulled
            QCOMPARE(tag(child<QPushButton>(w, "CommandSave")), u"E"_s);
        if (changed.contains(u"RGB"_s)) // the sliders follow the function
            QCOMPARE(target->isEnabled(), child<QAction>(w, "mnuEnableRGB")->isChecked());
    }

    // Level runs and slopes are drawn by different means; both must land on the
    // cycle's levels and nowhere else, 0 % on the time axis and 100 % on the
    // plot's top edge.
    void viewDrawsHoldsAndSlopesWhereTheGridSays()
    {
        ChartView view;
        view.resize(900, 420);
        chart::Cycle cycle; // holds over 0..100 and 200..300 s, a slope between
        cycle.pointCount = 2;
        cycle.points[0] = {1, 0, 100, {20, 100, 0}};
        cycle.points[1] = {2, 200, 100, {100, 0, 60}};
        view.setGrid(chart::layOut(cycle, {}).grid);
        for (QFrame *overlay : {view.CommandCursorSelected, view.PictureSelected, view.CommandCursorLeft,
                                view.CommandCursorRight, view.CommandCursorSimulator})
            overlay->hide();
        QImage image = view.grab().toImage();
        QRect plot = view.plotRect();
        // A pixel strongly of one channel (0 red, 1 green, 2 blue) at a fraction
        // of the window, within `reach` pixels of the level.
        const auto near = [&](double at, double percent, int channel, int reach = 2) {
            const int x = int(plot.left() + plot.width() * at);
            const int y = int(std::lround(plot.bottom() + 1 - percent / 100.0 * plot.height()));
            for (int dy = -reach; dy <= reach; ++dy) {
                const QColor c = image.pixelColor(x, y + dy);
                const int v[] = {c.red(), c.green(), c.blue()};
                if (v[channel] >= 150 && v[(channel + 1) % 3] < 120 && v[(channel + 2) % 3] < 120)
                    return true;
            }
            return false;
        };
        QVERIFY(near(0.15, 20, 0));  // first hold
        QVERIFY(near(0.5, 60, 0));   // the slope half-way
        QVERIFY(!near(0.15, 60, 0)); // nothing red off the curve
        QVERIFY(!near(0.85, 20, 0));
        QVERIFY(near(0.85, 60, 2)); // the blue hold
        // On the edges to the pixel: 100 % red and green on the top one, 0 % on the time axis.
        QVERIFY(near(0.85, 100, 0, 0) && near(0.15, 100, 1, 0) && near(0.85, 0, 1, 0) && near(0.15, 0, 2, 0));
        // The chart drawn before is not shown again once the cycle, the size or the legend changed.
        cycle.points[0].rgb = {60, 100, 0};
        view.setGrid(chart::layOut(cycle, {}).grid);
        image = view.grab().toImage();
        QVERIFY(near(0.15, 60, 0) && !near(0.15, 20, 0));
        view.resize(700, 380);
        plot = view.plotRect();
        image = view.grab().toImage();
        QVERIFY(near(0.15, 60, 0) && near(0.85, 60, 2));
        view.setColumnLabel(1, u"Red"_s);
        QVERIFY(view.grab().toImage() != image);
    }

    void dragAPoint_data()
    {
        QTest::addColumn<int>("point");
        QTest::addColumn<int>("channel"); // Field
        QTest::addColumn<QPointF>("by");  // pixels moved
        QTest::addColumn<QString>("how"); // "escape" before the release, "shift" held while moving
        QTest::addColumn<qint64>("time");
        QTest::addColumn<qint64>("level");
        const auto row = [](const char *tag, int point, Field channel, QPointF by, qint64 time, qint64 level,
                            const char *how = "") {
            QTest::newRow(tag) << point << int(channel) << by << str(how) << time << level;
        };
        // Point 3 stands at 250 between point 2 (100, held 10) and point 4 (400); it holds 10.
        row("sideways past the next point stops at its limit", 3, Field::Blue, {2000, 0}, 389, 100);
        row("sideways before the previous hold stops after it", 3, Field::Blue, {-2000, 0}, 111, 100);
        row("down below the bottom stops at 0", 3, Field::Blue, {0, 2000}, 250, 0);
        row("up above the top stops at 100", 4, Field::Red, {0, -2000}, 400, 100);
        row("the last point: its hold and the transition inside the day", 5, Field::Red, {100000, 0}, 86400 - 30, 0);
        row("the first point keeps time 0", 1, Field::Red, {300, 2000}, 0, 0);
        row("Escape puts it back", 3, Field::Blue, {2000, 2000}, 389, 0, "escape");
        row("Shift, further sideways: the level stays", 3, Field::Blue, {2000, 300}, 389, 100, "shift");
        row("Shift, further down: the time stays", 3, Field::Blue, {30, 2000}, 250, 0, "shift");
    }

    void dragAPoint()
    {
        QFETCH(int, point);
        QFETCH(int, channel);
        QFETCH(QPointF, by);
        QFETCH(QString, how);
        QFETCH(qint64, time);
        QFETCH(qint64, level);
        Loaded f;
        FormColour &w = f.w;
        const QByteArray before = f.cycle();
        const QPointF from = f.at(point, Field(channel)) + QPointF(2, -3); // near, not on, the point
        const store::ColourPoint &row = w.document().table().row(point);
        // The store follows the pointer, and the colour the outputs (the board
        // in emulator mode) show.
        const auto now = [&] {
            return QList<qint64>{row.value(Field::Time), row.value(Field(channel)),
                                 store::toNumber(w.colourTexts().at(channel - int(Field::Red)))};
        };
        QTest::mousePress(f.chart, Qt::LeftButton, {}, from.toPoint());
        QCOMPARE(w.document().pointCurrent(), point);
        const Qt::KeyboardModifiers held = how == u"shift"_s ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mouseEvent(QTest::MouseMove, f.chart, Qt::NoButton, held, (from + by / 2).toPoint());
        QTest::mouseEvent(QTest::MouseMove, f.chart, Qt::NoButton, held, (from + by).toPoint());
        // Live: the store, the editor and the tip follow the pointer.
        QCOMPARE(now(), (QList<qint64>{time, level, level}));
        QCOMPARE(child<QLineEdit>(w, "TextTime")->text(), store::timeText(time, true));
        QVERIFY(child<QLabel>(w, "ChartDragTip")->isVisible());
        QVERIFY2(child<QLabel>(w, "ChartDragTip")->text().startsWith(store::timeText(time, true))
                     && child<QLabel>(w, "ChartDragTip")->text().endsWith(u' ' + QString::number(level) + u" %"),
                 qPrintable(child<QLabel>(w, "ChartDragTip")->text()));
        if (how == u"escape"_s) {
            QTest::keyClick(f.chart, Qt::Key_Escape);
            QVERIFY(!child<QLabel>(w, "ChartDragTip")->isVisible() && f.cycle() == before);
            QTest::mouseMove(f.chart, (from + by).toPoint());
        }
        QTest::mouseRelease(f.chart, Qt::LeftButton, {}, (from + by).toPoint());
        QVERIFY(!child<QLabel>(w, "ChartDragTip")->isVisible() && w.document().pointCurrent() == point
                && f.dialogs.shown.isEmpty());
        if (how == u"escape"_s) {
            QVERIFY(f.cycle() == before && w.document().history()->count() == 1); // just the file opened
            return;
        }
        QCOMPARE(now(), (QList<qint64>{time, level, level}));
        // One step, undone as one.
        QCOMPARE(w.menuItem(u"mnuEditUndo"_s)->text(), u"Annulla Modifica punto %1"_s.arg(point));
        QVERIFY(f.trigger(u"mnuEditUndo"_s));
        QCOMPARE(f.cycle(), before);
    }

    void keyboardOnTheChart()
    {
        Loaded f;
        FormColour &w = f.w;
        const QByteArray before = f.cycle();
        // A green point picked: Up and Down then change the green level.
        QTest::mouseClick(f.chart, Qt::LeftButton, {}, f.at(2, Field::Green).toPoint());
        QCOMPARE(w.document().history()->count(), 1);
        QTest::keyClick(f.chart, Qt::Key_Right);
        QCOMPARE(w.document().pointCurrent(), 3);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(f.chart, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(f.chart, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(f.chart, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier); // a minute
        QTest::keyClick(f.chart, Qt::Key_Up);
        QTest::keyClick(f.chart, Qt::Key_Up);
        QCOMPARE((QList<qint64>{w.document().table().row(3).value(Field::Time),
                                w.document().table().row(3).value(Field::Green)}),
                 (QList<qint64>{312, 2}));
        QCOMPARE(child<QLineEdit>(w, "TextGreen")->text(), u"002"_s);
        // The nudges of one point are one step, redone whole.
        QCOMPARE(w.document().history()->count(), 2);
        const QByteArray nudged = f.cycle();
        QVERIFY(f.trigger(u"mnuEditUndo"_s) && f.trigger(u"mnuEditRedo"_s));
        QCOMPARE(f.cycle(), nudged);
        QTest::keyClick(f.chart, Qt::Key_Right); // another point's nudge is a step of its own
        QTest::keyClick(f.chart, Qt::Key_Up);
        QCOMPARE(w.document().history()->count(), 3);
        QVERIFY(f.trigger(u"mnuEditUndo"_s) && f.trigger(u"mnuEditUndo"_s));
        QCOMPARE(f.cycle(), before);
        // Nothing moves while a point is being edited.
        w.CommandEdit_Click();
        QTest::keyClick(f.chart, Qt::Key_Right, Qt::ShiftModifier);
        QTest::mousePress(f.chart, Qt::LeftButton, {}, f.at(2, Field::Green).toPoint());
        QTest::mouseMove(f.chart, (f.at(2, Field::Green) + QPointF(50, 50)).toPoint());
        QTest::mouseRelease(f.chart, Qt::LeftButton, {}, (f.at(2, Field::Green) + QPointF(50, 50)).toPoint());
        QVERIFY(f.cycle() == before && w.document().pointCurrent() == 3);
    }

    void wheelZoomThroughTheSliders()
    {
        QList<P> seven;
        for (qint64 time = 0; time <= 600; time += 100)
            seven.append({time, 10, 0, 0, 0});
        Loaded f(seven);
        FormColour &w = f.w;
        // The window and the sliders tell the same zoom.
        const auto zoom = [&w] {
            const int lo = child<QSlider>(w, "SliderZoomMin")->value(),
                      hi = child<QSlider>(w, "SliderZoomMax")->value();
            const bool agree =
                w.chartLayout().window.start == float(w.document().table().row(lo).value(Field::Time))
                && w.chartLayout().window.end == float(w.document().table().row(hi).value(Field::Time) + 10 + 20);
            return agree ? qMakePair(lo, hi) : qMakePair(-lo, -hi);
        };
        QCOMPARE(zoom(), qMakePair(1, 7));
        // Turns of the wheel around a point (a notch is 120; a touchpad's 40s
        // add up to one), then the zoom: around point 6 the far edge comes in
        // first, three points are the narrowest, the current point is brought
        // into the window; a window short of the end widens first on the side
        // nearer the point.
        const std::tuple<int, int, int, int> turns[] = {
            {6, 40, 1, 7},   {6, 40, 1, 7},  {6, 40, 2, 7},   {6, 360, 5, 7},  {6, 120, 5, 7},
            {6, -240, 3, 7}, {3, 240, 3, 5}, {3, -120, 2, 5}, {5, -120, 2, 6}, {4, -600, 1, 7}};
        for (const auto &[point, delta, low, high] : turns) {
            const QPointF at = f.at(point, Field::Red) + QPointF(0, -40);
            QWheelEvent e(at, f.chart->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(f.chart, &e);
            QCOMPARE(zoom(), qMakePair(low, high));
        }
        QCOMPARE(w.document().pointCurrent(), 5);
    }
};

QTEST_MAIN(TestChartForm)
#include "test_chartform.moc"
