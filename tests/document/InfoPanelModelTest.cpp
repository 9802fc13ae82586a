#include "BoxFixture.h"
#include "document/InfoPanelModel.h"
#include "platform/system/DateUtils.h"
#include "search/SavedSearchesTable.h"
#include "search/SearchRuleEditor.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class InfoPanelModelTest : public BoxFixture {
protected:
    InfoPanelModel inspector{*doc};

    void keywords(const QString& key, const QStringList& words) {
        doc->slip(key)->setKeywordsWithoutLastModificationDate(KeywordsArray(words));
        doc->document().setKeywordScentsMustBeUpdated();
    }
};

}  // namespace

TEST_F(InfoPanelModelTest, SlipInfoCountsWordsKeywordsAndScents) {
    fill({1, 2, 3, 4});
    keywords("1", {"a", "b"});
    keywords("2", {"a"});
    keywords("3", {"a", "c"});
    keywords("4", {"d"});
    doc->slip("1")->setTextWithoutLastModificationDate(RichText("one, two;three"));
    doc->slip("1")->setAuthorWithoutLastModificationDate(std::nullopt);
    const InfoPanelModel::SlipInfo info = inspector.slipInfoForSlip(*doc->slip("1"));
    EXPECT_EQ(info.slipID, "1");
    EXPECT_EQ(info.words, "3");
    EXPECT_EQ(info.keywords, "2");
    // "a" stands with b and c, "b" with a.
    EXPECT_EQ(info.keywordScents, "3");
    EXPECT_EQ(info.slipScents, "2");
    EXPECT_EQ(info.author, InfoPanelModel::NotAvailable);
    EXPECT_EQ(info.creationTime, standardDescription(oldTime()));
    EXPECT_EQ(inspector.slipInfoForSlip(*doc->slip("4")).slipScents, "0");
}

TEST_F(InfoPanelModelTest, AuthorChangeUndoneFromAnotherSlipAlertsAndGoesBack) {
    fill({7, 9});
    doc->slip("7")->setAuthorWithoutLastModificationDate(std::nullopt);
    show("7");
    const QDateTime before = doc->slip("7")->lastModificationTime();
    command([&] { inspector.slipAuthorChanged("Ann"); });
    EXPECT_EQ(doc->slip("7")->author(), "Ann");
    EXPECT_NE(doc->slip("7")->lastModificationTime(), before);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Change Slip Author");
    EXPECT_TRUE(doc->isDocumentEdited());

    show("9");
    undo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"The undo operation affects slip 7."});
    EXPECT_EQ(current(), "7");
    EXPECT_EQ(doc->slip("7")->author(), std::nullopt);
    EXPECT_EQ(doc->slip("7")->lastModificationTime(), before);

    redo();
    EXPECT_TRUE(ui.takeMessages().isEmpty());  // slip 7 is current now
    EXPECT_EQ(doc->slip("7")->author(), "Ann");
    EXPECT_GT(doc->slip("7")->lastModificationTime(), before);
}

TEST_F(InfoPanelModelTest, ConfirmingNotAvailableOrTheSameAuthorChangesNothing) {
    fill({1});
    doc->currentSlip()->setAuthorWithoutLastModificationDate(std::nullopt);
    inspector.slipAuthorChanged(InfoPanelModel::NotAvailable);
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_EQ(doc->currentSlip()->author(), std::nullopt);
    doc->currentSlip()->setAuthorWithoutLastModificationDate(QStringLiteral("Bo"));
    inspector.slipAuthorChanged("Bo");
    EXPECT_FALSE(doc->undoManager().canUndo());
}

TEST_F(InfoPanelModelTest, KeywordDoubleClickActsByTab) {
    fill({1, 2}, {3});
    show("1");
    command([&] { EXPECT_EQ(inspector.doubleClickOnKeywordsListTable("k2"), InfoPanelModel::KeywordAction::AddedToSlip); });
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), (QStringList{"k1", "k2"}));
    EXPECT_EQ(doc->undoManager().undoActionName(), "Add Keyword");
    EXPECT_EQ(doc->slipScentsForSlip(*doc->slip("1")).relatedKeys(), QStringList{"2"});
    undo();
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), QStringList{"k1"});
    EXPECT_EQ(doc->undoManager().redoActionName(), "Add Keyword");

    doc->selectTabViewItemWithLabel(BoxTab::Search);
    EXPECT_EQ(inspector.doubleClickOnKeywordsListTable("k2"), InfoPanelModel::KeywordAction::AddedToSearch);
    EXPECT_EQ(doc->currentSearchResults().slipIDsForResults(), QStringList{"2"});

    doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
    EXPECT_EQ(inspector.doubleClickOnKeywordsListTable("k2"), InfoPanelModel::KeywordAction::FindInKeywordScent);

    doc->selectTabViewItemWithLabel(BoxTab::Slip);
    doc->browseTrash();
    ASSERT_TRUE(doc->inTrashMode());
    EXPECT_EQ(inspector.doubleClickOnKeywordsListTable("k2"), InfoPanelModel::KeywordAction::None);
}

TEST_F(InfoPanelModelTest, SavedSearchesRestoreRulesAndMarkTheBoxChangedOnlyOnChange) {
    fill({1, 2});
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->searchRuleEditor().addKeywordToSearch("k1");
    const QVariantList firstRules = doc->currentSearchRuleEditorState();
    inspector.saveSearch();
    doc->searchRuleEditor().addKeywordToSearch("k2");
    inspector.saveSearch();
    const auto table = [this] { return SavedSearchesTable(doc->box().savedSearches()); };
    ASSERT_EQ(table().numberOfRows(), 2);
    EXPECT_EQ(table().nameAtRow(0), "Untitled search");
    EXPECT_EQ(table().nameAtRow(1), "Untitled search");
    EXPECT_TRUE(doc->isDocumentEdited());

    inspector.restoreSearchToSavedSearch(0);
    EXPECT_EQ(doc->currentSearchRuleEditorState(), firstRules);
    EXPECT_EQ(doc->currentSearchResults().slipIDsForResults(), QStringList{"1"});

    doc->document().clearEdited();
    inspector.renameSearch(0, "Untitled search");
    EXPECT_FALSE(doc->isDocumentEdited());
    inspector.renameSearch(0, "Ones");
    EXPECT_TRUE(doc->isDocumentEdited());
    EXPECT_EQ(table().nameAtRow(0), "Ones");
    doc->document().clearEdited();
    inspector.deleteSearch(5);
    inspector.replaceSearch(-1);
    EXPECT_FALSE(doc->isDocumentEdited());
    inspector.deleteSearch(1);
    EXPECT_EQ(table().numberOfRows(), 1);
}
