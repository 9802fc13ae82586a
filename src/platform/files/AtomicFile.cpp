#include "platform/files/AtomicFile.h"

#include <algorithm>
#include <atomic>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendle {

namespace {
QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// The process's file mode mask, read without setting it: umask() changes it
// for the whole process, and a file another thread made in that moment would
// get the wrong mode. Without /proc the strict mask is assumed.
mode_t currentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 077;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("Umask:")) continue;
        bool ok = false;
        const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
        if (ok && mask <= 0777) return static_cast<mode_t>(mask);
    }
    return 077;
}

// The backup is made as a hard link where possible, so that the old file
// never stops existing under its own name before the new one takes it.
Status keepBackup(const QString& path, const QString& backupPath) {
    if (!QFileInfo::exists(path)) return succeeded();
    const QString staging = backupPath + QStringLiteral(".new");
    QFile::remove(staging);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(staging).constData()) != 0 &&
        !QFile::copy(path, staging))
        return Status::failure(QStringLiteral("could not keep a backup of %1").arg(path));
    if (std::rename(QFile::encodeName(staging).constData(), QFile::encodeName(backupPath).constData()) != 0) {
        const QString why = systemError();
        QFile::remove(staging);
        return Status::failure(QStringLiteral("could not keep a backup of %1: %2").arg(path, why));
    }
    return succeeded();
}

// The temporary file is private; the box gets the old file's mode, or the
// usual mode for new files.
Status replaceSyncedFile(const QString& path, const QByteArray& bytes, const QString& backupPath) {
    const QFileInfo info(path);
    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return Status::failure(QStringLiteral("cannot write in %1: %2").arg(info.absolutePath(), temporary.errorString()));
    if (temporary.write(bytes) != bytes.size() || !temporary.flush())
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, temporary.errorString()));
    if (::fsync(temporary.handle()) != 0)
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, systemError()));
    if (QFileInfo::exists(path)) {
        temporary.setPermissions(QFile(path).permissions());
    } else {
        ::fchmod(temporary.handle(), 0666 & ~currentUmask());
    }
    if (!backupPath.isEmpty()) {
        const Status backup = keepBackup(path, backupPath);
        if (!backup) return backup;
    }
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return Status::failure(QStringLiteral("cannot replace %1: %2").arg(path, systemError()));
    temporary.setAutoRemove(false);
    return succeeded();
}

bool writeAll(int descriptor, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t got = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        written += got;
    }
    return true;
}

// Regenerable files come by the ten thousand: a named temporary file made
// with the usual mode for new files costs fewer calls than an anonymous one
// that needs a link to get a name and a mode set afterwards.
Status replaceRegenerableFile(const QString& path, const QByteArray& bytes) {
    static std::atomic<quint64> serial{0};
    const QByteArray target = QFile::encodeName(path);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray temporaryPrefix =
        target.left(slash + 1) + '.' + target.mid(slash + 1) + '.' + QByteArray::number(::getpid()) + '.';
    QByteArray temporary;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < 100; ++attempt) {
        temporary = temporaryPrefix + QByteArray::number(serial++);
        descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST) break;
    }
    if (descriptor < 0) return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, systemError()));
    struct stat old {};
    if (::stat(target.constData(), &old) == 0) ::fchmod(descriptor, old.st_mode & 07777);
    const bool written = writeAll(descriptor, bytes);
    const QString writeError = systemError();
    if (::close(descriptor) != 0 || !written) {
        ::unlink(temporary.constData());
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, written ? systemError() : writeError));
    }
    if (std::rename(temporary.constData(), target.constData()) != 0) {
        const QString why = systemError();
        ::unlink(temporary.constData());
        return Status::failure(QStringLiteral("cannot replace %1: %2").arg(path, why));
    }
    return succeeded();
}

}  // namespace

Status writeFileAtomically(const QString& path, const QByteArray& bytes, const QString& backupPath) {
    return replaceSyncedFile(path, bytes, backupPath);
}

Status writeFileAtomically(const QString& path, const QByteArray& bytes, Durability durability) {
    return durability == Durability::Synced ? replaceSyncedFile(path, bytes, QString())
                                            : replaceRegenerableFile(path, bytes);
}

Result<QByteArray> readWholeFile(const QString& path, qint64 maxSize) {
    using R = Result<QByteArray>;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return R::failure(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    if (file.size() > maxSize) return R::failure(QStringLiteral("%1 is too large (%2 bytes)").arg(path).arg(file.size()));
    // Straight into one buffer of the size the file claims, growing only if
    // it grew meanwhile; read(maxSize) would first allocate the whole limit.
    QByteArray bytes(std::min<qint64>(file.size(), maxSize), Qt::Uninitialized);
    qsizetype filled = 0;
    while (file.error() == QFile::NoError) {
        if (filled == bytes.size()) {
            if (file.atEnd()) break;
            if (bytes.size() > maxSize) return R::failure(QStringLiteral("%1 is too large").arg(path));
            bytes.resize(std::min<qint64>(std::max<qsizetype>(2 * bytes.size(), qsizetype(1) << 16), maxSize + 1));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got <= 0) break;
        filled += got;
    }
    if (filled > maxSize) return R::failure(QStringLiteral("%1 is too large").arg(path));
    bytes.truncate(filled);
    if (file.error() != QFile::NoError) return R::failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return bytes;
}

}  // namespace fendle
