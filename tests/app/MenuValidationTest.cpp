#include "app/commands/BoxWindowContext.h"
#include "app/commands/MenuValidation.h"
#include "document/Box.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

// A slip in the middle of the box, in the middle of a three-entry history.
BoxWindowContext middleOfBox() {
    BoxWindowContext c;
    c.selectedTab = BoxTab::Slip;
    c.historyLength = 3;
    c.historyPosition = 1;
    return c;
}

bool enabled(const char* title, const BoxWindowContext& c) {
    return MenuValidation::validateMenuItem(QString::fromUtf8(title), c);
}

}  // namespace

TEST(MenuValidationTest, KeyOrderItemsFollowTheCurrentSlip) {
    BoxWindowContext c = middleOfBox();
    for (const char* title : {"Next", "Last", "Previous", "First"}) EXPECT_TRUE(enabled(title, c)) << title;
    c.onLastSlip = true;
    EXPECT_FALSE(enabled("Next", c));
    EXPECT_FALSE(enabled("Last", c));
    EXPECT_TRUE(enabled("Previous", c));
    c.onLastSlip = false;
    c.onFirstSlip = true;
    EXPECT_FALSE(enabled("Previous", c));
    EXPECT_FALSE(enabled("First", c));
    EXPECT_TRUE(enabled("Next", c));
}

TEST(MenuValidationTest, HistoryItemsFollowThePosition) {
    BoxWindowContext c = middleOfBox();
    EXPECT_TRUE(enabled("Go Back", c));
    EXPECT_TRUE(enabled("Go Forward", c));
    c.historyPosition = 2;
    EXPECT_FALSE(enabled("Go Forward", c));
    c.historyPosition = 0;
    EXPECT_FALSE(enabled("Go Back", c));
    EXPECT_TRUE(enabled("Go Forward", c));
}

TEST(MenuValidationTest, TrashModeDisablesAddingSplittingMergingAndClearing) {
    BoxWindowContext c = middleOfBox();
    for (const char* title : {"Add", "Split", "Merge", "Clear All Fields"}) EXPECT_TRUE(enabled(title, c)) << title;
    c.inTrashMode = true;
    for (const char* title : {"Add", "Split", "Merge", "Clear All Fields"}) EXPECT_FALSE(enabled(title, c)) << title;
    EXPECT_TRUE(enabled("Remove", c));
}

TEST(MenuValidationTest, EmptyTrashRevertAndPasteSlipNeedSomethingToWorkOn) {
    BoxWindowContext c = middleOfBox();
    EXPECT_FALSE(enabled("Empty Trash", c));
    EXPECT_FALSE(enabled("Revert To Saved", c));
    EXPECT_FALSE(enabled("Paste Slip", c));
    EXPECT_FALSE(enabled("Close All Extra Slip Windows", c));
    c.trashEmpty = false;
    c.documentEdited = true;
    c.pasteboardHasSlips = true;
    c.hasExtraSlipWindows = true;
    EXPECT_TRUE(enabled("Empty Trash", c));
    EXPECT_TRUE(enabled("Revert To Saved", c));
    EXPECT_TRUE(enabled("Paste Slip", c));
    EXPECT_TRUE(enabled("Arrange Extra Slip Windows", c));
}

TEST(MenuValidationTest, TabBoundItems) {
    BoxWindowContext c = middleOfBox();
    EXPECT_TRUE(enabled("Split", c));
    EXPECT_TRUE(enabled("Toggle Flagged", c));
    EXPECT_FALSE(enabled("Flag All Search Results", c));
    EXPECT_FALSE(enabled("Make Slip Link", c));
    c.slipTextFocused = true;
    EXPECT_TRUE(enabled("Make Slip Link", c));

    c.selectedTab = BoxTab::Search;
    EXPECT_FALSE(enabled("Split", c));
    EXPECT_TRUE(enabled("Merge", c));
    EXPECT_TRUE(enabled("Flag All Search Results", c));
    EXPECT_FALSE(enabled("Make Slip Link", c));
    EXPECT_FALSE(enabled("Add Keyword to Selected Results", c));
    c.selectedResultCount = 2;
    EXPECT_TRUE(enabled("Add Keyword to Selected Results", c));

    c.selectedTab = BoxTab::KeywordScent;
    EXPECT_FALSE(enabled("Merge", c));
    EXPECT_FALSE(enabled("Toggle Flagged", c));
}

TEST(MenuValidationTest, ShowSelectedSlipsInExtraWindowByTab) {
    BoxWindowContext c = middleOfBox();
    EXPECT_TRUE(enabled("Show Selected Slips In Extra Window", c));
    c.selectedTab = BoxTab::Search;
    EXPECT_FALSE(enabled("Show Selected Slips In Extra Window", c));
    c.selectedResultCount = 1;
    EXPECT_TRUE(enabled("Show Selected Slips In Extra Window", c));
    c.selectedTab = BoxTab::KeywordScent;
    EXPECT_FALSE(enabled("Show Selected Slips In Extra Window", c));
    c.selectedTab = BoxTab::AlternatingScent;
    EXPECT_FALSE(enabled("Show Selected Slips In Extra Window", c));
    c.alternatingRowIsSlip = false;
    EXPECT_FALSE(enabled("Show Selected Slips In Extra Window", c));
    c.alternatingRowIsSlip = true;
    EXPECT_TRUE(enabled("Show Selected Slips In Extra Window", c));
}

TEST(MenuValidationTest, AModalWindowDisablesAllButStylingInAFocusedText) {
    BoxWindowContext c = middleOfBox();
    c.modalWindowUp = true;
    for (const char* title : {"Next", "Add", "Go Back", "Copy Slip", "Some Other Item"})
        EXPECT_FALSE(enabled(title, c)) << title;
    EXPECT_FALSE(enabled("Bold", c));
    c.templateTextFocused = true;
    for (const char* title : {"Bold", "Italic", "Underline", "Highlight"}) EXPECT_TRUE(enabled(title, c)) << title;
}

TEST(MenuValidationTest, HighlightNeedsTheSlipTextOfTheSlipTabOutsideTheTrash) {
    BoxWindowContext c = middleOfBox();
    EXPECT_FALSE(enabled("Highlight", c));
    c.slipTextFocused = true;
    EXPECT_TRUE(enabled("Highlight", c));
    EXPECT_TRUE(enabled("Bold", c));
    c.inTrashMode = true;
    EXPECT_FALSE(enabled("Highlight", c));
    EXPECT_TRUE(enabled("Bold", c));
    c.inTrashMode = false;
    c.selectedTab = BoxTab::Search;
    EXPECT_FALSE(enabled("Highlight", c));
}
