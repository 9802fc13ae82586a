#include "platform/files/Paths.h"

#include <QDir>

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

}  // namespace fendle
