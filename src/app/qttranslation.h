#pragma once

// Qt's own texts (the buttons of the message boxes, the file, colour and
// input dialogs) follow the program's language through Qt's translations.
namespace qttranslation {

// Installs the Italian translation of Qt's texts, or removes it for English.
// Where the translation is not installed on the machine, Qt's texts stay in
// English and the program goes on.
void follow(bool english);

// True when Qt's texts are shown in Italian.
bool italian();

} // namespace qttranslation
