#include "AppBoxFixture.h"
#include "app/views/KeywordScentView.h"
#include "app/views/LookUpActions.h"
#include "app/views/SearchView.h"
#include "app/views/ZNOutlineView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <QMenu>

using namespace fendle;
using namespace fendle::test;

namespace {

// The lists' contextual menu and its look-up commands, with the browser,
// the desktop search and the clipboard replaced by recorders.
class ListContextMenuTest : public AppBoxFixture {
protected:
    QList<QUrl> opened;
    QStringList queries, copied, replaced, commands;
    bool browserWorks = true;
    LookUpActions actions{*doc, ui, [this] {
                              LookUpActions::Ports ports;
                              ports.openUrl = [this](const QUrl& url) {
                                  opened.append(url);
                                  return browserWorks;
                              };
                              ports.desktopSearch = [this](const QString& query) {
                                  queries.append(query);
                                  return false;
                              };
                              ports.copyText = [this](const QString& text) { copied.append(text); };
                              ports.replaceKeyword = [this](const QString& text) { replaced.append(text); };
                              ports.runCommand = [this](const QString& title) { commands.append(title); };
                              return ports;
                          }()};

    static QAction* itemTagged(QMenu& menu, int tag) {
        for (QAction* action : menu.actions())
            if (action->data().toInt() == tag && !action->isSeparator()) return action;
        return nullptr;
    }
    static QAction* item(QMenu& menu, const QString& title) {
        for (QAction* action : menu.actions())
            if (action->text() == title) return action;
        return nullptr;
    }
};

TEST_F(ListContextMenuTest, ResultRowsOfferCopySlipAndSelectTheClickedRowFirst) {
    SearchView view(*doc);
    open({{1, "one", {"alpha", "beta"}}, {2, "two", {"gamma"}}, {3, "three", {"delta"}}});
    doc->selectTabViewItemWithLabel(Box::SearchTab);
    view.resize(900, 500);
    view.show();
    ZNTableView& table = *view.resultsTable();
    table.setLookUpActions(&actions, true, 2);
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("1"));
    table.selectRow(int(doc->currentSearchResults().rowForResultWithSlipID("2")));

    const std::unique_ptr<QMenu> menu = table.menuForEvent(table.visualRect(table.model()->index(row, 2)).center());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(table.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(table.selectionModel()->selectedRows().first().row(), row);
    EXPECT_EQ(itemTagged(*menu, LookUpActions::CopyItem)->text(), "Copy Slip");
    EXPECT_TRUE(itemTagged(*menu, LookUpActions::AddKeywordToResults)->isVisible());
    EXPECT_FALSE(itemTagged(*menu, LookUpActions::ReplaceKeyword)->isVisible());
    EXPECT_EQ(table.lookupString(), "alpha, beta");

    item(*menu, "Search Wikipedia")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString(QUrl::FullyEncoded), "https://en.wikipedia.org/wiki/?search=alpha");
    itemTagged(*menu, LookUpActions::AddKeywordToResults)->trigger();
    EXPECT_EQ(commands, QStringList{"Add Keyword to Selected Results"});
}

TEST_F(ListContextMenuTest, CopySlipCopiesTheSlipThroughTheBox) {
    SearchView view(*doc);
    open({{1, "one", {"alpha"}}, {2, "two", {"beta"}}});
    doc->selectTabViewItemWithLabel(Box::SearchTab);
    view.show();
    ZNTableView& table = *view.resultsTable();
    table.setLookUpActions(&actions, true, 2);
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("2"));
    const std::unique_ptr<QMenu> menu = table.menuForEvent(table.visualRect(table.model()->index(row, 0)).center());
    ASSERT_NE(menu, nullptr);
    itemTagged(*menu, LookUpActions::CopyItem)->trigger();
    EXPECT_TRUE(pasteboard.data(Pasteboard::SlipsType).has_value());
    EXPECT_EQ(QString::fromUtf8(pasteboard.data(Pasteboard::StringType).value_or(QByteArray())), "two");
    EXPECT_TRUE(copied.isEmpty());
}

TEST_F(ListContextMenuTest, KeywordListsOfferCopyAndTheKeywordCommands) {
    KeywordScentView view(*doc);
    open({{1, "one", {"red", "green"}}, {2, "two", {"green"}}});
    doc->selectTabViewItemWithLabel(Box::KeywordScentTab);
    view.resize(300, 400);
    view.show();
    ZNOutlineView& tree = *view.outlineView();
    tree.setLookUpActions(&actions);
    QModelIndex red;
    for (int row = 0; row < tree.model()->rowCount(); ++row)
        if (tree.model()->index(row, 0).data().toString() == "red") red = tree.model()->index(row, 0);
    ASSERT_TRUE(red.isValid());

    const std::unique_ptr<QMenu> menu = tree.menuForEvent(tree.visualRect(red).center());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(tree.lookupString(), "red");
    EXPECT_EQ(itemTagged(*menu, LookUpActions::CopyItem)->text(), "Copy");
    EXPECT_FALSE(itemTagged(*menu, LookUpActions::AddKeywordToResults)->isVisible());
    EXPECT_TRUE(itemTagged(*menu, LookUpActions::ReplaceKeyword)->isVisible());

    itemTagged(*menu, LookUpActions::CopyItem)->trigger();
    EXPECT_EQ(copied, QStringList{"red"});
    item(*menu, "Replace Keyword...")->trigger();
    EXPECT_EQ(replaced, QStringList{"red"});
    item(*menu, "Search for Keyword")->trigger();
    QStringList keywordRules;
    const SearchRuleEditor& rules = doc->searchRuleEditor();
    for (int row = 0; row < rules.numberOfRows(); ++row)
        if (rules.row(row).values.value(0).toString() == "keyword") keywordRules.append(rules.row(row).values.value(2).toString());
    EXPECT_EQ(keywordRules, QStringList{"red"});
    EXPECT_EQ(doc->selectedTabViewItemLabel(), Box::SearchTab);
    EXPECT_EQ(doc->currentSearchResults().slipIDsForResults(), QStringList{"1"});
}

TEST_F(ListContextMenuTest, AnEmptyListHasNoMenu) {
    KeywordScentView view(*doc);
    open({{1, "one", {}}});
    view.show();
    view.outlineView()->setLookUpActions(&actions);
    EXPECT_EQ(view.outlineView()->menuForEvent(QPoint(5, 5)), nullptr);
}

TEST_F(ListContextMenuTest, LookUpsThatCannotBeHandedOverShowTheirAlerts) {
    open({{1, "one", {"x"}}});
    actions.searchSpotlight("alpha, beta");
    EXPECT_EQ(queries, QStringList{"\"alpha\" \"beta\""});
    browserWorks = false;
    actions.searchGoogle("alpha");
    actions.lookUpInDictionary("alpha");
    actions.lookUpInDictionary("");
    QStringList shown;
    for (const auto& alert : ui.alerts) shown.append(alert.message + " / " + alert.informativeText);
    EXPECT_EQ(shown, QStringList({"I could not establish the connection to Spotlight! / I don't know what went wrong here, "
                                  "but please inform the developer of this problem.",
                                  "Problem with the Google service! / Is the Search With Google system service available?",
                                  "Problem with the Dictionary service! / Is the Dictionary system service available?",
                                  "Could not look up in Dictionary! / Problems making data available for Dictionary"}));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].host(), "www.google.com");
    EXPECT_EQ(opened[1].scheme(), "dict");
}

}  // namespace
