#include "platform/richtext/TextAttributes.h"

#include <gtest/gtest.h>

using namespace fendle;

// Copies share their values until one changes; the change must stay its own.
TEST(Attributes, CopiesChangeIndependently) {
    Attributes original;
    original.set(attr::Font, FontAttribute{"Helvetica", "Helvetica", 12, false, false});
    original.set(attr::Underline, std::int64_t(1));
    Attributes copy = original;
    EXPECT_EQ(copy, original);

    copy.set(attr::Underline, std::int64_t(2));
    EXPECT_EQ(original.get<std::int64_t>(attr::Underline), 1);
    EXPECT_EQ(copy.get<std::int64_t>(attr::Underline), 2);
    EXPECT_NE(copy, original);

    Attributes third = original;
    third.remove(attr::Font);
    EXPECT_TRUE(original.contains(attr::Font));
    EXPECT_FALSE(third.contains(attr::Font));
    EXPECT_EQ(third.size(), 1u);
    third.remove(attr::Link);  // absent: nothing happens
    EXPECT_EQ(third.size(), 1u);
}

TEST(Attributes, EmptyOnesAreEqualHoweverTheyCameToBe) {
    Attributes never;
    Attributes emptied;
    emptied.set(attr::Link, LinkAttribute{"x", true});
    emptied.remove(attr::Link);
    EXPECT_TRUE(emptied.isEmpty());
    EXPECT_EQ(never, emptied);
    EXPECT_EQ(never.find(attr::Font), nullptr);
}
