#include "BoxWindowFixture.h"

#include "app/dialogs/NumberSheet.h"

#include <QComboBox>
#include <QDialog>
#include <QTabWidget>

using namespace fendle;
using fendle::test::BoxWindowFixture;

class BoxWindowNavigationTest : public BoxWindowFixture {};

TEST_F(BoxWindowNavigationTest, OpensOnTheLastSlipInTheSlipTab) {
    open({1, 2, 3});
    EXPECT_EQ(current(), "3");
    EXPECT_EQ(window->windowTitle(), "Slip View - Slip 3 - Box1.fendle[*]");
    EXPECT_EQ(window->tabs()->tabText(window->tabs()->currentIndex()), "Slip");
    EXPECT_TRUE(toolbar().viewSelectorToolbarControl->isSegmentSelected(0));
    EXPECT_TRUE(window->fields()->sourceSnapBackButton()->isHidden());
}

TEST_F(BoxWindowNavigationTest, ToolbarMovesThroughTheBoxAndItsHistory) {
    open({1, 2, 3});
    SegmentedControl* change = toolbar().changeSlipToolbarControl;
    EXPECT_FALSE(change->isSegmentEnabled(1));
    click(change, 0);
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(keywordsField()->text(), "k2");
    EXPECT_EQ(window->windowTitle(), "Slip View - Slip 2 - Box1.fendle[*]");
    click(change, 0);
    EXPECT_EQ(current(), "1");
    EXPECT_FALSE(change->isSegmentEnabled(0));
    EXPECT_TRUE(change->isSegmentEnabled(1));

    SegmentedControl* history = toolbar().goBackForwardToolbarControl;
    EXPECT_FALSE(history->isSegmentEnabled(1));
    click(history, 0);
    EXPECT_EQ(current(), "2");
    click(history, 1);
    EXPECT_EQ(current(), "1");
}

TEST_F(BoxWindowNavigationTest, OneSlipLeavesNothingToMoveTo) {
    open({5});
    EXPECT_FALSE(toolbar().changeSlipToolbarControl->isSegmentEnabled(0));
    EXPECT_FALSE(toolbar().changeSlipToolbarControl->isSegmentEnabled(1));
    EXPECT_FALSE(toolbar().goBackForwardToolbarControl->isSegmentEnabled(0));
    EXPECT_FALSE(toolbar().goBackForwardToolbarControl->isSegmentEnabled(1));
    for (const char* title : {"Next", "Last", "Previous", "First", "Go Back", "Go Forward", "Empty Trash"})
        EXPECT_FALSE(menuItem(title)->isEnabled()) << title;
    EXPECT_TRUE(menuItem("Add")->isEnabled());
}

TEST_F(BoxWindowNavigationTest, ViewSelectorSwitchesTabsAndTheRulesFollow) {
    open({1, 2});
    click(toolbar().viewSelectorToolbarControl, 2);
    EXPECT_EQ(window->tabs()->currentIndex(), 2);
    EXPECT_EQ(box->selectedTab(), BoxTab::KeywordScent);
    EXPECT_TRUE(window->windowTitle().startsWith("Keyword Scent View - Slip 2"));
    EXPECT_FALSE(toolbar().zoomToolbarControl->isEnabled());
    EXPECT_FALSE(toolbar().openInExtraSlipWindowToolbarControl->isSegmentEnabled(0));
    EXPECT_EQ(toolbar().openInExtraSlipWindowToolbarControl->segment(0)->toolTip(), "Open in separate windows");
    EXPECT_FALSE(menuItem("Split")->isEnabled());
    EXPECT_FALSE(menuItem("Clear All Fields")->isEnabled());

    window->tabs()->setCurrentIndex(1);
    settle();
    EXPECT_EQ(box->selectedTab(), BoxTab::Search);
    EXPECT_TRUE(toolbar().viewSelectorToolbarControl->isSegmentSelected(1));
    EXPECT_TRUE(menuItem("Merge")->isEnabled());
    EXPECT_FALSE(menuItem("Split")->isEnabled());
}

TEST_F(BoxWindowNavigationTest, RemoveAndRestoreThroughTheTrash) {
    open({1, 2, 3});
    EXPECT_FALSE(menuItem("Empty Trash")->isEnabled());
    click(toolbar().addRemoveSlipToolbarControl, 1);
    EXPECT_FALSE(box->box().slipForKeyExists("3"));
    EXPECT_TRUE(menuItem("Empty Trash")->isEnabled());

    toolbar().trashItem->trigger();
    settle();
    EXPECT_TRUE(box->inTrashMode());
    EXPECT_EQ(current(), "3");
    EXPECT_EQ(toolbar().addRemoveSlipToolbarControl->label(), "Add/Restore");
    EXPECT_EQ(toolbar().addRemoveSlipToolbarControl->segment(1)->property("imageName").toString(), "restoreSlipBlack");
    EXPECT_FALSE(toolbar().addRemoveSlipToolbarControl->isSegmentEnabled(0));
    EXPECT_FALSE(toolbar().addSlipToolbarControl->isEnabled());
    EXPECT_FALSE(toolbar().splitMergeToolbarControl->isSegmentEnabled(0));
    EXPECT_FALSE(toolbar().splitMergeToolbarControl->isSegmentEnabled(1));
    EXPECT_EQ(toolbar().trashItem->text(), "Leave Trash");
    EXPECT_NE(window->boxMenuBar()->item("View", "Close Trash"), nullptr);
    EXPECT_NE(window->boxMenuBar()->item("Slip", "Restore"), nullptr);
    EXPECT_TRUE(keywordsField()->isReadOnly());

    click(toolbar().addRemoveSlipToolbarControl, 1);
    if (box->inTrashMode()) choose("Close Trash");
    EXPECT_FALSE(box->inTrashMode());
    EXPECT_TRUE(box->box().slipForKeyExists("3"));
    EXPECT_EQ(toolbar().addRemoveSlipToolbarControl->label(), "Add/Remove");
    EXPECT_EQ(toolbar().trashItem->text(), "Trash");
    EXPECT_NE(window->boxMenuBar()->item("View", "Browse Trash"), nullptr);
    EXPECT_NE(window->boxMenuBar()->item("Slip", "Remove"), nullptr);
    EXPECT_FALSE(keywordsField()->isReadOnly());
}

TEST_F(BoxWindowNavigationTest, GoToSlipAsksForTheNumberOnASheet) {
    open({1, 2, 3});
    choose("Go To Slip...");
    NumberSheet* sheet = window->uiPort().numberSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->label(), "Go To Slip Number");
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    QTest::keyClicks(sheet->numberField(), "1");
    sheet->pressOK();
    settle();
    EXPECT_EQ(current(), "1");
    EXPECT_EQ(window->uiPort().numberSheet(), nullptr);
}

TEST_F(BoxWindowNavigationTest, AModalWindowDisablesTheBoxMenu) {
    open({1, 2, 3});
    EXPECT_TRUE(menuItem("Previous")->isEnabled());
    QDialog modal(window);
    modal.setModal(true);
    modal.show();
    settle();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(menuItem("Previous")->isEnabled());
    EXPECT_FALSE(menuItem("Add")->isEnabled());
    modal.close();
    settle();
    EXPECT_TRUE(menuItem("Previous")->isEnabled());
}

TEST_F(BoxWindowNavigationTest, ZoomStopsAtTheSmallestFactor) {
    open({1});
    window->setZoomToSize(25);
    click(toolbar().zoomToolbarControl, 0);
    EXPECT_EQ(box->box().currentZoomFactor(), 10);
    EXPECT_FALSE(toolbar().zoomToolbarControl->isSegmentEnabled(0));
    EXPECT_EQ(toolbar().zoomPopUp->currentText(), "10%");
    click(toolbar().zoomToolbarControl, 1);
    EXPECT_EQ(box->box().currentZoomFactor(), 100);
}
