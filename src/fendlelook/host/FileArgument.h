#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace fendle::look {

// A file named on a command line, as a path or a file:// address, with the
// address and content type a generator is handed for it.
struct FileArgument {
    QString path;
    QByteArray url;
    QByteArray contentType;

    // Absent for addresses of other schemes.
    static std::optional<FileArgument> from(const QString& argument);
    // Cache files go by their extension (they carry no magic); other files
    // by the MIME type their name gives.
    static QByteArray contentTypeOf(const QString& path);
};

}  // namespace fendle::look
