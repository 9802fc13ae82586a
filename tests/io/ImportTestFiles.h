#pragma once
#include "support/BuildPaths.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace fendle::test {

// The hand-written files of tests/io/data.
inline QString importDataPath(const QString& name) { return sourceFolder() + QStringLiteral("/tests/io/data/") + name; }

inline QString welcomeBoxPath() { return sourceFolder() + QStringLiteral("/examples/Welcome.fendle"); }

inline QString writeTestFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

}  // namespace fendle::test
