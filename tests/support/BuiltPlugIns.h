#pragma once
#include "support/BuildPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace fendle::test {

// A plug-in bundle the build made: Lampwick in the built-in plug-ins
// folder, the others among the test bundles.
inline QString builtPlugIn(const QString& name) {
    return name == QLatin1String("Lampwick") ? binaryFolder() + "/lib/fendle/PlugIns/Lampwick.fdlplugin"
                                             : binaryFolder() + "/tests/plugin-bundles/" + name + ".fdlplugin";
}

// A copy of a built bundle in the folder, as a user installs one; answers its path.
inline QString installPlugIn(const QString& name, const QString& folder) {
    const QString source = builtPlugIn(name);
    const QString target = folder + "/" + name + ".fdlplugin";
    QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString copy = target + file.mid(source.size());
        QDir().mkpath(QFileInfo(copy).path());
        EXPECT_TRUE(QFile::copy(file, copy)) << copy.toStdString();
    }
    return target;
}

}  // namespace fendle::test
