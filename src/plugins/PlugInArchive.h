#pragma once
#include "platform/system/Result.h"

#include <QByteArray>
#include <QString>

namespace fendle {

// A plug-in archive, "NAME.tgz": a gzip-compressed tar holding the bundle
// folder "NAME.fdlplugin" at its top. Archives come from servers, so an
// archive is checked whole before anything is written: every entry must lie
// inside that one folder (no absolute paths, no "..", no links that lead up
// or out, no devices, pipes or hard links), and entry count and unpacked
// size are capped. A refused archive writes nothing.
class PlugInArchive {
public:
    static constexpr qint64 MaxArchiveSize = qint64(64) << 20;
    static constexpr qint64 MaxUnpackedSize = qint64(256) << 20;
    static constexpr int MaxEntries = 4096;
    static constexpr int MaxPathLength = 1024;

    // The bundle folder's name ("NAME.fdlplugin"), or why the archive is refused.
    static Result<QString> check(const QByteArray& archive);
    // Checks that the archive holds "NAME.fdlplugin", unpacks it into a fresh
    // folder inside the plug-ins folder, then puts the bundle in place of an
    // installed copy. The old copy's files are
    // unlinked, never overwritten, so a running plug-in's code stays intact.
    // Answers the installed bundle's path.
    static Result<QString> install(const QByteArray& archive, const QString& plugInsFolder, const QString& name);
    // The archive of a bundle folder, as it is published: the folder is
    // named "NAME.fdlplugin" in it, whatever its name on disk.
    static Result<QByteArray> pack(const QString& bundlePath, const QString& name);
};

}  // namespace fendle
