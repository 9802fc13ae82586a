#include "fendlelook/host/FileArgument.h"

#include "fendlelook/FendleLookInterface.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>

namespace fendle::look {

std::optional<FileArgument> FileArgument::from(const QString& argument) {
    QString path = argument;
    if (argument.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument, QUrl::TolerantMode);
        if (!url.isLocalFile()) return std::nullopt;
        path = url.toLocalFile();
    } else if (argument.contains(QStringLiteral("://"))) {
        return std::nullopt;
    }
    if (path.isEmpty()) return std::nullopt;
    path = QFileInfo(path).absoluteFilePath();
    return FileArgument{path, QUrl::fromLocalFile(path).toEncoded(), contentTypeOf(path)};
}

QByteArray FileArgument::contentTypeOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".fdlcache"), Qt::CaseInsensitive)) return FL_CACHE_FILE_CONTENT_TYPE;
    return QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8();
}

}  // namespace fendle::look
