#pragma once
#include <QImage>
#include <QString>
#include <optional>

namespace fendle::look {

// The icon a desktop shows for a file, looked up by its MIME type in the
// hicolor and Adwaita icon themes of the data folders ($XDG_DATA_HOME,
// $XDG_DATA_DIRS). Only names are consulted, never the file's contents.
class FileIcon {
public:
    // contentType may be a MIME type name; otherwise the file name decides.
    static std::optional<QImage> find(const QString& path, const QString& contentType, int side);
    // The icon file for a name, if a theme has one.
    static std::optional<QString> iconFile(const QString& iconName, int side);
};

}  // namespace fendle::look
