#include "RtfTestSupport.h"
#include "platform/richtext/RtfReader.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace rtftest;

namespace {
RichText read(const QByteArray& rtf, const RtfReader::AttachmentLoader& loader = {}) {
    const Result<RichText> result = RtfReader::read(rtf, loader);
    EXPECT_TRUE(result.ok()) << result.error().toStdString();
    return (result.ok() ? *result : RichText());
}
QString textOf(const QByteArray& rtf) { return read(rtf).string(); }
}  // namespace

TEST(RtfReader, WorkedExampleLinkAndBold) {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2822\n"
        "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fswiss\\fcharset0 Helvetica-Bold;}\n"
        "{\\colortbl;\\red255\\green255\\blue255;}\n"
        "{\\*\\expandedcolortbl;;}\n"
        "\\pard\\tx560\\tx1120\\tx1680\\tx2240\\tx2800\\tx3360\\tx3920\\tx4480\\tx5040\\tx5600\\tx6160\\tx6720\\pardirnatural\\partightenfactor0\n"
        "{\\field{\\*\\fldinst{HYPERLINK \"fendle://12.self\"}}{\\fldrslt \n"
        "\\f0\\fs24 \\cf0 Hello}}\n"
        "\\f0\\fs24  \n"
        "\\f1\\b world}";
    const RichText text = read(rtf);
    EXPECT_EQ(text.string(), QStringLiteral("Hello world"));
    EXPECT_EQ(linkAt(text, 0), QStringLiteral("fendle://12.self"));
    EXPECT_EQ(linkAt(text, 4), QStringLiteral("fendle://12.self"));
    EXPECT_EQ(linkAt(text, 5), std::nullopt);
    EXPECT_EQ(fontOf(text.attributesAt(5)), (FontAttribute{"Helvetica", "Helvetica", 12, false, false}));
    EXPECT_EQ(fontOf(text.attributesAt(6)), (FontAttribute{"Helvetica", "Helvetica-Bold", 12, true, false}));
    EXPECT_FALSE(text.attributesAt(0).contains(attr::ParagraphStyle)) << "the default style needs no attribute";
    EXPECT_FALSE(text.attributesAt(0).contains(attr::Color)) << "\\cf0 is the automatic colour";
}

TEST(RtfReader, UnicodeWordsAndFallbackSkipping) {
    EXPECT_EQ(textOf("{\\rtf1 a\\u-3913?b}"), QString::fromUtf16(u"a\uF0B7b")) << "negative values are the upper half";
    EXPECT_EQ(textOf("{\\rtf1\\uc0 a\\u55357 \\u56960 b}"), QString::fromUtf16(u"a\U0001F680b")) << "surrogate pair";
    EXPECT_EQ(textOf("{\\rtf1\\uc0 a\\u55357 b}"), QString::fromUtf16(u"a\uFFFDb")) << "a lone surrogate is replaced";
    EXPECT_EQ(textOf("{\\rtf1\\uc2 \\u8212\\'97\\'97x}"), QString::fromUtf16(u"\u2014x")) << "\\uc2 skips two bytes";
    EXPECT_EQ(textOf("{\\rtf1\\uc1 \\u8212 ab}"), QString::fromUtf16(u"\u2014b")) << "one fallback character by default";
    EXPECT_EQ(textOf("{\\rtf1{\\uc3 \\u8212}xyz}"), QString::fromUtf16(u"\u2014xyz")) << "a group end stops the skipping";
    EXPECT_EQ(textOf("{\\rtf1{\\uc0 }\\u8212 x}"), QString::fromUtf16(u"\u2014")) << "\\uc is scoped: back to 1 outside";
    EXPECT_EQ(textOf("{\\rtf1\\uc1\\u8212\\bin3 {}\\x}"), QString::fromUtf16(u"\u2014x")) << "\\bin with its data counts once";
}

TEST(RtfReader, CodePagesFollowTheCurrentFont) {
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1252 \\'e9\\'93\\'94}"), QString::fromUtf16(u"\u00E9\u201C\u201D"));
    EXPECT_EQ(textOf("{\\rtf1\\mac\\ansicpg10000 \\'a5\\'d1}"), QString::fromUtf16(u"\u2022\u2014"));
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg932{\\fonttbl\\f0\\fnil\\fcharset128 Osaka;}\\f0 \\'81\\'fc}"), QString::fromUtf16(u"\u25EF"))
        << "a double-byte character spans two escapes";
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg949{\\fonttbl\\f0\\fnil\\fcharset0 A;\\f1\\fnil\\fcharset129 B;}"
                     "\\f1 \\'ba\\'ed\\f0 \\'a0}"),
              QString::fromUtf16(u"\uBE14\u00A0"));
    EXPECT_EQ(textOf("{\\rtf1\\ansi{\\fonttbl\\f0\\ftech\\fcharset2 Symbol;}\\f0 a}"), QString::fromUtf16(u"\u03B1"));
    EXPECT_EQ(textOf("{\\rtf1 caf\xE9}"), QString::fromUtf16(u"caf\u00E9")) << "raw 8-bit bytes decode like escapes";
}

TEST(RtfReader, ControlWordsAndSymbols) {
    EXPECT_EQ(textOf("{\\rtf1 a\\par b\\\nc\\line d\\tab e\\~f\\-g\\_h}"), QString::fromUtf16(u"a\nb\nc\u2028d\te\u00A0f\u00ADg\u2011h"));
    EXPECT_EQ(textOf("{\\rtf1 \\\\\\{\\}}"), QStringLiteral("\\{}"));
    EXPECT_EQ(textOf("{\\rtf1 \\b0,x}"), QStringLiteral(",x")) << "a non-letter ends a control word";
    EXPECT_EQ(textOf("{\\rtf1 a\\fooBar42 b\\unknown c}"), QStringLiteral("abc")) << "unknown words are ignored";
    EXPECT_EQ(textOf("{\\rtf1 a{\\*\\unknowndest {nested} text}b}"), QStringLiteral("ab"));
    EXPECT_EQ(textOf("{\\rtf1 a{\\info{\\title T}}b{\\pict\\pngblip 89504e47}c}"), QStringLiteral("abc"));
    EXPECT_EQ(textOf("{\\rtf1 a\\bin4 {}\\\\b}"), QStringLiteral("ab")) << "binary data may hold braces";
    EXPECT_EQ(textOf("{\\rtf1 a\\'zzb}"), QStringLiteral("a'zzb")) << "a broken escape stays as text";
    EXPECT_EQ(textOf("{\\rtf1 a\r\nb\0c}"), QStringLiteral("ab")) << "bare line breaks are nothing";
    EXPECT_EQ(textOf("{\\rtf1 {\\upr{ansi}{\\*\\ud{uni\\u8212 }}}}"), QString::fromUtf16(u"uni\u2014"));
    EXPECT_EQ(textOf("{\\rtf1 \\u2147483647999 x}"), QString::fromUtf16(u"\uFFFF")) << "huge parameters are clamped";
}

TEST(RtfReader, MalformedStructureNeverFails) {
    EXPECT_EQ(textOf("{\\rtf1 open {group"), QStringLiteral("open group")) << "missing closing braces";
    EXPECT_EQ(textOf("{\\rtf1 done} trailing garbage"), QStringLiteral("done"));
    EXPECT_EQ(textOf("{\\rtf1 a}}}}"), QStringLiteral("a"));
    EXPECT_EQ(textOf("{\\rtf1 a\\bin99999 xyz"), QStringLiteral("a")) << "truncated \\bin stops";
    EXPECT_EQ(textOf("{\\rtf1 a\\"), QStringLiteral("a"));
    QByteArray deep = "{\\rtf1 a";
    deep += QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "b}";
    EXPECT_EQ(textOf(deep), QStringLiteral("ab")) << "groups beyond the depth cap are dropped, not crashed on";
    EXPECT_FALSE(RtfReader::read("plain text").ok());
    EXPECT_FALSE(RtfReader::read("").ok());
    EXPECT_TRUE(RtfReader::read("  \n{\\rtf0\\ansi hi}").ok()) << "NeXT files say \\rtf0";
}

TEST(RtfReader, CharacterAndParagraphFormatting) {
    const RichText text = read(
        "{\\rtf1{\\fonttbl\\f0\\fnil Times-Roman;\\f1\\fnil TimesNewRomanPSMT{\\*\\falt Times New Roman};}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\pard\\tqr\\tx720\\li360\\fi-180\\ri-240\\sb120\\sa240\\sl360\\slmult1\\qc "
        "\\f0\\fs30\\fsmilli15250 \\cf1\\cb2\\ul\\strike\\super a\\ulnone\\strike0\\nosupersub\\uldb\\striked1\\sub b"
        "\\plain\\up4 c\\dn2 d\\up0\\f1 e}");
    ASSERT_EQ(text.string(), QStringLiteral("abcde"));
    const Attributes a = text.attributesAt(0);
    EXPECT_DOUBLE_EQ(fontOf(a).pointSize, 15.25);
    EXPECT_EQ(a.get<ColorAttribute>(attr::Color), ColorAttribute::rgb(1, 0, 0));
    EXPECT_EQ(a.get<ColorAttribute>(attr::BackgroundColor), ColorAttribute::rgb(0, 0, 1));
    EXPECT_EQ(a.get<std::int64_t>(attr::Underline), 1);
    EXPECT_EQ(a.get<std::int64_t>(attr::Strikethrough), 1);
    EXPECT_EQ(a.get<std::int64_t>(attr::Superscript), 1);
    const Attributes b = text.attributesAt(1);
    EXPECT_EQ(b.get<std::int64_t>(attr::Underline), 9);
    EXPECT_EQ(b.get<std::int64_t>(attr::Strikethrough), 9);
    EXPECT_EQ(b.get<std::int64_t>(attr::Superscript), -1);
    const Attributes c = text.attributesAt(2);
    EXPECT_FALSE(c.contains(attr::Color)) << "\\plain resets character formatting";
    EXPECT_EQ(c.get<double>(attr::BaselineOffset), 2.0);
    EXPECT_EQ(text.attributesAt(3).get<double>(attr::BaselineOffset), -1.0);
    EXPECT_EQ(fontOf(text.attributesAt(4)).family, QStringLiteral("Times New Roman")) << "\\falt names the family";
    EXPECT_EQ(fontOf(text.attributesAt(4)).postScriptName, QStringLiteral("TimesNewRomanPSMT"));
    const auto style = a.get<ParagraphStyleAttribute>(attr::ParagraphStyle);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->alignment, ParagraphStyleAttribute::Alignment::Center);
    ASSERT_EQ(style->tabStops.size(), 1);
    EXPECT_EQ(style->tabStops[0], (TabStop{TabStop::Type::Right, 36}));
    EXPECT_DOUBLE_EQ(style->headIndent, 18);
    EXPECT_DOUBLE_EQ(style->firstLineHeadIndent, 9);
    EXPECT_DOUBLE_EQ(style->tailIndent, 12);
    EXPECT_DOUBLE_EQ(style->paragraphSpacingBefore, 6);
    EXPECT_DOUBLE_EQ(style->paragraphSpacing, 12);
    EXPECT_DOUBLE_EQ(style->lineHeightMultiple, 1.5);
}

TEST(RtfReader, ExpandedColourTableAndCocoaBackgroundEnd) {
    const RichText text = read(
        "{\\rtf1\\ansi\\cocoartf2822{\\colortbl;\\red255\\green255\\blue255;\\red108\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\*\\expandedcolortbl;;\\csgenericrgb\\c42394\\c0\\c0;\\cssrgb\\c0\\c0\\c100000\\c50000;}"
        "\\cf2\\cb3 a\\cb1 b\\cf3 c}");
    EXPECT_EQ(text.attributesAt(0).get<ColorAttribute>(attr::Color), ColorAttribute::rgb(0.42394, 0, 0));
    EXPECT_EQ(text.attributesAt(0).get<ColorAttribute>(attr::BackgroundColor), ColorAttribute::rgb(0, 0, 1, 0.5, false));
    EXPECT_FALSE(text.attributesAt(1).contains(attr::BackgroundColor)) << "\\cb1 ends a background";
    EXPECT_EQ(text.attributesAt(2).get<ColorAttribute>(attr::Color), ColorAttribute::rgb(0, 0, 1, 0.5, false));
}

TEST(RtfReader, FieldsWrittenByOtherProducers) {
    const RichText word = read(
        "{\\rtf1{\\field{\\*\\fldinst {\\rtlch\\fcs1 \\af0 \\ltrch\\insrsid1  HYPERLINK \"http://x.org/a\" \\\\l \"top\" }}"
        "{\\fldrslt {\\cs15\\ul here}}}after}");
    EXPECT_EQ(word.string(), QStringLiteral("hereafter"));
    EXPECT_EQ(linkAt(word, 0), QStringLiteral("http://x.org/a#top"));
    EXPECT_EQ(linkAt(word, 4), std::nullopt);
    const RichText bare = read("{\\rtf1{\\field{\\*\\fldinst hyperlink http://bare.org}{\\fldrslt b}}}");
    EXPECT_EQ(linkAt(bare, 0), QStringLiteral("http://bare.org"));
    const RichText other = read("{\\rtf1{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}{\\field{\\*\\fldinst HYPERLINK \"u\"}}x}");
    EXPECT_EQ(other.string(), QStringLiteral("3x")) << "other fields keep their result; no result, no text";
    EXPECT_EQ(linkAt(other, 0), std::nullopt);
    const RichText nested = read(
        "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"outer\"}{\\fldrslt a{\\field{\\*\\fldinst HYPERLINK \"inner\"}{\\fldrslt b}}c}}}");
    EXPECT_EQ(linkAt(nested, 0), QStringLiteral("outer"));
    EXPECT_EQ(linkAt(nested, 1), QStringLiteral("inner"));
    EXPECT_EQ(linkAt(nested, 2), QStringLiteral("outer"));
}

TEST(RtfReader, AttachmentsComeFromTheLoader) {
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\f0\\b Picture: "
                           "{{\\NeXTGraphic image 1.png \\width4000 \\height2000 \\appleattachmentpadding0\n}\xAC}"
                           " \\'ac}";
    QStringList asked;
    const RichText text = read(rtf, [&](const QString& name) -> std::optional<QByteArray> {
        asked << name;
        return QByteArray("PNGDATA");
    });
    EXPECT_EQ(text.string(), QString::fromUtf16(u"Picture: \uFFFC \u00AC")) << "0xAC outside the construction is text";
    EXPECT_EQ(asked, QStringList{QStringLiteral("image 1.png")});
    const Attributes a = text.attributesAt(9);
    EXPECT_EQ(a.get<AttachmentAttribute>(attr::Attachment), (AttachmentAttribute{"image 1.png", "PNGDATA"}));
    EXPECT_TRUE(fontOf(a).bold) << "the attachment takes the formatting in force";
    EXPECT_FALSE(text.attributesAt(10).contains(attr::Attachment));

    const RichText placeholder = read(rtf);
    EXPECT_EQ(placeholder.attributesAt(9).get<AttachmentAttribute>(attr::Attachment),
              (AttachmentAttribute{"image 1.png", {}}));
}

TEST(RtfReader, TraitWordsPickTheFace) {
    const RichText text = read(
        "{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fswiss Helvetica-Bold;\\f2\\froman Times-Roman;}"
        "\\f0 a\\b b\\i c\\f1\\b0\\i0 d\\plain\\f1 e\\f2\\i f}");
    auto face = [&](qsizetype i) { return fontOf(text.attributesAt(i)).postScriptName.toStdString(); };
    EXPECT_EQ(face(0), "Helvetica");
    EXPECT_EQ(face(1), "Helvetica-Bold");
    EXPECT_EQ(face(2), "Helvetica-BoldOblique");
    EXPECT_EQ(face(3), "Helvetica") << "\\b0 takes the bold face back to the plain one";
    EXPECT_EQ(face(4), "Helvetica-Bold") << "without trait words the face stays as the table names it";
    EXPECT_TRUE(fontOf(text.attributesAt(4)).bold);
    EXPECT_EQ(face(5), "Times-Italic");
}

TEST(RtfReader, FormattingStopsAtTheRunCapButTextGoesOn) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 60000; ++i) rtf += "\\b a\\b0 b";
    rtf += "}";
    const RichText text = read(rtf);
    EXPECT_EQ(text.length(), 120000);
    EXPECT_LE(text.runs().size(), 100000u);
    EXPECT_GT(text.runs().size(), 50000u);
}
