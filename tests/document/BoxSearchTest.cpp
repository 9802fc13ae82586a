#include "BoxFixture.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class BoxSearchTest : public BoxFixture {
protected:
    void SetUp() override {
        fill({1, 2, 3, 4});
        doc->slip("2")->setKeywordsWithoutLastModificationDate(KeywordsArray({"apple"}));
        doc->slip("4")->setKeywordsWithoutLastModificationDate(KeywordsArray({"apple", "pie"}));
        doc->updateWindow();
        doc->setSearchSortDescriptors({{"ID", true}});
        QObject::connect(doc.get(), &Box::searchResultsChanged, [this] { ++installs; });
    }
    int installs = 0;
    QStringList resultKeys() const { return doc->currentSearchResults().slipIDsForResults(); }
    static QStringList keysOf(const QList<SlipPtr>& slips) {
        QStringList keys;
        for (const SlipPtr& s : slips) keys.append(s->key());
        return keys;
    }
};

}  // namespace

TEST_F(BoxSearchTest, RuleEditorStateGoesOutAndComesBack) {
    doc->searchRuleEditor().addKeywordToSearch("apple");
    EXPECT_EQ(resultKeys(), (QStringList{"2", "4"}));
    const QVariantList state = doc->currentSearchRuleEditorState();
    EXPECT_EQ(state, doc->searchRuleEditor().searchRuleEditorState());
    ASSERT_FALSE(state.isEmpty());

    doc->searchRuleEditor().addKeywordToSearch("pie");
    EXPECT_EQ(resultKeys(), QStringList{"4"});

    doc->selectTabViewItemWithLabel(BoxTab::Slip);
    doc->setSearchRuleEditorState(state);
    EXPECT_EQ(doc->selectedTab(), BoxTab::Search);
    EXPECT_EQ(announced.selectedTab, "Search");
    EXPECT_EQ(doc->currentSearchRuleEditorState(), state);
    EXPECT_EQ(resultKeys(), (QStringList{"2", "4"}));
}

TEST_F(BoxSearchTest, InstallingResultsSortsAndClearsTheSelection) {
    doc->search().setSearchResultsToSlips({doc->slip("3"), doc->slip("1")});
    EXPECT_EQ(resultKeys(), (QStringList{"1", "3"}));
    doc->selectSearchResultRows({1, 7, -1, 1});  // rows outside the table are ignored
    EXPECT_EQ(doc->selectedSearchResultRows(), QList<qsizetype>{1});
    const int before = installs;
    doc->search().setSearchResultsToSlips({});
    EXPECT_EQ(installs, before + 1);
    EXPECT_EQ(doc->currentSearchResults().count(), 0);
    EXPECT_TRUE(doc->selectedSearchResultRows().isEmpty());
}

TEST_F(BoxSearchTest, SelectedResultsAndSlipsInRowOrder) {
    doc->showAllSlipsAsSearchResults();
    EXPECT_EQ(doc->selectedSearchResults().count(), 0);
    EXPECT_TRUE(doc->slipsSelectedInSearchView().isEmpty());

    doc->selectSearchResultRows({3, 0});
    EXPECT_EQ(doc->selectedSearchResults().slipIDsForResults(), (QStringList{"1", "4"}));
    EXPECT_EQ(keysOf(doc->slipsSelectedInSearchView()), (QStringList{"1", "4"}));

    // A result whose slip has gone is skipped.
    doc->document().deleteSlipForKey("1");
    EXPECT_EQ(keysOf(doc->slipsSelectedInSearchView()), QStringList{"4"});
    EXPECT_EQ(doc->selectedSearchResults().count(), 2);
}

TEST_F(BoxSearchTest, ReenteringTheSearchViewSearchesAgainAndKeepsTheSelection) {
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->searchRuleEditor().addKeywordToSearch("apple");
    selectResults({"4"});
    doc->selectTabViewItemWithLabel(BoxTab::Slip);
    doc->slip("3")->setKeywordsWithoutLastModificationDate(KeywordsArray({"apple"}));
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    EXPECT_EQ(resultKeys(), (QStringList{"2", "3", "4"}));
    EXPECT_EQ(doc->selectedSearchResultRows(), QList<qsizetype>{2});
}

TEST_F(BoxSearchTest, FlagToggledInTheResultTableIsAnUndoableStep) {
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->showAllSlipsAsSearchResults();
    const BoxSnapshot before = snapshot();
    command([&] { doc->currentSearchResults().setObjectValue(QVariant(), "flagged", 1); });
    EXPECT_TRUE(doc->slip("2")->isFlagged());
    EXPECT_EQ(doc->undoManager().undoActionName(), "Toggle Flaged");
    undo();
    EXPECT_FALSE(doc->slip("2")->isFlagged());
    EXPECT_EQ(snapshot(), before);


    // A table that is not the box's own is refused.
    ResultTable foreign = ResultTable::fromSlips({doc->slip("1")}, &doc->search(), {});
    foreign.setObjectValue(QVariant(), "flagged", 0);
    EXPECT_FALSE(doc->slip("1")->isFlagged());
}
