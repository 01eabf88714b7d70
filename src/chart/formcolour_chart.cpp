// Chart view, zoom and cursors, and the simulator.

#include "app/formcolour.h"

void FormColour::connectChart() {}
bool FormColour::chartEvent(QObject *, QEvent *) { return false; }
void FormColour::TimerMoveSimulator() {}

void FormColour::DataBaseView() {}
void FormColour::DataBaseZoomSetUp() {}
void FormColour::DataBaseZoom() {}
void FormColour::DataBaseCursorSetUp() {}
void FormColour::DataBaseCursor() {}
void FormColour::mnuEnableRGB_Click() {}
void FormColour::mnuEnableColorCycle_Click() {}
void FormColour::mnuEnableSimulator_Click() {}
void FormColour::mnuSimulatorRestart_Click() {}
void FormColour::CommandPause_Click() {}
void FormColour::CommandStop_Click() {}
void FormColour::CommandCursorLeftView_Click() {}
void FormColour::CommandCursorRightView_Click() {}
void FormColour::CommandCursorLeftL_Click() {}
void FormColour::CommandCursorLeftR_Click() {}
void FormColour::CommandCursorRightL_Click() {}
void FormColour::CommandCursorRightR_Click() {}
