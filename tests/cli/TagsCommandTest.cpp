#include "openmeta/OpenMetaBackupNaming.h"
#include "platform/files/ExtendedAttributes.h"
#include "support/AttributeTestFolder.h"

#include <QDate>
#include <QDir>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

using namespace fendle;

namespace {

class TagsCommandTest : public ::testing::Test {
protected:
    test::AttributeTestFolder folder;
    QByteArray oldData = qgetenv("XDG_DATA_HOME");
    QString file;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SKIP_WITHOUT_USER_ATTRIBUTES(folder);
        // The command inherits the environment: its backups land here.
        qputenv("XDG_DATA_HOME", folder.filePath("data").toUtf8());
        file = folder.makeFile("Notes12.fdlcache");
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", oldData); }
};

TEST_F(TagsCommandTest, SetTagsAreCleanedPrintedAndBackedUpBeforeTheCommandEnds) {
    const CliTextOutcome set = runCliForText({"tags", file, "--set", "Pear, pear,Plum,,Caf\u00e9"});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_TRUE(set.out.isEmpty());
    const CliTextOutcome printed = runCliForText({"tags", file});
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out, "pear\nPlum\nCafe\u0301\n");
    EXPECT_EQ(ExtendedAttributes::get(file, "xdg.tags").bytes, QByteArray("pear,Plum,Cafe\xcc\x81"));
    EXPECT_TRUE(ExtendedAttributes::get(file, "org.openmetainfo:kMDItemOMManaged").bytes.has_value());

    // The process has ended, so its backup was written before it did.
    const QDir month(folder.filePath("data/OpenMeta/backups/%1/%2")
                         .arg(QDate::currentDate().year())
                         .arg(QDate::currentDate().month()));
    EXPECT_TRUE(month.exists(OpenMetaBackupNaming::calculateBackupFileName(file)));
}

TEST_F(TagsCommandTest, AnEmptySetClearsTheTagsAndAFileWithoutTagsPrintsNothing) {
    EXPECT_EQ(runCliForText({"tags", file}).out, "");
    ASSERT_EQ(runCliForText({"tags", file, "--set", "a,b"}).status, 0);
    const CliTextOutcome cleared = runCliForText({"tags", file, "--set", ""});
    ASSERT_EQ(cleared.status, 0) << cleared.err.toStdString();
    const CliTextOutcome printed = runCliForText({"tags", file});
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out, "");
    EXPECT_FALSE(ExtendedAttributes::get(file, "xdg.tags").bytes.has_value());
}

TEST_F(TagsCommandTest, FailuresNameTheFileAndTheReason) {
    const QString gone = folder.filePath("gone.fdlcache");
    for (const QStringList& arguments : {QStringList{"tags", gone}, QStringList{"tags", gone, "--set", "a"}}) {
        const CliTextOutcome outcome = runCliForText(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.contains(gone)) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains(QString::fromLocal8Bit(std::strerror(ENOENT)))) << outcome.err.toStdString();
    }
    ASSERT_TRUE(ExtendedAttributes::set(file, "org.openmetainfo:kMDItemOMUserTags", "no list").ok);
    EXPECT_EQ(runCliForText({"tags", file}).status, 2);
    EXPECT_EQ(runCliForText({"tags"}).status, 2);
    EXPECT_EQ(runCliForText({"tags", file, "--add", "a"}).status, 2);
}

}  // namespace
