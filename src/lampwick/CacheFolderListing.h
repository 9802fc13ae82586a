#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace lampwick {

// Where a file lives on disk. Cache files are always replaced by renaming a
// new file over them, so a file still has the identity it had after the
// last write exactly when nobody replaced or removed it since.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;

    static std::optional<FileIdentity> of(const QString& path);
};

// The cache folder as one pass over its directory entries finds it: every
// entry by its path relative to the folder, with its identity. Reading the
// identities from the directory spares one stat per slip, which on a box of
// 100,000 slips is most of a generation that changes nothing.
class CacheFolderListing {
public:
    static CacheFolderListing read(const QString& folder);

    std::optional<FileIdentity> identityOf(const QString& relativePath) const;
    QStringList relativePaths() const { return entries_.keys(); }

private:
    QHash<QString, FileIdentity> entries_;

    void readFolder(int folderDescriptor, quint64 device, const QString& relativeFolder, int depth);
};

}  // namespace lampwick
