#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>

namespace fendle {

// Replaces the file at path with bytes so that a reader sees either the old
// file or the new one, never a mixture: a temporary file in the same folder
// is written, flushed to disk and renamed over the old one. With a backup
// path the previous file is kept there. On failure the old file is untouched.
Status writeFileAtomically(const QString& path, const QByteArray& bytes, const QString& backupPath = QString());

// Reads a whole file, refusing files above maxSize bytes.
Result<QByteArray> readWholeFile(const QString& path, qint64 maxSize);

}  // namespace fendle
