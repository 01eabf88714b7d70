// Colour-point editing: navigation, editor states, field entry, validation,
// move and shift.

#include "app/formcolour.h"

void FormColour::connectEditor() {}
bool FormColour::editorEvent(QObject *, QEvent *) { return false; }

void FormColour::DataBaseCheck() {}
void FormColour::DataBaseLengthMaxValue() {}
void FormColour::DataBaseTransitionMaxValue() {}
void FormColour::DataBaseShiftValue() {}
void FormColour::DataBaseShift() {}
void FormColour::CommandFirst_Click() {}
void FormColour::CommandPrevious_Click() {}
void FormColour::CommandNext_Click() {}
void FormColour::CommandLast_Click() {}
void FormColour::CommandRemove_Click() {}
void FormColour::CommandInsert_Click() {}
void FormColour::CommandEdit_Click() {}
void FormColour::CommandSave_Click() {}
void FormColour::CommandAnnul_Click() {}
void FormColour::CommandColor_Click() {}
void FormColour::CommandMoveShift_Click() {}
void FormColour::TextPointID_Change() {}
