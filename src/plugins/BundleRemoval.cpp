#include "plugins/BundleRemoval.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fendle {

bool removeBundleFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir()) return QFile::remove(path);
    // Qt removes links inside the folder as links.
    return QDir(path).removeRecursively();
}

}  // namespace fendle
