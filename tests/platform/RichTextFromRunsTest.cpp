#include "platform/richtext/RichText.h"

#include <gtest/gtest.h>

using namespace fendle;

TEST(RichTextFromRuns, MergesEqualNeighboursAndDropsEmptyRuns) {
    Attributes bold;
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    const RichText text = RichText::fromRuns(QStringLiteral("abcdef"), {{2, bold}, {0, {}}, {1, bold}, {3, {}}});
    ASSERT_EQ(text.runs().size(), 2u);
    EXPECT_EQ(text.runs()[0].length, 3);
    EXPECT_EQ(text.runs()[1].length, 3);
    RichText expected(QStringLiteral("abc"), bold);
    expected.append(QStringLiteral("def"), Attributes());
    EXPECT_EQ(text, expected);
}

TEST(RichTextFromRuns, RunsThatDoNotCoverTheTextAreDropped) {
    Attributes bold;
    bold.set(attr::Font, FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false});
    const RichText text = RichText::fromRuns(QStringLiteral("abc"), {{5, bold}});
    ASSERT_EQ(text.runs().size(), 1u);
    EXPECT_TRUE(text.runs()[0].attributes.isEmpty());
    EXPECT_EQ(text.string(), QStringLiteral("abc"));
}
