#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>

namespace fendle {

// Reads a file that programs run on other people's files (thumbnailers,
// previews) are handed: only a regular file of at most maxSize bytes is
// read. The file is opened without blocking and checked on the open
// descriptor, so a FIFO or device put in its place can neither hang the
// reader nor flood it.
class RegularFile {
public:
    static Result<QByteArray> read(const QString& path, qint64 maxSize);
};

}  // namespace fendle
