#include "platform/files/AtomicFile.h"

#include <algorithm>
#include <atomic>

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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

QString temporaryPrefix(const QFileInfo& info) { return QStringLiteral(".") + info.fileName() + QStringLiteral("."); }
constexpr qsizetype TemporarySuffixLength = 6;  // the XXXXXX
// A temporary file is locked before anything is written to it; one that was
// made a moment ago may not be locked yet.
constexpr qint64 FreshTemporarySeconds = 10;

// A save killed half-way leaves its temporary file behind. One that no save
// holds locked, and that is not being made this moment, is such a leftover.
void removeAbandonedTemporaries(const QFileInfo& info) {
    const QString prefix = temporaryPrefix(info);
    const QDateTime fresh = QDateTime::currentDateTimeUtc().addSecs(-FreshTemporarySeconds);
    // By name first: a folder of many files is not looked at file by file.
    QDirIterator entries(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (!name.startsWith(prefix) || name.size() != prefix.size() + TemporarySuffixLength) continue;
        const QFileInfo entry = entries.fileInfo();
        if (entry.size() == 0 && entry.lastModified().toUTC() > fresh) continue;
        const QByteArray local = QFile::encodeName(entry.filePath());
        const int descriptor = ::open(local.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0) continue;
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) ::unlink(local.constData());
        ::close(descriptor);
    }
}

// Straight to the file, so that a full disk is reported as the system
// says it ("No space left on device", "File too large").
Status writeAll(int descriptor, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return Status::failure(systemError());
        if (written == 0) return Status::failure(QString::fromLocal8Bit(std::strerror(ENOSPC)));
        done += written;
    }
    return succeeded();
}

// The rename is in the folder's own data: without this a power cut after a
// reported save could bring the old file back. File systems that cannot
// sync a folder say so with EINVAL; the file itself is synced there.
Status syncFolder(const QString& folder) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0 || (::fsync(descriptor) != 0 && errno != EINVAL && errno != ENOTSUP && errno != ENOSYS)) {
        const QString why = systemError();
        if (descriptor >= 0) ::close(descriptor);
        return Status::failure(QStringLiteral("cannot sync %1: %2").arg(folder, why));
    }
    ::close(descriptor);
    return succeeded();
}

// The temporary file is private; the box gets the old file's mode, or the
// usual mode for new files.
Status replaceSyncedFile(const QString& path, const QByteArray& bytes, const QString& backupPath) {
    const QFileInfo info(path);
    removeAbandonedTemporaries(info);
    QTemporaryFile temporary(info.absolutePath() + u'/' + temporaryPrefix(info) + QStringLiteral("XXXXXX"));
    if (!temporary.open())
        return Status::failure(QStringLiteral("cannot write in %1: %2").arg(info.absolutePath(), temporary.errorString()));
    ::flock(temporary.handle(), LOCK_EX | LOCK_NB);
    if (const Status written = writeAll(temporary.handle(), bytes); !written)
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, written.error()));
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
    return syncFolder(info.absolutePath());
}

// Regenerable files come by the ten thousand and are not synced, nor is
// their folder swept for leftovers: a named temporary file made with the
// usual mode for new files costs fewer calls than an anonymous one that
// needs a link to get a name and a mode set afterwards.
Status replaceRegenerableFile(const QString& path, const QByteArray& bytes) {
    static std::atomic<quint64> serial{0};
    const QByteArray target = QFile::encodeName(path);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray stem =
        target.left(slash + 1) + '.' + target.mid(slash + 1) + '.' + QByteArray::number(::getpid()) + '.';
    QByteArray temporary;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < 100; ++attempt) {
        temporary = stem + QByteArray::number(serial++);
        descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST) break;
    }
    if (descriptor < 0) return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, systemError()));
    struct stat old {};
    if (::stat(target.constData(), &old) == 0) ::fchmod(descriptor, old.st_mode & 07777);
    Status written = writeAll(descriptor, bytes);
    if (::close(descriptor) != 0 && written) written = Status::failure(systemError());
    if (!written) {
        ::unlink(temporary.constData());
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, written.error()));
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
