#include "lampwick/CacheFolderListing.h"

#include <QFile>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lampwick {

namespace {
// Deeper folders are not ours: the walk stops there rather than recurse
// without end through whatever somebody put into the cache folder.
constexpr int MaximumDepth = 16;
}  // namespace

std::optional<FileIdentity> FileIdentity::of(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
}

CacheFolderListing CacheFolderListing::read(const QString& folder) {
    CacheFolderListing listing;
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return listing;
    struct stat info {};
    if (::fstat(descriptor, &info) == 0) listing.readFolder(descriptor, info.st_dev, QString(), 0);
    ::close(descriptor);
    return listing;
}

std::optional<FileIdentity> CacheFolderListing::identityOf(const QString& relativePath) const {
    const auto found = entries_.constFind(relativePath);
    if (found == entries_.cend()) return std::nullopt;
    return *found;
}

void CacheFolderListing::readFolder(int folderDescriptor, quint64 device, const QString& relativeFolder, int depth) {
    DIR* directory = ::fdopendir(::dup(folderDescriptor));
    if (!directory) return;
    while (const dirent* entry = ::readdir(directory)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        const QString relative = relativeFolder + QFile::decodeName(name);
        entries_.insert(relative, FileIdentity{device, quint64(entry->d_ino)});
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = ::fstatat(folderDescriptor, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
        }
        if (!isFolder || depth + 1 >= MaximumDepth) continue;
        // O_NOFOLLOW: a link inside the folder never leads the walk out of it.
        const int child = ::openat(folderDescriptor, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0) continue;
        struct stat info {};
        if (::fstat(child, &info) == 0) readFolder(child, info.st_dev, relative + QLatin1Char('/'), depth + 1);
        ::close(child);
    }
    ::closedir(directory);
}

}  // namespace lampwick
