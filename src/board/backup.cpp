#include "board/backup.h"

#include "board/records.h"
#include "board/reports.h"
#include "cyclefile/cyclefile.h"
#include "store/numbers.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace board {

namespace {

bool plain(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-'
           || c == '_';
}

} // namespace

QString backupFileName(int slot, QByteArrayView name)
{
    QByteArrayView kept = name;
    while (!kept.isEmpty() && kept.back() == ' ')
        kept.chop(1);
    QString encoded;
    for (char c : kept) {
        if (plain(c))
            encoded += QLatin1Char(c);
        else
            encoded += QStringLiteral("%%1").arg(int(quint8(c)), 2, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("Slot%1-%2.txt").arg(slot).arg(encoded);
}

std::optional<BackupFile> parseBackupFileName(const QString &fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^Slot([1-8])-((?:[A-Za-z0-9 _-]|%[0-9A-Fa-f]{2})*)\\.txt$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QString encoded = match.captured(2);
    QByteArray name;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != u'%') {
            name.append(char(encoded[i].unicode()));
            continue;
        }
        // The pattern has made sure two hex digits follow.
        name.append(char(encoded.mid(i + 1, 2).toInt(nullptr, 16)));
        i += 2;
    }
    if (name.size() > kRecordSize)
        return std::nullopt;
    BackupFile file;
    file.slot = match.captured(1).toInt();
    file.name = name.leftJustified(kRecordSize, ' ');
    file.fileName = fileName;
    return file;
}

QList<BackupFile> backupFiles(const QStringList &fileNames)
{
    QList<BackupFile> files;
    for (const QString &fileName : fileNames) {
        if (const std::optional<BackupFile> file = parseBackupFileName(fileName))
            files.append(*file);
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const BackupFile &a, const BackupFile &b) { return a.slot < b.slot; });
    return files;
}

QStringList existingBackups(const QString &folder)
{
    QStringList names;
    for (const BackupFile &file : backupFiles(QDir(folder).entryList(QDir::Files, QDir::Name)))
        names << file.fileName;
    return names;
}

RestoreSet readRestoreSet(const QString &folder)
{
    RestoreSet set;
    set.folder = folder;
    const QDir dir(folder);
    for (const BackupFile &file : backupFiles(dir.entryList(QDir::Files, QDir::Name))) {
        // Slot 1 can only be read.
        if (file.slot == 1) {
            set.slotOneLeftOut = true;
            continue;
        }
        if (!set.files.isEmpty() && set.files.last().slot == file.slot) {
            set.refusal = restoreTwiceMessage(file.slot);
            return set;
        }
        set.files.append(file);
    }
    if (set.files.isEmpty()) {
        set.refusal = restoreNothingMessage();
        return set;
    }
    // Every file is read whole before anything goes to the board.
    for (const BackupFile &file : std::as_const(set.files)) {
        const cyclefile::ReadResult read = cyclefile::readCycleFile(dir.filePath(file.fileName));
        if (!read.ok()) {
            set.refusal = withLine(*read.failure, restoreFileLine(file.fileName));
            return set;
        }
        ReadCycle cycle;
        for (int r = 1; r <= store::kRowCount; ++r)
            cycle.table.row(r) = read.cycle->rows[std::size_t(r - 1)];
        cycle.pointCount = read.cycle->pointCount;
        cycle.transitionTime = store::toNumber(read.cycle->transitionTime);
        set.cycles.append(cycle);
    }
    return set;
}

} // namespace board
