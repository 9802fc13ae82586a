#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>

namespace fendle {

// Replaces the file at path with bytes so that a reader sees either the old
// file or the new one, never a mixture: a temporary file in the same folder
// is written, flushed to disk and renamed over the old one, and the folder is
// synced so that the rename survives a power cut. With a backup path the
// previous file is kept there. On failure the old file is untouched and the
// temporary file is gone; one left by a save that was killed is removed by
// the next save of the same file.
Status writeFileAtomically(const QString& path, const QByteArray& bytes, const QString& backupPath = QString());

// Files the program can make again (cache files) are replaced the same way
// but without waiting for the disk: readers still see the old file or the
// new one, but after a crash the new one may be lost.
enum class Durability { Synced, Regenerable };
Status writeFileAtomically(const QString& path, const QByteArray& bytes, Durability durability);

// Reads a whole file, refusing files above maxSize bytes.
Result<QByteArray> readWholeFile(const QString& path, qint64 maxSize);

}  // namespace fendle
