#pragma once
#include <QStringList>

namespace fendle {

// Where plug-in bundles are looked for, and the bundle folders in them.
class PlugInFolders {
public:
    // The user's folder, "fendle/PlugIns" in each folder of $XDG_DATA_DIRS,
    // then the folder beside the program.
    static QStringList defaultSearchFolders();
    // Every "*.fdlplugin" folder below the folder, by name; linked folders
    // are not entered and the walk stops a few levels down.
    static QStringList bundlePaths(const QString& folder);
};

}  // namespace fendle
