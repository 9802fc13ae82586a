#include "openmeta/OpenMetaBackupNaming.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

TEST(BackupNamingTest, BytesAboveAsciiHashAsNegativeNumbers) {
    // "ab": h = 97, then 97 * 16 + 98 = 1650; no high bits are ever set.
    EXPECT_EQ(OpenMetaBackupNaming::hashString("ab"), "1650");
    // "é" is C3 A9 in UTF-8, taken as -61 and -87:
    //   h = 0xFFFFFFC3; g = 0xF0000000; h ^= 0xF0 → 0xFFFFFF33; h &= ~g → 0x0FFFFF33
    //   h = 0xFFFFF330 + 0xFFFFFFA9 = 0xFFFFF2D9; h ^= 0xF0 → 0xFFFFF229; h &= ~g → 0x0FFFF229
    // The unsigned form would give 0xC3 * 16 + 0xA9 = 3289.
    EXPECT_EQ(OpenMetaBackupNaming::hashString("\u00e9"), "268431913");
    EXPECT_EQ(OpenMetaBackupNaming::ELFHash(QByteArray("\xc3\xa9")), 0x0FFFF229u);
    EXPECT_EQ(OpenMetaBackupNaming::ELFHash(QByteArray()), 0u);
}

TEST(BackupNamingTest, NamesOfMoreThanFortyCharactersKeepTheirFirstAndLastTwenty) {
    const QString forty = QStringLiteral("abcdefghijklmnopqrst") + QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(OpenMetaBackupNaming::truncatedPathComponent(forty), forty);
    const QString fortyOne = QStringLiteral("abcdefghijklmnopqrst") + "-" + QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(OpenMetaBackupNaming::truncatedPathComponent(fortyOne), forty);
    // Both cuts fall inside a character outside the basic plane (two UTF-16
    // units); each such character is left out whole, never halved.
    const QString apple = QStringLiteral("\U0001F34E");
    const QString split = QString(19, 'a') + apple + apple + QString(19, 'b');
    ASSERT_EQ(split.size(), 42);
    EXPECT_EQ(OpenMetaBackupNaming::truncatedPathComponent(split), QString(19, 'a') + QString(19, 'b'));
}

TEST(BackupNamingTest, TheBackupNameIsTheNameAndTheHashesOfNameAndFolder) {
    const QString name = OpenMetaBackupNaming::calculateBackupFileName("/Users/a/Notes/Notes12.fdlcache");
    EXPECT_EQ(name, "Notes12.fdlcache__" + OpenMetaBackupNaming::hashString("Notes12.fdlcache") + "__" +
                        OpenMetaBackupNaming::hashString("/Users/a/Notes") + ".omback");
    // Same name, other folder: another backup.
    EXPECT_NE(name, OpenMetaBackupNaming::calculateBackupFileName("/Users/b/Notes/Notes12.fdlcache"));
    const QString longName = QString(30, 'n') + QString(30, 'm') + ".fdlcache";
    EXPECT_TRUE(OpenMetaBackupNaming::calculateBackupFileName("/f/" + longName)
                    .startsWith(QString(20, 'n') + QString(11, 'm') + ".fdlcache__" +
                                OpenMetaBackupNaming::hashString(longName) + "__"));
}

TEST(BackupNamingTest, PathsSplitAsTheOtherPlatformSplitsThem) {
    EXPECT_EQ(OpenMetaBackupNaming::folderOfPath("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(OpenMetaBackupNaming::folderOfPath("/a/b/"), "/a");
    EXPECT_EQ(OpenMetaBackupNaming::folderOfPath("/c.txt"), "/");
    EXPECT_EQ(OpenMetaBackupNaming::folderOfPath("c.txt"), "");
    EXPECT_EQ(OpenMetaBackupNaming::lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(OpenMetaBackupNaming::lastPathComponent("/"), "/");
    EXPECT_EQ(OpenMetaBackupNaming::lastPathComponent("c.txt"), "c.txt");
}

TEST(BackupNamingTest, MonthFoldersCountBackOverYearEnds) {
    const QString folder = "/b";
    const QDate january(2009, 1, 15);
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, january, 0), "/b/2009/1");
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, january, 1), "/b/2008/12");
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, january, 13), "/b/2007/12");
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, QDate(2009, 3, 31), 2), "/b/2009/1");
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, QDate(2009, 3, 31), 3), "/b/2008/12");
    // Months after now (a negative count) stay within 1 to 12 as well.
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, QDate(2009, 12, 1), -1), "/b/2010/1");
    EXPECT_EQ(OpenMetaBackupNaming::monthFolder(folder, january, 1200), "/b/1909/1");
}

}  // namespace
