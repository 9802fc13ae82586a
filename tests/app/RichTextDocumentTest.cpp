#include "RichTextSamples.h"
#include "app/editing/RichTextDocument.h"
#include "platform/richtext/RichTextFile.h"
#include "support/Samples.h"

#include <QDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace fendle;
using namespace fendle::test;

namespace {

RichText roundTrip(const RichText& text, double scale = 1.0) {
    QTextDocument document;
    RichTextDocument converter(document);
    converter.mapping().setScale(scale);
    converter.setRichText(text);
    return converter.richText();
}

// Where two texts first differ, for a readable failure.
std::string firstDifference(const RichText& a, const RichText& b) {
    if (a.string() != b.string()) return "strings differ: " + a.string().toStdString() + " | " + b.string().toStdString();
    for (qsizetype i = 0; i < a.length(); ++i) {
        const Attributes x = a.attributesAt(i), y = b.attributesAt(i);
        if (x == y) continue;
        std::string names;
        for (const auto& [name, value] : x.values())
            if (!y.find(name) || !(*y.find(name) == value)) names += " " + name.toStdString();
        for (const auto& [name, value] : y.values())
            if (!x.contains(name)) names += " " + name.toStdString();
        return "attributes differ at " + std::to_string(i) + ":" + names;
    }
    return "equal";
}

QTextCharFormat formatAt(QTextDocument& document, int index) {
    QTextCursor cursor(&document);
    cursor.setPosition(index + 1);  // the format of the character before the cursor
    return cursor.charFormat();
}

class RichTextDocumentTest : public ::testing::Test {
protected:
    QTextDocument document;
    RichTextDocument converter{document};

    Attributes attributesAt(qsizetype index) { return converter.richText().attributesAt(index); }
};

}  // namespace

TEST(RichTextDocumentRoundTrip, SampleTextsComeBackUnchanged) {
    REQUIRE_SAMPLES();
    const QStringList names = QDir(test::samplesFolder()).entryList({"*.rtf", "*.rtfd"});
    ASSERT_GE(names.size(), 5);
    for (const QString& name : names) {
        const Result<RichText> read = RichTextFile::read(test::samplePath(name));
        ASSERT_TRUE(read.ok()) << name.toStdString();
        const RichText& text = read.value();
        ASSERT_GT(text.length(), 100) << name.toStdString();
        for (double scale : {1.0, 2.0}) {
            const RichText back = roundTrip(text, scale);
            EXPECT_TRUE(back == text) << name.toStdString() << " at " << scale << ": " << firstDifference(back, text);
        }
    }
}

TEST(RichTextDocumentRoundTrip, EveryAttributeAndEveryBreakComesBackUnchanged) {
    const RichText text = everyAttributeText();
    for (double scale : {1.0, 0.25, 3.0}) {
        const RichText back = roundTrip(text, scale);
        EXPECT_TRUE(back == text) << "at " << scale << ": " << firstDifference(back, text);
    }
    EXPECT_TRUE(roundTrip(RichText()) == RichText());
}

TEST(RichTextDocumentRoundTrip, HostileValuesAreShownBoundedAndKept) {
    Attributes wild;
    wild.set(attr::Font, FontAttribute{QString(), QStringLiteral("X"), 1e30, true, false});
    wild.set(attr::BaselineOffset, -1e300);
    wild.set(attr::Underline, std::int64_t(-1));
    ColorAttribute colour = ColorAttribute::rgb(5, -3, 1e9);
    colour.alpha = -7;
    wild.set(attr::Color, colour);
    ParagraphStyleAttribute style;
    style.headIndent = 1e12;
    style.lineHeightMultiple = 1e9;
    style.tabStops = {TabStop{TabStop::Type::Right, -1e20}};
    wild.set(attr::ParagraphStyle, style);
    RichText text(QStringLiteral("wild\n"), wild);
    wild.set(attr::Attachment, AttachmentAttribute{QStringLiteral("x.png"), QByteArray("\x89PNG\r\n\x1a\n-broken", 16)});
    text.append(QString(AttachmentCharacter), wild);
    const RichText back = roundTrip(text);
    EXPECT_TRUE(back == text) << firstDifference(back, text);
}

TEST_F(RichTextDocumentTest, DocumentPositionsAreTextIndexes) {
    const RichText text = everyAttributeText();
    converter.setRichText(text);
    EXPECT_EQ(converter.length(), text.length());
    // "\r\n", U+2029, "\r" and U+FDD0: five breaks, six blocks.
    EXPECT_EQ(document.blockCount(), 6);
    for (const TextRange range : {TextRange{0, 3}, TextRange{5, 9}, TextRange{20, 30}, TextRange{30, 1000}}) {
        const RichText part = converter.richText(range);
        EXPECT_TRUE(part == text.substring(range)) << range.location << "+" << range.length;
    }
}

TEST_F(RichTextDocumentTest, FormatsShowWhatTheAttributesSay) {
    converter.mapping().setScale(2.0);
    const RichText text = everyAttributeText();
    converter.setRichText(text);
    const QString& s = text.string();

    const QTextCharFormat styled = formatAt(document, int(s.indexOf("styled")));
    EXPECT_EQ(styled.fontWeight(), QFont::Bold);
    EXPECT_TRUE(styled.fontItalic());
    EXPECT_DOUBLE_EQ(styled.fontPointSize(), 35.0);
    EXPECT_EQ(styled.fontFamilies().toStringList(), QStringList{"Times"});
    EXPECT_EQ(styled.foreground().color(), QColor::fromCmykF(0.1, 0.2, 0.3, 0.4));
    EXPECT_EQ(styled.background().color(), QColor::fromRgbF(0.8, 0.8, 0.8));
    EXPECT_EQ(styled.underlineStyle(), QTextCharFormat::DashUnderline);
    EXPECT_TRUE(styled.fontStrikeOut());

    EXPECT_EQ(formatAt(document, int(s.indexOf("up"))).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_GT(formatAt(document, int(s.indexOf("up"))).baselineOffset(), 0);
    EXPECT_EQ(formatAt(document, int(s.indexOf("down"))).verticalAlignment(), QTextCharFormat::AlignSubScript);

    const QTextCharFormat link = formatAt(document, int(s.indexOf("a link")));
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QStringLiteral("fendle://12.self"));

    const QTextBlockFormat block = document.findBlock(int(s.indexOf("centred"))).blockFormat();
    EXPECT_EQ(block.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(block.leftMargin(), 20.0);
    EXPECT_DOUBLE_EQ(block.textIndent(), 20.0);
    EXPECT_DOUBLE_EQ(block.rightMargin(), 10.0);
    EXPECT_DOUBLE_EQ(block.bottomMargin(), 12.0);
    ASSERT_EQ(block.tabPositions().size(), 2);
    EXPECT_EQ(block.tabPositions().at(1).type, QTextOption::DelimiterTab);
    EXPECT_DOUBLE_EQ(block.tabPositions().at(1).position, 200.0);
    // The paragraph's style holds for the block after the "\r" too.
    EXPECT_EQ(document.findBlock(int(s.indexOf("next"))).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST_F(RichTextDocumentTest, PicturesShowInlineAndComeBackAsTheSameAttachment) {
    RichText text(QStringLiteral("a"));
    const QByteArray png = pngBytes(30, 20);
    text.append(QString(AttachmentCharacter), attachmentAttributes("pic.png", png));
    text.append(QStringLiteral("b"), {});
    text.append(QString(AttachmentCharacter), attachmentAttributes("notes.pdf", "%PDF-1.4 not really"));
    converter.mapping().setScale(0.5);
    converter.setRichText(text);

    const QTextCharFormat picture = formatAt(document, 1);
    ASSERT_TRUE(picture.isImageFormat());
    const QTextImageFormat image = picture.toImageFormat();
    EXPECT_DOUBLE_EQ(image.width(), 15.0);
    EXPECT_DOUBLE_EQ(image.height(), 10.0);
    const QImage shown = document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    EXPECT_EQ(shown.size(), QSize(30, 20));
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));

    // A file that is no picture shows as a file symbol.
    const QTextImageFormat symbol = formatAt(document, 3).toImageFormat();
    ASSERT_TRUE(formatAt(document, 3).isImageFormat());
    EXPECT_FALSE(document.resource(QTextDocument::ImageResource, QUrl(symbol.name())).value<QImage>().isNull());
    EXPECT_NE(symbol.name(), image.name());

    const RichText back = converter.richText();
    EXPECT_TRUE(back == text) << firstDifference(back, text);
    EXPECT_EQ(back.attributesAt(1).get<AttachmentAttribute>(attr::Attachment)->contents, png);
}

TEST_F(RichTextDocumentTest, EditingOtherCharactersKeepsOpaqueAttributes) {
    RichText text(QStringLiteral("AAA"), opaqueAttributes("first"));
    const Attributes plain = fontAttributes(QStringLiteral("Courier"), 10.0);
    text.append(QStringLiteral("mid"), plain);
    text.append(QStringLiteral("BBB"), opaqueAttributes("second"));
    converter.setRichText(text);

    QTextCursor cursor(&document);
    cursor.setPosition(4);
    cursor.insertText(QStringLiteral("xy"));
    cursor.setPosition(3);
    cursor.deleteChar();
    cursor.insertBlock();

    const RichText back = converter.richText();
    EXPECT_EQ(back.string(), QStringLiteral("AAA\nxyidBBB"));
    EXPECT_TRUE(back.substring({0, 3}) == text.substring({0, 3}));
    EXPECT_TRUE(back.substring({8, 3}) == text.substring({6, 3}));
    // Typed characters take the attributes of the one before them.
    EXPECT_TRUE(back.attributesAt(4) == plain);
}

TEST_F(RichTextDocumentTest, ChangingWhatIsShownChangesOnlyThatPart) {
    const RichText text = everyAttributeText();
    converter.setRichText(text);
    const qsizetype at = text.string().indexOf("styled");
    QTextCursor cursor(&document);
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + 3), QTextCursor::KeepAnchor);
    QTextCharFormat notBold;
    notBold.setFontWeight(QFont::Normal);
    cursor.mergeCharFormat(notBold);

    const Attributes before = text.attributesAt(at);
    const Attributes changed = attributesAt(at);
    const FontAttribute font = *changed.get<FontAttribute>(attr::Font);
    EXPECT_FALSE(font.bold);
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(font.postScriptName, QStringLiteral("Times-Italic"));
    EXPECT_DOUBLE_EQ(font.pointSize, 17.5);
    Attributes rest = changed;
    rest.set(attr::Font, *before.get<FontAttribute>(attr::Font));
    EXPECT_TRUE(rest == before) << "only the font may change";
    EXPECT_TRUE(attributesAt(at + 3) == before);

    // A colour set by the user is an RGB colour.
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    cursor.mergeCharFormat(blue);
    EXPECT_EQ(attributesAt(0).get<ColorAttribute>(attr::Color), ColorAttribute::rgb(0, 0, 1));
    EXPECT_FALSE(attributesAt(2).contains(attr::Color));

    // The same colour given again in RGB keeps the form the text had.
    const ColorAttribute cmyk = *before.get<ColorAttribute>(attr::Color);
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + 1), QTextCursor::KeepAnchor);
    QTextCharFormat same;
    same.setForeground(QColor::fromCmykF(0.1, 0.2, 0.3, 0.4).toRgb());
    cursor.mergeCharFormat(same);
    EXPECT_EQ(attributesAt(at).get<ColorAttribute>(attr::Color), cmyk);
}

TEST_F(RichTextDocumentTest, ChangingABlockFormatChangesTheParagraphStyleOfThatBlock) {
    const RichText text = everyAttributeText();
    converter.setRichText(text);
    const qsizetype at = text.string().indexOf("centred");
    QTextCursor cursor(&document);
    cursor.setPosition(int(at));
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.mergeBlockFormat(right);

    const RichText back = converter.richText();
    const ParagraphStyleAttribute original = *text.attributesAt(at).get<ParagraphStyleAttribute>(attr::ParagraphStyle);
    ParagraphStyleAttribute expected = original;
    expected.alignment = ParagraphStyleAttribute::Alignment::Right;
    EXPECT_EQ(back.attributesAt(at).get<ParagraphStyleAttribute>(attr::ParagraphStyle), expected);
    // The block after the "\r" was not touched.
    EXPECT_EQ(back.attributesAt(text.string().indexOf("next")).get<ParagraphStyleAttribute>(attr::ParagraphStyle),
              original);
    EXPECT_TRUE(back.substring({0, at - 1}) == text.substring({0, at - 1}));
}
