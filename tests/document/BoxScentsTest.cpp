#include "BoxFixture.h"

#include <QTemporaryDir>
#include "scents/AlternatingScent.h"
#include "scents/KeywordScent.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class BoxScentsTest : public BoxFixture {
protected:
    void keywords(const QString& key, const QStringList& words) {
        doc->slip(key)->setKeywordsWithoutLastModificationDate(KeywordsArray(words));
    }
    // 1 "a, b", 2 "a, b", 3 "b", 4 "c".
    void fillRelated() {
        fill({1, 2, 3, 4});
        keywords("1", {"a", "b"});
        keywords("2", {"a", "b"});
        keywords("3", {"b"});
        keywords("4", {"c"});
        doc->document().setKeywordScentsMustBeUpdated();
        doc->updateWindow();  // the editor shows the shown slip as it is now
    }
    QStringList related(const QString& key) { return doc->slipScentsForSlip(*doc->slip(key)).relatedKeys(); }
};

}  // namespace

TEST_F(BoxScentsTest, SlipScentsRankSharedKeywordsOfAnySlip) {
    fillRelated();
    const SlipScentList scents = doc->slipScentsForSlip(*doc->slip("1"));
    EXPECT_EQ(scents.heading().string(), "1");
    EXPECT_EQ(scents.relatedKeys(), (QStringList{"2", "3"}));  // two shared before one
    QStringList ofThree = related("3");  // not the current slip: still ranked; equal strengths in any order
    ofThree.sort();
    EXPECT_EQ(ofThree, (QStringList{"1", "2"}));
    EXPECT_TRUE(related("4").isEmpty());
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
}

TEST_F(BoxScentsTest, KeywordChangesMarkTheIndexStaleAndItIsRebuiltLazily) {
    fillRelated();
    const auto first = doc->keywordScents();
    EXPECT_EQ(doc->keywordScents(), first);  // current: not rebuilt
    EXPECT_EQ(first->slipsContainingKeyword("a")->size(), 2);

    show("4");
    doc->editor().typeInField(EditorCell::Keywords, "c, a");
    doc->editor().endEditing();
    // The slip scents are ranked anew at once, which rebuilds the index.
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
    EXPECT_EQ(doc->keywordScents().get() == first.get(), false);
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
    const QStringList ofOne = related("1");
    ASSERT_EQ(ofOne.size(), 3);
    EXPECT_EQ(ofOne.first(), "2");  // 3 and 4 share one keyword each
    EXPECT_EQ(doc->keywordScents()->scentsForKeyword("c"), QStringList{"a"});

    // A removal marks it stale too; the removed slip drops out.
    command([&] { doc->removeSlip(); });
    EXPECT_EQ(doc->keywordScents()->slipsContainingKeyword("c"), std::nullopt);
}

TEST_F(BoxScentsTest, SlipScentListFollowsTheCurrentSlipOnlyInTheSlipView) {
    fillRelated();
    int reloads = 0;
    QObject::connect(doc.get(), &Box::slipScentsChanged, [&] { ++reloads; });
    show("1");
    ASSERT_TRUE(doc->slipScentTable().has_value());
    EXPECT_EQ(doc->slipScentTable()->keyForRow(1), "1");
    EXPECT_EQ(doc->slipScentTable()->keyForRow(2), "2");
    EXPECT_GE(reloads, 1);

    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->displaySlipWithID("3");  // shows the slip view again
    EXPECT_EQ(doc->selectedTab(), BoxTab::Slip);
    EXPECT_EQ(doc->slipScentTable()->keyForRow(1), "3");

    doc->selectTabViewItemWithLabel(BoxTab::Search);
    reloads = 0;
    doc->updateSlipScent();
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(doc->slipScentTable()->keyForRow(1), "3");
}

TEST_F(BoxScentsTest, ScentViewsRebuildBothStructuresWhenStale) {
    fillRelated();
    int rebuilt = 0;
    QObject::connect(&doc->document(), &BoxDocument::keywordScentsRebuilt, [&] { ++rebuilt; });
    doc->setShowDuplicatesInScentPath(true);
    doc->document().setKeywordScentsMustBeUpdated();
    doc->selectTabViewItemWithLabel(BoxTab::AlternatingScent);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
    ASSERT_NE(doc->alternatingScents(), nullptr);
    EXPECT_EQ(doc->alternatingScents()->keywordsToSlipIDs().value("b").size(), 3);
    EXPECT_TRUE(doc->keywordScents()->showDuplicates());
    doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
    EXPECT_EQ(rebuilt, 1);  // nothing changed since
}

TEST_F(BoxScentsTest, InTheTrashTheIndexCoversTheTrashedSlips) {
    fill({1, 2}, {5, 6});
    doc->box().slipInTrashForKey("5")->setKeywordsWithoutLastModificationDate(KeywordsArray({"gone"}));
    doc->box().slipInTrashForKey("6")->setKeywordsWithoutLastModificationDate(KeywordsArray({"gone"}));
    doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
    doc->browseTrash();  // with the keyword view showing: a new index at once
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
    EXPECT_EQ(doc->keywordScents()->slipsContainingKeyword("gone")->size(), 2);
    EXPECT_EQ(doc->keywordScents()->slipsContainingKeyword("k1"), std::nullopt);
    EXPECT_EQ(related("5"), QStringList{"6"});
}

TEST_F(BoxScentsTest, SuggestingNeedsTheSlipScentList) {
    Box fresh(ui, pasteboard, preferences, web);
    fresh.suggestSlip();
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_TRUE(ui.alerts.first().message.startsWith("Cannot suggest slip. Please report this error to "));
    EXPECT_TRUE(ui.alerts.first().message.endsWith(
        ". (I would help tremendously if you would send the Fendle document that caused the problem.)"));
}

TEST_F(BoxScentsTest, OpeningBuildsTheScentsAndShowsAllSlipsAsResults) {
    fillRelated();
    doc->loadDocumentWithInitialData();
    ASSERT_NE(doc->alternatingScents(), nullptr);
    EXPECT_EQ(doc->currentSearchResults().count(), 4);
    // Built from the slips just loaded, the index stays current: the first
    // move after opening does not build it again.
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
    const auto index = doc->keywordScents();
    doc->previousSlip();
    EXPECT_EQ(doc->keywordScents(), index);
}

TEST_F(BoxScentsTest, ReadingAFileMakesTheIndexStale) {
    fillRelated();
    doc->loadDocumentWithInitialData();
    const auto before = doc->keywordScents();
    QTemporaryDir dir;
    ASSERT_TRUE(doc->saveDocument(dir.filePath("box.fendle")));
    ASSERT_TRUE(doc->readFromURL(dir.filePath("box.fendle")).ok());
    EXPECT_TRUE(doc->document().keywordScentsMustBeUpdated());
    doc->loadDocumentWithInitialData();
    EXPECT_NE(doc->keywordScents(), before);
    EXPECT_FALSE(doc->document().keywordScentsMustBeUpdated());
}
