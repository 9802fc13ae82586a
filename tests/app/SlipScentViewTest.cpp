#include "AppBoxFixture.h"
#include "app/views/SlipScentModel.h"
#include "app/views/SlipScentView.h"

#include <QFont>

using namespace fendle;
using namespace fendle::test;

namespace {

class SlipScentViewTest : public AppBoxFixture {
protected:
    std::unique_ptr<SlipScentView> view;

    void SetUp() override {
        view = std::make_unique<SlipScentView>(*doc);
        open({{1, "one", {"a", "b"}}, {2, "two", {"a", "b", "x"}}, {3, "three", {"b"}}, {4, "four", {"c"}}});
        view->resize(300, 400);
        view->show();
        doc->performChangeCurrentSlip(doc->slip("1"), false);
    }
    SlipScentModel& model() { return view->scentModel(); }
    QStringList shownKeys() {
        QStringList keys;
        const QModelIndex group = model().groupIndex();
        for (int row = 0; row < model().rowCount(group); ++row) keys.append(model().index(row, 0, group).data().toString());
        return keys;
    }
};

}  // namespace

TEST_F(SlipScentViewTest, ListsTheSlipThenItsScentsUnderTheGroupRow) {
    ASSERT_EQ(model().rowCount(), 1);
    EXPECT_EQ(model().groupIndex().data().toString(), "SLIP SCENTS");
    EXPECT_TRUE(view->isExpanded(model().groupIndex()));
    EXPECT_EQ(shownKeys(), (QStringList{"1", "2", "3"}));  // two shared keywords before one
    const QFont heading = model().indexOfListRow(1).data(Qt::FontRole).value<QFont>();
    EXPECT_TRUE(heading.bold());
    EXPECT_EQ(model().groupIndex().data(Qt::FontRole).value<QFont>().pointSizeF(), 10.0);
    EXPECT_FALSE(model().indexOfListRow(2).data(Qt::FontRole).isValid());
    EXPECT_EQ(view->selectedListRow(), -1);
}

TEST_F(SlipScentViewTest, ToolTipsNameSharedAndOtherKeywordsOfRelatedSlipsOnly) {
    EXPECT_EQ(model().indexOfListRow(2).data(Qt::ToolTipRole).toString(), "2 -- two\n[Shared: a, b]\n[Nonshared: x]");
    EXPECT_EQ(model().indexOfListRow(0).data(Qt::ToolTipRole).toString(), "");
    EXPECT_EQ(model().indexOfListRow(1).data(Qt::ToolTipRole).toString(), "");
}

TEST_F(SlipScentViewTest, ClickingRowsShowsThoseSlipsAndKeepsTheList) {
    click(*view, model().indexOfListRow(3));
    EXPECT_EQ(current(), "3");
    click(*view, model().indexOfListRow(2));
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(shownKeys(), (QStringList{"1", "2", "3"}));
    click(*view, model().indexOfListRow(0));  // the group row shows nothing
    EXPECT_EQ(current(), "2");
}

TEST_F(SlipScentViewTest, DoubleClickRecentresTheListOnThatSlip) {
    doubleClick(*view, model().indexOfListRow(3));
    EXPECT_EQ(current(), "3");
    EXPECT_EQ(shownKeys().first(), "3");
    EXPECT_EQ(shownKeys().size(), 3);  // 3 shares "b" with 1 and 2
    EXPECT_EQ(view->selectedListRow(), -1);
    // Back along the history, as navigation does.
    EXPECT_EQ(doc->slipHistory().currentKey(), std::optional<QString>("3"));
}

TEST_F(SlipScentViewTest, DoubleClickOnEmptySpaceDoesNothing) {
    const QRect last = view->visualRect(model().indexOfListRow(3));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(last.center().x(), last.bottom() + 100));
    EXPECT_EQ(current(), "1");
    EXPECT_EQ(shownKeys().first(), "1");
}

TEST_F(SlipScentViewTest, ReturnActsAsDoubleClick) {
    view->setCurrentIndex(model().indexOfListRow(2));
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(shownKeys().first(), "2");
}

TEST_F(SlipScentViewTest, GainingFocusSelectsTheSlipItself) {
    view->activateWindow();
    view->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(view->selectedListRow(), 1);
    EXPECT_EQ(current(), "1");
}

TEST_F(SlipScentViewTest, SlipWithoutKeywordsShowsOnlyItsHeading) {
    doc->performChangeCurrentSlip(doc->slip("4"), false);
    EXPECT_EQ(shownKeys(), QStringList{"4"});
}

TEST_F(SlipScentViewTest, ViewMayGoBeforeItsBox) {
    view.reset();
    doc->performChangeCurrentSlip(doc->slip("2"), false);  // the hook finds no view and does nothing
    EXPECT_EQ(current(), "2");
}
