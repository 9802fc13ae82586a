#include "ControllerFixture.h"
#include "openmeta/OpenMetaBackup.h"
#include "openmeta/OpenMetaBackupNaming.h"
#include "openmeta/OpenMetaController.h"
#include "support/AttributeTestFolder.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class QuitWaitsForBackupsTest : public ControllerFixture {
protected:
    AttributeTestFolder folder;
    void SetUp() override {
        ControllerFixture::SetUp();
        coreApplication();
        ASSERT_TRUE(folder.isValid());
        SKIP_WITHOUT_USER_ATTRIBUTES(folder);
        qputenv("XDG_DATA_HOME", folder.filePath("data").toUtf8());
    }
    void TearDown() override {
        EXPECT_TRUE(OpenMetaBackup::sharedInstance().waitUntilIdle(std::chrono::seconds(20)));
        ControllerFixture::TearDown();
    }
};

TEST_F(QuitWaitsForBackupsTest, AQuitRightAfterTaggingStillWritesTheBackups) {
    QStringList files;
    for (int i = 1; i <= 3; ++i) {
        files.append(folder.makeFile(QStringLiteral("%1.fdlcache").arg(i)));
        EXPECT_FALSE(OpenMetaController().setUserTags({"Pear"}, files.last()).has_value());
    }
    EXPECT_TRUE(app->applicationShouldTerminate());
    const QDir month(OpenMetaBackup::sharedInstance().backupPathForMonthsBeforeNow(0));
    EXPECT_TRUE(month.path().startsWith(folder.path()));
    for (const QString& file : files)
        EXPECT_TRUE(month.exists(OpenMetaBackupNaming::calculateBackupFileName(file))) << file.toStdString();
}

}  // namespace
