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

// The highlight is recognised in whatever form a file or the screen gives
// its colour, but a colour one eight-bit step away is another colour.
TEST(Attributes, ColoursAreTheSameAcrossSpacesAndRounding) {
    const ColorAttribute cmyk = ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17);
    EXPECT_TRUE(cmyk.isSameColor(ColorAttribute::cmyk(0.05f, 0.85f, 0.99f, 0.17f)));
    EXPECT_TRUE(cmyk.isSameColor(ColorAttribute::rgb(201 / 255.0, 32 / 255.0, 2 / 255.0)));
    EXPECT_FALSE(cmyk.isSameColor(ColorAttribute::rgb(202 / 255.0, 32 / 255.0, 2 / 255.0)));
    EXPECT_FALSE(cmyk.isSameColor(ColorAttribute::cmyk(0.05, 0.85, 0.99, 0.17, 0.5)));
    EXPECT_TRUE(ColorAttribute::grey(0.5, 1, true).isSameColor(ColorAttribute::rgb(0.5, 0.5, 0.5, 1, false)));
    EXPECT_TRUE(ColorAttribute::grey(0, 1, false).isSameColor(ColorAttribute::cmyk(0, 0, 0, 1)));
    const ColorAttribute text = ColorAttribute::named("System", "textColor");
    EXPECT_TRUE(text.isSameColor(ColorAttribute::named("System", "textColor")));
    EXPECT_FALSE(text.isSameColor(ColorAttribute::named("System", "controlColor")));
    EXPECT_FALSE(text.isSameColor(ColorAttribute::grey(0)));
}
