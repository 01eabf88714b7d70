// The chart, zoom, cursors and simulator as the user drives them in the window.

#include "app/shape.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "store/numbers.h"
#include "support/formfixture.h"

#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTest>

#include <cmath>

using store::Field;

namespace {

QStringList strs(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *s : list)
        out.append(QString::fromUtf8(s));
    return out;
}

struct P
{
    qint64 time, length, r, g, b;
};

// Writes a cycle into the store and switches the colour-cycle function on,
// which consolidates it, sets up zoom and cursors and redraws.
void load(FormFixture &f, std::initializer_list<P> points, qint64 transition)
{
    store::ColourTable &rs = f.form->table();
    store::emptyTable(rs);
    int k = 1;
    for (const P &p : points) {
        store::ColourPoint &row = rs.row(k);
        row.setValue(Field::PointID, k);
        row.setValue(Field::Time, p.time);
        row.setValue(Field::Length, p.length);
        row.setValue(Field::Red, p.r);
        row.setValue(Field::Green, p.g);
        row.setValue(Field::Blue, p.b);
        ++k;
    }
    f.form->PointCount = quint8(points.size());
    f.form->TransitionTime = store::format00000(transition);
    QVERIFY(f.trigger(QStringLiteral("mnuEnableColorCycle")));
}

void show(FormFixture &f)
{
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
}

QString colour(const FormFixture &f)
{
    return f.form->ColorRed + u'/' + f.form->ColorGreen + u'/' + f.form->ColorBlue;
}

// Simulator on, pacing frozen so that every tick stands for 50 ms.
void startSimulator(FormFixture &f)
{
    f.form->SimulatorPacer.setClock([] { return qint64(0); });
    if (!f.form->mnuEnableSimulator->isChecked())
        QVERIFY(f.trigger(QStringLiteral("mnuEnableSimulator")));
    QTest::mouseClick(f.button(QStringLiteral("CommandStart")), Qt::LeftButton);
    QVERIFY(f.form->SimulatorRunning);
}

const std::initializer_list<P> kFive{
    {0, 10, 100, 0, 0}, {100, 10, 0, 100, 0}, {250, 10, 0, 0, 100}, {400, 10, 50, 50, 50}, {600, 10, 0, 0, 0}};

} // namespace

class TestChartForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUpChart();
    void newCycleZoomAndCursors();
    void rightCursorStandsAtCycleEnd();
    void cursorLabels_data();
    void cursorLabels();
    void cursorStepsNeverCross();
    void zoomCoupling();
    void zoomReleaseMovesCurrentPoint();
    void navigationWidensWindow();
    void labelRightClickSwitchesTimes_data();
    void labelRightClickSwitchesTimes();
    void chartRightClickOpensUsbMenu();
    void simulatorHoldRampJumpAtSpeedOne();
    void simulatorAtHourPerSecond();
    void startFromCurrentPoint();
    void cycleEnd_data();
    void cycleEnd();
    void pauseHoldsEverything();
    void onePointStopsWithMessage();
    void zeroLengthCycleKeepsGoing();
    void startRefusedWhileEditing();
    void speedItemsAndRestart();
    void speedLabelPopUp();
    void functionSwitchesAndShortcuts();
};

void TestChartForm::startUpChart()
{
    FormFixture f;
    ChartView *chart = f.find<ChartView>(QStringLiteral("MSChartColorCycle"));
    QCOMPARE(chart->rowCount(), 1);
    QCOMPARE(chart->columnCount(), 3);
    QCOMPARE((QStringList{chart->columnLabel(1), chart->columnLabel(2), chart->columnLabel(3)}),
             (strs({"Rosso", "Verde", "Blu"})));
    QCOMPARE(chart->grid().valueNumber(1, 1), 0);
    QVERIFY(!f.form->SliderZoomMin->isEnabled());
    QVERIFY(!f.form->CommandStart->isEnabled());
    QCOMPARE(f.form->LabelDeltaR->text(), QStringLiteral("TD-TP = 00:00:00"));
    chart->showStartGrid();
    QCOMPARE(chart->rowLabel(1), QStringLiteral("0"));
    QCOMPARE(chart->data(1, 3), QStringLiteral("0"));
}

void TestChartForm::newCycleZoomAndCursors()
{
    FormFixture f;
    load(f, kFive, 20);
    FormColour &w = *f.form;
    QCOMPARE(w.SliderZoomMin->value(), 1);
    QCOMPARE(w.SliderZoomMax->value(), 5);
    QCOMPARE(w.SliderZoomMax->maximum(), 5);
    QVERIFY(w.SliderZoomMin->isEnabled());
    QCOMPARE(tag(w.CommandCursorLeft), QStringLiteral("D"));
    QCOMPARE(tag(w.CommandCursorRight), QStringLiteral("D"));
    QCOMPARE(w.CursorLeftPoint, 1);
    QCOMPARE(int(w.CursorRightPoint), 6);
    QVERIFY(w.CommandCursorLeftView->isEnabled());
    QCOMPARE(w.MSChartColorCycle->rowCount(), 800);
    QCOMPARE(w.table().position(), 1);
}

void TestChartForm::rightCursorStandsAtCycleEnd()
{
    FormFixture f;
    load(f, kFive, 20);
    QTest::mouseClick(f.button(QStringLiteral("CommandCursorRightView")), Qt::LeftButton);
    QCOMPARE(int(f.form->CursorRightPoint), 6);
    QVERIFY(!f.form->CommandCursorRight->isHidden());
    // 600 + 10 + 20 = 630 s, Italian and hh:mm:ss at start.
    QCOMPARE(f.form->LabelCursorRight->text(), QStringLiteral("TD = 00:10:30"));
    QCOMPARE(ChartView::unitLeft(f.form->CommandCursorRight), 13320);
    QCOMPARE(f.form->LabelCursorRight->alignment(), Qt::Alignment(Qt::AlignCenter));
}

void TestChartForm::cursorLabels_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("current 3")
        << 3 << strs({"TL = 00100", "TR = 00400", "TP-TL = 00150", "TR-TL = 00300", "TR-TP = 00150"});
    QTest::newRow("tie left")
        << 2 << strs({"TL = 00100", "TR = 00400", "TP-TL = 00000", "TR-TL = 00300", "TR-TP = 00300"});
    QTest::newRow("tie right")
        << 4 << strs({"TL = 00100", "TR = 00400", "TP-TL = 00300", "TR-TL = 00300", "TR-TP = 00000"});
}

void TestChartForm::cursorLabels()
{
    QFETCH(int, current);
    QFETCH(QStringList, labels);
    FormFixture f;
    FormColour &w = *f.form;
    setTag(w.mnuConfigLanguage, QStringLiteral("E"));
    w.mnuConfigTimeViewer_Click(); // to seconds
    QVERIFY(!w.hmsMode());
    load(f, kFive, 20);
    QTest::mouseClick(w.CommandCursorLeftView, Qt::LeftButton);
    QTest::mouseClick(w.CommandCursorLeftR, Qt::LeftButton);
    QTest::mouseClick(w.CommandCursorRightView, Qt::LeftButton);
    QTest::mouseClick(w.CommandCursorRightL, Qt::LeftButton);
    QTest::mouseClick(w.CommandCursorRightL, Qt::LeftButton);
    QCOMPARE(w.CursorLeftPoint, 2);
    QCOMPARE(int(w.CursorRightPoint), 4);
    w.PointCurrent = quint8(current);
    w.DataBaseView();
    QCOMPARE((QStringList{w.LabelCursorLeft->text(), w.LabelCursorRight->text(), w.LabelDeltaL->text(),
                          w.LabelDelta->text(), w.LabelDeltaR->text()}),
             labels);
    QCOMPARE(w.LabelCursorLeft->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(w.LabelCursorRight->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(w.LabelCursorLeft->palette().color(QPalette::WindowText), QColor(192, 0, 192));
    QCOMPARE(w.LabelDelta->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!w.LabelDelta->isHidden());
    QCOMPARE(w.table().position(), current);
}

void TestChartForm::cursorStepsNeverCross()
{
    FormFixture f;
    FormColour &w = *f.form;
    load(f, {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {20, 0, 0, 0, 0}}, 0);
    QTest::mouseClick(w.CommandCursorLeftView, Qt::LeftButton);
    QTest::mouseClick(w.CommandCursorRightView, Qt::LeftButton);
    QTest::mouseClick(w.CommandCursorLeftL, Qt::LeftButton); // at 1 already
    QCOMPARE(w.CursorLeftPoint, 1);
    QTest::mouseClick(w.CommandCursorRightR, Qt::LeftButton); // at the end already
    QCOMPARE(int(w.CursorRightPoint), 4);
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(w.CommandCursorLeftR, Qt::LeftButton);
    QCOMPARE(w.CursorLeftPoint, 3);
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(w.CommandCursorRightL, Qt::LeftButton);
    QCOMPARE(int(w.CursorRightPoint), 4);
    // Hiding the left cursor brings it home.
    QTest::mouseClick(w.CommandCursorLeftView, Qt::LeftButton);
    QCOMPARE(w.CursorLeftPoint, 1);
    QVERIFY(w.LabelDelta->isHidden());
}

void TestChartForm::zoomCoupling()
{
    FormFixture f;
    load(f, kFive, 20);
    QSlider *lo = f.form->SliderZoomMin;
    QSlider *hi = f.form->SliderZoomMax;
    hi->setValue(2);
    QCOMPARE(hi->value(), 3);
    lo->setValue(4);
    QCOMPARE(lo->value(), 1);
    lo->setValue(1);
    hi->setValue(5);
    lo->setValue(4);
    QCOMPARE(lo->value(), 3);
    // Zoom upkeep: a current point outside the window widens it.
    f.form->PointCurrent = 1;
    f.form->DataBaseZoom();
    QCOMPARE(lo->value(), 1);
    QCOMPARE(hi->value(), 5);
}

void TestChartForm::zoomReleaseMovesCurrentPoint()
{
    FormFixture f;
    show(f);
    load(f, kFive, 20);
    FormColour &w = *f.form;
    w.PointCurrent = 5;
    w.table().moveTo(5);
    w.SliderZoomMax->setValue(3);
    QTest::mouseRelease(w.SliderZoomMax, Qt::LeftButton, {}, w.SliderZoomMax->rect().center());
    QCOMPARE(int(w.PointCurrent), 3);
    QCOMPARE(w.table().position(), 3);
    // The window now ends at point 3: 250 + 10 + 20.
    QCOMPARE(w.ChartLayout->window.end, 280.0f);
}

void TestChartForm::navigationWidensWindow()
{
    FormFixture f;
    show(f);
    load(f, kFive, 20);
    FormColour &w = *f.form;
    w.SliderZoomMax->setValue(3);
    QTest::mouseRelease(w.SliderZoomMax, Qt::LeftButton, {}, w.SliderZoomMax->rect().center());
    QCOMPARE(w.SliderZoomMax->value(), 3);
    QTest::mouseClick(w.CommandLast, Qt::LeftButton);
    QCOMPARE(int(w.PointCurrent), 5);
    QCOMPARE(w.SliderZoomMax->value(), 5);
    QCOMPARE(w.ChartLayout->window.end, 630.0f);
    QCOMPARE(ChartView::unitLeft(w.CommandCursorSelected), chart::kPlotLeft + int(std::lround(600 * 12080 / 630.0)));
}

void TestChartForm::labelRightClickSwitchesTimes_data()
{
    QTest::addColumn<QString>("label");
    for (const char *name : {"LabelCursorLeft", "LabelCursorRight", "LabelDeltaL", "LabelDelta", "LabelDeltaR",
                             "LabelTime", "LabelLength", "LabelTransition", "LabelSimulatorTime"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestChartForm::labelRightClickSwitchesTimes()
{
    QFETCH(QString, label);
    FormFixture f;
    show(f);
    QLabel *l = f.find<QLabel>(label);
    l->show();
    QVERIFY(f.form->hmsMode());
    QTest::mouseClick(l, Qt::LeftButton, {}, l->rect().center());
    QVERIFY(f.form->hmsMode());
    QTest::mouseClick(l, Qt::RightButton, {}, QPoint(0, l->height() / 2)); // on the edge: not inside
    QVERIFY(f.form->hmsMode());
    QTest::mouseClick(l, Qt::RightButton, {}, l->rect().center());
    QVERIFY(!f.form->hmsMode());
    QCOMPARE(f.field(QStringLiteral("TextTime"))->text(), QStringLiteral("00000"));
}

void TestChartForm::chartRightClickOpensUsbMenu()
{
    FormFixture f;
    show(f);
    load(f, kFive, 20);
    ChartView *chart = f.form->MSChartColorCycle;
    startSimulator(f);
    QTest::mouseClick(chart, Qt::RightButton, {}, chart->rect().center());
    QVERIFY(!f.form->mnuUSBMenu->isVisible());
    QTest::mouseClick(f.form->CommandStop, Qt::LeftButton);
    QTest::mouseClick(chart, Qt::RightButton, {}, chart->rect().center());
    QTRY_VERIFY(f.form->mnuUSBMenu->isVisible());
    f.form->mnuUSBMenu->close();
}

void TestChartForm::simulatorHoldRampJumpAtSpeedOne()
{
    FormFixture f;
    load(f, {{0, 10, 100, 0, 0}, {20, 10, 0, 0, 100}}, 10);
    startSimulator(f);
    FormColour &w = *f.form;
    QCOMPARE(w.SimulatorCycleEnd, 40);
    QVERIFY(!w.mnuFile->isEnabled());
    // The hold: 200 ticks of 50 ms show point 1's colour.
    f.tick(200);
    QCOMPARE(colour(f), QStringLiteral("100/000/000"));
    QCOMPARE(w.SimulatorClock, 9.0);
    QCOMPARE(w.LabelSimulatorTime->text(), QStringLiteral("00:00:09"));
    QCOMPARE(w.ShapeColor->fillColor(), QColor(255, 0, 0));
    // The ramp: half-way at 15 s.
    f.tick(101);
    QCOMPARE(w.SimulatorClock, 15.0);
    QCOMPARE(colour(f), QStringLiteral("050/000/050"));
    // Up to the jump: the tick that reaches 20 s changes point without advancing.
    int ticks = 0;
    while (w.PointCurrent == 1 && ticks < 200) {
        f.tick();
        ++ticks;
    }
    QVERIFY2(ticks >= 99 && ticks <= 101, qPrintable(QString::number(ticks)));
    QCOMPARE(int(w.PointCurrent), 2);
    QCOMPARE(colour(f), QStringLiteral("000/000/100"));
    QCOMPARE(w.SimulatorClock, 20.0);
    QCOMPARE(w.SimulatorTime, 0.0f);
    f.tick();
    QCOMPARE(w.SimulatorClock, 20.0);
    QCOMPARE(w.SimulatorTime, 0.05f);
    QVERIFY(w.SimulatorRunning);
    QVERIFY(ChartView::unitWidth(w.CommandCursorSimulator) == 12120 / 2);
}

void TestChartForm::simulatorAtHourPerSecond()
{
    FormFixture f;
    load(f, {{0, 10, 100, 0, 0}, {100, 10, 0, 100, 0}, {200, 10, 0, 0, 100}, {300, 10, 0, 0, 0}}, 10);
    QVERIFY(f.trigger(QStringLiteral("mnuEnableSimulator")));
    QVERIFY(f.trigger(QStringLiteral("mnuSimulatorSpeedIHS")));
    startSimulator(f);
    // 180 s a tick: each point takes the tick that reaches it and one more.
    QList<int> points;
    for (int i = 0; i < 7; ++i) {
        f.tick();
        points.append(f.form->PointCurrent);
    }
    QCOMPARE(points, (QList<int>{1, 2, 2, 3, 3, 4, 4}));
    f.tick(); // the end of the cycle, without restart
    QVERIFY(!f.form->SimulatorRunning);
    QCOMPARE(int(f.form->PointCurrent), 1);
    QCOMPARE(colour(f), QStringLiteral("100/000/000"));
}

void TestChartForm::startFromCurrentPoint()
{
    FormFixture f;
    load(f, kFive, 20);
    f.form->PointCurrent = 3;
    f.form->table().moveTo(3);
    startSimulator(f);
    f.tick();
    QCOMPARE(f.form->SimulatorClock, 250.0);
    QCOMPARE(f.form->LabelSimulatorTime->text(), QStringLiteral("00:04:10"));
    QCOMPARE(colour(f), QStringLiteral("000/000/100"));
    // 250 of 630 s over 12120 units.
    QCOMPARE(ChartView::unitWidth(f.form->CommandCursorSimulator), 4809);
    QVERIFY(!f.form->SliderZoomMin->isEnabled());
    QVERIFY(!f.form->CommandNext->isEnabled());
    // Cursor buttons do nothing during playback.
    f.form->CommandCursorLeftView_Click();
    QCOMPARE(tag(f.form->CommandCursorLeft), QStringLiteral("D"));
}

void TestChartForm::cycleEnd_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("restart off") << false;
    QTest::newRow("restart on") << true;
}

void TestChartForm::cycleEnd()
{
    QFETCH(bool, restart);
    FormFixture f;
    load(f, {{0, 0, 0, 100, 0}, {1, 1, 0, 0, 100}}, 0); // cycle end 2 s, no transition
    QVERIFY(f.trigger(QStringLiteral("mnuEnableSimulator")));
    if (restart)
        QVERIFY(f.trigger(QStringLiteral("mnuSimulatorRestart")));
    startSimulator(f);
    int ticks = 0;
    while (f.form->PointCurrent != 2 && ticks < 100) {
        f.tick();
        ++ticks;
    }
    QCOMPARE(ticks, 21); // 1 s of the first point's ramp, then the jump
    while (f.form->SimulatorClock != 0.0 && ticks < 100) {
        f.tick();
        ++ticks;
    }
    QCOMPARE(ticks, 42); // the last hold ends with the cycle: no transition
    QCOMPARE(f.form->SimulatorRunning, restart);
    QCOMPARE(int(f.form->PointCurrent), 1);
    QCOMPARE(f.form->table().position(), 1);
    QCOMPARE(colour(f), QStringLiteral("000/100/000"));
    QCOMPARE(f.form->SimulatorClock, 0.0);
    QCOMPARE(f.form->CommandStart->isEnabled(), !restart);
    QCOMPARE(f.form->CommandStop->isEnabled(), restart);
    f.tick(2);
    QCOMPARE(f.form->SimulatorRunning, restart);
    QCOMPARE(int(f.form->PointCurrent), 1);
    if (restart)
        QCOMPARE(f.form->SimulatorTime, 0.1f); // playing point 1 again from its start
}

void TestChartForm::pauseHoldsEverything()
{
    FormFixture f;
    load(f, {{0, 10, 100, 0, 0}, {20, 10, 0, 0, 100}}, 10);
    startSimulator(f);
    FormColour &w = *f.form;
    f.tick(301);
    const QString before = colour(f);
    const int bar = ChartView::unitWidth(w.CommandCursorSimulator);
    QTest::mouseClick(w.CommandPause, Qt::LeftButton);
    QVERIFY(w.SimulatorPaused);
    QVERIFY(!w.CommandStop->isEnabled());
    QVERIFY(!w.CommandStart->isEnabled());
    f.tick(100);
    QCOMPARE(colour(f), before);
    QCOMPARE(w.LabelSimulatorTime->text(), QStringLiteral("00:00:15"));
    QCOMPARE(ChartView::unitWidth(w.CommandCursorSimulator), bar);
    QTest::mouseClick(w.CommandPause, Qt::LeftButton);
    QVERIFY(!w.SimulatorPaused);
    QVERIFY(w.CommandStop->isEnabled());
    f.tick(21);
    QCOMPARE(w.SimulatorClock, 16.0);
    QTest::mouseClick(w.CommandStop, Qt::LeftButton);
    QVERIFY(!w.SimulatorRunning);
    QCOMPARE(ChartView::unitWidth(w.CommandCursorSimulator), 75);
    f.tick();
    QCOMPARE(w.SimulatorClock, 0.0);
    QVERIFY(w.mnuFile->isEnabled());
}

void TestChartForm::onePointStopsWithMessage()
{
    FormFixture f;
    load(f, {{0, 5, 10, 20, 30}}, 0);
    QVERIFY(!f.form->SliderZoomMin->isEnabled());
    QVERIFY(!f.form->CommandCursorLeftView->isEnabled());
    startSimulator(f);
    f.dialogs.answerMessage(platform::MsgResult::Ok);
    f.tick(3);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QCOMPARE(f.dialogs.last().text, QString::fromUtf8("C'è un solo Punto Colore nel Ciclo Colore. Il Simulatore è Off!"));
    QCOMPARE(f.dialogs.last().title, QStringLiteral("Attenzione"));
    QVERIFY(f.dialogs.last().icon == platform::MsgIcon::Exclamation);
    QVERIFY(!f.form->SimulatorRunning);
    QCOMPARE(f.form->SimulatorClock, 0.0);
}

void TestChartForm::zeroLengthCycleKeepsGoing()
{
    // A store left with every point at 0 s, nothing held and no
    // transition (a cycle end of 0), behind the consolidation's back.
    FormFixture f;
    load(f, {{0, 0, 10, 0, 0}, {10, 0, 0, 10, 0}, {20, 0, 0, 0, 10}}, 0);
    for (int k = 1; k <= 3; ++k)
        f.form->table().row(k).setValue(Field::Time, 0);
    QVERIFY(f.trigger(QStringLiteral("mnuEnableSimulator")));
    QVERIFY(f.trigger(QStringLiteral("mnuSimulatorRestart")));
    startSimulator(f);
    QCOMPARE(f.form->SimulatorCycleEnd, 0);
    f.tick(50);
    QVERIFY(f.form->SimulatorRunning);
    QCOMPARE(ChartView::unitWidth(f.form->CommandCursorSimulator), 75);
    QVERIFY(std::isfinite(f.form->SimulatorTime));
    QCOMPARE(f.form->SimulatorClock, 0.0);
}

void TestChartForm::startRefusedWhileEditing()
{
    FormFixture f;
    load(f, kFive, 20);
    QVERIFY(f.trigger(QStringLiteral("mnuEnableSimulator")));
    setTag(f.form->CommandSave, QStringLiteral("E"));
    setTag(f.form->mnuConfigLanguage, QStringLiteral("E"));
    f.dialogs.answerMessage(platform::MsgResult::Ok);
    QTest::mouseClick(f.form->CommandStart, Qt::LeftButton);
    QVERIFY(!f.form->SimulatorRunning);
    QCOMPARE(f.dialogs.last().text, QStringLiteral("The Selected Colour Point is in Editor or Insert State.") + kLineBreak
                                        + QStringLiteral("Save or Annul it before to Start the Simulator."));
}

void TestChartForm::speedItemsAndRestart()
{
    FormFixture f;
    load(f, kFive, 20);
    QVERIFY(!f.form->menuItem(QStringLiteral("mnuSimulatorConfiguration"))->isEnabled());
    QVERIFY(f.trigger(QStringLiteral("mnuEnableSimulator")));
    QVERIFY(f.form->menuItem(QStringLiteral("mnuSimulatorConfiguration"))->isEnabled());
    QVERIFY(f.trigger(QStringLiteral("mnuSimulatorSpeedD5")));
    QCOMPARE(f.form->SimulatorSpeed, 0.2f);
    QCOMPARE(f.form->LabelSimulatorSpeed->text(), QStringLiteral("Velocità: /5"));
    int checked = 0;
    for (const auto &s : chart::speedItems())
        checked += f.form->menuItem(QString::fromLatin1(s.name))->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    setTag(f.form->mnuConfigLanguage, QStringLiteral("E"));
    QVERIFY(f.trigger(QStringLiteral("mnuSimulatorSpeedIMS")));
    QCOMPARE(f.form->SimulatorSpeed, 60.0f);
    QCOMPARE(f.form->LabelSimulatorSpeed->text(), QStringLiteral("Speed: 1min = 1sec"));
    QVERIFY(!f.form->menuItem(QStringLiteral("mnuSimulatorSpeedD5"))->isChecked());

    // A right click on Start toggles restart and its picture.
    QTest::mouseClick(f.form->CommandStart, Qt::RightButton);
    QVERIFY(f.form->menuItem(QStringLiteral("mnuSimulatorRestart"))->isChecked());
    QCOMPARE(f.form->CommandStart->property("Picture").toString(), QStringLiteral("PictureStartAEn"));
    QVERIFY(f.trigger(QStringLiteral("mnuSimulatorRestart")));
    QVERIFY(!f.form->menuItem(QStringLiteral("mnuSimulatorRestart"))->isChecked());
    QCOMPARE(f.form->CommandStart->property("DisabledPicture").toString(), QStringLiteral("PictureStartDs"));
}

void TestChartForm::speedLabelPopUp()
{
    FormFixture f;
    show(f);
    load(f, kFive, 20);
    startSimulator(f);
    QLabel *label = f.form->LabelSimulatorSpeed;
    QAction *restart = f.form->menuItem(QStringLiteral("mnuSimulatorRestart"));
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QVERIFY(!f.form->mnuSimulatorConfigurationMenu->isVisible());
    QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    QTRY_VERIFY(f.form->mnuSimulatorConfigurationMenu->isVisible());
    QVERIFY(!restart->isEnabled());
    f.form->mnuSimulatorConfigurationMenu->close();
    QTRY_VERIFY(restart->isEnabled());
}

void TestChartForm::functionSwitchesAndShortcuts()
{
    FormFixture f;
    show(f);
    load(f, kFive, 20);
    FormColour &w = *f.form;
    // A right click on the simulator frame's background switches it on.
    QTest::mouseClick(w.ShapeSimulator, Qt::RightButton, {}, QPoint(4, w.ShapeSimulator->height() - 4));
    QVERIFY(w.mnuEnableSimulator->isChecked());
    QVERIFY(w.CommandStart->isEnabled());
    QVERIFY(!w.CommandCursorSimulator->isHidden());
    // A right click on the disabled red slider switches the RGB function on.
    QVERIFY(!w.SliderRed->isEnabled());
    QTest::mouseClick(w.SliderRed, Qt::RightButton, {}, w.SliderRed->rect().center());
    QVERIFY(w.mnuEnableRGB->isChecked());
    QVERIFY(w.SliderRed->isEnabled());
    QCOMPARE(w.ShapeGreen->borderColor(), QColor(0, 192, 0));
    // Colour cycle off also switches the simulator off.
    QVERIFY(f.trigger(QStringLiteral("mnuEnableColorCycle")));
    QVERIFY(!w.mnuEnableSimulator->isChecked());
    QVERIFY(!w.CommandStart->isEnabled());
    QVERIFY(w.CommandCursorSelected->isHidden());
    QVERIFY(!w.SliderZoomMax->isEnabled());
    QCOMPARE(w.ShapeColorCycle->borderColor(), QColor(128, 128, 128));
}

QTEST_MAIN(TestChartForm)
#include "test_chartform.moc"
