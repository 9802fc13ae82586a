#include "AppBoxFixture.h"
#include "app/views/AlternatingScentModel.h"
#include "app/views/AlternatingScentView.h"
#include "search/SearchRuleEditor.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class AlternatingScentViewTest : public AppBoxFixture {
protected:
    std::unique_ptr<AlternatingScentView> view;

    void SetUp() override {
        view = std::make_unique<AlternatingScentView>(*doc);
        open({{3, "Apples", {"fruit", "red"}}, {12, "", {"fruit"}}, {5, "five", {}}});
        view->resize(300, 500);
        view->show();
    }
    AlternatingScentModel& model() { return view->scentModel(); }
    QStringList children(const QModelIndex& parent) {
        QStringList texts;
        for (int row = 0; row < model().rowCount(parent); ++row) texts.append(model().index(row, 0, parent).data().toString());
        return texts;
    }
    QModelIndex opened(const QModelIndex& index) {
        view->expand(index);
        return index;
    }
};

}  // namespace

TEST_F(AlternatingScentViewTest, KeywordsSlipsAndKeywordsAlternate) {
    EXPECT_EQ(children({}), (QStringList{"fruit", "red"}));
    const QModelIndex fruit = opened(model().index(0, 0));
    EXPECT_EQ(children(fruit), (QStringList{"3 [Apples]", "12 []"}));
    const QModelIndex apples = opened(model().index(0, 0, fruit));
    EXPECT_TRUE(model().isSlipRow(apples));
    EXPECT_FALSE(model().isSlipRow(fruit));
    EXPECT_EQ(children(apples), (QStringList{"fruit", "red"}));
    EXPECT_EQ(children(opened(model().index(1, 0))), QStringList{"3 [Apples]"});
}

TEST_F(AlternatingScentViewTest, TheSelectedRowReachesTheBox) {
    EXPECT_FALSE(doc->selectedAlternatingScentRow());
    const QModelIndex apples = model().index(0, 0, opened(model().index(0, 0)));
    view->setCurrentIndex(apples);
    const auto row = doc->selectedAlternatingScentRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->label, "3 [Apples]");
    EXPECT_TRUE(row->isSlip);
}

TEST_F(AlternatingScentViewTest, DoubleClickOnASlipShowsIt) {
    doc->selectTabViewItemWithLabel(BoxTab::AlternatingScent);
    const QModelIndex twelve = model().index(1, 0, opened(model().index(0, 0)));
    doubleClick(*view, twelve);
    EXPECT_EQ(current(), "12");
    EXPECT_EQ(doc->selectedTab(), BoxTab::Slip);
}

TEST_F(AlternatingScentViewTest, DoubleClickOnAKeywordSearchesForIt) {
    preferences.addKeywordToSearch = false;
    doubleClick(*view, model().index(1, 0));
    EXPECT_EQ(doc->selectedTab(), BoxTab::Search);
    EXPECT_EQ(doc->searchRuleEditor().row(1).values.value(2).toString(), "red");
    EXPECT_EQ(doc->currentSearchResults().slipIDsForResults(), QStringList{"3"});
}

TEST_F(AlternatingScentViewTest, ASlipGoneSinceTheBuildLeavesTheCurrentSlip) {
    const QString before = current();
    const QModelIndex twelve = model().index(1, 0, opened(model().index(0, 0)));
    doc->document().setSlips({{"3", doc->slip("3")}, {"5", doc->slip("5")}}, {});
    doubleClick(*view, twelve);
    EXPECT_EQ(current(), before);
}
