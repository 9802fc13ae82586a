#include "appcore/ResultColumnVisibility.h"
#include "document/FakeUiPort.h"
#include "platform/system/Defaults.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace fendle {
namespace {

class ResultColumnVisibilityTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Defaults defaults{Defaults::Domain, folder.path()};
    test::FakeUiPort ui;
    ResultColumnVisibility visibility{defaults, &ui};

    bool key(const QString& name) const { return defaults.boolForKey(name); }
};

TEST_F(ResultColumnVisibilityTest, ColumnsShowExactlyWhenTheirKeyIsTrue) {
    defaults.setObject(QStringLiteral("FDLSearchResultsTableSourceColumnVisible"), true);
    defaults.setObject(QStringLiteral("FDLSearchResultsTableIDColumnVisible"), true);
    defaults.setObject(QStringLiteral("FDLSearchResultsTableAuthorColumnVisible"), false);
    EXPECT_EQ(visibility.visibleColumns(), QStringList({"ID", "source"}));
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(ResultColumnVisibilityTest, NoVisibleColumnBringsBackIdFlagAndKeywordsAndStoresThem) {
    for (const auto& column : ResultColumnVisibility::columns()) defaults.setObject(column.key, false);
    EXPECT_EQ(visibility.visibleColumns(), QStringList({"ID", "flagged", "value"}));
    EXPECT_TRUE(key("FDLSearchResultsTableIDColumnVisible"));
    EXPECT_TRUE(key("FDLSearchResultsTableFlaggedColumnVisible"));
    EXPECT_TRUE(key("FDLSearchResultsTableKeywordsColumnVisible"));
    EXPECT_FALSE(key("FDLSearchResultsTableTitleColumnVisible"));
    // Preferences applied quietly: no alert.
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(ResultColumnVisibilityTest, MenuItemsToggleTheirColumnAndKey) {
    QStringList visible = visibility.toggleColumn(QStringLiteral("Modification Date"), {"ID", "value"});
    EXPECT_EQ(visible, QStringList({"ID", "value", "modificationDate"}));
    EXPECT_TRUE(key("FDLSearchResultsTableModificationDateColumnVisible"));
    visible = visibility.toggleColumn(QStringLiteral("Keywords"), visible);
    EXPECT_EQ(visible, QStringList({"ID", "modificationDate"}));
    EXPECT_EQ(defaults.persistentObjectForKey(QStringLiteral("FDLSearchResultsTableKeywordsColumnVisible")),
              PlistValue(false));
    // A title that is no column changes nothing.
    EXPECT_EQ(visibility.toggleColumn(QStringLiteral("Bogus"), visible), visible);
}

TEST_F(ResultColumnVisibilityTest, HidingTheLastVisibleColumnIsRefusedWithTheAlert) {
    const QStringList visible = visibility.toggleColumn(QStringLiteral("Type"), {"slipType"});
    EXPECT_EQ(visible, QStringList({"slipType"}));
    EXPECT_TRUE(key("FDLSearchResultsTableTypeColumnVisible"));
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message,
              "At least on table column in the Search Result Table must be visible in order for the table to show any "
              "results!");
    EXPECT_EQ(ui.alerts[0].informativeText, "The Type column will remain visible.");
}

}  // namespace
}  // namespace fendle
