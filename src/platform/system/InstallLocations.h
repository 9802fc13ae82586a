#pragma once
#include <QString>

namespace fendle {

// Where an installed program finds what ships beside it. Programs live in
// PREFIX/bin and their companions in PREFIX/lib/fendle; the build tree keeps
// the same layout, so nothing depends on the prefix chosen at install time.
class InstallLocations {
public:
    // PREFIX/lib/fendle, taken from the folder of the running program.
    static QString libraryFolder();
    // The plug-ins that ship with the program.
    static QString builtInPlugInsFolder();
    // The preview and thumbnail generator bundle.
    static QString fendleLookBundle();

    // The same, below a given folder of programs.
    static QString libraryFolder(const QString& programFolder);
};

}  // namespace fendle
