#include "io/NumberedFilename.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendle;

namespace {
void touch(const QString& path) { QFile(path).open(QIODevice::WriteOnly); }
}  // namespace

TEST(NumberedFilename, NumbersUntilAFreeNameTurnsUp) {
    QTemporaryDir dir;
    const QString notes = dir.filePath(QStringLiteral("Notes.rtf"));
    touch(notes);
    EXPECT_EQ(numberedFilenameForFilename(notes), dir.filePath(QStringLiteral("Notes-1.rtf")));
    touch(dir.filePath(QStringLiteral("Notes-1.rtf")));
    EXPECT_EQ(numberedFilenameForFilename(notes), dir.filePath(QStringLiteral("Notes-2.rtf")));
    EXPECT_EQ(numberedFilenameForFilename(dir.filePath(QStringLiteral("Notes-3.rtf"))),
              dir.filePath(QStringLiteral("Notes-4.rtf")));
    touch(dir.filePath(QStringLiteral("Notes-4.rtf")));
    EXPECT_EQ(numberedFilenameForFilename(dir.filePath(QStringLiteral("Notes-3.rtf"))),
              dir.filePath(QStringLiteral("Notes-5.rtf")));
}

TEST(NumberedFilename, DashesThatAreNoNumbers) {
    QTemporaryDir dir;
    EXPECT_EQ(numberedFilenameForFilename(dir.filePath(QStringLiteral("My-Notes.rtfd"))),
              dir.filePath(QStringLiteral("My-Notes-1.rtfd")));
    EXPECT_EQ(numberedFilenameForFilename(dir.filePath(QStringLiteral("Notes-0.rtf"))),
              dir.filePath(QStringLiteral("Notes-0-1.rtf")));
    EXPECT_EQ(numberedFilenameForFilename(dir.filePath(QStringLiteral("2024.rtf"))),
              dir.filePath(QStringLiteral("2024-1.rtf"))) << "a name that is only a number keeps it";
    EXPECT_EQ(numberedFilenameForFilename(dir.filePath(QStringLiteral("Notes"))), dir.filePath(QStringLiteral("Notes-1")));
}

TEST(NumberedFilename, TheFolderIsNeverRenumbered) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("export-7"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(numberedFilenameForFilename(folder + QStringLiteral("/Notes.rtf")), folder + QStringLiteral("/Notes-1.rtf"));
}
