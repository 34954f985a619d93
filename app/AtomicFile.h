#pragma once

#include <QByteArray>
#include <QString>

namespace AtomicFile {

// Replaces path with contents so that a reader, a crash or a full disk sees
// either the old file or the new one, never a mix: a temporary file in the same
// folder is written, flushed to disk and renamed over path. The old file's
// permissions are kept; a file without write permission is not replaced.
// On failure the old file is untouched and error holds the reason.
bool write(const QString& path, const QByteArray& contents, QString* error);

} // namespace AtomicFile
