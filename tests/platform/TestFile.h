#pragma once
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace fendle::test {

// Writes bytes to a file of the folder and answers its path.
inline QString writeTestFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

}  // namespace fendle::test
