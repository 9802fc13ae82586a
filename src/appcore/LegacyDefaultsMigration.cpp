#include "appcore/LegacyDefaultsMigration.h"

#include "platform/system/Log.h"

#include <QFile>

namespace fendle {

bool migrateLegacyDefaults(Defaults& target, const QString& folder) {
    Defaults legacy(Defaults::LegacyDomain, folder);
    if (legacy.persistentDomain().empty()) return false;
    for (const auto& [key, value] : legacy.persistentDomain()) target.setObject(key, value);
    if (!target.synchronize()) {
        // Keep the old domain so that nothing is lost; the next start tries again.
        logLine(QStringLiteral("Defaults: could not write the migrated settings"));
        return false;
    }
    const QString recentLists = QStringLiteral("%1/%2.LSSharedFileList.plist");
    QFile::rename(recentLists.arg(folder, Defaults::LegacyDomain), recentLists.arg(folder, Defaults::Domain));
    legacy.removePersistentDomain();
    return true;
}

}  // namespace fendle
