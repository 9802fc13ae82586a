#include "PlugInFixture.h"
#include "plugins/BundleRemoval.h"
#include "plugins/VersionNumber.h"

namespace fendle::test {
namespace {

using PlugInLoadingTest = PlugInFixture;

TEST_F(PlugInLoadingTest, WithoutASavedTableOnlyTheSpotlightPlugInLoads) {
    install("Menus", userFolder);
    install("Lampwick", userFolder);
    install("Beacon", localFolder);
    auto plugIns = host();
    plugIns->prepareAndLoadPlugIns();
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{LampwickIdentifier});
    EXPECT_TRUE(plugIns->spotlightInterface());
    EXPECT_TRUE(log.contains("loaded plug-ins: (com.quorvel.fendle.revadizozaroriv)")) << log.join("\n").toStdString();
}

TEST_F(PlugInLoadingTest, ABundleFoundTwiceIsAskedForOnceAndOneCopyStays) {
    const QString first = install("Menus", userFolder);
    const QString second = install("Menus", localFolder);
    ui.answers = {1};
    auto plugIns = host();
    EXPECT_EQ(plugIns->availablePlugIns(), QStringList{second});
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0].message, "Plug-in \"com.quorvel.fendle.testmenus\" is installed twice!");
    EXPECT_EQ(ui.questions[0].informativeText, "Do you want to keep \r1. " + first + "\r2. " + second +
                                                   "\rThe other plug-in will be deleted from your system.");
    EXPECT_EQ(ui.questions[0].buttons, (QStringList{"1", "2"}));
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(second));
    EXPECT_EQ(plugIns->identifiersOfLocalPlugins(), QStringList{MenusIdentifier});
    EXPECT_EQ(ui.questions.size(), 1);
}

TEST_F(PlugInLoadingTest, VersionsCompareComponentByComponent) {
    EXPECT_TRUE(versionNumber("1.0.3", "1.0"));
    EXPECT_FALSE(versionNumber("1.0.9", "1.1"));
    EXPECT_TRUE(versionNumber("1.0", "0.9.7"));
    EXPECT_TRUE(versionNumber("1.2.1", "1.2"));
    EXPECT_TRUE(versionNumber("1.2", "1.2.0"));
    EXPECT_TRUE(versionNumber("2.0", "1.5"));
    EXPECT_FALSE(versionNumber("1.4.9", "1.5"));
    EXPECT_TRUE(versionNumber("10b", "9"));
}

struct VersionCase {
    const char* required;
    const char* application;
    bool loads;
    friend void PrintTo(const VersionCase& c, std::ostream* os) {
        *os << "requires " << c.required << " of " << c.application;
    }
};

class RequiredVersionTest : public PlugInFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(RequiredVersionTest, AnOlderProgramAsksWhetherToDeleteThePlugIn) {
    const QString bundle = install("Menus", userFolder);
    setRequiredVersion(bundle, GetParam().required);
    saveTable({MenusIdentifier});
    ui.answers = {1};  // Cancel: keep it
    auto plugIns = host(GetParam().application);
    plugIns->prepareAndLoadPlugIns();
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns().contains(MenusIdentifier), GetParam().loads);
    EXPECT_EQ(ui.questions.size(), GetParam().loads ? 0 : 1);
    EXPECT_TRUE(QFileInfo::exists(bundle));
}

INSTANTIATE_TEST_SUITE_P(Versions, RequiredVersionTest,
                         ::testing::Values(VersionCase{"1.0", "1.0.3", true}, VersionCase{"1.1", "1.0.9", false},
                                           VersionCase{"0.9.7", "1.0", true}));

TEST_F(PlugInLoadingTest, TheDeleteQuestionRemovesTheTooNewPlugIn) {
    const QString bundle = install("Menus", userFolder);
    setRequiredVersion(bundle, "1.1");
    saveTable({MenusIdentifier});
    ui.answers = {0};
    auto plugIns = host("1.0.9");
    plugIns->prepareAndLoadPlugIns();
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0].message, "The \"Test Menus\" plug-in cannot be loaded.");
    EXPECT_EQ(ui.questions[0].informativeText,
              "This bundle requres Fendle version 1.1 or higher. You are using version 1.0.9.\n\nDo you want to delete "
              "the plug-in?");
    EXPECT_FALSE(QFileInfo::exists(bundle));
    EXPECT_TRUE(plugIns->identifiersOfLoadedPlugIns().isEmpty());
    EXPECT_TRUE(log.contains("Could not load plug-in com.quorvel.fendle.testmenus: required version: 1.1; application "
                             "version: 1.0.9"));
}

TEST_F(PlugInLoadingTest, TheFirstSpotlightPlugInInSearchOrderOwnsTheProtocol) {
    install("Beacon", userFolder);
    install("Lampwick", localFolder);
    saveTable({LampwickIdentifier, BeaconIdentifier});
    auto plugIns = host();
    EXPECT_EQ(plugIns->preparePlugins(), QStringList{BeaconIdentifier});
    plugIns->prepareAndLoadPlugIns();
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{BeaconIdentifier});
}

TEST_F(PlugInLoadingTest, PlugInsThatRefuseOrAreNoPlugInsAreNotLoaded) {
    install("Refusing", userFolder);
    const QString plain = install("Plain", userFolder);
    install("Menus", userFolder);
    saveTable({"com.quorvel.fendle.testrefusing", "com.quorvel.fendle.testplain", MenusIdentifier});
    auto plugIns = host();
    plugIns->prepareAndLoadPlugIns();
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{MenusIdentifier});
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const QString& line) {
        return line.startsWith("PlugInController:preparePlugins: cannot load " + plain);
    })) << log.join("\n").toStdString();
}

TEST_F(PlugInLoadingTest, HostileBundlesAreSkippedWithALogLine) {
    QDir().mkpath(userFolder + "/NoInfo.fdlplugin/Contents");
    writeInfo(install("Menus", userFolder + "/array"), "<plist><array/></plist>");
    writeInfo(install("Menus", userFolder + "/typed"),
              "<plist><dict><key>CFBundleIdentifier</key><integer>7</integer></dict></plist>");
    writeInfo(install("Menus", userFolder + "/huge"), QByteArray(PlugInBundle::MaxInfoSize + 1, ' '));
    // An Info file and a library that lead out of their bundles.
    const QString outsideInfo = install("Beacon", dir.path() + "/outside");
    const QString linkedInfo = install("Beacon", userFolder + "/linked");
    QFile::remove(linkedInfo + "/Contents/Info.plist");
    ASSERT_TRUE(QFile::link(outsideInfo + "/Contents/Info.plist", linkedInfo + "/Contents/Info.plist"));
    const QString linkedCode = install("Refusing", userFolder + "/code");
    QFile::remove(linkedCode + "/Contents/Linux/Refusing.so");
    ASSERT_TRUE(QFile::link(builtBundle("Menus") + "/Contents/Linux/Menus.so", linkedCode + "/Contents/Linux/Refusing.so"));
    saveTable({"com.quorvel.fendle.testrefusing"});

    auto plugIns = host();
    EXPECT_EQ(plugIns->availablePlugIns(), QStringList{linkedCode});
    plugIns->prepareAndLoadPlugIns();
    EXPECT_TRUE(plugIns->identifiersOfLoadedPlugIns().isEmpty());
    const auto skipped = [&](const QString& part) {
        return std::any_of(log.begin(), log.end(), [&](const QString& line) { return line.contains(part); });
    };
    EXPECT_TRUE(skipped("NoInfo.fdlplugin/Contents/Info.plist is missing or lies outside the bundle"));
    EXPECT_TRUE(skipped("Info.plist is not a dictionary"));
    EXPECT_TRUE(skipped("typed/Menus.fdlplugin has no \"CFBundleIdentifier\""));
    EXPECT_TRUE(skipped("is too large"));
    EXPECT_TRUE(skipped("linked/Beacon.fdlplugin/Contents/Info.plist is missing or lies outside the bundle"));
    EXPECT_TRUE(skipped("Refusing.so is missing or lies outside the bundle"));
}

TEST_F(PlugInLoadingTest, RemovingABundleLeavesWhatItsLinksPointTo) {
    const QString outside = dir.path() + "/keep";
    QDir().mkpath(outside);
    QFile file(outside + "/precious.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString bundle = install("Menus", userFolder);
    ASSERT_TRUE(QFile::link(outside, bundle + "/Contents/Resources"));
    const QString linkedBundle = localFolder + "/Linked.fdlplugin";
    QDir().mkpath(localFolder);
    ASSERT_TRUE(QFile::link(outside, linkedBundle));

    EXPECT_TRUE(removeBundleFolder(bundle));
    EXPECT_TRUE(removeBundleFolder(linkedBundle));
    EXPECT_FALSE(QFileInfo::exists(bundle));
    EXPECT_FALSE(QFileInfo(linkedBundle).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside + "/precious.txt"));
}

}  // namespace
}  // namespace fendle::test
