#include "app/commands/BoxWindowContext.h"
#include "app/commands/ToolbarState.h"
#include "document/Box.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

BoxWindowContext onSlip(bool first = false, bool last = false) {
    BoxWindowContext c;
    c.selectedTab = BoxTab::Slip;
    c.onFirstSlip = first;
    c.onLastSlip = last;
    c.historyLength = 1;
    return c;
}

}  // namespace

TEST(ToolbarStateTest, PreviousAndNextSegmentsFollowThePlaceInKeyOrder) {
    ToolbarState s = ToolbarState::of(onSlip(true, false));
    EXPECT_FALSE(s.previous);
    EXPECT_TRUE(s.next);
    s = ToolbarState::of(onSlip(true, true));
    EXPECT_FALSE(s.previous);
    EXPECT_FALSE(s.next);
    s = ToolbarState::of(onSlip(false, true));
    EXPECT_TRUE(s.previous);
    EXPECT_FALSE(s.next);
}

TEST(ToolbarStateTest, HistorySegments) {
    BoxWindowContext c = onSlip();
    ToolbarState s = ToolbarState::of(c);
    EXPECT_FALSE(s.back);
    EXPECT_FALSE(s.forward);
    c.historyLength = 3;
    c.historyPosition = 1;
    s = ToolbarState::of(c);
    EXPECT_TRUE(s.back);
    EXPECT_TRUE(s.forward);
    c.historyLength = 0;
    c.historyPosition = 1;
    s = ToolbarState::of(c);
    EXPECT_FALSE(s.back);
    EXPECT_FALSE(s.forward);
}

TEST(ToolbarStateTest, BrowsingTheTrashRelabelsAndDisables) {
    BoxWindowContext c = onSlip();
    ToolbarState s = ToolbarState::of(c);
    EXPECT_EQ(s.addRemoveLabel, "Add/Remove");
    EXPECT_EQ(s.removeImage, "removeSlipBlack");
    EXPECT_EQ(s.removeToolTip, "Remove slip and put into trash");
    EXPECT_EQ(s.trashLabel, "Trash");
    EXPECT_EQ(s.trashImage, "trashMode");
    EXPECT_TRUE(s.addSlip && s.addSegment && s.split && s.merge);

    c.inTrashMode = true;
    s = ToolbarState::of(c);
    EXPECT_EQ(s.addRemoveLabel, "Add/Restore");
    EXPECT_EQ(s.removeImage, "restoreSlipBlack");
    EXPECT_EQ(s.removeToolTip, "Restore slip from trash to normal box");
    EXPECT_EQ(s.trashLabel, "Leave Trash");
    EXPECT_EQ(s.trashImage, "leaveTrashMode");
    EXPECT_EQ(s.trashToolTip, "Leave trash mode");
    EXPECT_FALSE(s.addSlip);
    EXPECT_FALSE(s.addSegment);
    EXPECT_TRUE(s.removeSegment);
    EXPECT_FALSE(s.split);
    EXPECT_FALSE(s.merge);
    EXPECT_TRUE(ToolbarState::validateToolbarItem(s.trashLabel, c));
}

TEST(ToolbarStateTest, ExtraWindowControlByTab) {
    BoxWindowContext c = onSlip();
    ToolbarState s = ToolbarState::of(c);
    EXPECT_TRUE(s.extraWindow);
    EXPECT_EQ(s.extraWindowToolTip, "Open the current slip in a separate window");
    c.selectedTab = BoxTab::KeywordScent;
    s = ToolbarState::of(c);
    EXPECT_FALSE(s.extraWindow);
    EXPECT_EQ(s.extraWindowToolTip, "Open in separate windows");
    c.selectedTab = BoxTab::Search;
    EXPECT_FALSE(ToolbarState::of(c).extraWindow);
    c.selectedResultCount = 1;
    s = ToolbarState::of(c);
    EXPECT_TRUE(s.extraWindow);
    EXPECT_EQ(s.extraWindowToolTip, "Open the selected slips in separate windows");
    c.selectedTab = BoxTab::AlternatingScent;
    c.alternatingRowIsSlip = false;
    s = ToolbarState::of(c);
    EXPECT_FALSE(s.extraWindow);
    EXPECT_EQ(s.extraWindowToolTip, "Open the selected slip in separate windows");
    c.alternatingRowIsSlip = true;
    EXPECT_TRUE(ToolbarState::of(c).extraWindow);
}

TEST(ToolbarStateTest, ZoomAndStyleControlsBelongToTheSlipTab) {
    BoxWindowContext c = onSlip();
    c.zoomFactor = 10;
    ToolbarState s = ToolbarState::of(c);
    EXPECT_TRUE(s.zoom);
    EXPECT_FALSE(s.zoomOut);
    EXPECT_TRUE(s.zoomIn);
    c.zoomFactor = 1600;
    s = ToolbarState::of(c);
    EXPECT_TRUE(s.zoomOut);
    EXPECT_FALSE(s.zoomIn);
    EXPECT_FALSE(s.fontCharacteristics);
    c.slipTextFocused = true;
    EXPECT_TRUE(ToolbarState::of(c).fontCharacteristics);
    c.selectedTab = BoxTab::Search;
    s = ToolbarState::of(c);
    EXPECT_FALSE(s.zoom);
    EXPECT_FALSE(s.fontCharacteristics);
    EXPECT_FALSE(s.split);
    EXPECT_TRUE(s.merge);
}

TEST(ToolbarStateTest, PlainItemsByLabel) {
    BoxWindowContext c = onSlip();
    EXPECT_TRUE(ToolbarState::validateToolbarItem("Print", c));
    EXPECT_TRUE(ToolbarState::validateToolbarItem("Preferences", c));
    EXPECT_FALSE(ToolbarState::validateToolbarItem("Save", c));
    EXPECT_FALSE(ToolbarState::validateToolbarItem("Something Else", c));
    c.documentEdited = true;
    EXPECT_TRUE(ToolbarState::validateToolbarItem("Save", c));
    EXPECT_TRUE(ToolbarState::of(c).save);
}
