#pragma once

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

} // namespace board
