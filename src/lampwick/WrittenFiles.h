#pragma once
#include "lampwick/CacheFolderListing.h"
#include "plugins/FendlePlugIn.h"

#include <QHash>
#include <QString>

namespace lampwick {

// What this instance wrote into one cache folder: for each cache file what
// the slip held when the file was made and the file's identity on disk right
// after. A slip that holds the same, with its file still on disk as written,
// needs neither its contents made nor its file touched.
class WrittenFiles {
public:
    // The slip as far as its cache file shows it. The text, by far the
    // largest part, is kept as the host's own shared string rather than
    // hashed: an unedited slip hands out the same string, which compares
    // equal at once.
    struct Snapshot {
        size_t fields = 0;
        QString text;
    };
    static Snapshot snapshot(const fendle::plugin::SlipView& slip, const QString& boxPath);

    // Files noted for another folder are forgotten.
    void useFolder(const QString& folder);
    // onDisk is the file's identity as the folder lists it now, if it exists.
    bool unchanged(const QString& name, const Snapshot& slip, const std::optional<FileIdentity>& onDisk) const;
    // The file of this name now holds the contents made from the slip.
    void note(const QString& name, const Snapshot& slip, const std::optional<FileIdentity>& onDisk);

private:
    struct Written {
        Snapshot slip;
        FileIdentity identity;
    };
    QString folder_;
    QHash<QString, Written> files_;
};

}  // namespace lampwick
