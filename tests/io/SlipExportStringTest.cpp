#include "io/SlipExportString.h"
#include "platform/richtext/TextAttributes.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

SlipPtr slipSeven() {
    auto slip = Slip::create(7);
    slip->setTextWithoutLastModificationDate(RichText(QStringLiteral("The text.")));
    slip->setKeywordsWithoutLastModificationDate(KeywordsArray({QStringLiteral("a"), QStringLiteral("b")}));
    slip->setSourceWithoutLastModificationDate(QStringLiteral("https://example.org/page"));
    slip->setSlipTypeWithoutLastModificationDate(QStringLiteral("Note"));
    return slip;
}

const SlipExportString::Parts all{.scents = true, .keywords = true, .source = true, .type = true};

}  // namespace

TEST(SlipExportStringTest, AllPartsInOrderWithTheSourceLinked) {
    const RichText text = SlipExportString::exportString(*slipSeven(), all, {});
    EXPECT_EQ(text.string(), QStringLiteral("Slip 7\n\nThe text.\n\nKeywords: a, b\nSource: https://example.org/page"
                                            "\nType: Note\nScents: "));
    const qsizetype source = text.string().indexOf(QStringLiteral("https://"));
    const auto link = text.attributesAt(source).get<LinkAttribute>(attr::Link);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->url, QStringLiteral("https://example.org/page"));
    // The label before it is no part of the link.
    EXPECT_FALSE(text.attributesAt(source - 1).contains(attr::Link));
}

TEST(SlipExportStringTest, HeadingAndFooterFonts) {
    const RichText text = SlipExportString::exportString(*slipSeven(), all, {});
    const auto heading = text.attributesAt(0).get<FontAttribute>(attr::Font);
    ASSERT_TRUE(heading.has_value());
    EXPECT_EQ(heading->family, QStringLiteral("Courier"));
    EXPECT_TRUE(heading->bold);
    EXPECT_EQ(heading->pointSize, 14.0);
    const auto footer = text.attributesAt(text.string().indexOf(QStringLiteral("Keywords"))).get<FontAttribute>(attr::Font);
    ASSERT_TRUE(footer.has_value());
    EXPECT_FALSE(footer->bold);
    EXPECT_EQ(footer->pointSize, 12.0);
    // The slip's own text keeps its (here: no) attributes.
    EXPECT_FALSE(text.attributesAt(text.string().indexOf(QStringLiteral("The text"))).contains(attr::Font));
}

TEST(SlipExportStringTest, PrintPartsLeaveOutTheTypeAndListScents) {
    const RichText text = SlipExportString::exportString(
        *slipSeven(), {.scents = true, .keywords = true, .source = true, .type = false}, {"3", "12"});
    EXPECT_FALSE(text.string().contains(QStringLiteral("Type:")));
    EXPECT_TRUE(text.string().endsWith(QStringLiteral("\nScents: 3, 12")));
}

TEST(SlipExportStringTest, NoPartsLeaveTheTextAndOneLineFeed) {
    auto slip = Slip::create(42);
    EXPECT_EQ(SlipExportString::exportString(*slip, {}, {"1"}).string(), QStringLiteral("Slip 42\n\n\n"));
}

TEST(SlipExportStringTest, OnlyTheSixSchemesLink) {
    EXPECT_TRUE(SlipExportString::sourceLink(QStringLiteral("x-bdsk://abc")).has_value());
    EXPECT_TRUE(SlipExportString::sourceLink(QStringLiteral("bookends://sonnysoftware.com/123")).has_value());
    EXPECT_TRUE(SlipExportString::sourceLink(QStringLiteral("file:///tmp/a.pdf")).has_value());
    EXPECT_FALSE(SlipExportString::sourceLink(QStringLiteral("mailto:someone@example.org")).has_value());
    EXPECT_FALSE(SlipExportString::sourceLink(QStringLiteral("see www.example.org")).has_value());
    EXPECT_FALSE(SlipExportString::sourceLink(QStringLiteral("http://exa mple.org/[")).has_value());
}
