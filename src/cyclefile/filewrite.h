#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace cyclefile {

// Writes `bytes` as the whole content of the file at `path`. The bytes go to
// a temporary file beside the target, which replaces the target only once it
// is complete: a failed write leaves an existing file as it was. Returns
// nothing on success, or the reason of the failure.
std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes);

} // namespace cyclefile
