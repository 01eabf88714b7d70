#pragma once

#include "platform/message.h"

#include <QString>

// The reports of the cycle-file reader. All carry the critical icon, an OK
// button and the title "Error Found" / "Errore".
namespace cyclefile::reports {

// The checked fields of a colour-point line, in column order.
enum class PointField { PointID, Time, Length, Red, Green, Blue };

// Columns 1..14 are not "ColourPoint" + NN + " ". `found` is columns 1..14.
platform::BilingualMessage wrongStart(int row, const QString &found);
// A field's columns hold a character other than a digit. `marker` has "-" for
// each digit and the character itself for each other one.
platform::BilingualMessage notNumeric(int row, PointField field, const QString &text, const QString &marker);
// The separator column after `field` (17, 23, 29, 33 or 37) is not a space.
platform::BilingualMessage missingSpace(int row, PointField before, const QString &found);
// The line ends before the last column of `field`.
platform::BilingualMessage lineTooShort(int row, PointField field, const QString &line);

// Columns 1..15 of line 65 are not "TransitionTime ".
platform::BilingualMessage transitionWrongStart(const QString &found);
// Columns 16..20 of line 65 are not all digits.
platform::BilingualMessage transitionNotNumeric(const QString &text, const QString &marker);
// Line 65 ends before column 20.
platform::BilingualMessage transitionTooShort(const QString &line);
// The file ends before line 65; the cycle still loads, with a transition of 0.
platform::BilingualMessage transitionMissing();

// The file cannot be opened or read at all.
platform::BilingualMessage cannotRead(const QString &path, const QString &reason);
platform::BilingualMessage cannotRead(const QString &path, const Bilingual &reason);
// The reason given for a path that is no regular file: a pipe or a device
// would block the program until something writes to it.
Bilingual notRegularFile();

} // namespace cyclefile::reports
