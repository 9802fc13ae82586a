#include "platform/text/TextOrdering.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(TextOrdering, CaseInsensitiveWithAFixedTieBreak) {
    EXPECT_LT(compareIgnoringCase(QStringLiteral("apple"), QStringLiteral("Banana")), 0);
    EXPECT_GT(compareIgnoringCase(QStringLiteral("b"), QStringLiteral("A")), 0);
    EXPECT_EQ(compareIgnoringCase(QStringLiteral("Straße"), QStringLiteral("Straße")), 0);
    // Equal ignoring case: the plain order decides, both ways.
    EXPECT_LT(compareIgnoringCase(QStringLiteral("Apple"), QStringLiteral("apple")), 0);
    EXPECT_GT(compareIgnoringCase(QStringLiteral("apple"), QStringLiteral("Apple")), 0);
}

TEST(TextOrdering, DigitRunsCompareAsNumbers) {
    EXPECT_LT(compareNumericallyIgnoringCase(QStringLiteral("2"), QStringLiteral("10")), 0);
    EXPECT_LT(compareNumericallyIgnoringCase(QStringLiteral("9"), QStringLiteral("10")), 0);
    EXPECT_LT(compareNumericallyIgnoringCase(QStringLiteral("10"), QStringLiteral("100")), 0);
    EXPECT_LT(compareNumericallyIgnoringCase(QStringLiteral("3 [Apples]"), QStringLiteral("12")), 0);
    EXPECT_LT(compareNumericallyIgnoringCase(QStringLiteral("slip 2b"), QStringLiteral("SLIP 2c")), 0);
    EXPECT_EQ(compareNumericallyIgnoringCase(QStringLiteral("x007"), QStringLiteral("x007")), 0);
    EXPECT_NE(compareNumericallyIgnoringCase(QStringLiteral("x007"), QStringLiteral("x7")), 0);
    EXPECT_GT(compareNumericallyIgnoringCase(QStringLiteral("12345678901234567890"), QStringLiteral("9")), 0);
    EXPECT_LT(compareNumericallyIgnoringCase(QStringLiteral("a"), QStringLiteral("a1")), 0);
}
