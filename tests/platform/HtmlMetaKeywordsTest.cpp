#include "platform/richtext/HtmlMetaKeywords.h"

#include <gtest/gtest.h>

using namespace fendle;

namespace {

std::optional<QStringList> scan(const QString& html) { return HtmlMetaKeywords::scan(html); }
QString u16(const char16_t* text) { return QString::fromUtf16(text); }

TEST(HtmlMetaKeywordsTest, FindsTheDeclaredEntriesWhateverTheAttributeOrderCaseOrQuoting) {
    EXPECT_EQ(scan(R"(<html><head><meta name="keywords" content="alpha, beta"></head></html>)"),
              QStringList{"alpha, beta"});
    EXPECT_EQ(scan(R"(<META CONTENT='one,two' NAME='Keywords'/>)"), QStringList{"one,two"});
    EXPECT_EQ(scan("<meta name=keywords content=plain>"), QStringList{"plain"});
    EXPECT_EQ(scan("<meta\n  name = \"keywords\"\tcontent = \"  spaced  \" >"), QStringList{"spaced"});
    // Several declarations are all kept, in page order.
    EXPECT_EQ(scan(R"(<meta name="keywords" content="a"><p>x</p><meta name="keywords" content="b">)"),
              (QStringList{"a", "b"}));
}

TEST(HtmlMetaKeywordsTest, PagesWithoutKeywordsDeclareNone) {
    EXPECT_EQ(scan(""), std::nullopt);
    EXPECT_EQ(scan(R"(<meta name="description" content="not keywords">)"), std::nullopt);
    EXPECT_EQ(scan(R"(<meta name="keywords">)"), std::nullopt);
    EXPECT_EQ(scan(R"(<meta name="keywords" content="   ">)"), std::nullopt);
    EXPECT_EQ(scan(R"(<metadata name="keywords" content="other tag">)"), std::nullopt);
}

TEST(HtmlMetaKeywordsTest, CommentsScriptsAndStylesDeclareNothing) {
    EXPECT_EQ(scan(R"(<!-- <meta name="keywords" content="old"> --><meta name="keywords" content="new">)"),
              QStringList{"new"});
    EXPECT_EQ(scan(R"(<script>var s = '<meta name="keywords" content="js">';</script>)"), std::nullopt);
    EXPECT_EQ(scan(R"(<STYLE>/* <meta name="keywords" content="css"> */</style><meta name=keywords content=ok>)"),
              QStringList{"ok"});
    EXPECT_EQ(scan(R"(<!-- never closed <meta name="keywords" content="x">)"), std::nullopt);
}

TEST(HtmlMetaKeywordsTest, EntitiesAreDecodedAndBrokenOnesKept) {
    EXPECT_EQ(scan(R"(<meta name="keywords" content="R&amp;D, caf&#233;, &#x4E2D;, &quot;q&quot;">)"),
              QStringList{u16(u"R&D, caf\u00e9, \u4e2d, \"q\"")});
    EXPECT_EQ(HtmlMetaKeywords::decodeEntities(u"a & b &unknown; &#xZZ; &#0; &#xD800;"),
              u16(u"a & b &unknown; &#xZZ; \ufffd \ufffd"));
    EXPECT_EQ(HtmlMetaKeywords::decodeEntities(u"&#99999999999; &#128512;"), u16(u"&#99999999999; \U0001F600"));
}

TEST(HtmlMetaKeywordsTest, BrokenPagesEndTheScanWithoutLosingWhatCameBefore) {
    EXPECT_EQ(scan(R"(<meta name="keywords" content="first"><meta name="keywords" content="open quote)"),
              (QStringList{"first", "open quote"}));
    EXPECT_EQ(scan("<meta name=\"keywords\" content=\"a > b\">"), QStringList{"a > b"});
    EXPECT_EQ(scan("<meta = = name=keywords content=x"), QStringList{"x"});
    EXPECT_EQ(scan("<<<<meta"), std::nullopt);
    EXPECT_EQ(scan(QString(5000, u'<')), std::nullopt);
}

TEST(HtmlMetaKeywordsTest, SizesAreCapped) {
    const QString one = R"(<meta name="keywords" content="k">)";
    EXPECT_EQ(scan(one.repeated(HtmlMetaKeywords::MaxEntries + 10))->size(), HtmlMetaKeywords::MaxEntries);
    const QString longEntry = QString(HtmlMetaKeywords::MaxEntryLength * 3, u'x');
    EXPECT_EQ(scan(R"(<meta name="keywords" content=")" + longEntry + "\">")->first().size(),
              HtmlMetaKeywords::MaxEntryLength);
    // A declaration past the scanned part of the page is not seen.
    const QString late = QString(HtmlMetaKeywords::MaxScannedCharacters, u' ') + one;
    EXPECT_EQ(scan(late), std::nullopt);
}

}  // namespace
