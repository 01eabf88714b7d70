// The file commands: create, open, save, save as, close and delete a cycle file.

#include "app/formcolour.h"

void FormColour::connectFiles() {}

void FormColour::mnuFileCreate_Click() {}
void FormColour::mnuFileOpen_Click() {}
void FormColour::mnuFileSave_Click() {}
void FormColour::mnuFileSaveAs_Click() {}
void FormColour::mnuFileClose_Click() {}
void FormColour::mnuFileDelete_Click() {}
