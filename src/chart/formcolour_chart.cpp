// Chart view, zoom and cursors, and the simulator: the handlers of the main
// window. The rules they apply are in chartwalk.h and simulator.h.

#include "app/formcolour.h"
#include "app/icons.h"

#include "app/shape.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "store/numbers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>

#include <cmath>

using platform::MsgButtons;
using platform::MsgIcon;
using store::Field;

namespace {

QColor percentColour(const QString &red, const QString &green, const QString &blue)
{
    return QColor(store::percentToComponent(store::toNumber(red)), store::percentToComponent(store::toNumber(green)),
                  store::percentToComponent(store::toNumber(blue)));
}

bool strictlyInside(const QWidget *w, int x, int y) { return x > 0 && x < w->width() && y > 0 && y < w->height(); }

void setTextIfChanged(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

const platform::BilingualMessage kOnePoint{
    {QStringLiteral("There is only a Colour Point into the Cycle Colour. Simulator Off!"),
     QString::fromUtf8("C'è un solo Punto Colore nel Ciclo Colore. Il Simulatore è Off!")},
    {QStringLiteral("Warning"), QStringLiteral("Attenzione")},
    MsgIcon::Exclamation,
    MsgButtons::Ok,
    platform::MsgResult::Ok};

} // namespace

// ----- Wiring -----------------------------------------------------------------

void FormColour::connectChart()
{
    onMenu("mnuEnableRGB", &FormColour::mnuEnableRGB_Click);
    onMenu("mnuEnableColorCycle", &FormColour::mnuEnableColorCycle_Click);
    onMenu("mnuEnableSimulator", &FormColour::mnuEnableSimulator_Click);
    onMenu("mnuSimulatorRestart", &FormColour::mnuSimulatorRestart_Click);
    const auto &speeds = chart::speedItems();
    for (int i = 0; i < int(speeds.size()); ++i)
        onMenu(QString::fromLatin1(speeds[std::size_t(i)].name), [this, i] { mnuSimulatorSpeed_Click(i); });
    connect(mnuSimulatorConfigurationMenu, &QMenu::aboutToHide, this,
            [this] { menuItem(QStringLiteral("mnuSimulatorRestart"))->setEnabled(true); });

    CommandPause->setCheckable(true);
    connect(CommandPause, &QPushButton::clicked, this, &FormColour::CommandPause_Click);
    connect(CommandStop, &QPushButton::clicked, this, &FormColour::CommandStop_Click);
    connect(CommandCursorLeftView, &QPushButton::clicked, this, &FormColour::CommandCursorLeftView_Click);
    connect(CommandCursorRightView, &QPushButton::clicked, this, &FormColour::CommandCursorRightView_Click);
    connect(CommandCursorLeftL, &QPushButton::clicked, this, &FormColour::CommandCursorLeftL_Click);
    connect(CommandCursorLeftR, &QPushButton::clicked, this, &FormColour::CommandCursorLeftR_Click);
    connect(CommandCursorRightL, &QPushButton::clicked, this, &FormColour::CommandCursorRightL_Click);
    connect(CommandCursorRightR, &QPushButton::clicked, this, &FormColour::CommandCursorRightR_Click);
    connect(SliderZoomMin, &QSlider::valueChanged, this, &FormColour::SliderZoomMin_Scroll);
    connect(SliderZoomMax, &QSlider::valueChanged, this, &FormColour::SliderZoomMax_Scroll);

    for (QWidget *w : std::initializer_list<QWidget *>{
             CommandStart,       LabelSimulatorSpeed, LabelCursorLeft, LabelCursorRight, LabelDeltaL,
             LabelDelta,         LabelDeltaR,         LabelTime,       LabelLength,      LabelTransition,
             LabelSimulatorTime, MSChartColorCycle,   SliderZoomMin,   SliderZoomMax,    centralWidget(),
             ShapeRed,           ShapeGreen,          ShapeBlue,       ShapeSimulator,   ShapeColorCycle,
             ShapeTransition,    ShapeColor})
        w->installEventFilter(this);
    // The buttons inside the frames pass their releases to the window while
    // they are disabled.
    for (Shape *frame : {ShapeColorCycle, ShapeSimulator})
        for (QPushButton *b : frame->findChildren<QPushButton *>())
            b->installEventFilter(this);
    installEventFilter(this);

    // Fixed looks of the cursor labels and their start-up texts.
    setLabelColour(LabelCursorLeft, QColor(192, 0, 192));
    setLabelColour(LabelDeltaL, QColor(192, 0, 192));
    setLabelColour(LabelCursorRight, QColor(0, 128, 255));
    setLabelColour(LabelDeltaR, QColor(0, 128, 255));
    setLabelColour(LabelDelta, QColor(0, 0, 128));
    LabelCursorLeft->setText(QStringLiteral("TS = 00:00:00"));
    LabelCursorRight->setText(QStringLiteral("TD = 00:00:00"));
    LabelDeltaL->setText(QStringLiteral("TP-TS = 00:00:00"));
    LabelDelta->setText(QStringLiteral("TR-TL = 00:00:00"));
    LabelDeltaR->setText(QStringLiteral("TD-TP = 00:00:00"));
    CommandPause->setEnabled(false);
    CommandStop->setEnabled(false);
    CommandStart->setEnabled(false);
    // Zoom and cursors wait for the colour-cycle function.
    for (QPushButton *b : {CommandCursorLeftView, CommandCursorLeftL, CommandCursorLeftR, CommandCursorRightView,
                           CommandCursorRightL, CommandCursorRightR})
        b->setEnabled(false);
    SliderZoomMin->setEnabled(false);
    SliderZoomMax->setEnabled(false);
}

bool FormColour::chartEvent(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *me = static_cast<QMouseEvent *>(event);
    const QPoint pos = me->position().toPoint();
    const Qt::MouseButton button = me->button();
    const int shift = int(me->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    const int x = pos.x();
    const int y = pos.y();

    // A disabled control has no events of its own: its release is the
    // window's. (Qt's disabled buttons would swallow it, other disabled
    // widgets pass it to their parent: it is taken here, once.)
    if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget != this && !widget->isEnabled()) {
        const QPoint p = widget->mapTo(this, pos);
        Form_MouseUp(button, shift, p.x(), p.y());
        return true;
    }
    if (watched == CommandStart) {
        CommandStart->setDown(false);
        CommandStart_MouseUp(button, shift, x, y);
        return true;
    }
    if (watched == LabelSimulatorSpeed) {
        LabelSimulatorSpeed_MouseUp(button, shift, x, y);
        return true;
    }
    using LabelHandler = void (FormColour::*)(Qt::MouseButton, int, int, int);
    const std::pair<QObject *, LabelHandler> labels[] = {
        {LabelCursorLeft, &FormColour::LabelCursorLeft_MouseUp},
        {LabelCursorRight, &FormColour::LabelCursorRight_MouseUp},
        {LabelDeltaL, &FormColour::LabelDeltaL_MouseUp},
        {LabelDelta, &FormColour::LabelDelta_MouseUp},
        {LabelDeltaR, &FormColour::LabelDeltaR_MouseUp},
        {LabelTime, &FormColour::LabelTime_MouseUp},
        {LabelLength, &FormColour::LabelLength_MouseUp},
        {LabelTransition, &FormColour::LabelTransition_MouseUp},
        {LabelSimulatorTime, &FormColour::LabelSimulatorTime_MouseUp},
        {MSChartColorCycle, &FormColour::MSChartColorCycle_MouseUp},
    };
    for (const auto &[label, handler] : labels) {
        if (watched == label) {
            (this->*handler)(button, shift, x, y);
            return true;
        }
    }
    if (watched == SliderZoomMin) {
        SliderZoomMin_MouseUp();
        return false;
    }
    if (watched == SliderZoomMax) {
        SliderZoomMax_MouseUp();
        return false;
    }
    // The window itself: its background, its frames, or a disabled control
    // (a disabled control passes its mouse events on to its parent). A
    // release that comes up from an enabled control, a label included, is
    // that control's own.
    QWidget *w = qobject_cast<QWidget *>(watched);
    const bool formArea = watched == this || watched == centralWidget() || qobject_cast<Shape *>(watched);
    if (!w || !formArea)
        return false;
    QWidget *under = w->childAt(pos);
    if (under && under->isEnabled() && !qobject_cast<Shape *>(under))
        return false;
    const QPoint p = w == this ? pos : w->mapTo(this, pos);
    Form_MouseUp(button, shift, p.x(), p.y());
    return true;
}

void FormColour::setLabelColour(QLabel *label, const QColor &colour)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

// ----- Chart view ----------------------------------------------------------------

void FormColour::DataBaseView()
{
    store::ColourTable &rs = table();
    const chart::Cycle cycle = chart::readCycle(rs, PointCount, store::toNumber(TransitionTime));
    const chart::ViewInput in{SliderZoomMin->value(), SliderZoomMax->value(), PointCurrent, CursorLeftPoint,
                              CursorRightPoint};
    chart::layOut(cycle, in, *ChartLayout);
    MSChartColorCycle->setGrid(ChartLayout->grid);

    const chart::Markers &m = ChartLayout->markers;
    const bool hms = hmsMode();
    const chart::CursorTexts texts = chart::cursorTexts(m.tl, m.tr, m.tp, english(), hms);

    // Cursors, left then right.
    MSChartColorCycle->setUnitLeft(CommandCursorLeft, m.cursorLeftX);
    if (m.rewriteCursorLabels)
        setCursorLabel(LabelCursorLeft, texts.left, hms ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    MSChartColorCycle->setUnitLeft(CommandCursorRight, m.cursorRightX);
    if (m.rewriteCursorLabels)
        setCursorLabel(LabelCursorRight, texts.right, hms ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);

    // The selector marker: the strip starts at the bar as placed.
    MSChartColorCycle->setUnitLeft(CommandCursorSelected, m.selectorLeft);
    MSChartColorCycle->setUnitLeft(PictureSelected, ChartView::unitLeft(CommandCursorSelected));
    MSChartColorCycle->setUnitWidth(PictureSelected, m.stripWidth);

    // Differences.
    setTextIfChanged(LabelDeltaL, texts.deltaL);
    setTextIfChanged(LabelDelta, texts.delta);
    setTextIfChanged(LabelDeltaR, texts.deltaR);

    ChartView::setOverlayColour(PictureSelected, percentColour(ColorRed, ColorGreen, ColorBlue));
    rs.moveTo(std::clamp(int(PointCurrent), 1, store::kRowCount));
}

void FormColour::setCursorLabel(QLabel *label, const QString &text, Qt::Alignment alignment)
{
    setTextIfChanged(label, text);
    if (label->alignment() != alignment)
        label->setAlignment(alignment);
}

void FormColour::MSChartColorCycle_MouseUp(Qt::MouseButton button, int, int x, int y)
{
    if (button != Qt::RightButton || SimulatorRunning || !strictlyInside(MSChartColorCycle, x, y))
        return;
    mnuUSBMenu->popup(MSChartColorCycle->mapToGlobal(QPoint(x, y)));
}

// ----- Zoom ------------------------------------------------------------------------

void FormColour::DataBaseZoomSetUp()
{
    QScopedValueRollback guard(m_zoomAdjusting, true);
    SliderZoomMin->setEnabled(PointCount >= 2);
    SliderZoomMax->setEnabled(PointCount >= 2);
    if (PointCount >= 3) {
        SliderZoomMin->setMinimum(1);
        SliderZoomMin->setValue(1);
        SliderZoomMin->setMaximum(PointCount);
        SliderZoomMax->setMinimum(1);
        SliderZoomMax->setValue(1);
        SliderZoomMax->setMaximum(PointCount);
        SliderZoomMax->setValue(PointCount);
    } else {
        SliderZoomMin->setMinimum(1);
        SliderZoomMin->setValue(1);
        SliderZoomMin->setMaximum(2);
        SliderZoomMax->setMinimum(1);
        SliderZoomMax->setValue(2);
        SliderZoomMax->setMaximum(2);
    }
}

void FormColour::DataBaseZoom()
{
    QScopedValueRollback guard(m_zoomAdjusting, true);
    SliderZoomMin->setEnabled(PointCount >= 2);
    SliderZoomMax->setEnabled(PointCount >= 2);
    if (PointCount <= 2) {
        SliderZoomMin->setMinimum(1);
        SliderZoomMin->setValue(1);
        SliderZoomMin->setMaximum(2);
        SliderZoomMax->setMinimum(1);
        SliderZoomMax->setValue(2);
        SliderZoomMax->setMaximum(2);
        return;
    }
    if (SliderZoomMax->value() > PointCount)
        SliderZoomMax->setValue(PointCount);
    if (SliderZoomMax->value() < SliderZoomMin->value() + 2)
        SliderZoomMin->setValue(SliderZoomMax->value() - 2);
    SliderZoomMin->setMaximum(PointCount);
    SliderZoomMax->setMaximum(PointCount);
    if (hasTag(CommandSave, u"I"))
        SliderZoomMax->setValue(PointCount);
    if (PointCurrent > SliderZoomMax->value())
        SliderZoomMax->setValue(PointCurrent);
    if (PointCurrent < SliderZoomMin->value())
        SliderZoomMin->setValue(PointCurrent);
}

void FormColour::SliderZoomMin_Scroll()
{
    if (m_zoomAdjusting)
        return;
    QScopedValueRollback guard(m_zoomAdjusting, true);
    if (SliderZoomMin->value() > SliderZoomMax->value() - 2)
        SliderZoomMin->setValue(SliderZoomMax->value() - 2);
}

void FormColour::SliderZoomMax_Scroll()
{
    if (m_zoomAdjusting)
        return;
    QScopedValueRollback guard(m_zoomAdjusting, true);
    if (SliderZoomMax->value() < SliderZoomMin->value() + 2)
        SliderZoomMax->setValue(SliderZoomMin->value() + 2);
}

void FormColour::SliderZoomMin_MouseUp()
{
    if (PointCurrent < SliderZoomMin->value()) {
        PointCurrent = quint8(SliderZoomMin->value());
        table().moveTo(PointCurrent);
    }
    pointRefresh();
}

void FormColour::SliderZoomMax_MouseUp()
{
    if (PointCurrent > SliderZoomMax->value()) {
        PointCurrent = quint8(std::max(1, SliderZoomMax->value()));
        table().moveTo(PointCurrent);
    }
    pointRefresh();
}

// ----- Cursors ------------------------------------------------------------------------

void FormColour::DataBaseCursorSetUp()
{
    CommandCursorSelected->show();
    PictureSelected->show();
    CommandCursorLeftView->setEnabled(PointCount >= 3);
    CommandCursorRightView->setEnabled(PointCount >= 3);
    if (hasTag(CommandCursorLeft, u"E"))
        CommandCursorLeftView_Click();
    if (hasTag(CommandCursorRight, u"E"))
        CommandCursorRightView_Click();
    CursorLeftPoint = 1;
    CursorRightPoint = quint8(PointCount <= 2 ? 3 : PointCount + 1);
}

void FormColour::DataBaseCursor()
{
    CommandCursorSelected->show();
    PictureSelected->show();
    if (PointCount >= 3) {
        CommandCursorLeftView->setEnabled(true);
        CommandCursorRightView->setEnabled(true);
        if (CursorRightPoint > PointCount + 1)
            CursorRightPoint = quint8(PointCount + 1);
        if (CursorLeftPoint > CursorRightPoint - 1)
            CursorLeftPoint = CursorRightPoint - 1;
        const int lo = SliderZoomMin->value();
        const int hi = SliderZoomMax->value();
        if (hasTag(CommandCursorLeft, u"E"))
            CommandCursorLeft->setVisible(lo <= CursorLeftPoint && CursorLeftPoint <= hi);
        if (hasTag(CommandCursorRight, u"E"))
            CommandCursorRight->setVisible(lo <= CursorRightPoint && CursorRightPoint <= hi + 1);
    } else if (PointCount == 2) {
        CommandCursorLeftView->setEnabled(true);
        CommandCursorRightView->setEnabled(true);
        CursorLeftPoint = 1;
        CursorRightPoint = 3;
    } else {
        CommandCursorLeftView->setEnabled(false);
        CommandCursorRightView->setEnabled(false);
        if (hasTag(CommandCursorLeft, u"E"))
            CommandCursorLeftView_Click();
        if (hasTag(CommandCursorRight, u"E"))
            CommandCursorRightView_Click();
        CursorLeftPoint = 1;
        CursorRightPoint = 3;
    }
}

void FormColour::CommandCursorLeftView_Click()
{
    if (SimulatorRunning)
        return;
    if (!hasTag(CommandCursorLeft, u"E")) {
        setTag(CommandCursorLeft, QStringLiteral("E"));
        MSChartColorCycle->setUnitLeft(CommandCursorLeft, chart::kPlotLeft);
        CommandCursorLeft->show();
        CommandCursorLeftL->setEnabled(true);
        CommandCursorLeftR->setEnabled(true);
        CursorLeftPoint = 1;
        if (CommandCursorRight->isHidden())
            CursorRightPoint = quint8(PointCount + 1);
        LabelCursorLeft->show();
        LabelDeltaL->show();
        if (!CommandCursorRight->isHidden())
            LabelDelta->show();
    } else {
        setTag(CommandCursorLeft, QStringLiteral("D"));
        CommandCursorLeft->hide();
        CommandCursorLeftL->setEnabled(false);
        CommandCursorLeftR->setEnabled(false);
        CursorLeftPoint = 1;
        LabelCursorLeft->hide();
        LabelDeltaL->hide();
        LabelDelta->hide();
    }
    DataBaseView();
}

void FormColour::CommandCursorRightView_Click()
{
    if (SimulatorRunning)
        return;
    if (!hasTag(CommandCursorRight, u"E")) {
        setTag(CommandCursorRight, QStringLiteral("E"));
        MSChartColorCycle->setUnitLeft(CommandCursorRight, chart::kPlotRight);
        CommandCursorRight->show();
        CommandCursorRightL->setEnabled(true);
        CommandCursorRightR->setEnabled(true);
        if (CommandCursorLeft->isHidden()) {
            CursorLeftPoint = 1;
            CursorRightPoint = quint8(PointCount + 1);
        }
        LabelCursorRight->show();
        LabelDeltaR->show();
        if (!CommandCursorLeft->isHidden())
            LabelDelta->show();
    } else {
        setTag(CommandCursorRight, QStringLiteral("D"));
        CommandCursorRight->hide();
        CommandCursorRightL->setEnabled(false);
        CommandCursorRightR->setEnabled(false);
        CursorRightPoint = quint8(PointCount + 1);
        LabelCursorRight->hide();
        LabelDelta->hide();
        LabelDeltaR->hide();
    }
    DataBaseView();
}

void FormColour::CommandCursorLeftL_Click()
{
    if (SimulatorRunning || CursorLeftPoint == 1)
        return;
    --CursorLeftPoint;
    CommandCursorLeft->setVisible(SliderZoomMin->value() <= CursorLeftPoint
                                  && CursorLeftPoint <= SliderZoomMax->value());
    DataBaseView();
}

void FormColour::CommandCursorLeftR_Click()
{
    if (SimulatorRunning || !(CursorLeftPoint < CursorRightPoint - 1))
        return;
    ++CursorLeftPoint;
    CommandCursorLeft->setVisible(SliderZoomMin->value() <= CursorLeftPoint
                                  && CursorLeftPoint <= SliderZoomMax->value());
    DataBaseView();
}

void FormColour::CommandCursorRightL_Click()
{
    if (SimulatorRunning || !(CursorLeftPoint + 1 < CursorRightPoint))
        return;
    --CursorRightPoint;
    CommandCursorRight->setVisible(SliderZoomMin->value() <= CursorRightPoint
                                   && CursorRightPoint <= SliderZoomMax->value() + 1);
    DataBaseView();
}

void FormColour::CommandCursorRightR_Click()
{
    if (SimulatorRunning || CursorRightPoint >= PointCount + 1)
        return;
    ++CursorRightPoint;
    CommandCursorRight->setVisible(SliderZoomMin->value() <= CursorRightPoint
                                   && CursorRightPoint <= SliderZoomMax->value() + 1);
    DataBaseView();
}

void FormColour::timeLabelMouseUp(QLabel *label, Qt::MouseButton button, int x, int y)
{
    if (button == Qt::RightButton && strictlyInside(label, x, y))
        mnuConfigTimeViewer_Click();
}

void FormColour::LabelCursorLeft_MouseUp(Qt::MouseButton b, int, int x, int y)
{
    timeLabelMouseUp(LabelCursorLeft, b, x, y);
}
void FormColour::LabelCursorRight_MouseUp(Qt::MouseButton b, int, int x, int y)
{
    timeLabelMouseUp(LabelCursorRight, b, x, y);
}
void FormColour::LabelDeltaL_MouseUp(Qt::MouseButton b, int, int x, int y) { timeLabelMouseUp(LabelDeltaL, b, x, y); }
void FormColour::LabelDelta_MouseUp(Qt::MouseButton b, int, int x, int y) { timeLabelMouseUp(LabelDelta, b, x, y); }
void FormColour::LabelDeltaR_MouseUp(Qt::MouseButton b, int, int x, int y) { timeLabelMouseUp(LabelDeltaR, b, x, y); }
void FormColour::LabelTime_MouseUp(Qt::MouseButton b, int, int x, int y) { timeLabelMouseUp(LabelTime, b, x, y); }
void FormColour::LabelLength_MouseUp(Qt::MouseButton b, int, int x, int y) { timeLabelMouseUp(LabelLength, b, x, y); }
void FormColour::LabelTransition_MouseUp(Qt::MouseButton b, int, int x, int y)
{
    timeLabelMouseUp(LabelTransition, b, x, y);
}
void FormColour::LabelSimulatorTime_MouseUp(Qt::MouseButton b, int, int x, int y)
{
    timeLabelMouseUp(LabelSimulatorTime, b, x, y);
}

// ----- Simulator ----------------------------------------------------------------------

void FormColour::TimerMoveSimulator()
{
    simulatorStep();
    simulatorDisplayStep();
}

void FormColour::setCurrentColour(const std::array<qint64, 3> &rgb)
{
    ColorRed = store::format000(rgb[0]);
    ColorGreen = store::format000(rgb[1]);
    ColorBlue = store::format000(rgb[2]);
}

void FormColour::setCurrentColour(const std::array<double, 3> &rgb)
{
    setCurrentColour(std::array<qint64, 3>{std::llround(rgb[0]), std::llround(rgb[1]), std::llround(rgb[2])});
}

void FormColour::simulatorStep()
{
    if (!mnuEnableSimulator->isChecked() || !SimulatorRunning) {
        SimulatorClock = 0;
        return;
    }
    if (PointCount < 2) {
        CommandStop_Click();
        SimulatorClock = 0;
        say(kOnePoint);
        return;
    }
    if (!SimulatorPaused) {
        store::ColourTable &rs = table();
        const int current = std::clamp(int(PointCurrent), 1, int(PointCount));
        const chart::CyclePoint cur = [&] {
            const store::ColourPoint &row = rs.row(current);
            return chart::CyclePoint{row.value(Field::PointID),
                                     row.value(Field::Time),
                                     row.value(Field::Length),
                                     {row.value(Field::Red), row.value(Field::Green), row.value(Field::Blue)}};
        }();
        // Someone else set the playing position: take it over.
        if (float(SimulatorTimeExact) != SimulatorTime)
            SimulatorTimeExact = SimulatorTime;
        qint64 nextTime;
        std::array<qint64, 3> nextRgb;
        if (current < PointCount) {
            const store::ColourPoint &next = rs.row(current + 1);
            nextTime = next.value(Field::Time);
            nextRgb = {next.value(Field::Red), next.value(Field::Green), next.value(Field::Blue)};
            if (double(cur.time) + double(SimulatorTime) >= double(nextTime)) {
                // The point has ended: the next one starts at its own time.
                setCurrentColour(nextRgb);
                SimulatorClock = double(nextTime);
                SimulatorTime = 0;
                SimulatorTimeExact = 0;
                PointCurrent = quint8(current + 1);
                rs.moveTo(PointCurrent);
                goto output;
            }
        } else {
            const store::ColourPoint &first = rs.row(1);
            nextTime = SimulatorCycleEnd;
            nextRgb = {first.value(Field::Red), first.value(Field::Green), first.value(Field::Blue)};
            if (double(cur.time) + double(SimulatorTime) >= double(SimulatorCycleEnd)) {
                // The end of the cycle: back to point 1, or stop.
                setCurrentColour(nextRgb);
                SimulatorClock = 0;
                SimulatorTime = 0;
                SimulatorTimeExact = 0;
                CommandFirst_Click();
                if (!menuItem(QStringLiteral("mnuSimulatorRestart"))->isChecked())
                    CommandStop_Click();
                goto output;
            }
        }
        setCurrentColour(chart::spanColour(cur.rgb, cur.length, nextRgb, nextTime - cur.time, SimulatorTimeExact));
        SimulatorClock = double(cur.time) + SimulatorTimeExact;
        SimulatorTimeExact += double(SimulatorSpeed) * SimulatorPacer.step();
        SimulatorTime = float(SimulatorTimeExact);
    }
output:
    DataBaseData();
    MSChartColorCycle->setUnitWidth(CommandCursorSimulator,
                                    chart::simulatorBarWidth(SimulatorClock, SimulatorCycleEnd));
}

void FormColour::simulatorDisplayStep()
{
    // Whole seconds; a hair of tolerance keeps a sum of ticks that lands a
    // rounding error short of a second from showing the second before.
    SimulatorClock = std::isfinite(SimulatorClock) ? std::floor(SimulatorClock + 1e-6) : 0.0;
    const qint64 clock = qint64(std::clamp(SimulatorClock, -1e12, 1e12));
    setTextIfChanged(LabelSimulatorTime, chart::timeText(clock, hmsMode()));
    ShapeColor->setFillColor(percentColour(ColorRed, ColorGreen, ColorBlue));
}

void FormColour::CommandStart_MouseUp(Qt::MouseButton button, int, int, int)
{
    if (!hasTag(CommandSave, u"D")) {
        say({{QStringLiteral("The Selected Colour Point is in Editor or Insert State.") + kLineBreak
                  + QStringLiteral("Save or Annul it before to Start the Simulator."),
              QString::fromUtf8("Il Punto Colore Selezionato è in stato di Modifica o di Inserzione.") + kLineBreak
                  + QStringLiteral("Salvalo o Annullalo prima di avviare il Simulatore.")},
             {QStringLiteral("Warning"), QStringLiteral("Attenzione")},
             MsgIcon::Exclamation,
             MsgButtons::Ok,
             platform::MsgResult::Ok});
        return;
    }
    if (button == Qt::LeftButton) {
        if (!CommandStart->isEnabled())
            return;
        CommandStart->setEnabled(false);
        CommandPause->setEnabled(true);
        CommandStop->setEnabled(true);
        SliderZoomMin->setEnabled(false);
        SliderZoomMax->setEnabled(false);
        for (QPushButton *b : {CommandFirst, CommandPrevious, CommandNext, CommandLast, CommandRemove, CommandInsert,
                               CommandEdit, CommandColor})
            b->setEnabled(false);
        SimulatorRunning = true;
        SimulatorPaused = false;
        SimulatorTime = 0;
        SimulatorTimeExact = 0;
        SimulatorPacer.restart();
        store::ColourTable &rs = table();
        const store::ColourPoint &last = rs.row(std::clamp(int(PointCount), 1, store::kRowCount));
        const qint64 end = last.value(Field::Length) + last.value(Field::Time) + store::toNumber(TransitionTime);
        SimulatorCycleEnd = qint32(std::clamp<qint64>(end, 0, std::numeric_limits<qint32>::max()));
        rs.moveTo(std::clamp(int(PointCurrent), 1, store::kRowCount));
        MenuDisable();
    } else if (button == Qt::RightButton) {
        if (CommandStart->isEnabled())
            mnuSimulatorRestart_Click();
    }
}

void FormColour::CommandPause_Click()
{
    CommandStart->setEnabled(false);
    CommandPause->setEnabled(true);
    SimulatorRunning = true;
    if (SimulatorPaused) {
        SimulatorPaused = false;
        CommandStop->setEnabled(true);
        SimulatorPacer.restart();
    } else {
        SimulatorPaused = true;
        CommandStop->setEnabled(false);
    }
    // Held down while paused.
    CommandPause->setChecked(SimulatorPaused);
}

void FormColour::CommandStop_Click()
{
    CommandStart->setEnabled(true);
    CommandPause->setEnabled(false);
    CommandStop->setEnabled(false);
    SliderZoomMin->setEnabled(true);
    SliderZoomMax->setEnabled(true);
    SimulatorRunning = false;
    SimulatorPaused = false;
    CommandPause->setChecked(false);
    MSChartColorCycle->setUnitWidth(CommandCursorSimulator, chart::kBarWidth);
    CommandFirst_Click();
    CommandColor->setEnabled(true);
}

void FormColour::updateStartPicture()
{
    const bool restart = menuItem(QStringLiteral("mnuSimulatorRestart"))->isChecked();
    CommandStart->setIcon(restart ? icons::pictures(PictureStartAEn, PictureStartADs)
                                  : icons::pictures(PictureStartEn, PictureStartDs));
    CommandStart->setProperty("Picture",
                              restart ? QStringLiteral("PictureStartAEn") : QStringLiteral("PictureStartEn"));
    CommandStart->setProperty("DisabledPicture",
                              restart ? QStringLiteral("PictureStartADs") : QStringLiteral("PictureStartDs"));
}

void FormColour::mnuSimulatorRestart_Click()
{
    QAction *restart = menuItem(QStringLiteral("mnuSimulatorRestart"));
    restart->setChecked(!restart->isChecked());
    updateStartPicture();
}

void FormColour::mnuSimulatorSpeed_Click(int item)
{
    const auto &speeds = chart::speedItems();
    if (item < 0 || item >= int(speeds.size()))
        return;
    for (int i = 0; i < int(speeds.size()); ++i)
        menuItem(QString::fromLatin1(speeds[std::size_t(i)].name))->setChecked(i == item);
    const chart::SpeedItem &s = speeds[std::size_t(item)];
    SimulatorSpeed = s.factor;
    LabelSimulatorSpeed->setText(QString::fromUtf8(english() ? s.labelEnglish : s.labelItalian));
}

void FormColour::LabelSimulatorSpeed_MouseUp(Qt::MouseButton button, int, int x, int y)
{
    if (button != Qt::RightButton || !strictlyInside(LabelSimulatorSpeed, x, y))
        return;
    menuItem(QStringLiteral("mnuSimulatorRestart"))->setEnabled(false);
    mnuSimulatorConfigurationMenu->popup(LabelSimulatorSpeed->mapToGlobal(QPoint(x, y)));
}

// ----- Function switches ----------------------------------------------------------------

void FormColour::mnuEnableRGB_Click()
{
    if (!mnuEnableRGB->isChecked()) {
        mnuEnableRGB->setChecked(true);
        for (QSlider *s : {SliderRed, SliderGreen, SliderBlue})
            s->setEnabled(true);
        ShapeRed->setBorderColor(QColor(255, 0, 0));
        ShapeGreen->setBorderColor(QColor(0, 192, 0));
        ShapeBlue->setBorderColor(QColor(0, 0, 255));
    } else {
        mnuEnableRGB->setChecked(false);
        for (QSlider *s : {SliderRed, SliderGreen, SliderBlue}) {
            s->setEnabled(false);
            s->setValue(0);
        }
        for (Shape *s : {ShapeRed, ShapeGreen, ShapeBlue})
            s->setBorderColor(QColor(128, 128, 128));
    }
    DataBaseData();
}

void FormColour::mnuEnableColorCycle_Click()
{
    const QList<QLabel *> labels{LabelTime,           LabelTimeName, LabelLength, LabelLengthName, LabelTransition,
                                 LabelTransitionName, LabelRed,      LabelGreen,  LabelBlue};
    if (!mnuEnableColorCycle->isChecked()) {
        mnuEnableColorCycle->setChecked(true);
        DataBaseCheck();
        table().MoveFirst();
        PointCurrent = 1;
        DataBaseRead();
        setTag(CommandMoveShift, QStringLiteral("M"));
        CommandColor->setEnabled(true);
        DataBaseCommand();
        DataBaseZoomSetUp();
        DataBaseCursorSetUp();
        DataBaseView();
        TextTransition->setEnabled(true);
        ShapeColorCycle->setBorderColor(QColor(255, 192, 0));
        ShapeTransition->setBorderColor(QColor(0, 0, 128));
        for (QLabel *l : labels)
            setLabelColour(l, QColor(0, 0, 128));
    } else {
        mnuEnableColorCycle->setChecked(false);
        CommandAnnul_Click();
        for (QPushButton *b : {CommandFirst, CommandPrevious, CommandNext, CommandLast, CommandRemove, CommandInsert,
                               CommandEdit, CommandMoveShift, CommandSave, CommandAnnul, CommandColor})
            b->setEnabled(false);
        LabelPointID->setEnabled(false);
        LabelPointID->setText(QString());
        LabelRange->hide();
        SliderZoomMin->setEnabled(false);
        SliderZoomMax->setEnabled(false);
        TextTransition->setEnabled(false);
        ShapeColorCycle->setBorderColor(QColor(128, 128, 128));
        ShapeTransition->setBorderColor(QColor(128, 128, 128));
        for (QLabel *l : labels)
            setLabelColour(l, QColor(128, 128, 128));
        CommandCursorSelected->hide();
        PictureSelected->hide();
        for (QPushButton *b : {CommandCursorLeftView, CommandCursorLeftL, CommandCursorLeftR, CommandCursorRightView,
                               CommandCursorRightL, CommandCursorRightR})
            b->setEnabled(false);
        for (QWidget *w : std::initializer_list<QWidget *>{CommandCursorLeft, CommandCursorRight, LabelCursorLeft,
                                                           LabelCursorRight, LabelDeltaL, LabelDelta, LabelDeltaR})
            w->hide();
        if (mnuEnableSimulator->isChecked())
            mnuEnableSimulator_Click();
    }
    DataBaseData();
}

void FormColour::mnuEnableSimulator_Click()
{
    if (!mnuEnableSimulator->isChecked()) {
        mnuEnableSimulator->setChecked(true);
        ShapeSimulator->setBorderColor(QColor(255, 0, 192));
        CommandStart->setEnabled(true);
        CommandPause->setEnabled(false);
        CommandStop->setEnabled(false);
        MSChartColorCycle->setUnitLeft(CommandCursorSimulator, chart::kPlotLeft);
        MSChartColorCycle->setUnitWidth(CommandCursorSimulator, chart::kBarWidth);
        CommandCursorSimulator->show();
        LabelSimulatorTime->show();
        LabelSimulatorSpeed->show();
        if (!mnuEnableColorCycle->isChecked())
            mnuEnableColorCycle_Click();
        mnuSimulatorConfigurationMenu->menuAction()->setEnabled(true);
    } else {
        mnuEnableSimulator->setChecked(false);
        ShapeSimulator->setBorderColor(QColor(128, 128, 128));
        for (QPushButton *b : {CommandStart, CommandPause, CommandStop})
            b->setEnabled(false);
        CommandCursorSimulator->hide();
        LabelSimulatorTime->hide();
        LabelSimulatorSpeed->hide();
        mnuSimulatorConfigurationMenu->menuAction()->setEnabled(false);
    }
}

void FormColour::Form_MouseUp(Qt::MouseButton button, int, int x, int y)
{
    if (button != Qt::RightButton)
        return;
    const auto inside = [this, x, y](const QWidget *w) {
        if (!w->isVisibleTo(this) && !w->isVisible())
            return false;
        const QPoint tl = w->mapTo(this, QPoint(0, 0));
        return tl.x() < x && x < tl.x() + w->width() && tl.y() < y && y < tl.y() + w->height();
    };
    for (QSlider *s : {SliderRed, SliderGreen, SliderBlue})
        if (inside(s))
            mnuEnableRGB_Click();
    if (SimulatorRunning)
        return;
    if (inside(ShapeSimulator))
        mnuEnableSimulator_Click();
    if (inside(ShapeColorCycle))
        mnuEnableColorCycle_Click();
}
