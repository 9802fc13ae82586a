#include "app/commands/BoxWindowContext.h"
#include "document/Box.h"
#include "document/FakeBoxEnvironment.h"
#include "document/FakeUiPort.h"
#include "platform/ui/Pasteboard.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

class BoxWindowContextTest : public ::testing::Test {
protected:
    test::FakeUiPort ui;
    InMemoryPasteboard pasteboard;
    test::FakeBoxPreferences preferences;
    test::FakeWebResources web;
    Box box{ui, pasteboard, preferences, web};

    // Slips 2, 5 and 9 in the box, 12 in the trash: gaps everywhere, and the
    // highest number ever given is not a slip of the box.
    void SetUp() override {
        SlipDictionary slips, trash;
        for (quint32 n : {2u, 5u, 9u}) slips.insert(QString::number(n), Slip::create(n));
        trash.insert(QStringLiteral("12"), Slip::create(12));
        box.document().setSlips(slips, trash);
    }
    BoxWindowContext on(const char* key) {
        box.setCurrentSlip(box.slip(QString::fromUtf8(key)));
        return BoxWindowContext::of(box, pasteboard);
    }
};

}  // namespace

TEST_F(BoxWindowContextTest, PlaceInKeyOrderAcrossGaps) {
    ASSERT_EQ(box.box().findLastKey(), "9");
    BoxWindowContext c = on("9");
    EXPECT_TRUE(c.onLastSlip);
    EXPECT_FALSE(c.onFirstSlip);
    c = on("5");
    EXPECT_FALSE(c.onLastSlip);
    EXPECT_FALSE(c.onFirstSlip);
    c = on("2");
    EXPECT_TRUE(c.onFirstSlip);
    EXPECT_FALSE(c.onLastSlip);
    EXPECT_FALSE(c.trashEmpty);
}

TEST_F(BoxWindowContextTest, PasteboardAndTrashState) {
    BoxWindowContext c = on("5");
    EXPECT_FALSE(c.pasteboardHasSlips);
    pasteboard.setData(Pasteboard::SlipsType, QByteArray("x"));
    EXPECT_TRUE(BoxWindowContext::of(box, pasteboard).pasteboardHasSlips);
    EXPECT_EQ(c.selectedTab, BoxTab::Slip);
}
