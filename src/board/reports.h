#pragma once

#include "board/link.h"
#include "platform/message.h"

#include <QStringList>
#include <QTime>

// What the board link tells the user beyond the job's own failure texts: the
// link's state in status panel 3, each finished job's result in panel 4, the
// second line of a confirmation or failure that names the slot and what state
// it may be in, and the messages of verify, back up and restore.
namespace board {

enum class Job { Names, Device, Clean, Rename, Erase, Write, Read, Verify, Backup, Restore };

// A slot's or the board's name as a line of text shows it: without the
// spaces that pad it to its field.
QString shownName(const QString &name);

// Panel 3: the mode, and in interface mode the selected slot (0: none) with
// its name as the board gives it. Empty while the link is off.
Bilingual modeStatus(LinkMode mode, int slot, const QString &slotName);
// Panel 4: a job's result with the time it ended, as "Slot 3 written 14:02".
Bilingual jobResult(Job job, int slot, bool success, const QTime &time);
// Panel 4 when the link to the board is lost.
Bilingual linkLostResult(const QTime &time);
// Panel 4 after a Stop: the slots a back up saved or a restore wrote.
Bilingual stoppedResult(Job job, const QList<int> &done, const QTime &time);
// The progress panel during a back up or a restore: the slot under way as
// "Slot 3 of 8", or "Slot 4 (3 of 7)" where its number is not its place;
// `slot` 0 while the back up reads the names.
Bilingual transferProgress(int slot, int place, int count);

// A message with a line added under its text.
platform::BilingualMessage withLine(platform::BilingualMessage message, const Bilingual &line);
// The line under a job's confirmation and under its failure.
Bilingual confirmationLine(Job job, int slot, const QString &slotName);
Bilingual failureLine(Job job, int slot);
// The line under the disconnection message when the port closed itself on a
// device error.
Bilingual portErrorLine(const platform::SerialPort::PortFailure &reason);
// The line under a message about port `portNumber` that did not open: the
// device and why, with the system's advice where there is one; empty when
// there is nothing to tell (no device stands behind the port).
Bilingual openFailureLine(int portNumber, const platform::SerialPort::PortFailure &failure);
// The line under the rename's refusal; an empty name.
Bilingual renameAllowedLine();
platform::BilingualMessage renameEmptyMessage();

// Verify after write: the slot read back differs from what was written at
// `point` (1..64, or kTransitionDiffers for the transition time); or the
// read-back itself failed.
platform::BilingualMessage verifyDifferenceMessage(int slot, int point);
platform::BilingualMessage verifyFailureMessage(int slot);

// Back up: the existing files that would be replaced (a Yes/No question);
// the summary; a stop at `slot` with the files already saved, and why.
platform::BilingualMessage backupReplaceQuestion(const QStringList &files);
platform::BilingualMessage backupDoneMessage(int slots, const QString &folder);
platform::BilingualMessage backupStoppedMessage(int slot, const QStringList &saved, const Bilingual &why);
Bilingual backupReadFailed();
Bilingual backupWriteFailed(const QString &reason);

// Restore: the one confirmation (lines "Slot 2 "Evening" <- Slot2-Evening.txt");
// a folder without a backup; two files for one slot; a file that does not
// read (the lines under its report: the file, and that nothing was written);
// the summary; a stop at `slot`.
platform::BilingualMessage restoreQuestion(const QStringList &lines, bool slotOneLeftOut);
platform::BilingualMessage restoreNothingMessage();
platform::BilingualMessage restoreTwiceMessage(int slot);
Bilingual restoreFileLine(const QString &fileName);
platform::BilingualMessage restoreDoneMessage(const QList<int> &slots);
platform::BilingualMessage restoreStoppedMessage(int slot, const QList<int> &restored);

// A back up or restore stopped by the user between two slots: the slots done
// and those left as they were.
platform::BilingualMessage transferStoppedMessage(Job job, const QList<int> &done, const QList<int> &untouched);

// The slot numbers as "2, 3, 5" (or "-" for none).
QString slotList(const QList<int> &slots);

} // namespace board
