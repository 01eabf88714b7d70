#pragma once

#include "board/jobs.h"
#include "platform/message.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The names of a board backup's files: one cycle file per slot, named from the
// slot's number and its name, "Slot3-Aquarium.txt". A name's trailing spaces
// are left out, and every byte other than an ASCII letter, a digit, a space,
// "-" or "_" is written as "%" and two hex digits, so the name is safe in any
// file system and comes back byte for byte.
namespace board {

QString backupFileName(int slot, QByteArrayView name);

struct BackupFile
{
    int slot = 0;
    QByteArray name; // 8 bytes, padded with spaces
    QString fileName;
};
// The slot and name of a backup file's name, or nothing for any other file.
std::optional<BackupFile> parseBackupFileName(const QString &fileName);
// The backup files among `fileNames`, in slot order.
QList<BackupFile> backupFiles(const QStringList &fileNames);
// The names of the backup files already in `folder`, in slot order: a new
// back up there replaces them.
QStringList existingBackups(const QString &folder);

// A folder's backup read whole for a restore, before anything goes to the
// board: the files of slots 2 to 8 in slot order, each with its cycle; or
// why nothing can be restored from it (no backup there, two files for one
// slot, a file that does not read).
struct RestoreSet
{
    QString folder;
    QList<BackupFile> files;
    QList<ReadCycle> cycles;
    bool slotOneLeftOut = false; // slot 1 can only be read: its file is not used
    std::optional<platform::BilingualMessage> refusal;
};
RestoreSet readRestoreSet(const QString &folder);

} // namespace board
