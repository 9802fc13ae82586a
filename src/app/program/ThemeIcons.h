#pragma once
#include <QIcon>
#include <QStringList>

namespace fendle {

// Icons by their freedesktop names from the desktop's icon theme. Where the
// platform names no theme (offscreen, a bare X server) the Breeze theme that
// scripts/install-deps.sh installs stands in, so the toolbar never falls
// back to bare glyphs.
class ThemeIcons {
public:
    // Once, before the first window is made.
    static void install();
    // The first of the names the theme knows; a null icon when none.
    static QIcon icon(const QStringList& names);
    static QIcon icon(const QString& name) { return icon(QStringList{name}); }
};

}  // namespace fendle
