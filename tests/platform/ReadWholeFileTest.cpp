#include "TestFile.h"
#include "platform/files/AtomicFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

TEST(ReadWholeFile, ReadsEveryByteOfSmallLargeAndEmptyFiles) {
    QTemporaryDir dir;
    QByteArray large(3 * 1024 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 + i / 251);
    for (const QByteArray& bytes : {QByteArray(), QByteArray("x"), large}) {
        const auto read = readWholeFile(test::writeTestFile(dir, "f", bytes), 1 << 24);
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
        EXPECT_EQ(*read, bytes);
    }
}

TEST(ReadWholeFile, RefusesFilesOverTheLimitAndMissingOnes) {
    QTemporaryDir dir;
    const QString path = test::writeTestFile(dir, "big", QByteArray(1000, 'a'));
    EXPECT_FALSE(readWholeFile(path, 999).ok());
    EXPECT_TRUE(readWholeFile(path, 1000).ok());
    const auto missing = readWholeFile(dir.filePath("none"), 1000);
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains("none"));
}
