// The board link. The board is not supported yet: its menu items exist and
// do nothing, and the board half of the timer tick is idle.

#include "app/formcolour.h"

void FormColour::connectBoard() {}
void FormColour::TimerMoveBoard() {}

void FormColour::mnuUsbOn_Click() {}
void FormColour::mnuUsbEmulatorOn_Click() {}
void FormColour::mnuUsbInterfaceOn_Click() {}
void FormColour::mnuUsbInterfaceOnCycle_Click(int) {}
void FormColour::mnuUsbInterfaceOnCommandRd_Click() {}
void FormColour::mnuUsbInterfaceOnCommandWr_Click() {}
void FormColour::mnuUsbInterfaceOnCommandNn_Click() {}
void FormColour::mnuUsbInterfaceOnCommandCl_Click() {}
void FormColour::mnuUsbInterfaceOnCommandEe_Click() {}
void FormColour::mnuUsbInterfaceOnCommandEr_Click() {}
void FormColour::mnuUSBComPortA_Click() {}
void FormColour::mnuUSBComPortM_Click() {}
void FormColour::mnuUSBComPort_Click(int) {}
void FormColour::mnuInfoBoard_Click() {}
