#include "BoxWindowFixture.h"
#include "app/editing/SlipTextView.h"
#include "app/views/AlternatingScentView.h"
#include "app/views/KeywordScentView.h"
#include "app/views/RuleEditorWidget.h"
#include "app/views/SearchView.h"
#include "app/views/ZNOutlineView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"

#include <QTabBar>
#include <QTabWidget>

namespace fendle::test {
namespace {

// A list tab takes the keyboard however it is selected, so its keys work
// at once.
class BoxWindowTabFocusTest : public BoxWindowFixture {
protected:
    void SetUp() override { open({1, 2, 3}); }

    QWidget* searchList() const { return window->searchView()->resultsTable(); }
    QWidget* keywordList() const { return window->keywordScentView()->outlineView(); }
    QWidget* alternatingList() const { return window->alternatingScentView(); }
    static QWidget* focus() { return QApplication::focusWidget(); }

    // Each selection starts from the slip text, where the user types.
    void startInTheSlipText() {
        choose(QStringLiteral("Slip View"));
        window->slipTextView()->setFocus();
        settle();
        ASSERT_EQ(focus(), window->slipTextView());
    }
};

TEST_F(BoxWindowTabFocusTest, ClickingAViewSegmentGivesItsListTheKeyboard) {
    const std::pair<int, QWidget*> tabs[] = {{1, searchList()}, {2, keywordList()}, {3, alternatingList()}};
    for (const auto& [index, list] : tabs) {
        SCOPED_TRACE(index);
        startInTheSlipText();
        click(toolbar().viewSelectorToolbarControl, index);
        EXPECT_EQ(window->tabs()->currentIndex(), index);
        EXPECT_EQ(focus(), list);
    }
}

TEST_F(BoxWindowTabFocusTest, MenuShortcutAndViewSelectorGiveTheListTheKeyboard) {
    startInTheSlipText();
    choose(QStringLiteral("Keyword Scent View"));
    EXPECT_EQ(focus(), keywordList());

    startInTheSlipText();
    QTest::keyClick(window, Qt::Key_4, Qt::ControlModifier);
    settle();
    EXPECT_EQ(box->selectedTab(), BoxTab::AlternatingScent);
    EXPECT_EQ(focus(), alternatingList());

    startInTheSlipText();
    QTest::keyClick(window, Qt::Key_3, Qt::ControlModifier);
    settle();
    EXPECT_EQ(focus(), keywordList());

    startInTheSlipText();
    click(toolbar().viewSelectorToolbarControl, 1);
    EXPECT_EQ(focus(), searchList());
}

TEST_F(BoxWindowTabFocusTest, ASearchCommandStillLeavesTheKeyboardInTheRulesValueField) {
    startInTheSlipText();
    choose(QStringLiteral("Search for Keyword"));
    EXPECT_EQ(box->selectedTab(), BoxTab::Search);
    EXPECT_EQ(focus(), window->searchView()->ruleEditor()->valueControl(1));
    QTest::keyClicks(focus(), QStringLiteral("k2"));
    settle();
    EXPECT_EQ(box->currentSearchResults().slipIDsForResults(), QStringList{QStringLiteral("2")});
}

TEST_F(BoxWindowTabFocusTest, ArrowsAndTypeAheadWorkRightAfterTheSwitch) {
    startInTheSlipText();
    QTest::keyClick(window, Qt::Key_2, Qt::ControlModifier);
    settle();
    // Typed into the list, not the slip text.
    QTest::keyClicks(focus(), QStringLiteral("3"));
    settle();
    EXPECT_EQ(box->slip(QStringLiteral("1"))->textString(), QStringLiteral("slip 1"));
    EXPECT_EQ(current(), QStringLiteral("3"));
    const auto keyOfRow = [this](int row) { return box->currentSearchResults().resultAtIndex(row).resultID(); };
    QTest::keyClick(focus(), Qt::Key_Home);
    settle();
    EXPECT_EQ(current(), keyOfRow(0));
    QTest::keyClick(focus(), Qt::Key_Down);
    settle();
    EXPECT_EQ(current(), keyOfRow(1));
    QTest::keyClick(focus(), Qt::Key_Return);
    settle();
    EXPECT_EQ(box->selectedTab(), BoxTab::Slip);
}

}  // namespace
}  // namespace fendle::test
