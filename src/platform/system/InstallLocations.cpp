#include "platform/system/InstallLocations.h"

#include <QCoreApplication>
#include <QDir>

namespace fendle {

QString InstallLocations::libraryFolder(const QString& programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/../lib/fendle"));
}

QString InstallLocations::libraryFolder() { return libraryFolder(QCoreApplication::applicationDirPath()); }

QString InstallLocations::builtInPlugInsFolder() { return libraryFolder() + QStringLiteral("/PlugIns"); }

QString InstallLocations::fendleLookBundle() { return libraryFolder() + QStringLiteral("/FendleLook.qlgenerator"); }

}  // namespace fendle
