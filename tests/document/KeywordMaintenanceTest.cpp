#include "BoxFixture.h"
#include "document/KeywordMaintenance.h"
#include "document/commands/FlagSlipsCommand.h"
#include "document/UndoNames.h"
#include "platform/system/Log.h"
#include "scents/KeywordScent.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

using namespace fendle;
using namespace fendle::test;
using Row = KeywordAndSlipWindow::Row;

namespace {
class KeywordMaintenanceTest : public BoxFixture {
protected:
    int searches = 0;
    KeywordMaintenance maintenance{*doc};

    void SetUp() override {
        doc->setSearchSortDescriptors({{"ID", true}});
        QObject::connect(doc.get(), &Box::searchResultsChanged, [this] { ++searches; });
    }
    QStringList resultKeys() const { return doc->currentSearchResults().slipIDsForResults(); }
    // The search view with the rule "flag is set" and the given rows selected.
    void searchFlaggedAndSelect(const QStringList& keys) {
        doc->selectTabViewItemWithLabel(BoxTab::Search);
        SearchRuleEditor& rules = doc->searchRuleEditor();
        rules.initiateSearch(QStringLiteral("flag"));
        rules.setCriterion(1, 1, QStringLiteral("is set"));
        rules.controlDidChange();
        selectResults(keys);
    }
    void keywords(const QString& key, const QStringList& list) {
        doc->slip(key)->setKeywordsWithoutLastModificationDate(KeywordsArray(list));
        doc->document().slipDidChange(doc->slip(key), BoxDocument::Change::Keywords);
        doc->updateWindow();  // else storing the shown slip would put its old keywords back
    }
    // Slips 1..3 with "a, b", "b" and "c".
    void threeSlips() {
        fill({1, 2, 3});
        keywords("1", {"a", "b"});
        keywords("2", {"b"});
        keywords("3", {"c"});
    }
    QStringList flagged() const {
        QStringList keys;
        for (const SlipPtr& slip : doc->box().flaggedSlips()) keys.append(slip->key());
        keys.sort();
        return keys;
    }
    void setFlags(const QStringList& keys) {
        for (const QString& key : keys) doc->slip(key)->setFlagged(true);
    }
};
}  // namespace

TEST_F(KeywordMaintenanceTest, SingletonKeywordsAndOrphanedSlips) {
    threeSlips();
    const auto singletons = maintenance.findSingletonKeywords();
    EXPECT_EQ(singletons->singletonKeywordsArray(), QList<Row>({{"a", "1"}, {"c", "3"}}));

    const auto orphans = maintenance.findOrphanedSlips();
    EXPECT_EQ(orphans->singletonKeywordsArray(), QList<Row>({{"no slip scents", "3"}}));
    EXPECT_EQ(orphans->title(), "Orphaned Slips");
    EXPECT_EQ(orphans->keywordColumnHeader(), "Problem");
    EXPECT_TRUE(orphans->slipColumnFirst());
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(KeywordMaintenanceTest, SlipWithoutKeywordsIsOrphanedWhateverItsText) {
    threeSlips();
    keywords("3", {"b"});
    keywords("2", {});
    EXPECT_EQ(maintenance.findOrphanedSlips()->singletonKeywordsArray(), QList<Row>({{"no keywords", "2"}}));
}

TEST_F(KeywordMaintenanceTest, NoOrphansAlertsAndStillShowsTheWindow) {
    threeSlips();
    keywords("3", {"a"});
    const auto window = maintenance.findOrphanedSlips();
    EXPECT_EQ(window->numberOfRowsInTableView(), 0);
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts[0].message, "No orphaned slip in this box.");
    EXPECT_EQ(ui.alerts[0].informativeText, "An orphaned slip is a slip without keywords or slip scents.");
}

TEST_F(KeywordMaintenanceTest, DoubleClickInListGoesToSlipAndRecordsHistory) {
    threeSlips();
    show("1");
    const auto window = maintenance.findSingletonKeywords();
    window->selectRow(1);
    window->doubleClick();
    EXPECT_EQ(current(), "3");
    // A slip removed since the list was made is skipped.
    doc->document().deleteSlipForKey("1");
    window->selectRow(0);
    window->doubleClick();
    EXPECT_EQ(current(), "3");
}

TEST_F(KeywordMaintenanceTest, ReplaceKeywordClearsUndoAndReportsCount) {
    threeSlips();
    command([&] { doc->slip("2")->setFlagged(true); FlagSlipsCommand::record(*doc, {"2"}, true); });
    ASSERT_TRUE(doc->undoManager().canUndo());
    EXPECT_EQ(maintenance.replaceKeywordOK("b", "beta"), 2u);
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), QStringList({"a", "beta"}));
    EXPECT_EQ(doc->slip("2")->keywords().toStringList(), QStringList({"beta"}));
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_TRUE(doc->isDocumentEdited());
    // The refreshed keyword index knows the new keyword.
    EXPECT_TRUE(doc->keywordScents()->keywordsInBox().contains("beta"));
    EXPECT_FALSE(doc->keywordScents()->keywordsInBox().contains("b"));
    EXPECT_EQ(ui.takeMessages(), QStringList({"Replaced all occurrences of 'b' with 'beta' on 2 slips."}));

    EXPECT_EQ(maintenance.replaceKeywordOK("nowhere", "x"), 0u);
    EXPECT_EQ(ui.takeMessages(), QStringList({"Replaced all occurrences of 'nowhere' with 'x' on 0 slips."}));
}

TEST_F(KeywordMaintenanceTest, AddKeywordToSelectedResultsWithUndo) {
    threeSlips();
    const BoxSnapshot before = snapshot();
    command([&] { maintenance.addKeywordOK("b", {"3", "1"}); });
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), QStringList({"a", "b", "b"}));
    EXPECT_EQ(doc->slip("3")->keywords().toStringList(), QStringList({"c", "b"}));
    EXPECT_NE(doc->slip("1")->lastModificationTime(), oldTime(1));
    EXPECT_EQ(doc->undoManager().undoActionName(), undo_names::AddKeyword);
    undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(KeywordMaintenanceTest, FlagSlipInSlipTabTogglesCurrentWithUndo) {
    fill({1, 2});
    show("2");
    command([&] { maintenance.flagSlip(); });
    EXPECT_EQ(flagged(), QStringList({"2"}));
    EXPECT_EQ(doc->undoManager().undoActionName(), "Toggle Flaged");
    command([&] { maintenance.flagSlip(); });
    EXPECT_TRUE(flagged().isEmpty());
    undo();
    EXPECT_EQ(flagged(), QStringList({"2"}));
    undo();
    EXPECT_TRUE(flagged().isEmpty());
}

TEST_F(KeywordMaintenanceTest, FlagSlipInSearchTabTogglesEachSelectedResult) {
    fill({1, 2, 3});
    setFlags({"2"});
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->showAllSlipsAsSearchResults();
    selectResults({"1", "2"});
    command([&] { maintenance.flagSlip(); });
    EXPECT_EQ(flagged(), QStringList({"1"}));
    undo();
    EXPECT_EQ(flagged(), QStringList({"2"}));
}

TEST_F(KeywordMaintenanceTest, FlagChangesRerunAFlagSearch) {
    fill({1, 2, 3});
    setFlags({"2", "3"});
    searchFlaggedAndSelect({"2"});
    ASSERT_EQ(resultKeys(), (QStringList{"2", "3"}));
    command([&] { maintenance.flagSlip(); });
    EXPECT_EQ(resultKeys(), QStringList{"3"});
    command([&] { maintenance.unflagAllSlips(); });
    EXPECT_TRUE(resultKeys().isEmpty());
}

TEST_F(KeywordMaintenanceTest, FlagAllThenUndoUnflagsAllIncludingThoseFlaggedBefore) {
    fill({1, 2, 3, 4});
    setFlags({"2", "4"});
    doc->search().setSearchResultsToSlips({doc->slip("1"), doc->slip("2"), doc->slip("3")});
    searches = 0;
    command([&] { maintenance.flagAllSlips(); });
    EXPECT_EQ(flagged(), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(searches, 1);
    undo();
    EXPECT_EQ(flagged(), QStringList({"4"}));
    redo();
    EXPECT_EQ(flagged(), QStringList({"1", "2", "3", "4"}));
}

TEST_F(KeywordMaintenanceTest, UnflagAllThenUndoFlagsExactlyThoseBefore) {
    fill({1, 2, 3, 4});
    setFlags({"1", "3"});
    searches = 0;
    command([&] { maintenance.unflagAllSlips(); });
    EXPECT_TRUE(flagged().isEmpty());
    EXPECT_EQ(searches, 0);  // only the search view runs the search again
    undo();
    EXPECT_EQ(flagged(), QStringList({"1", "3"}));
}

TEST_F(KeywordMaintenanceTest, ToggleFlaggedOfExtraWindowSlip) {
    fill({1, 2});
    show("2");
    command([&] { maintenance.toggleFlagged(QStringLiteral("1")); });
    EXPECT_EQ(flagged(), QStringList({"1"}));
    command([&] { maintenance.toggleFlagged(); });
    EXPECT_EQ(flagged(), QStringList({"1", "2"}));
    undo();
    undo();
    EXPECT_TRUE(flagged().isEmpty());
}

TEST_F(KeywordMaintenanceTest, ExtraWindowFlagShowsInItsResultRow) {
    fill({1, 2, 3});
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->showAllSlipsAsSearchResults();
    const ResultTable& results = doc->currentSearchResults();
    const qsizetype row = results.rowForResultWithSlipID(QStringLiteral("2"));
    ASSERT_GE(row, 0);
    QList<qsizetype> rowsShownAnew;
    QObject::connect(doc.get(), &Box::searchResultRowChanged, [&](qsizetype changed) { rowsShownAnew.append(changed); });
    command([&] { maintenance.toggleFlagged(QStringLiteral("2")); });
    EXPECT_TRUE(doc->slip("2")->isFlagged());
    EXPECT_TRUE(results.resultAtIndex(row).isFlagged());
    EXPECT_EQ(rowsShownAnew, QList<qsizetype>{row});  // the table shows that row anew
    EXPECT_EQ(results.objectValue(QStringLiteral("flagged"), row).toString(), "1");
}

TEST_F(KeywordMaintenanceTest, StatisticsOfTheActiveCollection) {
    threeSlips();
    const BoxStatistics stats = maintenance.statistics();
    EXPECT_EQ(stats.slips, 3);
    EXPECT_EQ(stats.keywords, 3);
    // While the trash is shown, the trash is counted.
    fill({1, 2}, {7});
    doc->browseTrash();
    EXPECT_EQ(maintenance.statistics().slips, 1);
}

TEST_F(KeywordMaintenanceTest, ReplaceKeywordsAndSourceOfCurrentSlipWithUndo) {
    fill({1, 2});
    show("1");
    const BoxSnapshot before = snapshot();
    command([&] { maintenance.replaceKeywordsOfCurrentSlipWithString(QStringLiteral("x, y")); });
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), QStringList({"x", "y"}));
    EXPECT_EQ(doc->undoManager().undoActionName(), undo_names::ChangeKeywords);
    command([&] { maintenance.replaceSourceOfCurrentSlipWithString(std::nullopt); });
    EXPECT_EQ(doc->editor().source(), "");
    EXPECT_EQ(doc->undoManager().undoActionName(), undo_names::ChangeSource);
    undo();
    undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(KeywordMaintenanceTest, EmptyKeywordPieceIsNoSingleton) {
    threeSlips();
    keywords("2", {"b", ""});
    EXPECT_EQ(maintenance.findSingletonKeywords()->singletonKeywordsArray(), QList<Row>({{"a", "1"}, {"c", "3"}}));
}
