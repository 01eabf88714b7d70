#pragma once

#include "platform/message.h"

#include <QString>

// The texts of the file commands, in both languages.
namespace cyclefile::messages {

// Titles of the file dialogs.
Bilingual openTitle();
Bilingual createTitle();
Bilingual saveTitle();
Bilingual saveAsTitle();

// Status-bar panel 1.
Bilingual noFileStatus();
Bilingual fileStatus(const QString &path);

// Confirmations: Yes/No, question icon, No the default (Delete: exclamation).
platform::BilingualMessage saveConfirm();
platform::BilingualMessage saveAsConfirm();
platform::BilingualMessage closeConfirm();
platform::BilingualMessage deleteConfirm();
// Delete's question with the file it removes named on a second line.
platform::BilingualMessage deleteConfirm(const QString &path);
// Yes/No, exclamation, No the default.
platform::BilingualMessage overwrite();

// Warnings: OK, exclamation, the warning title.
platform::BilingualMessage fileNotFound();
// Save's: the open file has gone from the disk; Save As can keep the cycle.
platform::BilingualMessage saveFileNotFound();
// Create refuses the file that holds the cycle in memory: it would empty it.
platform::BilingualMessage createOpenFile(const QString &path);
// Delete's text, which differs from Save's in the Italian full stop.
platform::BilingualMessage deleteFileNotFound();
platform::BilingualMessage sameFile();
platform::BilingualMessage writeFailed(const QString &path, const QString &reason);
platform::BilingualMessage deleteFailed(const QString &path, const QString &reason);

// A recent file that is no longer there; it leaves the list.
platform::BilingualMessage recentMissing(const QString &path);

// Export: the dialog's title and filter, and the sheet's own texts.
Bilingual exportTitle();
QString exportFilter();
Bilingual sheetTitle();
// The line under the sheet's title: the cycle named as the window title
// names it (a file's name, a board slot), or unnamed.
Bilingual sheetCycle(const Bilingual &cycleTitle);
// The PDF's document title: the sheet's title and the cycle's name.
Bilingual sheetDocumentTitle(const Bilingual &cycleTitle);
Bilingual sheetTransition();
// The column heads of the sheet's table of points.
QList<Bilingual> sheetColumns();

} // namespace cyclefile::messages
