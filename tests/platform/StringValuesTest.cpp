#include "platform/text/StringValues.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(StringValues, IntValueReadsLeadingNumber) {
    EXPECT_EQ(intValueOfString(QStringLiteral("17")), 17);
    EXPECT_EQ(intValueOfString(QStringLiteral("  -3x")), -3);
    EXPECT_EQ(intValueOfString(QStringLiteral("no key found")), 0);
    EXPECT_EQ(intValueOfString(QStringLiteral("99999999999")), 2147483647);
    EXPECT_EQ(intValueOfString(QStringLiteral("-99999999999")), -2147483647 - 1);
}

TEST(StringValues, TrimsOnlySpacesAndTabs) {
    EXPECT_EQ(trimSpacesAndTabs(QStringLiteral(" \ta\n \t")), QStringLiteral("a\n"));
}
