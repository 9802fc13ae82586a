#include "fendlelook/module/FileIcon.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace fendle::look {
namespace {

constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 96, 128, 256, 512};
// The desktop's own theme is a setting we do not read; these are the
// fallback theme every desktop has and the one Debian's desktops inherit.
const char* const Themes[] = {"hicolor", "Adwaita"};

QMimeType mimeTypeFor(const QString& path, const QString& contentType) {
    const QMimeDatabase database;
    const QMimeType named = database.mimeTypeForName(contentType);
    return named.isValid() ? named : database.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
}

std::optional<QString> existing(const QString& path) {
    return QFileInfo(path).isFile() ? std::optional<QString>(path) : std::nullopt;
}

std::optional<QString> iconIn(const QStringList& dataFolders, const QString& theme, const QString& piece) {
    for (const QString& folder : dataFolders)
        if (auto path = existing(folder + QStringLiteral("/icons/") + theme + piece)) return path;
    return std::nullopt;
}

// The smallest size at least side, else the largest; scalable first when
// SVG can be read.
std::optional<QString> iconOfTheme(const QStringList& dataFolders, const QString& theme, const QString& iconName,
                                   int side) {
    if (QImageReader::supportedImageFormats().contains("svg"))
        if (auto svg = iconIn(dataFolders, theme, QStringLiteral("/scalable/mimetypes/%1.svg").arg(iconName)))
            return svg;
    std::optional<QString> largest;
    for (int size : IconSizes) {
        auto path = iconIn(dataFolders, theme, QStringLiteral("/%1x%1/mimetypes/%2.png").arg(size).arg(iconName));
        if (path && size >= side) return path;
        if (path) largest = path;
    }
    return largest;
}

}  // namespace

std::optional<QString> FileIcon::iconFile(const QString& iconName, int side) {
    if (iconName.isEmpty() || iconName.contains(u'/')) return std::nullopt;
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const char* theme : Themes)
        if (auto path = iconOfTheme(folders, QLatin1String(theme), iconName, side)) return path;
    return std::nullopt;
}

std::optional<QImage> FileIcon::find(const QString& path, const QString& contentType, int side) {
    const QMimeType type = mimeTypeFor(path, contentType);
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        const auto file = iconFile(name, side);
        if (!file) continue;
        QImageReader reader(*file);
        if (reader.format() == "svg") reader.setScaledSize(QSize(side, side));
        QImage image;
        if (reader.read(&image)) return image;
    }
    return std::nullopt;
}

}  // namespace fendle::look
