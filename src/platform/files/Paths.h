#pragma once
#include "platform/system/Result.h"

#include <QString>

namespace fendle {

// Every folder the program keeps files in, after the freedesktop base
// directories: an unset or relative variable falls back to its default
// below the home folder.
class Paths {
public:
    static QString dataHome();    // $XDG_DATA_HOME, ~/.local/share
    static QString configHome();  // $XDG_CONFIG_HOME, ~/.config
    static QString cacheHome();   // $XDG_CACHE_HOME, ~/.cache
    // The user's private folder for sockets: $XDG_RUNTIME_DIR when it is a
    // folder only the user can enter, else "fendle-<uid>" in the temporary
    // folder, made with mode 0700. A folder that fails the check (another
    // user made it first, or opened it) is refused, never used.
    static Result<QString> runtimeFolder();

    // The per-user application support folder of the other platform.
    static QString applicationSupportFolder() { return dataHome(); }
    static QString fendleDataFolder() { return dataHome() + QStringLiteral("/Fendle"); }
    static QString plugInsFolder() { return fendleDataFolder() + QStringLiteral("/PlugIns"); }
    // Autosaved copies of boxes with unsaved changes.
    static QString autosaveFolder() { return fendleDataFolder() + QStringLiteral("/Autosave"); }
    // The scratch copy used when rich text with attachments is re-read.
    static QString tempRtfdFile() { return fendleDataFolder() + QStringLiteral("/Fendle_tmp.rtfd"); }
    // The defaults store's folder.
    static QString configFolder() { return configHome() + QStringLiteral("/fendle"); }
    // The cache files of the slips, for desktop search.
    static QString spotlightCacheFolder() { return cacheHome() + QStringLiteral("/Metadata/Fendle/"); }
};

}  // namespace fendle
