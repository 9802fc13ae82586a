#include "app/program/ThemeIcons.h"

#include <QStandardPaths>

namespace fendle {

namespace {
const QString FallbackTheme = QStringLiteral("breeze");
}

void ThemeIcons::install() {
    // Platforms without a desktop theme look only in the resources; the
    // themes live in the data folders' "icons" (XDG_DATA_DIRS).
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory))
        if (!paths.contains(folder)) paths.append(folder);
    QIcon::setThemeSearchPaths(paths);
    QIcon::setFallbackThemeName(FallbackTheme);
    // "hicolor" holds program icons only: no actions to show.
    const QString current = QIcon::themeName();
    if (current.isEmpty() || current == QLatin1String("hicolor")) QIcon::setThemeName(FallbackTheme);
}

QIcon ThemeIcons::icon(const QStringList& names) {
    for (const QString& name : names)
        if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
    return {};
}

}  // namespace fendle
