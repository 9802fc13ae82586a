#include "search/SearchResultsText.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(SearchResultsText, StatusLine) {
    EXPECT_EQ(searchResultsStatusText(5, 12, 3), QStringLiteral("result 6 of 12 - 3 selected"));
    EXPECT_EQ(searchResultsStatusText(-1, 0, 0), QStringLiteral("result 0 of 0 - 0 selected"));
}

TEST(SearchResultsText, DesktopSearchQuotesEveryKeyword) {
    EXPECT_EQ(desktopSearchQueryText({QStringLiteral("alpha, beta")}), QStringLiteral("\"alpha\" \"beta\""));
    EXPECT_EQ(desktopSearchQueryText({QStringLiteral("a, b"), QStringLiteral("c")}),
              QStringLiteral("\"a\" \"b\" \"c\""));
    EXPECT_EQ(desktopSearchQueryText({QStringLiteral("two  words")}), QStringLiteral("\"two words\""));
}
