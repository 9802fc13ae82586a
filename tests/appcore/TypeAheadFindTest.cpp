#include "appcore/TypeAheadFind.h"

#include <gtest/gtest.h>

namespace fendle {
namespace {

class TypeAheadFindTest : public ::testing::Test {
protected:
    double now = 100.0;
    TypeAheadFind find{[this] { return now; }};
};

TEST_F(TypeAheadFindTest, KeysWithinASecondExtendTheTextAndALongerGapStartsAnew) {
    EXPECT_EQ(find.addCharacters("1"), "1");
    now += 0.4;
    EXPECT_EQ(find.addCharacters("2"), "12");
    now += 1.0;  // exactly one second still continues
    EXPECT_EQ(find.addCharacters("3"), "123");
    now += 1.01;
    EXPECT_EQ(find.addCharacters("2"), "2");
}

TEST_F(TypeAheadFindTest, FirstKeyReplacesTheInitialTextAndClearingForgetsIt) {
    EXPECT_EQ(find.prefix(), "XXX");
    EXPECT_EQ(find.addCharacters("a"), "a");
    find.clear();
    now += 0.1;
    EXPECT_EQ(find.addCharacters("b"), "b");
}

TEST(TypeAheadFindMatch, TablesSearchFromTheTopIgnoringCase) {
    const QStringList keys{"3", "120", "12", "2", "abc"};
    EXPECT_EQ(TypeAheadFind::firstMatchFromTop(keys, "12"), 1);
    EXPECT_EQ(TypeAheadFind::firstMatchFromTop(keys, "2"), 3);
    EXPECT_EQ(TypeAheadFind::firstMatchFromTop(keys, "AB"), 4);
    EXPECT_EQ(TypeAheadFind::firstMatchFromTop(keys, "9"), std::nullopt);
    EXPECT_EQ(TypeAheadFind::firstMatchFromTop({}, "1"), std::nullopt);
}

TEST(TypeAheadFindMatch, OutlinesSearchFromTheSelectionDownThenWrapAndMindCase) {
    const QStringList rows{"alpha", "beta", "Alpine", "alto", "gamma"};
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping(rows, "al", 2), 3);
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping(rows, "al", 4), 0);
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping(rows, "Al", 0), 2);
    // The selected row itself is the first candidate.
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping(rows, "be", 1), 1);
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping(rows, "AL", 0), std::nullopt);
    // A start outside the rows counts as row 0.
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping(rows, "a", 99), 0);
    EXPECT_EQ(TypeAheadFind::firstMatchWrapping({}, "a", 0), std::nullopt);
}

}  // namespace
}  // namespace fendle
