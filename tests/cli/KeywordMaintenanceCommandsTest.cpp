#include "cli/CliRunner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A new box (slip 1, empty) with slips 2..4 keyworded "a, b", "b" and "c".
class KeywordMaintenanceCommands : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString box = dir.filePath("Keywords.fendle");

    void SetUp() override {
        ASSERT_EQ(runCliForText({"new", box}).status, 0);
        for (const QString& keywords : {"a, b", "b", "c"})
            ASSERT_EQ(runCliForText({"add", box, "--text", "Rome, 1850: a city", "--keywords", keywords}).status, 0);
    }
};
}  // namespace

TEST_F(KeywordMaintenanceCommands, SingletonsAndOrphans) {
    const CliTextOutcome singletons = runCliForText({"singletons", box});
    ASSERT_EQ(singletons.status, 0) << singletons.err.toStdString();
    EXPECT_EQ(singletons.out, "a\t2\nc\t4\n");
    const CliTextOutcome orphans = runCliForText({"orphans", box});
    ASSERT_EQ(orphans.status, 0) << orphans.err.toStdString();
    EXPECT_EQ(orphans.out, "no keywords\t1\nno slip scents\t4\n");
}

TEST_F(KeywordMaintenanceCommands, StatsPrintsThirteenFigures) {
    const CliTextOutcome stats = runCliForText({"stats", box});
    ASSERT_EQ(stats.status, 0) << stats.err.toStdString();
    const QStringList lines = stats.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "number of slips: 4");
    EXPECT_EQ(lines[1], "number of keywords: 3");
    EXPECT_EQ(lines[2], "number of words: 12");
    EXPECT_EQ(lines[5], "average keywords per slip: 0.75");
    EXPECT_EQ(lines[12], "average slip scents per keyword: 0.67");
}

TEST_F(KeywordMaintenanceCommands, StatsOfABoxWithoutKeywordsShowsInf) {
    QTemporaryDir other;
    const QString bare = other.filePath("Bare.fendle");
    ASSERT_EQ(runCliForText({"new", bare}).status, 0);
    const CliTextOutcome stats = runCliForText({"stats", bare});
    EXPECT_TRUE(stats.out.contains("average slips per keyword: inf\n")) << stats.out.toStdString();
    EXPECT_TRUE(stats.out.contains("average words per keyword: nan\n")) << stats.out.toStdString();
}

TEST_F(KeywordMaintenanceCommands, ReplaceKeywordSavesAndCounts) {
    const CliTextOutcome replaced = runCliForText({"replace-keyword", box, "b", "beta"});
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.out, "2\n");
    EXPECT_EQ(runCliForText({"keywords", box}).out, "a\nbeta\nc\n");
    EXPECT_EQ(runCliForText({"replace-keyword", box, "nowhere", "x"}).out, "0\n");
    EXPECT_EQ(runCliForText({"replace-keyword", box, "b"}).status, 2);
    EXPECT_EQ(runCliForText({"replace-keyword", dir.filePath("missing.fendle"), "a", "b"}).status, 2);
}
