#include "model/SlipFromRtf.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(SlipFromRtf, ReadsTheTextOfTheFile) {
    REQUIRE_SAMPLES();
    const SlipPtr slip = slipWithIDFromRTF(42, test::samplePath(QStringLiteral("osxcart-rtfdtest.rtfd")));
    ASSERT_TRUE(slip);
    EXPECT_EQ(slip->slipID(), 42u);
    ASSERT_TRUE(slip->text());
    EXPECT_TRUE(slip->text()->string().startsWith(QStringLiteral("before\uFFFCafter")));
    EXPECT_TRUE(slip->text()->hasAttachments());
}

TEST(SlipFromRtf, UnreadableFileGivesNoSlip) {
    QString error;
    EXPECT_EQ(slipWithIDFromRTF(1, QStringLiteral("/nonexistent/x.rtf"), &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}
