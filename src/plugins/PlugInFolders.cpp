#include "plugins/PlugInFolders.h"

#include "platform/files/Paths.h"
#include "platform/system/InstallLocations.h"
#include "plugins/PlugInBundle.h"

#include <QDir>
#include <QFileInfo>

namespace fendle {

namespace {

// Plug-ins folders are not walked deeper than this.
constexpr int MaxFolderDepth = 8;

void collect(const QString& folder, int depth, QStringList& paths) {
    if (depth > MaxFolderDepth) return;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.suffix() == PlugInBundle::Extension)
            paths.append(entry.filePath());
        else if (!entry.isSymLink())  // linked folders could lead anywhere, or round in a circle
            collect(entry.filePath(), depth + 1, paths);
    }
}

}  // namespace

QStringList PlugInFolders::defaultSearchFolders() {
    QStringList folders{Paths::plugInsFolder()};
    for (const QString& folder : qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))
                                     .split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(folder)) folders.append(folder + QStringLiteral("/fendle/PlugIns"));
    }
    folders.append(InstallLocations::builtInPlugInsFolder());
    return folders;
}

QStringList PlugInFolders::bundlePaths(const QString& folder) {
    QStringList paths;
    collect(folder, 0, paths);
    return paths;
}

}  // namespace fendle
