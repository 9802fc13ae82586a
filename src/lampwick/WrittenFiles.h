#pragma once
#include "plugins/FendlePlugIn.h"

#include <QHash>
#include <QString>

namespace lampwick {

// What this instance wrote: for each cache file a fingerprint of the slip
// it was made from and the file's identity on disk right after. A slip whose
// fingerprint is unchanged, with its file still on disk as written, needs
// neither its contents made nor its file touched.
class WrittenFiles {
public:
    static size_t fingerprint(const fendle::plugin::SlipView& slip, const QString& boxPath);

    bool unchanged(const QString& path, size_t fingerprint) const;
    // The file at path now holds the contents made from this fingerprint.
    void note(const QString& path, size_t fingerprint);

private:
    struct OnDisk {
        size_t fingerprint = 0;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNanoseconds = 0;
        friend bool operator==(const OnDisk&, const OnDisk&) = default;
    };
    QHash<QString, OnDisk> files_;

    static bool stat(const QString& path, OnDisk& identity);
};

}  // namespace lampwick
