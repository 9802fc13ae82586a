#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(FENDLE_CLI_PATH), arguments);
    const bool finished = process.waitForFinished(20000);
    EXPECT_TRUE(finished) << "fendle-cli did not finish in time";
    if (!finished) process.kill();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A new box (slip 1, empty) with slips 2..4 keyworded "a, b", "b" and "c".
class KeywordMaintenanceCommands : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString box = dir.filePath("Keywords.fendle");

    void SetUp() override {
        ASSERT_EQ(runCli({"new", box}).status, 0);
        for (const QString& keywords : {"a, b", "b", "c"})
            ASSERT_EQ(runCli({"add", box, "--text", "Rome, 1850: a city", "--keywords", keywords}).status, 0);
    }
};
}  // namespace

TEST_F(KeywordMaintenanceCommands, SingletonsAndOrphans) {
    const Outcome singletons = runCli({"singletons", box});
    ASSERT_EQ(singletons.status, 0) << singletons.err.toStdString();
    EXPECT_EQ(singletons.out, "a\t2\nc\t4\n");
    const Outcome orphans = runCli({"orphans", box});
    ASSERT_EQ(orphans.status, 0) << orphans.err.toStdString();
    EXPECT_EQ(orphans.out, "no keywords\t1\nno slip scents\t4\n");
}

TEST_F(KeywordMaintenanceCommands, StatsPrintsThirteenFigures) {
    const Outcome stats = runCli({"stats", box});
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
    ASSERT_EQ(runCli({"new", bare}).status, 0);
    const Outcome stats = runCli({"stats", bare});
    EXPECT_TRUE(stats.out.contains("average slips per keyword: inf\n")) << stats.out.toStdString();
    EXPECT_TRUE(stats.out.contains("average words per keyword: nan\n")) << stats.out.toStdString();
}

TEST_F(KeywordMaintenanceCommands, ReplaceKeywordSavesAndCounts) {
    const Outcome replaced = runCli({"replace-keyword", box, "b", "beta"});
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.out, "2\n");
    EXPECT_EQ(runCli({"keywords", box}).out, "a\nbeta\nc\n");
    EXPECT_EQ(runCli({"replace-keyword", box, "nowhere", "x"}).out, "0\n");
    EXPECT_EQ(runCli({"replace-keyword", box, "b"}).status, 2);
    EXPECT_EQ(runCli({"replace-keyword", dir.filePath("missing.fendle"), "a", "b"}).status, 2);
}
