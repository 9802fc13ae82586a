#include "platform/ui/Pasteboard.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(PasteboardTest, FormsKeepTheirOrderAndClearingStartsAnew) {
    InMemoryPasteboard board;
    EXPECT_FALSE(board.data(Pasteboard::SlipsType).has_value());
    board.setData(Pasteboard::SlipsType, "s1");
    board.setData(Pasteboard::StringType, "");
    board.setData(Pasteboard::SlipsType, "s2");
    EXPECT_EQ(board.types(), (QStringList{Pasteboard::SlipsType, Pasteboard::StringType}));
    EXPECT_EQ(board.data(Pasteboard::SlipsType), QByteArray("s2"));
    EXPECT_EQ(board.data(Pasteboard::StringType), QByteArray());  // empty form is still there
    board.clearContents();
    EXPECT_FALSE(board.hasType(Pasteboard::SlipsType));
}
