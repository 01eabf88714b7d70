// Chart view, zoom and cursors: the handlers of the main window. The rules
// they apply are in chartwalk.h; the simulator's handlers are in
// formcolour_simulator.cpp.

#include "app/formcolour.h"
#include "platform/icons.h"

#include "app/shape.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "chart/formchart.h"
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

using chart::setTextIfChanged;
using chart::strictlyInside;
using platform::MsgButtons;
using platform::MsgIcon;
using store::Field;

// ----- Wiring -----------------------------------------------------------------

void FormColour::connectChart()
{
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
             LabelSimulatorTime, MSChartColorCycle,   SliderZoomMin,   SliderZoomMax,    FormColourCentral,
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
    const int x = pos.x();
    const int y = pos.y();

    // A disabled control has no events of its own: its release is the
    // window's. (Qt's disabled buttons would swallow it, other disabled
    // widgets pass it to their parent: it is taken here, once.)
    if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget != this && !widget->isEnabled()) {
        const QPoint p = widget->mapTo(this, pos);
        Form_MouseUp(button, p.x(), p.y());
        return true;
    }
    if (watched == CommandStart) {
        CommandStart->setDown(false);
        CommandStart_MouseUp(button, x, y);
        return true;
    }
    if (watched == LabelSimulatorSpeed) {
        LabelSimulatorSpeed_MouseUp(button, x, y);
        return true;
    }
    using LabelHandler = void (FormColour::*)(Qt::MouseButton, int, int);
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
            (this->*handler)(button, x, y);
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
    const bool formArea = watched == this || watched == FormColourCentral || qobject_cast<Shape *>(watched);
    if (!w || !formArea)
        return false;
    QWidget *under = w->childAt(pos);
    if (under && under->isEnabled() && !qobject_cast<Shape *>(under))
        return false;
    const QPoint p = w == this ? pos : w->mapTo(this, pos);
    Form_MouseUp(button, p.x(), p.y());
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
    store::ColourTable &points = table();
    const chart::Cycle cycle = chart::readCycle(points, doc().pointCount(), doc().transitionTime());
    const chart::ViewInput in{SliderZoomMin->value(), SliderZoomMax->value(), doc().pointCurrent(), CursorLeftPoint,
                              CursorRightPoint};
    chart::layOut(cycle, in, *ChartLayout);
    MSChartColorCycle->setGrid(ChartLayout->grid);

    const chart::Markers &m = ChartLayout->markers;
    const bool hms = hmsMode();
    const chart::CursorTexts texts =
        chart::cursorTexts(m.leftCursorTime, m.rightCursorTime, m.selectedTime, english(), hms);

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

    ChartView::setOverlayColour(PictureSelected, currentColour());
    points.moveTo(std::clamp(int(doc().pointCurrent()), 1, store::kRowCount));
    refreshPointsTable();
}

void FormColour::setCursorLabel(QLabel *label, const QString &text, Qt::Alignment alignment)
{
    setTextIfChanged(label, text);
    if (label->alignment() != alignment)
        label->setAlignment(alignment);
}

void FormColour::MSChartColorCycle_MouseUp(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::RightButton || SimulatorRunning || !strictlyInside(MSChartColorCycle, x, y))
        return;
    mnuUSBMenu->popup(MSChartColorCycle->mapToGlobal(QPoint(x, y)));
}

// ----- Zoom ------------------------------------------------------------------------

void FormColour::DataBaseZoomSetUp()
{
    QScopedValueRollback guard(m_zoomAdjusting, true);
    SliderZoomMin->setEnabled(doc().pointCount() >= 2);
    SliderZoomMax->setEnabled(doc().pointCount() >= 2);
    showWholeCycle(doc().pointCount() >= 3 ? doc().pointCount() : 2);
}

void FormColour::showWholeCycle(int last)
{
    for (QSlider *s : {SliderZoomMin, SliderZoomMax}) {
        s->setMinimum(1);
        s->setMaximum(last);
    }
    SliderZoomMin->setValue(1);
    SliderZoomMax->setValue(last);
}

void FormColour::DataBaseZoom()
{
    QScopedValueRollback guard(m_zoomAdjusting, true);
    SliderZoomMin->setEnabled(doc().pointCount() >= 2);
    SliderZoomMax->setEnabled(doc().pointCount() >= 2);
    if (doc().pointCount() <= 2) {
        showWholeCycle(2);
        return;
    }
    // The sliders still span the points as they were counted at the last
    // redraw: points have come or gone (an Insert, a paste, a Remove, an undo
    // or a redo). The window then reaches the cycle's end, as after an Insert.
    const bool countChanged = SliderZoomMax->maximum() != doc().pointCount();
    if (SliderZoomMax->value() > doc().pointCount())
        SliderZoomMax->setValue(doc().pointCount());
    if (SliderZoomMax->value() < SliderZoomMin->value() + 2)
        SliderZoomMin->setValue(SliderZoomMax->value() - 2);
    SliderZoomMin->setMaximum(doc().pointCount());
    SliderZoomMax->setMaximum(doc().pointCount());
    if (editorMode() == EditorMode::Insert || countChanged)
        SliderZoomMax->setValue(doc().pointCount());
    if (doc().pointCurrent() > SliderZoomMax->value())
        SliderZoomMax->setValue(doc().pointCurrent());
    if (doc().pointCurrent() < SliderZoomMin->value())
        SliderZoomMin->setValue(doc().pointCurrent());
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

void FormColour::SliderZoomMin_MouseUp() { zoomSliderReleased(SliderZoomMin); }
void FormColour::SliderZoomMax_MouseUp() { zoomSliderReleased(SliderZoomMax); }

void FormColour::zoomSliderReleased(QSlider *slider)
{
    // A current point left outside the window moves to the released edge.
    const bool lower = slider == SliderZoomMin;
    const int edge = lower ? slider->value() : std::max(1, slider->value());
    if (lower ? doc().pointCurrent() < edge : doc().pointCurrent() > edge) {
        doc().setPointCurrent(edge);
        table().moveTo(doc().pointCurrent());
    }
    pointRefresh();
}

// ----- Cursors ------------------------------------------------------------------------

void FormColour::DataBaseCursorSetUp()
{
    CommandCursorSelected->show();
    PictureSelected->show();
    CommandCursorLeftView->setEnabled(doc().pointCount() >= 3);
    CommandCursorRightView->setEnabled(doc().pointCount() >= 3);
    if (hasTag(CommandCursorLeft, u"E"))
        CommandCursorLeftView_Click();
    if (hasTag(CommandCursorRight, u"E"))
        CommandCursorRightView_Click();
    CursorLeftPoint = 1;
    CursorRightPoint = quint8(doc().pointCount() <= 2 ? 3 : doc().pointCount() + 1);
}

void FormColour::DataBaseCursor()
{
    CommandCursorSelected->show();
    PictureSelected->show();
    if (doc().pointCount() >= 3) {
        CommandCursorLeftView->setEnabled(true);
        CommandCursorRightView->setEnabled(true);
        if (CursorRightPoint > doc().pointCount() + 1)
            CursorRightPoint = quint8(doc().pointCount() + 1);
        if (CursorLeftPoint > CursorRightPoint - 1)
            CursorLeftPoint = CursorRightPoint - 1;
        const int lo = SliderZoomMin->value();
        const int hi = SliderZoomMax->value();
        if (hasTag(CommandCursorLeft, u"E"))
            CommandCursorLeft->setVisible(lo <= CursorLeftPoint && CursorLeftPoint <= hi);
        if (hasTag(CommandCursorRight, u"E"))
            CommandCursorRight->setVisible(lo <= CursorRightPoint && CursorRightPoint <= hi + 1);
    } else if (doc().pointCount() == 2) {
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
            CursorRightPoint = quint8(doc().pointCount() + 1);
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
            CursorRightPoint = quint8(doc().pointCount() + 1);
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
        CursorRightPoint = quint8(doc().pointCount() + 1);
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
    if (SimulatorRunning || CursorRightPoint >= doc().pointCount() + 1)
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

void FormColour::LabelCursorLeft_MouseUp(Qt::MouseButton b, int x, int y)
{
    timeLabelMouseUp(LabelCursorLeft, b, x, y);
}
void FormColour::LabelCursorRight_MouseUp(Qt::MouseButton b, int x, int y)
{
    timeLabelMouseUp(LabelCursorRight, b, x, y);
}
void FormColour::LabelDeltaL_MouseUp(Qt::MouseButton b, int x, int y) { timeLabelMouseUp(LabelDeltaL, b, x, y); }
void FormColour::LabelDelta_MouseUp(Qt::MouseButton b, int x, int y) { timeLabelMouseUp(LabelDelta, b, x, y); }
void FormColour::LabelDeltaR_MouseUp(Qt::MouseButton b, int x, int y) { timeLabelMouseUp(LabelDeltaR, b, x, y); }
void FormColour::LabelTime_MouseUp(Qt::MouseButton b, int x, int y) { timeLabelMouseUp(LabelTime, b, x, y); }
void FormColour::LabelLength_MouseUp(Qt::MouseButton b, int x, int y) { timeLabelMouseUp(LabelLength, b, x, y); }
void FormColour::LabelTransition_MouseUp(Qt::MouseButton b, int x, int y)
{
    timeLabelMouseUp(LabelTransition, b, x, y);
}
void FormColour::LabelSimulatorTime_MouseUp(Qt::MouseButton b, int x, int y)
{
    timeLabelMouseUp(LabelSimulatorTime, b, x, y);
}
