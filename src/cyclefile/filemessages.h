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
// Yes/No, exclamation, No the default.
platform::BilingualMessage overwrite();

// Warnings: OK, exclamation, "Warning" / "Attenzione".
platform::BilingualMessage fileNotFound();
// Delete's text, which differs from Save's in the Italian full stop.
platform::BilingualMessage deleteFileNotFound();
platform::BilingualMessage sameFile();
platform::BilingualMessage writeFailed(const QString &path, const QString &reason);
platform::BilingualMessage deleteFailed(const QString &path, const QString &reason);

} // namespace cyclefile::messages
