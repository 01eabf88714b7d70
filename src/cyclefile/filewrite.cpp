#include "cyclefile/filewrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace cyclefile {

std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes)
{
    // A pipe or a device is not a cycle file: it would be replaced by one.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return QStringLiteral("not a regular file");
    QSaveFile file(path);
    // Never fall back to writing into the target itself: that is what could
    // leave it truncated.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (a full disk, a size limit) shows in
    // the count written here; a buffered write would lose it at the flush and
    // the truncated file would still be committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        written += n;
    }
    if (file.size() != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace cyclefile
