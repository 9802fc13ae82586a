#include "platform/files/AtomicFile.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

Status replaceFile(const QString& path, const QByteArray& bytes, const QString& backupPath, Durability durability) {
    const QFileInfo info(path);
    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return Status::failure(QStringLiteral("cannot write in %1: %2").arg(info.absolutePath(), temporary.errorString()));
    if (temporary.write(bytes) != bytes.size() || !temporary.flush())
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, temporary.errorString()));
    if (durability == Durability::Synced && ::fsync(temporary.handle()) != 0)
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(path, systemError()));
    // The temporary file is private; the box gets the old file's mode, or
    // the usual mode for new files. Many regenerable files are written in a
    // row: their mask is read once.
    static const mode_t umaskAtFirstWrite = currentUmask();
    if (QFileInfo::exists(path)) {
        temporary.setPermissions(QFile(path).permissions());
    } else {
        ::fchmod(temporary.handle(), 0666 & ~(durability == Durability::Synced ? currentUmask() : umaskAtFirstWrite));
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

}  // namespace

Status writeFileAtomically(const QString& path, const QByteArray& bytes, const QString& backupPath) {
    return replaceFile(path, bytes, backupPath, Durability::Synced);
}

Status writeFileAtomically(const QString& path, const QByteArray& bytes, Durability durability) {
    return replaceFile(path, bytes, QString(), durability);
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
