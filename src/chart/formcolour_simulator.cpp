// The simulator, its speeds, and the three function switches with their
// right-click shortcuts: the handlers of the main window. The step itself is
// plain code in simulator.h.

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
#include <QPushButton>
#include <QSlider>

#include <cmath>

using chart::setTextIfChanged;
using chart::strictlyInside;
using platform::MsgButtons;
using platform::MsgIcon;
using store::Field;

namespace {

const platform::BilingualMessage kOnePoint =
    platform::warning({QStringLiteral("There is only a Colour Point into the Cycle Colour. Simulator Off!"),
                       QString::fromUtf8("C'è un solo Punto Colore nel Ciclo Colore. Il Simulatore è Off!")});

} // namespace

void FormColour::connectSimulator()
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
}

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
    // A one-point cycle stops even while paused.
    if (!SimulatorPaused || doc().pointCount() < 2) {
        const chart::SimulatorTick tick = chart::simulatorStep(
            chart::readCycle(table(), doc().pointCount(), doc().transitionTime()), SimulatorCycleEnd,
            {doc().pointCurrent(), SimulatorTime, SimulatorClock}, double(SimulatorSpeed),
            menuItem(QStringLiteral("mnuSimulatorRestart"))->isChecked(), SimulatorPacer);
        SimulatorClock = tick.state.clock;
        SimulatorTime = tick.state.time;
        switch (tick.event) {
        case chart::SimulatorEvent::OnePoint:
            CommandStop_Click();
            say(kOnePoint);
            return;
        case chart::SimulatorEvent::Playing: setCurrentColour(tick.colour); break;
        case chart::SimulatorEvent::NextPoint:
            setCurrentColour(tick.colour);
            doc().setPointCurrent(tick.state.pointCurrent);
            table().moveTo(doc().pointCurrent());
            simulatorShowPoint();
            break;
        case chart::SimulatorEvent::CycleRestart:
        case chart::SimulatorEvent::CycleStop:
            setCurrentColour(tick.colour);
            CommandFirst_Click();
            if (tick.event == chart::SimulatorEvent::CycleStop)
                CommandStop_Click();
            break;
        }
    }
    DataBaseData();
    MSChartColorCycle->setUnitWidth(CommandCursorSimulator,
                                    chart::simulatorBarWidth(SimulatorClock, SimulatorCycleEnd));
}

void FormColour::simulatorShowPoint()
{
    // The point that plays is the current point on screen, as navigation
    // shows it: its number and times in the editor, the orange bar and the
    // strip on the chart, its row in the points table. The colour fields go
    // on showing the playback's colour, and the zoom and the buttons stay as
    // the playback set them. Only the bars move: the curves are not redrawn.
    const QString playing[] = {ColorRed, ColorGreen, ColorBlue};
    DataBaseRead();
    ColorRed = playing[0];
    ColorGreen = playing[1];
    ColorBlue = playing[2];
    DataBaseView();
}

void FormColour::simulatorDisplayStep()
{
    // Whole seconds; a hair of tolerance keeps a sum of ticks that lands a
    // rounding error short of a second from showing the second before.
    SimulatorClock = std::isfinite(SimulatorClock) ? std::floor(SimulatorClock + 1e-6) : 0.0;
    const qint64 clock = qint64(std::clamp(SimulatorClock, -1e12, 1e12));
    setTextIfChanged(LabelSimulatorTime, chart::timeText(clock, hmsMode()));
    ShapeColor->setFillColor(currentColour());
}

void FormColour::CommandStart_MouseUp(Qt::MouseButton button, int, int)
{
    if (editorMode() != EditorMode::Browse) {
        say(platform::warning({QStringLiteral("The Selected Colour Point is in Editor or Insert State.") + kLineBreak
                                   + QStringLiteral("Save or Annul it before to Start the Simulator."),
                               QString::fromUtf8("Il Punto Colore Selezionato è in stato di Modifica o di Inserzione.")
                                   + kLineBreak
                                   + QStringLiteral("Salvalo o Annullalo prima di avviare il Simulatore.")}));
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
        SimulatorPacer.restart();
        store::ColourTable &points = table();
        const store::ColourPoint &last = points.row(std::clamp(int(doc().pointCount()), 1, store::kRowCount));
        const qint64 end = last.value(Field::Length) + last.value(Field::Time) + doc().transitionTime();
        SimulatorCycleEnd = qint32(std::clamp<qint64>(end, 0, std::numeric_limits<qint32>::max()));
        points.moveTo(std::clamp(int(doc().pointCurrent()), 1, store::kRowCount));
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

void FormColour::LabelSimulatorSpeed_MouseUp(Qt::MouseButton button, int x, int y)
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
        doc().setPointCurrent(1);
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
        for (QPushButton *b : editorButtons())
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

void FormColour::Form_MouseUp(Qt::MouseButton button, int x, int y)
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
