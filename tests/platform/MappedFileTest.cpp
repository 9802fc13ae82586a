#include "TestFile.h"
#include "platform/files/MappedFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace fendle;

namespace {
QByteArray patterned(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 13 + i / 4099);
    return bytes;
}

// Touches every page, as a reader would.
quint64 checksum(const QByteArray& bytes) {
    quint64 sum = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 512) sum = sum * 31 + static_cast<uchar>(bytes[i]);
    return sum;
}
}  // namespace

TEST(MappedFile, GivesTheFileBytesAndKeepsThemReadableAfterReleasingPages) {
    QTemporaryDir dir;
    const QByteArray content = patterned(5 * 1024 * 1024 + 123);
    auto file = MappedFile::open(test::writeTestFile(dir, "f", content), 1 << 24);
    ASSERT_TRUE(file.ok()) << file.error().toStdString();
    EXPECT_EQ((*file)->size(), content.size());
    EXPECT_EQ((*file)->bytes(), content);
    (*file)->releaseResidentPages();
    MappedFile::releaseResidentPagesAt((*file)->bytes().constData() + 4096);
    EXPECT_EQ((*file)->bytes(), content);
    EXPECT_FALSE((*file)->wasCut());
}

TEST(MappedFile, EmptyTooLargeMissingAndFolderPaths) {
    QTemporaryDir dir;
    auto empty = MappedFile::open(test::writeTestFile(dir, "empty", QByteArray()), 100);
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE((*empty)->bytes().isEmpty());
    EXPECT_FALSE(MappedFile::open(test::writeTestFile(dir, "big", QByteArray(101, 'a')), 100).ok());
    const auto missing = MappedFile::open(dir.filePath("none"), 100);
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains("none"));
    EXPECT_FALSE(MappedFile::open(dir.path(), 100).ok());
    // An address outside any mapping is left alone.
    int local = 0;
    MappedFile::releaseResidentPagesAt(&local);
}

TEST(MappedFile, AFileCutShortWhileMappedReadsZerosInsteadOfStoppingTheProgram) {
    QTemporaryDir dir;
    const QByteArray content = patterned(256 * 1024);
    const QString path = test::writeTestFile(dir, "cut", content);
    auto file = MappedFile::open(path, 1 << 24);
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(truncate(QFile::encodeName(path).constData(), 4096), 0);
    const QByteArray bytes = (*file)->bytes();
    EXPECT_EQ(bytes.left(4096), content.left(4096));
    EXPECT_EQ(bytes.at(200 * 1024), '\0');
    (void)checksum(bytes);
    EXPECT_TRUE((*file)->wasCut());
    // Another mapping of the same file is not marked.
    auto again = MappedFile::open(path, 1 << 24);
    ASSERT_TRUE(again.ok());
    EXPECT_FALSE((*again)->wasCut());
}

TEST(MappedFile, ReadMappedFileFailsWhenTheFileIsCutDuringTheRead) {
    QTemporaryDir dir;
    const QByteArray content = patterned(128 * 1024);
    const QString path = test::writeTestFile(dir, "f", content);
    const auto whole = readMappedFile<quint64>(path, 1 << 24, [](const QByteArray& bytes) {
        return Result<quint64>(checksum(bytes));
    });
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(*whole, checksum(content));
    const auto cut = readMappedFile<quint64>(path, 1 << 24, [&path](const QByteArray& bytes) {
        EXPECT_EQ(truncate(QFile::encodeName(path).constData(), 0), 0);
        return Result<quint64>(checksum(bytes));
    });
    ASSERT_FALSE(cut.ok());
    EXPECT_TRUE(cut.error().contains("changed by another program"));
}
