#include "platform/files/PrivateFolder.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace fendle {

Status checkPrivateFolder(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return Status::failure(QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (!S_ISDIR(info.st_mode)) return Status::failure(QStringLiteral("%1 is not a folder").arg(path));
    if (info.st_uid != ::geteuid()) return Status::failure(QStringLiteral("%1 belongs to another user").arg(path));
    if ((info.st_mode & 077) != 0) return Status::failure(QStringLiteral("%1 is open to other users").arg(path));
    return succeeded();
}

Status makePrivateFolder(const QString& path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return Status::failure(QStringLiteral("cannot make %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    return checkPrivateFolder(path);
}

}  // namespace fendle
