#include "RtfTestSupport.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfdPackage.h"
#include "support/Samples.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace rtftest;

namespace {
RichText readSample(const QString& name) {
    const Result<RichText> result = RtfReader::read(test::sampleBytes(name));
    EXPECT_TRUE(result.ok()) << result.error().toStdString();
    return (result.ok() ? *result : RichText());
}
}  // namespace

TEST(RtfReaderSamples, MacaiListsAndLinks) {
    REQUIRE_SAMPLES();
    const RichText text = readSample(QStringLiteral("macai-Credits.rtf"));
    EXPECT_TRUE(text.string().startsWith(QStringLiteral(
        "Project homepage: https://macai.chat\n\nThird-party dependencies:\n\t\u25AA\tAttributedText\n")))
        << text.string().left(120).toStdString();
    const qsizetype link = text.string().indexOf(QStringLiteral("https://macai.chat"));
    EXPECT_EQ(linkAt(text, link), QStringLiteral("https://macai.chat"));
    EXPECT_EQ(linkAt(text, 0), std::nullopt) << "text before the field carries no link";
    EXPECT_EQ(text.attributesAt(link).get<std::int64_t>(attr::Underline), 1) << "\\ul inside \\fldrslt";
    EXPECT_EQ(text.attributesAt(0).get<std::int64_t>(attr::Underline), std::nullopt);
    const qsizetype highlightr = text.string().indexOf(QStringLiteral("Highlightr"));
    EXPECT_EQ(linkAt(text, highlightr), QStringLiteral("https://github.com/raspu/Highlightr"));
    EXPECT_EQ(fontOf(text.attributesAt(text.string().indexOf(u'\u25AA'))).postScriptName, QStringLiteral("LucidaGrande"));
    EXPECT_EQ(text.attributesAt(0).get<ColorAttribute>(attr::Color),
              ColorAttribute::rgb(0, 0, 0, 1, false)) << "the expanded table's sRGB entry wins";
    EXPECT_EQ(text.string().count(u'\u25AA'), 7);
    EXPECT_FALSE(text.string().contains(QStringLiteral("square"))) << "list tables are not text";
}

TEST(RtfReaderSamples, GrandPerspectiveFontsAndAccents) {
    REQUIRE_SAMPLES();
    const RichText text = readSample(QStringLiteral("GrandPerspective-Credits.rtf"));
    EXPECT_TRUE(text.string().contains(QStringLiteral("Arist\u00F3teles Soares Benicio")));
    EXPECT_TRUE(text.string().contains(QStringLiteral("Emir Sar\u0131 (Turkish translation)")));
    const FontAttribute developer = fontOf(attributesOf(text, QStringLiteral("Developer:")));
    EXPECT_EQ(developer.postScriptName, QStringLiteral("Helvetica-Bold"));
    EXPECT_EQ(developer.family, QStringLiteral("Helvetica"));
    EXPECT_TRUE(developer.bold);
    EXPECT_DOUBLE_EQ(developer.pointSize, 12.0);
    const FontAttribute url = fontOf(attributesOf(text, QStringLiteral("http://grandperspectiv")));
    EXPECT_TRUE(url.italic);
    EXPECT_EQ(url.postScriptName, QStringLiteral("Helvetica-Oblique"));
    const FontAttribute licence = fontOf(attributesOf(text, QStringLiteral("This program is free")));
    EXPECT_EQ(licence.postScriptName, QStringLiteral("Courier"));
    EXPECT_DOUBLE_EQ(licence.pointSize, 11.0);
    const auto style = attributesOf(text, QStringLiteral("Erwin Bonsma")).get<ParagraphStyleAttribute>(attr::ParagraphStyle);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->alignment, ParagraphStyleAttribute::Alignment::Center);
    EXPECT_EQ(style->tabStops.size(), 12);
    EXPECT_DOUBLE_EQ(style->tabStops[1].location, 1133 / 20.0);
}

TEST(RtfReaderSamples, CakebrewListTextAndLineSeparator) {
    REQUIRE_SAMPLES();
    const RichText text = readSample(QStringLiteral("Cakebrew-pt-Credits.rtf"));
    EXPECT_TRUE(text.string().startsWith(QStringLiteral("Cakebrew \u2013 The Homebrew GUI App for OS X\n")));
    EXPECT_TRUE(text.string().contains(
        QStringLiteral("\t\u2022\tPXSourceList by Alex Rozanski\u2028\tCopyright \u00A9 2009-14")));
    const qsizetype link = text.string().indexOf(QStringLiteral("Homebrew-GUI by Vincent"));
    EXPECT_EQ(linkAt(text, link), QStringLiteral("https://github.com/vincentsaluzzo/Homebrew-GUI"));
    EXPECT_EQ(linkAt(text, link - 1), std::nullopt);
    EXPECT_TRUE(fontOf(text.attributesAt(0)).bold);
    EXPECT_DOUBLE_EQ(fontOf(text.attributesAt(0)).pointSize, 13.0);
}

TEST(RtfReaderSamples, ImageOptimMacCodePage) {
    REQUIRE_SAMPLES();
    const RichText text = readSample(QStringLiteral("ImageOptim-Credits-2012.rtf"));
    EXPECT_TRUE(text.string().startsWith(QStringLiteral(
        "ImageOptim by Kornel Lesi\u0144ski is a GUI for 3rd party utilities:\n\t\u2022\tOptiPNG by Cosmin Truta,")))
        << text.string().left(100).toStdString();
    EXPECT_EQ(linkAt(text, 0), QStringLiteral("http://pornel.net/imageoptim"));
    const Attributes first = text.attributesAt(0);
    EXPECT_EQ(first.get<std::int64_t>(attr::Underline), 1);
    EXPECT_EQ(first.get<ColorAttribute>(attr::Color), ColorAttribute::rgb(0, 7 / 255.0, 240 / 255.0));
    EXPECT_EQ(fontOf(first).postScriptName, QStringLiteral("LucidaGrande"));
    EXPECT_DOUBLE_EQ(fontOf(first).pointSize, 11.0);
    EXPECT_EQ(linkAt(text, 10), std::nullopt) << "the link ends with its field";
    const auto style = first.get<ParagraphStyleAttribute>(attr::ParagraphStyle);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->alignment, ParagraphStyleAttribute::Alignment::Justified);
    EXPECT_DOUBLE_EQ(style->headIndent, 10.0);
    EXPECT_DOUBLE_EQ(style->paragraphSpacing, 12.0);
}

TEST(RtfReaderSamples, RtfdPackageWithAttachment) {
    REQUIRE_SAMPLES();
    const QString package = test::samplePath(QStringLiteral("osxcart-rtfdtest.rtfd"));
    const Result<RichText> result = RtfdPackage::read(package);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    const RichText& text = *result;
    EXPECT_TRUE(text.string().startsWith(QStringLiteral("before\uFFFCafter\nThis is a good book to learn about the RTF format")));
    EXPECT_TRUE(text.string().endsWith(QStringLiteral("\u2014yecch!")));
    EXPECT_TRUE(text.string().contains(QStringLiteral("you have to dive into the")));
    const auto attachment = text.attributesAt(6).get<AttachmentAttribute>(attr::Attachment);
    ASSERT_TRUE(attachment);
    EXPECT_EQ(attachment->fileName, QStringLiteral("rtfpocketguide.jpeg"));
    EXPECT_EQ(attachment->contents, test::sampleBytes(QStringLiteral("osxcart-rtfdtest.rtfd/rtfpocketguide.jpeg")));
    EXPECT_EQ(attachment->contents.size(), 2078);
    EXPECT_TRUE(fontOf(attributesOf(text, QStringLiteral("RTF format"))).bold);
    EXPECT_FALSE(fontOf(attributesOf(text, QStringLiteral(", but"))).bold);
    EXPECT_TRUE(fontOf(attributesOf(text, QStringLiteral("yecch"))).italic);
    EXPECT_DOUBLE_EQ(fontOf(attributesOf(text, QStringLiteral("after"))).pointSize, 14.1);
    EXPECT_DOUBLE_EQ(fontOf(attributesOf(text, QStringLiteral("before"))).pointSize, 10.0);
    EXPECT_EQ(text.string().count(u'\u00AC'), 0) << "the 0xAC stand-in is not text";

    const Result<RichText> viaFile = RtfdPackage::read(package + QStringLiteral("/TXT.rtf"));
    ASSERT_TRUE(viaFile.ok());
    EXPECT_EQ(*viaFile, text);
}
