#include "GuiFixture.h"
#include "app/dialogs/ReplaceKeywordDialog.h"
#include "app/windows/BoxWindow.h"
#include "app/views/KeywordScentView.h"
#include "app/views/LookUpActions.h"
#include "app/views/SearchView.h"
#include "app/views/ZNOutlineView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>

using namespace fendle;
using namespace fendle::test;

namespace {

// The lists' contextual menu and its look-up commands in a box window of
// the assembled program, with the browser and the desktop search recorded.
class ListContextMenuTest : public GuiFixture {
protected:
    BoxPtr doc;
    BoxWindow* window = nullptr;
    RecordingDesktopServices& desktop = recordDesktop();
    QList<QUrl>& opened = desktop.opened;
    QStringList& queries = desktop.searches;

    struct SlipRecipe {
        quint32 number;
        QString text;
        QStringList keywords;
    };
    void open(const QList<SlipRecipe>& recipes) {
        SlipDictionary slips;
        for (const SlipRecipe& recipe : recipes) {
            auto slip = Slip::create(recipe.number);
            slip->setTextWithoutLastModificationDate(RichText(recipe.text));
            slip->setKeywordsWithoutLastModificationDate(KeywordsArray(recipe.keywords));
            slips.insert(slip->key(), slip);
        }
        doc = gui->controller().openUntitledDocument(true);
        doc->document().setSlips(slips, {});
        doc->loadDocumentWithInitialData();
        window = gui->windowOf(*doc);
        ASSERT_NE(window, nullptr);
        window->show();
        QApplication::processEvents();
    }
    LookUpActions& actions() const { return window->lookUpActions(); }
    // The sheets the window shows, oldest first.
    QStringList sheets() const {
        QStringList shown;
        for (const QMessageBox* alert : window->findChildren<QMessageBox*>())
            shown.append(alert->text() + " / " + alert->informativeText());
        return shown;
    }

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
    open({{1, "one", {"alpha", "beta"}}, {2, "two", {"gamma"}}, {3, "three", {"delta"}}});
    window->run(Command::SearchView);
    QApplication::processEvents();
    ZNTableView& table = *window->searchView()->resultsTable();
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
    // The window's own command asks for the keyword.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            dialog->setTextValue("added");
            dialog->accept();
        }
    });
    itemTagged(*menu, LookUpActions::AddKeywordToResults)->trigger();
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), (QStringList{"alpha", "beta", "added"}));
}

TEST_F(ListContextMenuTest, CopySlipCopiesTheSlipThroughTheBox) {
    open({{1, "one", {"alpha"}}, {2, "two", {"beta"}}});
    window->run(Command::SearchView);
    QApplication::processEvents();
    ZNTableView& table = *window->searchView()->resultsTable();
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("2"));
    const std::unique_ptr<QMenu> menu = table.menuForEvent(table.visualRect(table.model()->index(row, 0)).center());
    ASSERT_NE(menu, nullptr);
    itemTagged(*menu, LookUpActions::CopyItem)->trigger();
    const Pasteboard& pasteboard = gui->pasteboard();
    EXPECT_TRUE(pasteboard.data(Pasteboard::SlipsType).has_value());
    EXPECT_TRUE(QString::fromUtf8(pasteboard.data(Pasteboard::StringType).value_or(QByteArray())).contains("two"));
}

TEST_F(ListContextMenuTest, KeywordListsOfferCopyAndTheKeywordCommands) {
    open({{1, "one", {"red", "green"}}, {2, "two", {"green"}}});
    window->run(Command::KeywordScentView);
    QApplication::processEvents();
    ZNOutlineView& tree = *window->keywordScentView()->outlineView();
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
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "red");
    item(*menu, "Replace Keyword...")->trigger();
    auto* replace = qobject_cast<ReplaceKeywordDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->oldKeywordField()->text(), "red");
    replace->reject();
    item(*menu, "Search for Keyword")->trigger();
    QStringList keywordRules;
    const SearchRuleEditor& rules = doc->searchRuleEditor();
    for (int row = 0; row < rules.numberOfRows(); ++row)
        if (rules.row(row).values.value(0).toString() == "keyword") keywordRules.append(rules.row(row).values.value(2).toString());
    EXPECT_EQ(keywordRules, QStringList{"red"});
    EXPECT_EQ(doc->selectedTab(), BoxTab::Search);
    EXPECT_EQ(doc->currentSearchResults().slipIDsForResults(), QStringList{"1"});
}

TEST_F(ListContextMenuTest, AnEmptyListHasNoMenu) {
    open({{1, "one", {}}});
    window->run(Command::KeywordScentView);
    QApplication::processEvents();
    EXPECT_EQ(window->keywordScentView()->outlineView()->menuForEvent(QPoint(5, 5)), nullptr);
}

TEST_F(ListContextMenuTest, LookUpsThatCannotBeHandedOverShowTheirAlerts) {
    open({{1, "one", {"x"}}});
    desktop.answer = false;
    actions().searchSpotlight("alpha, beta");
    EXPECT_EQ(queries, QStringList{"\"alpha\" \"beta\""});
    actions().searchGoogle("alpha");
    actions().lookUpInDictionary("alpha");
    actions().lookUpInDictionary("");
    EXPECT_EQ(sheets(), QStringList({"I could not establish the connection to Desktop Search! / I don't know what went wrong here, "
                                  "but please inform the developer of this problem.",
                                  "Problem with the Google service! / Is the Search With Google system service available?",
                                  "Problem with the Dictionary service! / Is the Dictionary system service available?",
                                  "Could not look up in Dictionary! / Problems making data available for Dictionary"}));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].host(), "www.google.com");
    EXPECT_EQ(opened[1].scheme(), "dict");
}

}  // namespace
