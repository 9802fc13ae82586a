#include "CatalogueFixture.h"
#include "plugins/PlugInTableController.h"

namespace fendle::test {
namespace {

class PlugInTableTest : public CatalogueFixture {
protected:
    static QStringList names(const PlugInTableController& table) {
        QStringList all;
        for (const PlugInTableEntry& row : table.table().rows()) all.append(row.name);
        return all;
    }
    static qsizetype rowOf(const PlugInTableController& table, const QString& identifier) {
        const auto& rows = table.table().rows();
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (rows[i].identifier == identifier) return i;
        return -1;
    }
};

TEST_F(PlugInTableTest, InstalledPlugInsAndCatalogueOnlyOnesAreListedOnceEachByName) {
    install("Menus", userFolder);
    localCopy(
        "<plist><dict><key>com.quorvel.fendle.testmenus</key><dict><key>ZNPlugInName</key><string>Other Name</string>"
        "<key>CFBundleVersion</key><string>9.9</string></dict>"
        "<key>com.quorvel.fendle.alpha</key><dict><key>ZNPlugInName</key><string>alpha</string>"
        "<key>CFBundleVersion</key><string>0.1</string></dict></dict></plist>");
    auto plugIns = host();
    PlugInTableController& table = plugIns->plugInTable();
    table.showPlugInTable();
    EXPECT_EQ(names(table), (QStringList{"alpha", "Test Menus"}));
    const PlugInTableEntry& menus = *table.table().plugInAtIndex(1);
    EXPECT_EQ(menus.version, "2.1");
    EXPECT_EQ(PlugInTableController::columnText(menus, "loaded"), "0");
    EXPECT_EQ(PlugInTableController::columnText(menus, "updated"), "n/a");
    EXPECT_EQ(PlugInTableController::columnText(menus, "other"), "Some error occurred.");
    EXPECT_EQ(table.informationText(1), "A plug-in the tests install.");
    EXPECT_EQ(table.informationText(0), PlugInTableController::NoDescription);
    EXPECT_TRUE(log.contains("No ZNPlugInDescription for plug-in com.quorvel.fendle.alpha"));
    EXPECT_EQ(table.informationText(std::nullopt), "");
}

TEST_F(PlugInTableTest, SwitchingAPlugInOnAndOffLoadsUnloadsAndStoresTheTable) {
    install("Menus", userFolder);
    auto plugIns = host();
    PlugInTableController& table = plugIns->plugInTable();
    table.showPlugInTable();
    table.plugInTableButtonClicked(rowOf(table, MenusIdentifier));
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{MenusIdentifier});
    EXPECT_TRUE(table.table().plugInAtIndex(rowOf(table, MenusIdentifier))->loaded);
    EXPECT_TRUE(PlugInTable::loadEntry(PlugInTable::saved(Defaults::standard()), MenusIdentifier));

    table.plugInTableButtonClicked(rowOf(table, MenusIdentifier));
    EXPECT_TRUE(plugIns->identifiersOfLoadedPlugIns().isEmpty());
    EXPECT_TRUE(plugIns->plugInMenu().items().isEmpty());
    EXPECT_FALSE(PlugInTable::loadEntry(PlugInTable::saved(Defaults::standard()), MenusIdentifier));
}

TEST_F(PlugInTableTest, ASecondSpotlightPlugInAsksAndCancelKeepsTheFirst) {
    install("Lampwick", userFolder);
    install("Beacon", userFolder);
    auto plugIns = host();
    plugIns->prepareAndLoadPlugIns();
    ASSERT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{LampwickIdentifier});
    PlugInTableController& table = plugIns->plugInTable();
    table.showPlugInTable();
    ui.answers = {1};
    table.plugInTableButtonClicked(rowOf(table, BeaconIdentifier));
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0].message, "Only one Spotlight plug-in can be active at the same time!");
    EXPECT_EQ(ui.questions[0].informativeText, "You already have loaded the \"Duzodu Vurizodar Uvadederu\" plug-in and "
                                               "are trying to active the \"Test Beacon\" plug-in.");
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{LampwickIdentifier});
    EXPECT_FALSE(table.table().plugInAtIndex(rowOf(table, BeaconIdentifier))->loaded);

    ui.answers = {0};
    table.plugInTableButtonClicked(rowOf(table, BeaconIdentifier));
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{BeaconIdentifier});
}

TEST_F(PlugInTableTest, SwitchingOnACatalogueOnlyRowDownloadsAndLoadsIt) {
    publish({builtBundle("Menus")});
    offerPublishedFolder();
    localCopy(publishedCatalogue());
    auto plugIns = host();
    PlugInTableController& table = plugIns->plugInTable();
    table.showPlugInTable();
    ASSERT_EQ(names(table), QStringList{"Test Menus"});
    table.plugInTableButtonClicked(0);
    EXPECT_TRUE(plugIns->updates().downloadRunning());
    waitUntilIdle(*plugIns);
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{MenusIdentifier});
    EXPECT_TRUE(table.table().plugInAtIndex(0)->loaded);
    EXPECT_TRUE(PlugInTable::loadEntry(PlugInTable::saved(Defaults::standard()), MenusIdentifier));
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(PlugInTableTest, AnInstalledPlugInWithAnUpdateAsksBeforeLoading) {
    install("Menus", userFolder);
    publish({variant("Menus", "CFBundleVersion", "3")});
    offerPublishedFolder();
    localCopy(publishedCatalogue());
    auto plugIns = host();
    PlugInTableController& table = plugIns->plugInTable();
    table.showPlugInTable();
    ui.answers = {1};  // "Don't update"
    table.plugInTableButtonClicked(0);
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0].message, "Update available for Test Menus");
    EXPECT_EQ(ui.questions[0].informativeText, "Do you want to download the updated version?");
    EXPECT_EQ(plugIns->identifiersOfLoadedPlugIns(), QStringList{MenusIdentifier});
}

TEST_F(PlugInTableTest, HelpNeedsAnInstalledPlugInWithAHelpPage) {
    const QString menus = install("Menus", userFolder);
    localCopy("<plist><dict><key>com.quorvel.fendle.remote</key><dict><key>ZNPlugInName</key><string>Remote</string>"
              "</dict></dict></plist>");
    auto plugIns = host();
    PlugInTableController& table = plugIns->plugInTable();
    table.showPlugInTable();
    EXPECT_FALSE(table.plugInInfoButtonClicked(rowOf(table, "com.quorvel.fendle.remote")));
    EXPECT_FALSE(table.plugInInfoButtonClicked(rowOf(table, MenusIdentifier)));
    ASSERT_EQ(ui.alerts.size(), 2);
    EXPECT_EQ(ui.alerts[0].message, "No documentation available!");
    EXPECT_EQ(ui.alerts[0].informativeText, "The plug-in Remote is not installed on your system.");
    EXPECT_EQ(ui.alerts[1].message, "No help available!");
    EXPECT_EQ(ui.alerts[1].informativeText, "The Test Menus plug-in does not provide any documentation.");

    QDir().mkpath(menus + "/Contents/Resources/Help");
    QFile page(menus + "/Contents/Resources/Help/testmenus.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<h1>Menus</h1>");
    page.close();
    EXPECT_EQ(table.plugInInfoButtonClicked(rowOf(table, MenusIdentifier)), page.fileName());
}

}  // namespace
}  // namespace fendle::test
