#include "AppBoxFixture.h"
#include "app/views/KeywordScentModel.h"
#include "app/views/KeywordScentView.h"
#include "app/views/ZNOutlineView.h"
#include "search/SearchRuleEditor.h"

#include <QCheckBox>

using namespace fendle;
using namespace fendle::test;

namespace {

class KeywordScentViewTest : public AppBoxFixture {
protected:
    std::unique_ptr<KeywordScentView> view;

    void SetUp() override {
        view = std::make_unique<KeywordScentView>(*doc);
        open({{1, "one", {"red", "green"}}, {2, "two", {"green", "blue"}}});
        doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
        view->showDuplicatesInScentPathButton()->setChecked(false);
        view->useScentPathForSearchButton()->setChecked(false);
        view->resize(300, 500);
        view->show();
    }
    KeywordScentModel& model() { return view->scentModel(); }
    ZNOutlineView& tree() { return *view->outlineView(); }
    QModelIndex top(const QString& keyword) {
        for (int row = 0; row < model().rowCount(); ++row)
            if (model().index(row, 0).data().toString() == keyword) return model().index(row, 0);
        return {};
    }
    QStringList children(const QModelIndex& parent) {
        QStringList texts;
        for (int row = 0; row < model().rowCount(parent); ++row) texts.append(model().index(row, 0, parent).data().toString());
        return texts;
    }
    QModelIndex open(const QModelIndex& index) {
        tree().expand(index);
        return index;
    }
    using AppBoxFixture::open;
    QStringList keywordRuleValues() {
        QStringList values;
        const SearchRuleEditor& rules = doc->searchRuleEditor();
        for (int row = 0; row < rules.numberOfRows(); ++row)
            if (rules.row(row).values.value(0).toString() == "keyword")
                values.append(rules.row(row).values.value(2).toString());
        return values;
    }
};

}  // namespace

TEST_F(KeywordScentViewTest, TopLevelListsEveryKeywordSorted) {
    EXPECT_EQ(children({}), (QStringList{"blue", "green", "red"}));
}

TEST_F(KeywordScentViewTest, ChildrenAreFetchedOnlyWhenARowOpens) {
    const QModelIndex green = top("green");
    EXPECT_TRUE(model().hasChildren(green));
    EXPECT_EQ(model().rowCount(green), 0);  // nothing made for the view yet
    EXPECT_TRUE(model().canFetchMore(green));
    open(green);
    EXPECT_EQ(children(green), (QStringList{"blue", "red"}));
    EXPECT_FALSE(model().canFetchMore(green));
    EXPECT_EQ(model().parent(model().index(1, 0, green)), green);
}

TEST_F(KeywordScentViewTest, PathsSkipKeywordsAboveThemUnlessDuplicatesShow) {
    const QModelIndex green = open(model().index(0, 0, open(top("red"))));
    ASSERT_EQ(green.data().toString(), "green");
    EXPECT_EQ(children(open(green)), QStringList{"blue"});
    // blue's only partner, green, stands above it: no expander either.
    const QModelIndex blue = model().index(0, 0, green);
    EXPECT_FALSE(model().hasChildren(blue));
    EXPECT_EQ(model().hasChildren(blue), model().canFetchMore(blue));

    view->showDuplicatesInScentPathButton()->click();
    EXPECT_TRUE(doc->showDuplicatesInScentPath());
    // The whole tree starts collapsed; opened again, the path may return to red.
    EXPECT_FALSE(tree().isExpanded(top("red")));
    EXPECT_EQ(model().rowCount(top("red")), 0);
    const QModelIndex greenAgain = open(model().index(0, 0, open(top("red"))));
    EXPECT_EQ(children(open(greenAgain)), (QStringList{"blue", "red"}));
    const QModelIndex blueAgain = model().index(0, 0, greenAgain);
    EXPECT_TRUE(model().hasChildren(blueAgain));
    EXPECT_EQ(children(open(blueAgain)), QStringList{"green"});
}

TEST_F(KeywordScentViewTest, DoubleClickAddsTheKeywordToTheSearch) {
    preferences.addKeywordToSearch = true;
    const QModelIndex blue = model().index(0, 0, open(top("green")));
    doubleClick(tree(), blue);
    EXPECT_EQ(doc->selectedTab(), BoxTab::Search);
    EXPECT_EQ(keywordRuleValues(), QStringList{"blue"});
}

TEST_F(KeywordScentViewTest, WithTheScentPathTheAncestorsFollowNearestFirst) {
    preferences.addKeywordToSearch = true;
    view->useScentPathForSearchButton()->setChecked(true);
    const QModelIndex green = open(model().index(0, 0, open(top("red"))));
    const QModelIndex blue = model().index(0, 0, green);
    ASSERT_EQ(blue.data().toString(), "blue");
    doubleClick(tree(), blue);
    EXPECT_EQ(keywordRuleValues(), (QStringList{"blue", "green", "red"}));
    EXPECT_EQ(doc->currentSearchResults().count(), 0);  // no slip has all three
}

TEST_F(KeywordScentViewTest, ReturnWithoutSelectionDoesNothing) {
    tree().setFocus();
    tree().clearSelection();
    QTest::keyClick(&tree(), Qt::Key_Return);
    EXPECT_EQ(doc->selectedTab(), BoxTab::KeywordScent);
}

TEST_F(KeywordScentViewTest, ChangedKeywordsShowOnceTheIndexIsRebuilt) {
    doc->slip("1")->setKeywords(KeywordsArray({"red", "yellow"}));
    doc->document().setKeywordScentsMustBeUpdated();
    doc->updateKeywordScents();
    EXPECT_EQ(children({}), (QStringList{"blue", "green", "red", "yellow"}));
}

TEST(KeywordScentViewEmptyBoxTest, BoxWithoutKeywordsHasNoRows) {
    FakeUiPort ui;
    InMemoryPasteboard pasteboard;
    FakeBoxPreferences preferences;
    FakeWebResources web;
    Box box(ui, pasteboard, preferences, web);
    KeywordScentView view(box);
    box.loadDocumentWithInitialData();
    view.refresh();
    EXPECT_EQ(view.scentModel().rowCount(), 0);
}
