#include "platform/files/RegularFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendle {
namespace {

using R = Result<QByteArray>;

R readOpenFile(int fd, const QString& path, qint64 maxSize) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return R::failure(QStringLiteral("cannot examine %1").arg(path));
    if (!S_ISREG(info.st_mode)) return R::failure(QStringLiteral("%1 is not a regular file").arg(path));
    if (info.st_size > maxSize) return R::failure(QStringLiteral("%1 is too large (%2 bytes)").arg(path).arg(info.st_size));
    // One byte more than the size claimed tells a file that grew meanwhile.
    QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return R::failure(QStringLiteral("cannot read %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        if (got == 0) break;
        filled += got;
    }
    if (filled > info.st_size) return R::failure(QStringLiteral("%1 changed while it was read").arg(path));
    bytes.truncate(filled);
    return bytes;
}

}  // namespace

Result<QByteArray> RegularFile::read(const QString& path, qint64 maxSize) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return R::failure(QStringLiteral("cannot open %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    R result = readOpenFile(fd, path, maxSize);
    ::close(fd);
    return result;
}

}  // namespace fendle
