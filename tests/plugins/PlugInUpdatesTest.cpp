#include "CatalogueFixture.h"
#include "CraftedArchive.h"

namespace fendle::test {
namespace {

const QString UpToDate = "All your active plug-ins are up to date.";
const QString CouldNotRetrieve = "Could not retrieve current plug-in information!";
const QString LampwickName = "Duzodu Vurizodar Uvadederu";

using PlugInUpdatesTest = CatalogueFixture;

TEST_F(PlugInUpdatesTest, NewPlugInsFromAPublishedFolderAreOfferedOnceAndInstalledAsAnswered) {
    publish({builtBundle("Menus"), builtBundle("Lampwick")});
    offerPublishedFolder();
    localCopy();
    auto plugIns = host();
    ui.answers = {2, 0};  // "Install & Load", then "Install"
    check(*plugIns);

    EXPECT_EQ(questionMessages(), (QStringList{"New plug-in: Test Menus", "New plug-in: " + LampwickName}));
    EXPECT_EQ(ui.questions[0].informativeText, "A plug-in the tests install.");
    EXPECT_EQ(ui.questions[0].buttons, (QStringList{"Install", "Cancel", "Install & Load"}));
    // Loaded in the running program, with its menu items.
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{MenusIdentifier});
    EXPECT_EQ(plugIns->plugInMenu().items().size(), 2);
    EXPECT_TRUE(QFileInfo::exists(userFolder + "/revadizozaroriv.fdlplugin/Contents/Info.plist"));
    EXPECT_TRUE(ui.progress.contains("Downloading plug-in 0"));
    EXPECT_TRUE(ui.progress.contains("Extracting -1"));
    EXPECT_FALSE(ui.progressShown);
    // The cycle went on after each download and found nothing more.
    EXPECT_EQ(ui.takeMessages(), QStringList{UpToDate});
    EXPECT_EQ(plugIns->updates().plugInCatalogue()->identifiers(), (QStringList{MenusIdentifier, LampwickIdentifier}));

    ui.questions.clear();
    check(*plugIns);
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(ui.takeMessages(), QStringList{UpToDate});
}

TEST_F(PlugInUpdatesTest, ACancelledNewPlugInIsNotOfferedAgainAndWithoutALocalCopyNothingIsNew) {
    publish({builtBundle("Menus")});
    offerPublishedFolder();
    auto plugIns = host();
    // The first check only keeps the catalogue.
    check(*plugIns, PlugInUpdates::Initiator::Application);
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(ui.alerts.isEmpty());
    ASSERT_TRUE(plugIns->updates().plugInCatalogue());

    publish({builtBundle("Beacon")});
    ui.answers = {1};  // "Cancel"
    check(*plugIns);
    EXPECT_EQ(questionMessages(), QStringList{"New plug-in: Test Beacon"});
    EXPECT_FALSE(QFileInfo::exists(userFolder + "/testbeacon.fdlplugin"));
    ui.questions.clear();
    check(*plugIns);
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(PlugInUpdatesTest, AnUpdateFromTheWebServerForAPlugInSwitchedOffIsInstalledWithoutLoading) {
    install("Menus", userFolder);  // version 2.1, not switched on
    publish({variant("Menus", "CFBundleVersion", "2.10")});
    LocalWebServer server;
    server.pages["/plugins/pluginCatalogue.xml"] = {"text/xml", publishedCatalogue()};
    QFile archive(published + "/testmenus.tgz");
    ASSERT_TRUE(archive.open(QIODevice::ReadOnly));
    server.pages["/plugins/testmenus.tgz"] = {"application/gzip", archive.readAll()};
    setBaseURL(server.url("/plugins/"));
    auto plugIns = host();
    int restarts = 0;
    QObject::connect(&plugIns->updates(), &PlugInUpdates::restartRequested, [&] { ++restarts; });
    ui.answers = {0, 0};  // "Update", then "Restart"
    check(*plugIns);

    ASSERT_EQ(questionMessages(), (QStringList{"Update available for Test Menus",
                                               "New plug-in version(s) will be available after Fendle is restarted."}));
    EXPECT_EQ(ui.questions[0].informativeText, "You have:\t2.1\nAvailable:\t2.10");
    EXPECT_EQ(ui.questions[0].buttons, (QStringList{"Update", "Abort", "Don't update"}));
    EXPECT_EQ(ui.questions[1].buttons, (QStringList{"Restart", "Cancel"}));
    EXPECT_EQ(PlugInBundle::open(userFolder + "/testmenus.fdlplugin")->version(), "2.10");
    EXPECT_TRUE(plugIns->identifiersOfLoadedPlugIns().isEmpty());
    EXPECT_EQ(restarts, 1);
    EXPECT_TRUE(ui.alerts.isEmpty());
    EXPECT_EQ(server.requested, (QStringList{"/plugins/pluginCatalogue.xml", "/plugins/testmenus.tgz",
                                             "/plugins/pluginCatalogue.xml"}));
}

struct VersionOffer {
    const char* installed;
    const char* published;
    bool offered;
    friend void PrintTo(const VersionOffer& c, std::ostream* os) { *os << c.installed << " vs " << c.published; }
};

class UpdateOfferTest : public CatalogueFixture, public ::testing::WithParamInterface<VersionOffer> {};

// "Don't update" for every offer ends the cycle without a summary.
TEST_P(UpdateOfferTest, AnUpdateIsOfferedOnlyForANewerPublishedVersion) {
    setInfoString(install("Menus", userFolder), "CFBundleVersion", GetParam().installed);
    publish({variant("Menus", "CFBundleVersion", GetParam().published)});
    offerPublishedFolder();
    auto plugIns = host();
    if (GetParam().offered) ui.answers = {2};
    check(*plugIns);
    EXPECT_EQ(plugIns->updates().updateAvailable(MenusIdentifier), GetParam().offered);
    EXPECT_EQ(ui.questions.size(), GetParam().offered ? 1 : 0);
    EXPECT_EQ(ui.takeMessages(), GetParam().offered ? QStringList() : QStringList{UpToDate});
}

INSTANTIATE_TEST_SUITE_P(Versions, UpdateOfferTest,
                         ::testing::Values(VersionOffer{"1.2", "1.10", true}, VersionOffer{"1.2.0", "1.2", false},
                                           VersionOffer{"1.2.1", "1.2", false}, VersionOffer{"1.9", "2", true}));

TEST_F(PlugInUpdatesTest, APlugInForANewerProgramIsExplainedAndNotDownloaded) {
    publish({variant("Menus", "ZNRequiredFDLVersion", "9.0")});
    offerPublishedFolder();
    localCopy();
    auto plugIns = host();
    check(*plugIns);
    EXPECT_TRUE(ui.questions.isEmpty());
    ASSERT_EQ(ui.alerts.size(), 2);
    EXPECT_EQ(ui.alerts[0].message, "There is a new plug-in \"Test Menus\", but it requires a higher application version "
                                    "than the one you have installed. Please update Fendle before installing this plug-in.");
    EXPECT_EQ(ui.alerts[0].informativeText, "You have version 1.0 of Fendle installed, but this plug-in needs version 9.0.");
    EXPECT_EQ(ui.alerts[1].message, UpToDate);
    EXPECT_FALSE(plugIns->updates().startDownloadingPlugIn("testmenus", PlugInUpdates::AfterDownload::Install));
    EXPECT_EQ(ui.alerts.size(), 3);
    EXPECT_FALSE(QFileInfo::exists(userFolder + "/testmenus.fdlplugin"));
}

TEST_F(PlugInUpdatesTest, AbortEndsTheCycleWithoutASummary) {
    setInfoString(install("Menus", userFolder), "CFBundleVersion", "1.0");
    setInfoString(install("Beacon", userFolder), "CFBundleVersion", "1.0");
    publish({builtBundle("Menus"), builtBundle("Beacon")});
    offerPublishedFolder();
    auto plugIns = host();
    ui.answers = {1};
    check(*plugIns);
    EXPECT_EQ(questionMessages(), QStringList{"Update available for Test Menus"});
    EXPECT_TRUE(ui.alerts.isEmpty());
    EXPECT_EQ(PlugInBundle::open(userFolder + "/Menus.fdlplugin")->version(), "1.0");
}

TEST_F(PlugInUpdatesTest, WithoutAnAddressOnlyTheButtonSaysSo) {
    auto plugIns = host();
    check(*plugIns, PlugInUpdates::Initiator::Application);
    EXPECT_TRUE(ui.alerts.isEmpty());
    check(*plugIns);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, CouldNotRetrieve);
    EXPECT_EQ(ui.alerts[0].informativeText, "Do you have an active Internet connection?");
}

struct HostileServer {
    const char* name;
    LocalWebServer::Page page;
    friend void PrintTo(const HostileServer& c, std::ostream* os) { *os << c.name; }
};

class HostileCatalogueTest : public CatalogueFixture, public ::testing::WithParamInterface<HostileServer> {};

TEST_P(HostileCatalogueTest, IsRefusedWithTheAlertForTheButtonAndSilentlyAtStartUp) {
    LocalWebServer server;
    if (std::string(GetParam().name) != "not found") server.pages["/pluginCatalogue.xml"] = GetParam().page;
    setBaseURL(server.url("/"));
    auto plugIns = host();
    plugIns->updates().setTransferTimeout(300);
    check(*plugIns, PlugInUpdates::Initiator::Application);
    EXPECT_TRUE(ui.alerts.isEmpty());
    check(*plugIns);
    EXPECT_EQ(ui.takeMessages(), QStringList{CouldNotRetrieve});
    EXPECT_FALSE(plugIns->updates().plugInCatalogue());
}

INSTANTIATE_TEST_SUITE_P(
    Servers, HostileCatalogueTest,
    ::testing::Values(
        HostileServer{"not a dictionary", {"text/xml", "<plist><array><string>a</string></array></plist>"}},
        HostileServer{"huge", {"text/xml", QByteArray(PlugInCatalogue::MaxSize + 10, ' ')}},
        HostileServer{"stalls", {"text/xml", "<plist><dict/></plist>", false, false, true}},
        HostileServer{"closes early", {"text/xml", "<plist><dict/></plist>", true}},
        HostileServer{"not found", {"text/html", "", false, false, false}}));

TEST_F(PlugInUpdatesTest, WhatAServerSendsBeyondWhatItAnnouncedIsNotRead) {
    LocalWebServer server;
    const QByteArray catalogue = "<plist><dict/></plist>";
    server.pages["/pluginCatalogue.xml"] = {"text/xml", catalogue + QByteArray(catalogue.size(), '!'), false, true};
    setBaseURL(server.url("/"));
    auto plugIns = host();
    check(*plugIns);
    EXPECT_EQ(ui.takeMessages(), QStringList{UpToDate});
    EXPECT_EQ(plugIns->updates().plugInCatalogue()->entries().size(), 0);
}

TEST_F(PlugInUpdatesTest, RedirectsAreFollowedOnlyToTheSameSchemeOrAStrongerOne) {
    publish({builtBundle("Menus")});
    LocalWebServer server;
    server.pages["/moved/pluginCatalogue.xml"] = {"text/xml", publishedCatalogue()};
    server.pages["/web/pluginCatalogue.xml"] = {"text/xml", {}, false, false, false, server.url("/moved/pluginCatalogue.xml").toEncoded()};
    server.pages["/local/pluginCatalogue.xml"] = {"text/xml", {}, false, false, false,
                                                  QUrl::fromLocalFile(published + "/pluginCatalogue.xml").toEncoded()};
    auto plugIns = host();
    setBaseURL(server.url("/local/"));
    check(*plugIns);
    EXPECT_EQ(ui.takeMessages(), QStringList{CouldNotRetrieve});
    EXPECT_FALSE(plugIns->updates().plugInCatalogue());

    setBaseURL(server.url("/web/"));
    check(*plugIns);
    EXPECT_EQ(ui.takeMessages(), QStringList{UpToDate});
    ASSERT_TRUE(plugIns->updates().plugInCatalogue());
    EXPECT_EQ(plugIns->updates().plugInCatalogue()->identifiers(), QStringList{MenusIdentifier});
}

TEST_F(PlugInUpdatesTest, AnArchiveLeadingOutOfTheFolderIsNotInstalled) {
    publish({builtBundle("Menus")});
    localCopy();
    LocalWebServer server;
    server.pages["/pluginCatalogue.xml"] = {"text/xml", publishedCatalogue()};
    server.pages["/testmenus.tgz"] = {
        "application/gzip",
        CraftedArchive().folder("testmenus.fdlplugin").file("testmenus.fdlplugin/../../../escaped").bytes()};
    setBaseURL(server.url("/"));
    auto plugIns = host();
    ui.answers = {2};
    check(*plugIns);
    EXPECT_EQ(ui.takeMessages(), (QStringList{"Could not install plug-in!", UpToDate}));
    EXPECT_FALSE(QFileInfo::exists(userFolder + "/testmenus.fdlplugin"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/escaped"));
    EXPECT_TRUE(QDir(userFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ==
                QStringList{PlugInCatalogue::FileName});
    EXPECT_TRUE(plugIns->identifiersOfLoadedPlugIns().isEmpty());
}

TEST_F(PlugInUpdatesTest, AFailedDownloadSaysWhyAndEndsTheCycle) {
    publish({builtBundle("Menus")});
    localCopy();
    LocalWebServer server;
    server.pages["/pluginCatalogue.xml"] = {"text/xml", publishedCatalogue()};
    server.pages["/testmenus.tgz"] = {"application/gzip", "short", true};
    setBaseURL(server.url("/"));
    auto plugIns = host();
    ui.answers = {0};
    check(*plugIns);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "Could not download the plug-in!");
    EXPECT_FALSE(ui.alerts[0].informativeText.isEmpty());
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const QString& l) { return l.startsWith("Download failed! Error - "); }));
    EXPECT_FALSE(plugIns->updates().downloadRunning());
}

}  // namespace
}  // namespace fendle::test
