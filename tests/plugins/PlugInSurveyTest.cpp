#include "PlugInFixture.h"
#include "plugins/PlugInSurvey.h"

namespace fendle::test {
namespace {

using PlugInSurveyTest = PlugInFixture;

TEST_F(PlugInSurveyTest, EveryBundleIsListedWithWhyItWouldNotLoadAndNothingIsAskedOrRemoved) {
    const QString menus = install("Menus", userFolder);
    const QString twin = install("Menus", localFolder);
    const QString lampwick = install("Lampwick", userFolder);
    const QString beacon = install("Beacon", localFolder);
    const QString refusing = install("Refusing", localFolder);
    setRequiredVersion(refusing, "9");
    saveTable({MenusIdentifier, LampwickIdentifier, BeaconIdentifier, "com.quorvel.fendle.testrefusing"});

    const QList<PlugInSurvey::Entry> entries =
        PlugInSurvey::survey({userFolder, localFolder}, Defaults::standard(), QStringLiteral("1.0"));
    QStringList seen;
    for (const PlugInSurvey::Entry& entry : entries) seen.append(entry.path + " " + entry.problem);
    EXPECT_EQ(seen, (QStringList{
                        lampwick + " ",
                        menus + " ",
                        beacon + " com.quorvel.fendle.revadizozaroriv already provides SpotlightProtocol",
                        twin + " installed twice, also at " + menus,
                        refusing + " needs Fendle 9 or later",
                    }));
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(twin));
    EXPECT_EQ(entries.at(0).name, "Duzodu Vurizodar Uvadederu");
    EXPECT_TRUE(entries.at(0).load);
}

}  // namespace
}  // namespace fendle::test
