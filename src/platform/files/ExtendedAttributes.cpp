#include "platform/files/ExtendedAttributes.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace fendle {

namespace {

const QByteArray UserPrefix = QByteArrayLiteral("user.");

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

QString errorText(const QString& what, const QString& path, int error) {
    return QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error)));
}

// errno is taken before any text is built, so that nothing can overwrite it.
ExtendedAttributes::Result failure(const char* what, const QString& name, const QString& path) {
    const int error = errno;
    return {false, errorText(QString::fromLatin1(what).arg(name), path, error), error};
}

ExtendedAttributes::Value unreadable(const QString& name, const QString& path) {
    const int error = errno;
    return {std::nullopt, errorText(QStringLiteral("Cannot read attribute %1 of").arg(name), path, error), error};
}

}  // namespace

QByteArray ExtendedAttributes::systemName(const QString& name) { return UserPrefix + name.toUtf8(); }

ExtendedAttributes::Result ExtendedAttributes::set(const QString& path, const QString& name,
                                                   const QByteArray& value) {
    if (lsetxattr(nativePath(path).constData(), systemName(name).constData(), value.constData(),
                  static_cast<size_t>(value.size()), 0) != 0)
        return failure("Cannot set attribute %1 of", name, path);
    return {true, QString()};
}

ExtendedAttributes::Value ExtendedAttributes::get(const QString& path, const QString& name) {
    const QByteArray file = nativePath(path);
    const QByteArray attribute = systemName(name);
    // The value may grow between asking its size and reading it; try again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const ssize_t size = lgetxattr(file.constData(), attribute.constData(), nullptr, 0);
        if (size < 0) {
            if (errno == ENODATA) return {std::nullopt, QString()};
            return unreadable(name, path);
        }
        if (size > MaxValueSize) return {std::nullopt, QStringLiteral("Attribute %1 is too large").arg(name)};
        QByteArray buffer(static_cast<qsizetype>(size), Qt::Uninitialized);
        const ssize_t read = lgetxattr(file.constData(), attribute.constData(), buffer.data(), buffer.size());
        if (read >= 0) {
            buffer.truncate(static_cast<qsizetype>(read));
            return {buffer, QString()};
        }
        if (errno != ERANGE) return unreadable(name, path);
    }
    return {std::nullopt, QStringLiteral("Attribute %1 keeps changing").arg(name)};
}

std::optional<QStringList> ExtendedAttributes::list(const QString& path, QString* message) {
    const QByteArray file = nativePath(path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const ssize_t size = llistxattr(file.constData(), nullptr, 0);
        if (size < 0) break;
        QByteArray buffer(static_cast<qsizetype>(size), Qt::Uninitialized);
        const ssize_t read = llistxattr(file.constData(), buffer.data(), buffer.size());
        if (read < 0) {
            if (errno == ERANGE) continue;
            break;
        }
        QStringList names;
        for (const QByteArray& entry : buffer.left(static_cast<qsizetype>(read)).split('\0')) {
            if (entry.startsWith(UserPrefix)) names.append(QString::fromUtf8(entry.mid(UserPrefix.size())));
        }
        return names;
    }
    if (message) *message = errorText(QStringLiteral("Cannot list attributes of"), path, errno);
    return std::nullopt;
}

ExtendedAttributes::Result ExtendedAttributes::remove(const QString& path, const QString& name) {
    if (lremovexattr(nativePath(path).constData(), systemName(name).constData()) != 0)
        return failure("Cannot remove attribute %1 of", name, path);
    return {true, QString()};
}

}  // namespace fendle
