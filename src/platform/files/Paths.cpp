#include "platform/files/Paths.h"

#include "platform/files/PrivateFolder.h"

#include <QDir>
#include <unistd.h>

namespace fendle {

namespace {
QString baseDirectory(const char* variable, const QString& fallbackBelowHome) {
    const QString base = qEnvironmentVariable(variable);
    return base.isEmpty() || !QDir::isAbsolutePath(base) ? QDir::homePath() + fallbackBelowHome : base;
}
}  // namespace

QString Paths::dataHome() { return baseDirectory("XDG_DATA_HOME", QStringLiteral("/.local/share")); }
QString Paths::configHome() { return baseDirectory("XDG_CONFIG_HOME", QStringLiteral("/.config")); }
QString Paths::cacheHome() { return baseDirectory("XDG_CACHE_HOME", QStringLiteral("/.cache")); }

Result<QString> Paths::runtimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && checkPrivateFolder(runtime)) return QDir::cleanPath(runtime);
    const QString own = QDir::tempPath() + QStringLiteral("/fendle-%1").arg(::geteuid());
    if (const Status made = makePrivateFolder(own); !made) return Result<QString>::failure(made);
    return own;
}

}  // namespace fendle
