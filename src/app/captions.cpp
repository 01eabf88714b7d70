#include "app/captions.h"

#include "chart/simulator.h"

#include <QSet>

#include <vector>

namespace captions {

namespace {

using R = Role;
using W = When;

// clang-format off
const Caption kTable[] = {
    // ----- Menu items -----------------------------------------------------
    {"mnuFile", R::Text, W::AtStart, "File", "File"},
    {"mnuFileCreate", R::Text, W::Always, "File Create", "Crea File"},
    {"mnuFileOpen", R::Text, W::Always, "File Open", "Apri File"},
    {"mnuFileSave", R::Text, W::Always, "File Save", "Salva File"},
    {"mnuFileSaveAs", R::Text, W::Always, "File SaveAs", "SalvaCome File"},
    {"mnuFileClose", R::Text, W::Always, "File Close", "Chiudi File"},
    {"mnuFileDelete", R::Text, W::Always, "File Remove", "Elimina File"},
    {"mnuFileRecent", R::Text, W::Always, "Recent Files", "File Recenti"},
    // The recent items carry the names of the files.
    {"mnuFileRecent1", R::Text, W::AtStart, "1", "1"},
    {"mnuFileRecent2", R::Text, W::AtStart, "2", "2"},
    {"mnuFileRecent3", R::Text, W::AtStart, "3", "3"},
    {"mnuFileRecent4", R::Text, W::AtStart, "4", "4"},
    {"mnuFileRecent5", R::Text, W::AtStart, "5", "5"},
    {"mnuFileRecent6", R::Text, W::AtStart, "6", "6"},
    {"mnuFileTemplate", R::Text, W::Always, "New from Template", "Nuovo da Modello"},
    {"mnuFileTemplate1", R::Text, W::Always, "Sunrise, Day and Sunset", "Alba, Giorno e Tramonto"},
    {"mnuFileTemplate2", R::Text, W::Always, "Aquarium Day with a Midday Rest",
     "Giornata Acquario con Pausa di Mezzogiorno"},
    {"mnuFileTemplate3", R::Text, W::Always, "Moonlight Night", "Notte al Chiaro di Luna"},
    {"mnuFileTemplate4", R::Text, W::Always, "Constant White", "Bianco Costante"},
    {"mnuFileTemplate5", R::Text, W::Always, "Fast Demo for the Simulator", "Demo Veloce per il Simulatore"},
    {"mnuFileDaylight", R::Text, W::Always, "New from Daylight...", "Nuovo da Luce del Giorno..."},
    {"mnuFileExport", R::Text, W::Always, "Export...", "Esporta..."},
    {"mnuFilePrint", R::Text, W::Always, "Print...", "Stampa..."},
    {"mnuFileExit", R::Text, W::Always, "Exit", "Esci"},
    {"mnuEdit", R::Text, W::Always, "Edit", "Modifica"},
    {"mnuEditUndo", R::Text, W::Always, "Undo", "Annulla"},
    {"mnuEditRedo", R::Text, W::Always, "Redo", "Ripeti"},
    {"mnuUSB", R::Text, W::AtStart, "USB", "USB"},
    {"mnuUSBComPort", R::Text, W::AtStart, "USB ComPort", "USB ComPort"},
    {"mnuUSBComPortA", R::Text, W::Always, "Automatic ComPort Selection", "Selezione Automatica ComPort"},
    {"mnuUSBComPortM", R::Text, W::Always, "No Automatic ComPort Selection", "Selezione Manuale ComPort"},
    {"mnuUSBComPortS", R::Text, W::Always, "ComPort List", "Elenco ComPort"},
    {"mnuUSBComPort1", R::Text, W::AtStart, "ComPort1", "ComPort1"},
    {"mnuUSBComPort2", R::Text, W::AtStart, "ComPort2", "ComPort2"},
    {"mnuUSBComPort3", R::Text, W::AtStart, "ComPort3", "ComPort3"},
    {"mnuUSBComPort4", R::Text, W::AtStart, "ComPort4", "ComPort4"},
    {"mnuUSBComPort5", R::Text, W::AtStart, "ComPort5", "ComPort5"},
    {"mnuUSBComPort6", R::Text, W::AtStart, "ComPort6", "ComPort6"},
    {"mnuUSBComPort7", R::Text, W::AtStart, "ComPort7", "ComPort7"},
    {"mnuUSBComPort8", R::Text, W::AtStart, "ComPort8", "ComPort8"},
    {"mnuUSBComPort9", R::Text, W::AtStart, "ComPort9", "ComPort9"},
    {"mnuUSBComPort10", R::Text, W::AtStart, "ComPort10", "ComPort10"},
    {"mnuUSBComPort11", R::Text, W::AtStart, "ComPort11", "ComPort11"},
    {"mnuUSBComPort12", R::Text, W::AtStart, "ComPort12", "ComPort12"},
    {"mnuUSBComPort13", R::Text, W::AtStart, "ComPort13", "ComPort13"},
    {"mnuUSBComPort14", R::Text, W::AtStart, "ComPort14", "ComPort14"},
    {"mnuUSBComPort15", R::Text, W::AtStart, "ComPort15", "ComPort15"},
    {"mnuUSBComPort16", R::Text, W::AtStart, "ComPort16", "ComPort16"},
    {"mnuUsbOn", R::Text, W::Always, "USB Board Enable", "USB Abiliazione Scheda", "USB Abilitazione Scheda"},
    {"mnuUsbEmulatorOn", R::Text, W::Always, "USB Emulator", "USB Emulatore"},
    {"mnuUsbInterfaceOn", R::Text, W::Always, "USB Interface", "USB Interfaccia"},
    {"mnuUsbInterfaceOnCycle", R::Text, W::Always, "Slot List", "Elenco Settori"},
    // The slot items carry the names the board gives its slots.
    {"mnuUsbInterfaceOnCycle1", R::Text, W::AtStart, "Cycle1", "Cycle1"},
    {"mnuUsbInterfaceOnCycle2", R::Text, W::AtStart, "Cycle2", "Cycle2"},
    {"mnuUsbInterfaceOnCycle3", R::Text, W::AtStart, "Cycle3", "Cycle3"},
    {"mnuUsbInterfaceOnCycle4", R::Text, W::AtStart, "Cycle4", "Cycle4"},
    {"mnuUsbInterfaceOnCycle5", R::Text, W::AtStart, "Cycle5", "Cycle5"},
    {"mnuUsbInterfaceOnCycle6", R::Text, W::AtStart, "Cycle6", "Cycle6"},
    {"mnuUsbInterfaceOnCycle7", R::Text, W::AtStart, "Cycle7", "Cycle7"},
    {"mnuUsbInterfaceOnCycle8", R::Text, W::AtStart, "Cycle8", "Cycle8"},
    {"mnuUsbInterfaceOnCommand", R::Text, W::Always, "Commands List", "Elenco Comandi"},
    {"mnuUsbInterfaceOnCommandRd", R::Text, W::Always, "Read", "Leggi"},
    {"mnuUsbInterfaceOnCommandWr", R::Text, W::Always, "Write", "Scrivi"},
    {"mnuUsbInterfaceOnCommandNn", R::Text, W::Always, "Rename", "Rinomina"},
    {"mnuUsbInterfaceOnCommandCl", R::Text, W::Always, "Clean", "Cancella"},
    {"mnuUsbInterfaceOnCommandEe", R::Text, W::Always, "Erase All Enable", "Abilitazione Cancella Tutto"},
    {"mnuUsbInterfaceOnCommandEr", R::Text, W::Always, "Erase All", "Cancella Tutto"},
    {"mnuUsbInterfaceOnCommandVf", R::Text, W::Always, "Verify after Write", "Verifica dopo Scrittura"},
    {"mnuUsbInterfaceOnBackup", R::Text, W::Always, "Back up Board to Folder...", "Salva Scheda su Cartella..."},
    {"mnuUsbInterfaceOnRestore", R::Text, W::Always, "Restore Board from Folder...",
     "Ripristina Scheda da Cartella..."},
    // A back up or restore stops before its next slot.
    {"mnuUsbInterfaceOnStop", R::Text, W::Always, "Stop Back up or Restore", "Interrompi Salvataggio o Ripristino"},
    {"ToolbarStop", R::Comment, W::Always, "Stop the Back up or Restore before its next slot",
     "Interrompere il Salvataggio o il Ripristino prima del prossimo slot"},
    {"mnuEnable", R::Text, W::Always, "Enable", "Abilitazione"},
    {"mnuEnableRGB", R::Text, W::Always, "Enable RGB Function", "Abilitazione Funzione RGB"},
    {"mnuEnableColorCycle", R::Text, W::Always, "Enable Colour Cycle Function", "Abilitazione Funzione Ciclo Colore"},
    {"mnuEnableSimulator", R::Text, W::Always, "Enable Simulator Function", "Abilitazione Funzione Simulatore"},
    {"mnuSimulatorConfiguration", R::Text, W::Always, "Simulator Configuration List",
     "Elenco Configurazioni Simulatore", "Configurazione Simulatore"},
    {"mnuSimulatorRestart", R::Text, W::Always, "Simulator Restart", "Riavvio"},
    {"mnuSimulatorSpeedR", R::Text, W::Always, "Simulator Speed: Real Time", "Velocità: Tempo Reale"},
    {"mnuSimulatorSpeedI2", R::Text, W::Always, "Simulator Speed: *2", "Velocità: *2", "Velocità: * 2"},
    {"mnuSimulatorSpeedI5", R::Text, W::Always, "Simulator Speed: *5", "Velocità: *5", "Velocità: * 5"},
    {"mnuSimulatorSpeedI10", R::Text, W::Always, "Simulator Speed: *10", "Velocità: *10", "Velocità: * 10"},
    {"mnuSimulatorSpeedI20", R::Text, W::Always, "Simulator Speed: *20", "Velocità: *20", "Velocità: * 20"},
    {"mnuSimulatorSpeedI50", R::Text, W::Always, "Simulator Speed: *50", "Velocità: *50", "Velocità: * 50"},
    {"mnuSimulatorSpeedI100", R::Text, W::Always, "Simulator Speed: *100", "Velocità: *100", "Velocità: * 100"},
    {"mnuSimulatorSpeedI200", R::Text, W::Always, "Simulator Speed: *200", "Velocità: *200", "Velocità: * 200"},
    {"mnuSimulatorSpeedI500", R::Text, W::Always, "Simulator Speed: *500", "Velocità: *500", "Velocità: * 500"},
    {"mnuSimulatorSpeedI1000", R::Text, W::Always, "Simulator Speed: *1000", "Velocità: *1000", "Velocità: * 1000"},
    {"mnuSimulatorSpeedIMS", R::Text, W::Always, "Simulator Speed: 1min. -> 1sec.", "Velocità: 1min. -> 1sec."},
    {"mnuSimulatorSpeedIHS", R::Text, W::Always, "Simulator Speed: 1hour -> 1sec.", "Velocità: 1ora -> 1sec."},
    {"mnuSimulatorSpeedD2", R::Text, W::Always, "Simulator Speed: /2", "Velocità: /2"},
    {"mnuSimulatorSpeedD5", R::Text, W::Always, "Simulator Speed: /5", "Velocità: /5"},
    {"mnuSimulatorSpeedD10", R::Text, W::Always, "Simulator Speed: /10", "Velocità: /10"},
    {"mnuConfig", R::Text, W::Always, "Configuration", "Configurazione"},
    {"mnuConfigTimeViewer", R::Text, W::HmsTimes, "Time = hh:mm:ss", "Tempi = hh:mm:ss", "Tempi: hh:mm:ss"},
    {"mnuConfigTimeViewer", R::Text, W::SecondsTimes, "Time = Seconds", "Tempi = Secondi"},
    {"mnuConfigLanguage", R::Text, W::Always, "English Language -> Lingua Italiana",
     "Lingua Italiana -> English Language"},
    {"mnuView", R::Text, W::Always, "View", "Visualizza"},
    {"mnuViewPointsTable", R::Text, W::Always, "Points Table", "Tabella Punti"},
    {"mnuHelp", R::Text, W::Always, "Help", "Aiuto"},
    {"mnuHelpCommentOn", R::Text, W::Always, "Help Comment", "Commenti"},
    {"mnuHelpGuide", R::Text, W::Always, "Help Guide", "Guida"},
    {"mnuInfo", R::Text, W::AtStart, "Info", "Info"},
    {"mnuInfoOrvanta", R::Text, W::AtStart, "Orvanta", "Orvanta"},
    {"mnuInfoBoard", R::Text, W::Always, "Board", "Scheda"},

    // ----- The chart and the labels -----------------------------------------
    {"MSChartColorCycle", R::Column1, W::Always, "Red", "Rosso"},
    {"MSChartColorCycle", R::Column2, W::Always, "Green", "Verde"},
    {"MSChartColorCycle", R::Column3, W::Always, "Blue", "Blu"},
    {"LabelTime", R::Text, W::SecondsTimes, "Seconds", "Secondi"},
    {"LabelLength", R::Text, W::SecondsTimes, "Seconds", "Secondi"},
    {"LabelTransition", R::Text, W::SecondsTimes, "Seconds", "Secondi"},
    {"LabelTimeName", R::Text, W::Moving, "Position Time", "Posizione"},
    {"LabelTimeName", R::Text, W::Shifting, "Shift to Time", "Trasla fino a"},
    {"LabelLengthName", R::Text, W::Always, "Length Time", "Lunghezza"},
    {"LabelTransitionName", R::Text, W::Always, "Cycle End Transition Time", "Tempo Viraggio Fine Ciclo"},
    {"LabelRed", R::Text, W::Always, "Red (%)", "Rosso (%)"},
    {"LabelGreen", R::Text, W::Always, "Green (%)", "Verde (%)"},
    {"LabelBlue", R::Text, W::Always, "Blue (%)", "Blu (%)"},
    // The titles of the editor's and the simulator's panels.
    {"LabelColorCycleTitle", R::Text, W::Always, "Colour Point", "Punto Colore"},
    {"LabelSimulatorTitle", R::Text, W::Always, "Simulator", "Simulatore"},

    // ----- The column headers of the points table ---------------------------
    {"PointsTablePoint", R::Header, W::Always, "Point", "Punto"},
    {"PointsTableTime", R::Header, W::Always, "Position Time", "Posizione"},
    {"PointsTableLength", R::Header, W::Always, "Length Time", "Lunghezza"},
    {"PointsTableRed", R::Header, W::Always, "R %", "R %"},
    {"PointsTableGreen", R::Header, W::Always, "G %", "V %"},
    {"PointsTableBlue", R::Header, W::Always, "B %", "B %"},
    {"PointsTableColour", R::Header, W::Always, "Colour", "Colore"},

    // ----- The Language button always names the switch ----------------------
    {"ToolbarLanguage", R::ToolTip, W::Always, "English Language -> Lingua Italiana",
     "Lingua Italiana -> English Language"},

    // ----- Comments on the controls -----------------------------------------
    {"CommandAnnul", R::Comment, W::Always, "Colour Point Selected is Unchanged",
     "Il punto Colore selezionato non è modificato"},
    {"CommandColor", R::Comment, W::Always, "Color Palette", "Selezione del colore"},
    {"CommandCursorLeft", R::Comment, W::Always, "Left Cursor", "Cursore Sinistro"},
    {"CommandCursorLeftL", R::Comment, W::Always, "Move Left the Left Cursor", "Muove a sinistra il Cursore Sinistro"},
    {"CommandCursorLeftR", R::Comment, W::Always, "Move Right the Left Cursor", "Muove a destra il Cursore Sinistro"},
    {"CommandCursorLeftView", R::Comment, W::Always, "Toggle the View of the Left Cursor",
     "Commuta la visione del Cursore Sinistro"},
    {"CommandCursorRight", R::Comment, W::Always, "Right Cursor", "Cursore Destro"},
    {"CommandCursorRightL", R::Comment, W::Always, "Move Left the Right Cursor", "Muove a sinistra il Cursore Destro"},
    {"CommandCursorRightR", R::Comment, W::Always, "Move Right the Right Cursor", "Muove a destra il Cursore Destro"},
    {"CommandCursorRightView", R::Comment, W::Always, "Toggle the View of the Right Cursor",
     "Commuta la visione del Cursore Destro"},
    {"CommandCursorSelected", R::Comment, W::Always, "Colour Point Selected", "Selezione del Punto Colore"},
    {"CommandCursorSimulator", R::Comment, W::Always, "Simulator Progress Timming", "Tempo di simulazione"},
    {"CommandEdit", R::Comment, W::Always, "Edit the Colour Point Selected", "Modifica il Punto Colore selezionato"},
    {"CommandFirst", R::Comment, W::Always, "Select the First Colour Point", "Selezione del Primo Punto Colore"},
    {"CommandInsert", R::Comment, W::Always, "Insert a New Colour Point", "Inserzione di un nuovo Punto Colore"},
    {"CommandLast", R::Comment, W::Always, "Select the Last Colour Point", "Selezione dell'ultimo Punto Colore"},
    {"CommandMoveShift", R::Comment, W::Always,
     "Move/Shift the Colour Point Selected. \"Click\" to toggle the Move/Shift Configuration",
     "Move/Shift the Colour Point Selected. \"Click\" to toggle the Move/Shift Configuration"},
    {"CommandNext", R::Comment, W::Always, "Select the Next Colour Point", "Selezione del successivo Punto Colore"},
    {"CommandPause", R::Comment, W::Always, "Simulator Pause", "Pausa Simulatore"},
    {"CommandPrevious", R::Comment, W::Always, "Select the Previous Colour Point",
     "Selezione del precedente Punto Colore"},
    {"CommandRemove", R::Comment, W::Always, "Remove the Colour Cycle Selected",
     "Eliminazione del Punto Colore selezionato"},
    {"CommandSave", R::Comment, W::Always, "Save the Colour Cycle Selected",
     "Memorizzazione del Punto Colore selezionato"},
    {"CommandStart", R::Comment, W::Always, "Simulator Start", "Avvio Simulatore"},
    {"CommandStop", R::Comment, W::Always, "Simulator Stop and Reset", "Arresto e Reset del Simulatore"},
    {"LabelCursorLeft", R::Comment, W::Always, "Time Point Cursor Left", "Posizione temporale del Cursore Sinistro"},
    {"LabelCursorRight", R::Comment, W::Always, "Time Point Cursor Right", "Posizione temporale del Cursore Destro"},
    {"LabelDeltaL", R::Comment, W::Always, "Time Point Cursor Selector - Time Point Cursor Left",
     "Differenza temporale della posizione del cursore Selettore e di quello Sinistro"},
    {"LabelDelta", R::Comment, W::Always, "Time Point Cursor Right - Time Point Cursor Left",
     "Differenza temporale della posizione dei due cursori"},
    {"LabelDeltaR", R::Comment, W::Always, "Time Point Cursor Selector - Time Point Cursor Right",
     "Differenza temporale della posizione del cursore Selettore e di quello Destro"},
    {"LabelPointID", R::Comment, W::Always, "Colour Point Selected / Colour Point Number into the Colour Cycle",
     "Punto Colore selezionato / Numero di Punti Colore nel Ciclo Colore"},
    {"LabelRange", R::Comment, W::Always, "Ammissible Value for the Colour Point Selected",
     "Valore ammissibile per il Punto Colore Selezionato"},
    {"MSChartColorCycle", R::Comment, W::Always, "Colour Cycle Display", "Visualizzazione del Ciclo Colore"},
    {"PointsTableView", R::Comment, W::Always,
     "Colour Points Table. Select a row to select its Colour Point, \"Double Click\" a value to change it, "
     "Ctrl+C copies the selected rows, Ctrl+V pastes rows after the Colour Point selected",
     "Tabella dei Punti Colore. Selezionare una riga per selezionare il suo Punto Colore, \"Doppio Click\" su un "
     "valore per modificarlo, Ctrl+C copia le righe selezionate, Ctrl+V incolla righe dopo il Punto Colore "
     "selezionato"},
    {"SliderRed", R::Comment, W::Always, "RGB Red Color. Move the cursor to set Red Led Light",
     "Colore Rosso. Muovere il cursore per assegnare l'intensità della luce rossa"},
    {"SliderGreen", R::Comment, W::Always, "RGB Green Color. Move the cursor to set Green Led Light",
     "Colore Verde. Muovere il cursore per assegnare l'intensità della luce verde"},
    {"SliderBlue", R::Comment, W::Always, "RGB Blue Color. Move the cursor to set Blue led light",
     "Colore Blu. Muovere il cursore per assegnare l'intensità della luce blu"},
    {"SliderZoomMin", R::Comment, W::Always,
     "Zoom Left Border selector. Move the cursor to set the Zoom Left Border",
     "Selettore del bordo sinistro dell'area di Zoom. Muovere il cursore per selezionare la posizione del bordo "
     "sinistro"},
    {"SliderZoomMax", R::Comment, W::Always,
     "Zoom Right Border selector. Move the cursor to set the Zoom Right Border",
     "Selettore del bordo destro dell'area di Zoom. Muovere il cursore per selezionare la posizione del bordo "
     "destro"},
    {"StatusBar", R::Comment, W::Always,
     "Status Bar. Four Field are available: 1) File Name, 2) ComPort Name, 3) Cycle Name, 4) Function in Progress "
     "Name",
     "Barra di stato. Quattro campi sono disponibili: 1) Nome File, 2) Nome Porta USB, 3) Nome Ciclo, 4) Nome della "
     "funzione in esecuzione"},
    {"StatusBarPanel3", R::Comment, W::Always, "The board link's mode and the slot selected",
     "Modo del collegamento con la scheda e slot selezionato"},
    {"StatusBarPanel4", R::Comment, W::Always, "The result of the last board command, with its time",
     "Risultato dell'ultimo comando della scheda, con l'ora"},
    {"TextRed", R::Comment, W::Always,
     "Red Value %. \"Click\" for edit, \"Double Clock\" or \"Enter\" to save. Numeric Characters only. Value from 0 "
     "to 100",
     "Valre % del Colore Rosso. \"Click\" per modificare, \"Doppio Click\" o \"Enter\" per salvare. Solo valori "
     "numerici da 0 a 100 sono ammessi"},
    {"TextGreen", R::Comment, W::Always,
     "Green Value %. \"Click\" for edit, \"Double Clock\" or \"Enter\" to save. Numeric Characters only. Value from "
     "0 to 100",
     "Valre % del Colore Verde. \"Click\" per modificare, \"Doppio Click\" o \"Enter\" per salvare. Solo valori "
     "numerici da 0 a 100 sono ammessi"},
    {"TextBlue", R::Comment, W::Always,
     "Blue Value %. \"Click\" for edit, \"Double Clock\" or \"Enter\" to save. Numeric Characters only. Value from 0 "
     "to 100",
     "Valre % del Colore Blu. \"Click\" per modificare, \"Doppio Click\" o \"Enter\" per salvare. Solo valori "
     "numerici da 0 a 100 sono ammessi"},
    {"TextTime", R::Comment, W::Always,
     "Time Value in hh:mm:ss or seconds. \"Click\" for edit, \"Double Clock\" or \"Enter\" to save. Numeric "
     "Characters only. Value from 0 to 86400",
     "Valore del Tempo in hh:mm:ss o in Secondi. \"Click\" per modificare, \"Doppio Click\" or \"Enter\" per "
     "salvare. Sono ammessi solo valori numerici da 0 a 86400"},
    {"TextLength", R::Comment, W::Always,
     "Length Value in hh:mm:ss or seconds. \"Click\" for edit, \"Double Clock\" or \"Enter\" to save. Numeric "
     "Characters only. Value from 0 to 86399",
     "Valore della Lunghezza in hh:mm:ss o in Secondi. \"Click\" per modificare, \"Doppio Click\" or \"Enter\" per "
     "salvare. Sono ammessi solo valori numerici da 0 a 86399"},

    // ----- Comments on the toolbar buttons (by key) --------------------------
    {"ToolbarCreate", R::Comment, W::Always, "File Create", "Creare un nuovo File"},
    {"ToolbarOpen", R::Comment, W::Always, "File Open", "Aprire un File"},
    {"ToolbarSave", R::Comment, W::Always, "File Save", "Salvare un File"},
    {"ToolbarSaveAs", R::Comment, W::Always, "File SaveAs", "Salvare con un nuovo nome un File"},
    {"ToolbarClose", R::Comment, W::Always, "File Close", "Chiudere un File"},
    {"ToolbarDelete", R::Comment, W::Always, "File Delete", "Cancellare un File"},
    {"ToolbarUndo", R::Comment, W::Always, "Undo the last change of the Colour Cycle",
     "Annullare l'ultima modifica del Ciclo Colore"},
    {"ToolbarRedo", R::Comment, W::Always, "Redo the change undone", "Ripetere la modifica annullata"},
    {"ToolbarUSBOn", R::Comment, W::Always, "Enable On/Off the USB Board", "Abilitazione On/Off della scheda USB"},
    {"ToolbarUSBEm", R::Comment, W::Always, "Select the Emulator Function", "Selezionare la funzione di Emulazione"},
    {"ToolbarUSBIn", R::Comment, W::Always, "Select the Interface Function", "Selezionare la funzione di Interfaccia"},
    {"ToolbarCycle1", R::Comment, W::Always, "Select the Cycle number 1", "Selezionare il Ciclo numero 1"},
    {"ToolbarCycle2", R::Comment, W::Always, "Select the Cycle number 2", "Selezionare il Ciclo numero 2"},
    {"ToolbarCycle3", R::Comment, W::Always, "Select the Cycle number 3", "Selezionare il Ciclo numero 3"},
    {"ToolbarCycle4", R::Comment, W::Always, "Select the Cycle number 4", "Selezionare il Ciclo numero 4"},
    {"ToolbarCycle5", R::Comment, W::Always, "Select the Cycle number 5", "Selezionare il Ciclo numero 5"},
    {"ToolbarCycle6", R::Comment, W::Always, "Select the Cycle number 6", "Selezionare il Ciclo numero 6"},
    {"ToolbarCycle7", R::Comment, W::Always, "Select the Cycle number 7", "Selezionare il Ciclo numero 7"},
    {"ToolbarCycle8", R::Comment, W::Always, "Select the Cycle number 8", "Selezionare il Ciclo numero 8"},
    {"ToolbarRead", R::Comment, W::Always, "Read Cycle Command", "Commando di lettura del Ciclo selezionato"},
    {"ToolbarWrite", R::Comment, W::Always, "Write Cycle Command", "Commando di scrittura del Ciclo selezionato"},
    {"ToolbarRename", R::Comment, W::Always, "Rename Cycle Command", "Commando di rinomina del Ciclo selezionato"},
    {"ToolbarExit", R::Comment, W::Always, "Exit Command", "Commando di chiusura"},
};
// clang-format on

// The time display switch names the mode now in force.
const Caption kTimeDisplay[] = {
    {"mnuConfigTimeViewer", R::Text, W::HmsTimes, "Time = hh:mm:ss", "Tempo = hh:mm:ss"},
    {"mnuConfigTimeViewer", R::Text, W::SecondsTimes, "Time = Seconds", "Tempo = Secondi"},
};

// The speed label takes the texts of the speed items, except where the
// language switch words it otherwise: choosing one hour per second shows
// "1ora", switching the language writes "1hour".
struct SpeedLabelException
{
    float factor;
    const char *italian;
};
const SpeedLabelException kSpeedLabelExceptions[] = {
    {3600.0f, "Velocità: 1hour = 1sec"},
};

} // namespace

QString Caption::text(bool inEnglish) const { return QString::fromUtf8(inEnglish ? english : italian); }

QString Caption::designedText() const { return QString::fromUtf8(designed ? designed : italian); }

std::span<const Caption> table() { return kTable; }

const Caption *find(std::string_view name, Role role, When when)
{
    for (const Caption &row : kTable) {
        if (row.role == role && name == row.name && (row.when == when || row.when == W::Always))
            return &row;
    }
    return nullptr;
}

QString timeDisplayCaption(bool hmsTimes, bool english) { return kTimeDisplay[hmsTimes ? 0 : 1].text(english); }

std::optional<QString> speedLabel(float factor, bool english)
{
    for (const chart::SpeedItem &item : chart::speedItems()) {
        if (item.factor != factor)
            continue;
        if (!english) {
            for (const SpeedLabelException &e : kSpeedLabelExceptions)
                if (e.factor == factor)
                    return QString::fromUtf8(e.italian);
        }
        return QString::fromUtf8(english ? item.labelEnglish : item.labelItalian);
    }
    return std::nullopt;
}

QString helpFile(bool english) { return english ? QStringLiteral("OrvantaGuide") : QStringLiteral("OrvantaGuida"); }

QString escaped(const QString &caption) { return QString(caption).replace(u'&', QStringLiteral("&&")); }

QStringList withMnemonics(const QStringList &captions)
{
    QSet<QChar> taken;
    std::vector<qsizetype> marks(std::size_t(captions.size()), -1);
    const auto free = [&taken](QChar c) { return c.isLetterOrNumber() && !taken.contains(c.toLower()); };
    // First letters first, so that no caption takes another's first letter
    // as a fallback before that caption has had its turn.
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const QString &c = captions[i];
        if (!c.isEmpty() && free(c.front())) {
            marks[std::size_t(i)] = 0;
            taken.insert(c.front().toLower());
        }
    }
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const QString &c = captions[i];
        for (qsizetype k = 1; marks[std::size_t(i)] < 0 && k < c.size(); ++k) {
            if (free(c[k])) {
                marks[std::size_t(i)] = k;
                taken.insert(c[k].toLower());
            }
        }
    }
    QStringList texts;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const qsizetype mark = marks[std::size_t(i)];
        const QString &c = captions[i];
        texts << (mark < 0 ? escaped(c) : escaped(c.left(mark)) + u'&' + escaped(c.mid(mark)));
    }
    return texts;
}

QString visibleText(const QString &menuText)
{
    QString shown;
    shown.reserve(menuText.size());
    for (qsizetype i = 0; i < menuText.size(); ++i) {
        if (menuText[i] == u'&' && i + 1 < menuText.size())
            ++i;
        shown += menuText[i];
    }
    return shown;
}

} // namespace captions
