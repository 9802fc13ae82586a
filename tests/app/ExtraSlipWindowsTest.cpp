#include "BoxWindowFixture.h"
#include "app/views/AlternatingScentModel.h"
#include "app/views/AlternatingScentView.h"
#include "app/windows/ExtraSlipWindow.h"
#include "app/windows/ExtraSlipWindowPlacement.h"
#include "app/windows/ExtraSlipWindows.h"
#include "app/views/SearchView.h"
#include "app/views/ZNTableView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

using namespace fendle;
using namespace fendle::test;

namespace {

class ExtraSlipWindowsTest : public BoxWindowFixture {
protected:
    ExtraSlipWindows& extra() const { return window->extraSlipWindows(); }
    QStringList shownKeys() const {
        QStringList keys;
        for (const ExtraSlipWindow* w : extra().openWindows()) keys.append(w->keyOfRepresentedSlip());
        return keys;
    }
    void showTab(int index) {
        window->tabs()->setCurrentIndex(index);
        settle();
    }
    void selectResults(const QList<int>& rows) {
        ZNTableView* table = window->searchView()->resultsTable();
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        settle();
    }
    QModelIndex alternatingRow(int keyword, std::optional<int> slip = std::nullopt) {
        AlternatingScentView* view = window->alternatingScentView();
        const QModelIndex top = view->scentModel().index(keyword, 0);
        view->expand(top);
        return slip ? view->scentModel().index(*slip, 0, top) : top;
    }
    ExtraSlipWindow* only() const {
        const QList<ExtraSlipWindow*> all = extra().openWindows();
        EXPECT_EQ(all.size(), 1);
        return all.isEmpty() ? nullptr : all.first();
    }
};

}  // namespace

TEST_F(ExtraSlipWindowsTest, SlipTabOpensTheCurrentSlipReadOnly) {
    open({1, 2, 3}, {"Note", "Quote"});
    box->setFileName(QStringLiteral("/tmp/My Box.v2.fendle"));
    choose("Show Selected Slips In Extra Window");
    ExtraSlipWindow* shown = only();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->keyOfRepresentedSlip(), "3");
    EXPECT_EQ(shown->windowTitle(), "Slip 3 - My Box");
    EXPECT_EQ(shown->slipTextView()->toPlainText(), "slip 3");
    EXPECT_EQ(shown->keywordsField()->text(), "k3");
    EXPECT_EQ(shown->sourceField()->text(), "src 3");
    EXPECT_EQ(shown->typeField()->text(), "Quote");
    EXPECT_TRUE(shown->slipTextView()->isReadOnly());
    EXPECT_TRUE(shown->keywordsField()->isReadOnly());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(shown->flaggedCheckBox()->isChecked());
}

TEST_F(ExtraSlipWindowsTest, TitleWithoutAFileHasAnEmptyName) {
    EXPECT_EQ(ExtraSlipWindow::titleFor("12", std::nullopt), "Slip 12 - ");
    EXPECT_EQ(ExtraSlipWindow::titleFor("12", QStringLiteral("/a.b/Box")), "Slip 12 - Box");
}

TEST_F(ExtraSlipWindowsTest, SearchTabOpensOneWindowPerSelectedResult) {
    open({1, 2, 3, 4});
    showTab(1);
    box->showAllSlipsAsSearchResults();
    settle();
    EXPECT_FALSE(menuItem("Show Selected Slips In Extra Window")->isEnabled());
    EXPECT_FALSE(toolbar().openInExtraSlipWindowToolbarControl->isSegmentEnabled(0));
    selectResults({0, 2});
    ASSERT_EQ(box->selectedSearchResultKeys().size(), 2);
    EXPECT_EQ(toolbar().openInExtraSlipWindowToolbarControl->segment(0)->toolTip(),
              "Open the selected slips in separate windows");
    click(toolbar().openInExtraSlipWindowToolbarControl, 0);
    QStringList expected = box->selectedSearchResultKeys();
    QStringList shown = shownKeys();
    expected.sort();
    shown.sort();
    EXPECT_EQ(shown, expected);
}

TEST_F(ExtraSlipWindowsTest, KeywordScentTabOpensNothing) {
    open({1, 2});
    showTab(2);
    EXPECT_FALSE(menuItem("Show Selected Slips In Extra Window")->isEnabled());
    // Asked all the same (a stale menu), it opens nothing.
    window->runCommand("Show Selected Slips In Extra Window");
    settle();
    EXPECT_FALSE(extra().hasExtraSlipWindows());
    EXPECT_TRUE(ExtraSlipWindows::keysToOpen(*box).isEmpty());
}

TEST_F(ExtraSlipWindowsTest, AlternatingScentTabOpensSlipEntriesOnly) {
    open({1, 2, 3});
    showTab(3);
    AlternatingScentView* view = window->alternatingScentView();
    EXPECT_FALSE(toolbar().openInExtraSlipWindowToolbarControl->isSegmentEnabled(0));

    view->setCurrentIndex(alternatingRow(1));  // the keyword "k2"
    settle();
    EXPECT_FALSE(menuItem("Show Selected Slips In Extra Window")->isEnabled());
    EXPECT_FALSE(toolbar().openInExtraSlipWindowToolbarControl->isSegmentEnabled(0));
    window->runCommand("Show Selected Slips In Extra Window");
    EXPECT_FALSE(extra().hasExtraSlipWindows());

    view->setCurrentIndex(alternatingRow(1, 0));  // "2 [slip 2]"
    settle();
    EXPECT_EQ(toolbar().openInExtraSlipWindowToolbarControl->segment(0)->toolTip(),
              "Open the selected slip in separate windows");
    click(toolbar().openInExtraSlipWindowToolbarControl, 0);
    EXPECT_EQ(shownKeys(), QStringList{"2"});
}

TEST_F(ExtraSlipWindowsTest, FlaggedSlipsOpenOneWindowEach) {
    open({1, 2, 3, 4});
    box->slip("2")->setFlagged(true);
    box->slip("4")->setFlagged(true);
    choose("Show Flagged Slips In Extra Window");
    QStringList shown = shownKeys();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"2", "4"}));
    for (const ExtraSlipWindow* w : extra().openWindows()) EXPECT_TRUE(w->flaggedCheckBox()->isChecked());
}

TEST_F(ExtraSlipWindowsTest, CloseAllEmptiesTheSetAndTheMenuFollows) {
    open({1, 2, 3});
    EXPECT_FALSE(menuItem("Close All Extra Slip Windows")->isEnabled());
    EXPECT_FALSE(menuItem("Arrange Extra Slip Windows")->isEnabled());
    choose("Show Selected Slips In Extra Window");
    choose("Previous");
    choose("Show Selected Slips In Extra Window");
    EXPECT_EQ(extra().extraSlipWindowsOpen().size(), 2);
    EXPECT_TRUE(menuItem("Arrange Extra Slip Windows")->isEnabled());

    // One closed on its own keeps its number, which finds no window.
    const int first = extra().extraSlipWindowsOpen().first();
    extra().extraSlipWindowForNumber(first)->close();
    settle();
    EXPECT_EQ(extra().extraSlipWindowsOpen().size(), 2);
    EXPECT_EQ(extra().extraSlipWindowForNumber(first), nullptr);
    EXPECT_TRUE(menuItem("Close All Extra Slip Windows")->isEnabled());

    const QPointer<ExtraSlipWindow> second = extra().openWindows().value(0);
    ASSERT_TRUE(second);
    choose("Close All Extra Slip Windows");
    EXPECT_TRUE(extra().extraSlipWindowsOpen().isEmpty());
    EXPECT_TRUE(!second || second->isHidden());
    EXPECT_FALSE(menuItem("Close All Extra Slip Windows")->isEnabled());
    EXPECT_FALSE(menuItem("Arrange Extra Slip Windows")->isEnabled());
}

TEST_F(ExtraSlipWindowsTest, ArrangeTilesTheOpenWindows) {
    open({1, 2, 3});
    box->slip("1")->setFlagged(true);
    box->slip("2")->setFlagged(true);
    choose("Show Flagged Slips In Extra Window");
    const QList<ExtraSlipWindow*> windows = extra().openWindows();
    ASSERT_EQ(windows.size(), 2);
    // Cascaded apart first, they are moved to the corners of the tiling.
    EXPECT_NE(windows.at(0)->frameGeometry().topLeft(), windows.at(1)->frameGeometry().topLeft());
    windows.at(1)->resize(200, 150);
    choose("Arrange Extra Slip Windows");
    const QRect screen = window->screen()->availableGeometry();
    const QList<QPoint> corners = ExtraSlipWindowPlacement::arrange(
        {windows.at(0)->frameGeometry().size(), windows.at(1)->frameGeometry().size()}, screen);
    EXPECT_EQ(windows.at(0)->frameGeometry().topLeft(), corners.at(0));
    EXPECT_EQ(windows.at(1)->frameGeometry().topLeft(), corners.at(1));
    EXPECT_EQ(corners.at(0), screen.topLeft());
}

TEST_F(ExtraSlipWindowsTest, WindowsFollowEditsAndFlagChanges) {
    open({1, 2});
    choose("Show Selected Slips In Extra Window");
    ExtraSlipWindow* shown = only();
    ASSERT_NE(shown, nullptr);
    // The new window came to front; the user goes back to the box window.
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    typeInto(keywordsField(), "fresh, words", sourceField());
    ASSERT_EQ(box->slip("2")->keywordsString(), "fresh, words");
    EXPECT_EQ(shown->keywordsField()->text(), "fresh, words");
    choose("Toggle Flagged");
    EXPECT_TRUE(shown->flaggedCheckBox()->isChecked());
    choose("Undo Toggle Flaged");
    EXPECT_FALSE(shown->flaggedCheckBox()->isChecked());
}

TEST_F(ExtraSlipWindowsTest, TheCheckBoxTogglesTheFlagWithUndo) {
    open({1, 2});
    choose("Show Selected Slips In Extra Window");
    choose("Previous");
    ExtraSlipWindow* shown = only();
    ASSERT_NE(shown, nullptr);
    QTest::mouseClick(shown->flaggedCheckBox(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(box->slip("2")->isFlagged());
    EXPECT_FALSE(box->slip("1")->isFlagged());
    EXPECT_TRUE(shown->flaggedCheckBox()->isChecked());
    choose("Undo Toggle Flaged");
    EXPECT_FALSE(box->slip("2")->isFlagged());
    EXPECT_FALSE(shown->flaggedCheckBox()->isChecked());
}

TEST_F(ExtraSlipWindowsTest, GoingToTheSlipRecordsHistorySelectsTheSlipTabAndCloses) {
    open({1, 2, 3});
    choose("First");
    choose("Show Selected Slips In Extra Window");
    const QPointer<ExtraSlipWindow> shown = only();
    ASSERT_TRUE(shown);
    choose("Last");
    showTab(1);
    const qsizetype historyBefore = box->slipHistory().keys().size();
    QTest::mouseClick(shown->goToSlipButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(current(), "1");
    EXPECT_EQ(box->selectedTab(), BoxTab::Slip);
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    EXPECT_EQ(box->slipHistory().keys().size(), historyBefore + 1);
    EXPECT_EQ(box->slipHistory().keys().last(), "1");
    EXPECT_TRUE(!shown || shown->isHidden());
    EXPECT_TRUE(menuItem("Go Back")->isEnabled());
}

TEST_F(ExtraSlipWindowsTest, ARemovedSlipLeavesAnEmptyInertWindow) {
    open({1, 2, 3});
    choose("Show Selected Slips In Extra Window");
    ExtraSlipWindow* shown = only();
    ASSERT_NE(shown, nullptr);
    choose("Remove");
    EXPECT_FALSE(box->box().slipForKeyExists("3"));
    EXPECT_EQ(shown->displayedSlip(), nullptr);
    EXPECT_TRUE(shown->keywordsField()->text().isEmpty());
    EXPECT_TRUE(shown->slipTextView()->toPlainText().isEmpty());
    EXPECT_FALSE(shown->flaggedCheckBox()->isEnabled());
    EXPECT_FALSE(shown->goToSlipButton()->isEnabled());
    // A stray request changes nothing.
    emit shown->changeCurrentSlipRequestFromWindow("3");
    emit shown->toggleFlagged("3");
    settle();
    EXPECT_EQ(current(), "2");
    // Restored, it shows the slip again.
    choose("Undo Remove Slip(s)");
    EXPECT_EQ(shown->keywordsField()->text(), "k3");
    EXPECT_TRUE(shown->goToSlipButton()->isEnabled());
}

TEST_F(ExtraSlipWindowsTest, ClosingTheBoxWindowClosesItsExtraWindows) {
    open({1, 2});
    choose("Show Selected Slips In Extra Window");
    const QPointer<ExtraSlipWindow> shown = only();
    ASSERT_TRUE(shown);
    const QPointer<BoxWindow> closing(window);
    window->close();
    flush();
    EXPECT_TRUE(!shown || shown->isHidden());
    EXPECT_TRUE(closing.isNull());  // and its set of extra windows with it
}

TEST_F(ExtraSlipWindowsTest, ToolbarControlByTab) {
    open({1, 2});
    EXPECT_TRUE(toolbar().openInExtraSlipWindowToolbarControl->isSegmentEnabled(0));
    EXPECT_EQ(toolbar().openInExtraSlipWindowToolbarControl->segment(0)->toolTip(),
              "Open the current slip in a separate window");
    click(toolbar().openInExtraSlipWindowToolbarControl, 0);
    EXPECT_EQ(shownKeys(), QStringList{"2"});
    showTab(2);
    EXPECT_FALSE(toolbar().openInExtraSlipWindowToolbarControl->isSegmentEnabled(0));
    EXPECT_EQ(toolbar().openInExtraSlipWindowToolbarControl->segment(0)->toolTip(), "Open in separate windows");
}
