#include "plugins/PlugInArchive.h"

#include "plugins/BundleRemoval.h"
#include "plugins/PlugInBundle.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstring>
#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <unistd.h>

namespace fendle {

namespace {

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

struct Entry {
    enum class Kind { File, Folder, Link };
    Kind kind = Kind::File;
    QString path;        // cleaned, relative, starting with the bundle folder
    QString linkTarget;  // links only
    qint64 size = 0;
    bool executable = false;
};

QString errorOf(archive* a) {
    const char* message = archive_error_string(a);
    return message ? QString::fromUtf8(message) : QStringLiteral("unreadable archive");
}

// A path inside the archive, with "." parts dropped; empty when it would
// leave the folder it is unpacked into.
QString relativePath(const char* raw) {
    if (!raw || !*raw || std::strlen(raw) > size_t(PlugInArchive::MaxPathLength)) return QString();
    const QString path = QString::fromUtf8(raw);
    if (path.startsWith(QLatin1Char('/')) || path.contains(QChar(0)) || path.contains(QLatin1Char('\\'))) return QString();
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) return QString();
        if (part != QLatin1String(".")) parts.append(part);
    }
    return parts.join(QLatin1Char('/'));
}

// Links may only lead down from where they stand, so that no chain of them
// reaches above the bundle folder.
bool isSafeLinkTarget(const QString& target) {
    if (target.isEmpty() || target.startsWith(QLatin1Char('/')) || target.contains(QChar(0))) return false;
    return !target.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

Result<Entry> entryOf(archive_entry* raw) {
    using R = Result<Entry>;
    Entry entry;
    const char* name = archive_entry_pathname_utf8(raw);
    entry.path = relativePath(name ? name : archive_entry_pathname(raw));
    if (entry.path.isEmpty()) return R::failure(QStringLiteral("an entry lies outside the plug-ins folder"));
    if (archive_entry_hardlink(raw)) return R::failure(QStringLiteral("%1 is a hard link").arg(entry.path));
    switch (archive_entry_filetype(raw)) {
    case AE_IFREG:
        entry.size = archive_entry_size(raw);
        entry.executable = archive_entry_perm(raw) & 0111;
        break;
    case AE_IFDIR: entry.kind = Entry::Kind::Folder; break;
    case AE_IFLNK: {
        entry.kind = Entry::Kind::Link;
        const char* target = archive_entry_symlink_utf8(raw);
        entry.linkTarget = QString::fromUtf8(target ? target : archive_entry_symlink(raw));
        if (!isSafeLinkTarget(entry.linkTarget)) return R::failure(QStringLiteral("%1 links out of the bundle").arg(entry.path));
        break;
    }
    default: return R::failure(QStringLiteral("%1 is no file, folder or link").arg(entry.path));
    }
    if (entry.size < 0) return R::failure(QStringLiteral("%1 has a negative size").arg(entry.path));
    return entry;
}

ArchivePtr openForReading(const QByteArray& bytes) {
    ArchivePtr a(archive_read_new(), archive_read_free);
    archive_read_support_filter_gzip(a.get());
    archive_read_support_format_tar(a.get());
    if (archive_read_open_memory(a.get(), bytes.constData(), size_t(bytes.size())) != ARCHIVE_OK) return {nullptr, archive_read_free};
    return a;
}

// Every entry in order, checked, each handed to visit with the reader placed
// at its data. Fails at the first refused entry.
Result<QString> walk(const QByteArray& bytes, const std::function<Status(const Entry&, archive*)>& visit) {
    using R = Result<QString>;
    if (bytes.size() > PlugInArchive::MaxArchiveSize) return R::failure(QStringLiteral("the archive is too large"));
    ArchivePtr a = openForReading(bytes);
    if (!a) return R::failure(QStringLiteral("the archive cannot be read"));
    static const QRegularExpression bundleName(QStringLiteral("^[A-Za-z0-9_-]{1,128}\\.fdlplugin$"));
    QString top;
    qint64 unpacked = 0;
    int count = 0;
    archive_entry* raw = nullptr;
    for (;;) {
        const int status = archive_read_next_header(a.get(), &raw);
        if (status == ARCHIVE_EOF) break;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return R::failure(errorOf(a.get()));
        if (++count > PlugInArchive::MaxEntries) return R::failure(QStringLiteral("the archive has too many entries"));
        const Result<Entry> entry = entryOf(raw);
        if (!entry) return R::failure(entry);
        const QString first = entry->path.section(QLatin1Char('/'), 0, 0);
        if (top.isEmpty()) top = first;
        if (first != top || !bundleName.match(top).hasMatch())
            return R::failure(QStringLiteral("%1 is not inside one plug-in bundle folder").arg(entry->path));
        if (entry->path == top && entry->kind != Entry::Kind::Folder)
            return R::failure(QStringLiteral("%1 is not a folder").arg(top));
        unpacked += entry->size;
        if (unpacked > PlugInArchive::MaxUnpackedSize) return R::failure(QStringLiteral("the archive unpacks too large"));
        if (const Status visited = visit(*entry, a.get()); !visited) return R::failure(visited);
    }
    if (top.isEmpty()) return R::failure(QStringLiteral("the archive is empty"));
    return top;
}

Status writeFile(archive* a, const QString& path, const Entry& entry) {
    if (!QDir().mkpath(QFileInfo(path).path())) return Status::failure(QStringLiteral("cannot make the folder of %1").arg(path));
    // A new file only: nothing is written through a link or over another entry.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          entry.executable ? 0755 : 0644);
    if (fd < 0) return Status::failure(QStringLiteral("cannot write %1").arg(entry.path));
    qint64 written = 0;
    char buffer[65536];
    Status result = succeeded();
    for (;;) {
        const la_ssize_t n = archive_read_data(a, buffer, sizeof buffer);
        if (n == 0) break;
        written += n;
        if (n < 0 || written > entry.size || ::write(fd, buffer, size_t(n)) != n) {
            result = Status::failure(n < 0 ? errorOf(a) : QStringLiteral("cannot write %1").arg(entry.path));
            break;
        }
    }
    ::close(fd);
    return result;
}

// Unpacks the checked archive below folder; links come last, so that no
// file is ever written through one.
Status unpack(const QByteArray& bytes, const QString& folder) {
    QList<Entry> links;
    const Result<QString> walked = walk(bytes, [&](const Entry& entry, archive* a) -> Status {
        const QString path = folder + QLatin1Char('/') + entry.path;
        switch (entry.kind) {
        case Entry::Kind::Folder:
            return QDir().mkpath(path) ? succeeded() : Status::failure(QStringLiteral("cannot make %1").arg(entry.path));
        case Entry::Kind::Link: links.append(entry); return succeeded();
        case Entry::Kind::File: return writeFile(a, path, entry);
        }
        return succeeded();
    });
    if (!walked) return Status::failure(walked);
    for (const Entry& link : links) {
        const QString path = folder + QLatin1Char('/') + link.path;
        if (!QDir().mkpath(QFileInfo(path).path()) ||
            ::symlink(QFile::encodeName(link.linkTarget).constData(), QFile::encodeName(path).constData()) != 0)
            return Status::failure(QStringLiteral("cannot make the link %1").arg(link.path));
    }
    return succeeded();
}

}  // namespace

Result<QString> PlugInArchive::check(const QByteArray& archive) {
    return walk(archive, [](const Entry&, struct archive*) { return succeeded(); });
}

Result<QString> PlugInArchive::install(const QByteArray& archive, const QString& plugInsFolder, const QString& name) {
    using R = Result<QString>;
    const Result<QString> top = check(archive);
    if (!top) return top;
    if (*top != name + QLatin1Char('.') + PlugInBundle::Extension)
        return R::failure(QStringLiteral("the archive holds %1 instead of %2.%3").arg(*top, name, PlugInBundle::Extension));
    QTemporaryDir staging(plugInsFolder + QStringLiteral("/.unpacking-XXXXXX"));
    if (!staging.isValid()) return R::failure(QStringLiteral("cannot make a folder in %1").arg(plugInsFolder));
    if (const Status unpacked = unpack(archive, staging.path()); !unpacked) return R::failure(unpacked);
    const QString unpackedBundle = staging.filePath(*top);
    const QString target = plugInsFolder + QLatin1Char('/') + *top;
    const QFileInfo existing(target);
    if ((existing.exists() || existing.isSymLink()) && !removeBundleFolder(target))
        return R::failure(QStringLiteral("cannot remove the installed %1").arg(*top));
    if (!QDir().rename(unpackedBundle, target)) return R::failure(QStringLiteral("cannot move %1 into place").arg(*top));
    return target;
}

namespace {

la_ssize_t appendToByteArray(archive*, void* data, const void* buffer, size_t length) {
    static_cast<QByteArray*>(data)->append(static_cast<const char*>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

Status addEntry(archive* a, const QFileInfo& file, const QString& name) {
    std::unique_ptr<archive_entry, void (*)(archive_entry*)> entry(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_mtime(entry.get(), file.lastModified().toSecsSinceEpoch(), 0);
    QByteArray contents;
    if (file.isSymLink()) {
        archive_entry_set_filetype(entry.get(), AE_IFLNK);
        archive_entry_set_perm(entry.get(), 0755);
        // The link as written, not where it resolves to.
        char target[4096];
        const ssize_t length = ::readlink(QFile::encodeName(file.filePath()).constData(), target, sizeof target - 1);
        if (length < 0) return Status::failure(QStringLiteral("cannot read the link %1").arg(file.filePath()));
        target[length] = '\0';
        archive_entry_set_symlink(entry.get(), target);
    } else if (file.isDir()) {
        archive_entry_set_filetype(entry.get(), AE_IFDIR);
        archive_entry_set_perm(entry.get(), 0755);
    } else {
        QFile source(file.filePath());
        if (!source.open(QIODevice::ReadOnly)) return Status::failure(QStringLiteral("cannot read %1").arg(file.filePath()));
        contents = source.readAll();
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), file.isExecutable() ? 0755 : 0644);
        archive_entry_set_size(entry.get(), contents.size());
    }
    if (archive_write_header(a, entry.get()) != ARCHIVE_OK) return Status::failure(errorOf(a));
    if (!contents.isEmpty() && archive_write_data(a, contents.constData(), size_t(contents.size())) != contents.size())
        return Status::failure(errorOf(a));
    return succeeded();
}

}  // namespace

Result<QByteArray> PlugInArchive::pack(const QString& bundlePath, const QString& name) {
    using R = Result<QByteArray>;
    const QFileInfo bundle(bundlePath);
    if (!bundle.isDir() || bundle.isSymLink() || bundle.suffix() != PlugInBundle::Extension)
        return R::failure(QStringLiteral("%1 is not a plug-in bundle folder").arg(bundlePath));
    QStringList files;
    QDirIterator walker(bundle.filePath(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
    while (walker.hasNext()) files.append(walker.next());
    files.sort();
    QByteArray bytes;
    ArchivePtr a(archive_write_new(), archive_write_free);
    archive_write_add_filter_gzip(a.get());
    archive_write_set_format_pax_restricted(a.get());
    if (archive_write_open(a.get(), &bytes, nullptr, appendToByteArray, nullptr) != ARCHIVE_OK) return R::failure(errorOf(a.get()));
    const QString top = name + QLatin1Char('.') + PlugInBundle::Extension;
    if (const Status added = addEntry(a.get(), bundle, top); !added) return R::failure(added);
    for (const QString& path : files) {
        const QString name = top + path.mid(bundle.filePath().size());
        if (const Status added = addEntry(a.get(), QFileInfo(path), name); !added) return R::failure(added);
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK) return R::failure(errorOf(a.get()));
    // What cannot be installed is not published.
    if (const Result<QString> checked = check(bytes); !checked) return R::failure(checked);
    return bytes;
}

}  // namespace fendle
