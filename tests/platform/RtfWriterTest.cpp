#include "RtfTestSupport.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <gtest/gtest.h>

using namespace fendle;
using namespace rtftest;

namespace {
Attributes withFont(const FontAttribute& font) {
    Attributes a;
    a.set(attr::Font, font);
    return a;
}
const FontAttribute helvetica{"Helvetica", "Helvetica", 12, false, false};
const FontAttribute helveticaBold{"Helvetica", "Helvetica-Bold", 12, true, false};
const FontAttribute timesItalic{"Times New Roman", "TimesNewRomanPS-ItalicMT", 15.5, false, true};

RichText roundTrip(const RichText& text) {
    const QByteArray rtf = RtfWriter::write(text);
    const Result<RichText> result = RtfReader::read(rtf);
    EXPECT_TRUE(result.ok());
    return (result.ok() ? *result : RichText());
}
}  // namespace

TEST(RtfWriter, RoundTripKeepsCharactersFontsAndStyles) {
    RichText text(QStringLiteral("Plain {braces} \\ back\tslash \u00E9\u2014\u20AC \u0144\u4E2D\U0001F680\u2028x\n"),
                  withFont(helvetica));
    text.append(QStringLiteral("bold"), withFont(helveticaBold));
    Attributes italic = withFont(timesItalic);
    italic.set(attr::Underline, std::int64_t(1));
    italic.set(attr::Color, ColorAttribute::rgb(1, 0, 0));
    italic.set(attr::BackgroundColor, ColorAttribute::rgb(128 / 255.0, 0.25, 0.5, 1, false));
    text.append(QStringLiteral(" italic red"), italic);
    Attributes fancy = withFont(helvetica);
    fancy.set(attr::Underline, std::int64_t(9));
    fancy.set(attr::Strikethrough, std::int64_t(1));
    fancy.set(attr::Superscript, std::int64_t(-1));
    fancy.set(attr::BaselineOffset, 3.5);
    fancy.set(attr::Color, ColorAttribute::grey(0.5, 0.75));
    text.append(QStringLiteral(" fancy\n"), fancy);
    EXPECT_EQ(roundTrip(text), text) << RtfWriter::write(text).toStdString();
}

TEST(RtfWriter, RoundTripKeepsLinksAndParagraphs) {
    RichText text(QStringLiteral("See "), withFont(helvetica));
    Attributes link = withFont(helvetica);
    link.set(attr::Link, LinkAttribute{QStringLiteral("fendle://12.self"), true});
    text.append(QStringLiteral("slip 12"), link);
    Attributes boldLink = withFont(helveticaBold);
    boldLink.set(attr::Link, LinkAttribute{QStringLiteral("fendle://12.self"), true});
    text.append(QStringLiteral(" now"), boldLink);
    text.append(QStringLiteral(" and "), withFont(helvetica));
    Attributes web = withFont(helvetica);
    web.set(attr::Link, LinkAttribute{QStringLiteral("https://example.org/a?b=c&d=%20e"), true});
    text.append(QStringLiteral("the web\n"), web);

    ParagraphStyleAttribute centred;
    centred.alignment = ParagraphStyleAttribute::Alignment::Center;
    centred.headIndent = 18;
    centred.firstLineHeadIndent = 9;
    centred.tailIndent = -36;
    centred.paragraphSpacing = 6;
    centred.paragraphSpacingBefore = 3;
    centred.lineHeightMultiple = 1.5;
    centred.defaultTabInterval = 36;
    centred.tabStops = {TabStop{TabStop::Type::Right, 100}, TabStop{TabStop::Type::Decimal, 200}};
    Attributes para = withFont(helvetica);
    para.set(attr::ParagraphStyle, centred);
    text.append(QStringLiteral("Centred paragraph\n"), para);
    ParagraphStyleAttribute right;
    right.alignment = ParagraphStyleAttribute::Alignment::Right;
    para.set(attr::ParagraphStyle, right);
    text.append(QStringLiteral("Right"), para);
    EXPECT_EQ(roundTrip(text), text) << RtfWriter::write(text).toStdString();
}

TEST(RtfWriter, WritesTheOtherPlatformsDialect) {
    RichText text(QStringLiteral("Hello"), withFont(helvetica));
    text.addAttribute(attr::Link, LinkAttribute{QStringLiteral("fendle://12.self"), true}, {0, 5});
    text.append(QStringLiteral(" w\u00F6rld \u0144"), withFont(helveticaBold));
    const QByteArray rtf = RtfWriter::write(text);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\cocoartf"));
    EXPECT_TRUE(rtf.contains("{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fswiss\\fcharset0 Helvetica-Bold;}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green255\\blue255;}"));
    EXPECT_TRUE(rtf.contains("{\\*\\expandedcolortbl;;}"));
    EXPECT_TRUE(rtf.contains("\\pard\\tx560\\tx1120\\tx1680\\tx2240\\tx2800\\tx3360\\tx3920\\tx4480\\tx5040\\tx5600"
                             "\\tx6160\\tx6720\\pardirnatural\\partightenfactor0"));
    EXPECT_TRUE(rtf.contains("{\\field{\\*\\fldinst{HYPERLINK \"fendle://12.self\"}}{\\fldrslt "));
    EXPECT_TRUE(rtf.contains("w\\'f6rld \\uc0\\u324 }")) << rtf.toStdString();
    EXPECT_TRUE(rtf.endsWith('}'));
    for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "plain RTF is 7-bit";
}

TEST(RtfWriter, LeavesOutAttachmentsAndControlCharacters) {
    RichText text(QStringLiteral("a\u0001b"), withFont(helvetica));
    Attributes picture = withFont(helvetica);
    picture.set(attr::Attachment, AttachmentAttribute{QStringLiteral("p.png"), "DATA"});
    text.append(QString(QChar(AttachmentCharacter)), picture);
    text.append(QStringLiteral("c"), withFont(helvetica));
    const Result<RichText> back = RtfReader::read(RtfWriter::write(text));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->string(), QStringLiteral("abc"));
}

TEST(RtfWriter, AFormFeedIsAPageBreak) {
    const QByteArray rtf = RtfWriter::write(RichText(QStringLiteral("one\n\ftwo"), withFont(helvetica)));
    EXPECT_TRUE(rtf.contains("\\page")) << rtf.toStdString();
    EXPECT_EQ(roundTrip(RichText(QStringLiteral("one\n\ftwo"), withFont(helvetica))).string(), QStringLiteral("one\n\ftwo"));
}

TEST(RtfWriter, AddressesArePercentEncoded) {
    RichText text(QStringLiteral("x"), withFont(helvetica));
    text.addAttribute(attr::Link, LinkAttribute{QStringLiteral("file:///a b/\"q\"/{}\\\u00E9"), true}, {0, 1});
    const QByteArray rtf = RtfWriter::write(text);
    EXPECT_TRUE(rtf.contains("HYPERLINK \"file:///a%20b/%22q%22/%7B%7D%5C%C3%A9\"")) << rtf.toStdString();
}

TEST(RtfWriter, ParagraphThatStartsWithALinkKeepsItsStyleAfterTheLink) {
    ParagraphStyleAttribute justified;
    justified.alignment = ParagraphStyleAttribute::Alignment::Justified;
    Attributes link = withFont(helvetica);
    link.set(attr::ParagraphStyle, justified);
    link.set(attr::Link, LinkAttribute{QStringLiteral("http://a.org"), true});
    RichText text(QStringLiteral("Link"), link);
    Attributes after = withFont(helvetica);
    after.set(attr::ParagraphStyle, justified);
    text.append(QStringLiteral(" then text\nlink at end "), after);
    text.append(QStringLiteral("here\nnext"), link);
    EXPECT_EQ(roundTrip(text), text) << RtfWriter::write(text).toStdString();
    EXPECT_LT(RtfWriter::write(text).indexOf("\\qj"), RtfWriter::write(text).indexOf("{\\field"))
        << "paragraph words stand before the field group";
}

TEST(RtfWriter, TraitsWithoutAMatchingFaceNameAreWrittenAsTheFace) {
    const RichText text(QStringLiteral("x"), withFont(FontAttribute{"Helvetica", "Helvetica", 12, true, true}));
    const QByteArray rtf = RtfWriter::write(text);
    EXPECT_TRUE(rtf.contains("Helvetica-BoldOblique;")) << rtf.toStdString();
    EXPECT_EQ(rtftest::fontOf(RtfReader::read(rtf)->attributesAt(0)),
              (FontAttribute{"Helvetica", "Helvetica-BoldOblique", 12, true, true}));
}
