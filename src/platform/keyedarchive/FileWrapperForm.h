#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>

namespace fendle {

// The flat serialized form of a file wrapper ("rtfd" tables), as text
// attachments carry their files in archives.
struct WrappedFile {
    QString fileName;
    QByteArray contents;
};

QByteArray serializeRegularFile(const WrappedFile& file);
// Only regular files are understood; a folder wrapper is an error.
Result<WrappedFile> parseSerializedFileWrapper(const QByteArray& bytes);

}  // namespace fendle
