#include "BoxFixture.h"
#include "document/AttachmentClicks.h"
#include "document/DefaultFontConversion.h"
#include "document/UndoNames.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class SlipTextAttachmentAndFontTest : public BoxFixture {
protected:
    AttachmentClicks clicks{doc->editor()};

    // "a", an attachment with the given bytes, "b".
    void showAttachment(const QByteArray& contents) {
        RichText text(QStringLiteral("a"));
        Attributes attachment;
        attachment.set(attr::Attachment, AttachmentAttribute{QStringLiteral("file"), contents});
        text.append(QString(QChar(AttachmentCharacter)), attachment);
        text.append(QStringLiteral("b"), {});
        doc->editor().setSlipText(text);
        doc->editor().setSelectedRangesOfSlipText({{0, 0}});
    }
};
}  // namespace

// The window opens the inspector when a double click answers true.
TEST_F(SlipTextAttachmentAndFontTest, ImageAttachmentIsSelectedByClickAndDoubleClick) {
    fill({1});
    showAttachment(QByteArray("\x89PNG\r\n\x1a\n....", 12));
    EXPECT_FALSE(clicks.textViewClickedOnCell(0));
    EXPECT_TRUE(clicks.textViewClickedOnCell(1));
    EXPECT_EQ(doc->editor().selectedRange(), (TextRange{1, 1}));
    doc->editor().setSelectedRangesOfSlipText({{0, 0}});
    EXPECT_TRUE(clicks.textViewDoubleClickedOnCell(1));
    EXPECT_EQ(doc->editor().selectedRange(), (TextRange{1, 1}));
}

TEST_F(SlipTextAttachmentAndFontTest, OtherAttachmentsAreLeftToTheTextView) {
    fill({1});
    showAttachment("plain text, no image");
    EXPECT_FALSE(clicks.textViewClickedOnCell(1));
    EXPECT_FALSE(clicks.textViewDoubleClickedOnCell(1));
    EXPECT_FALSE(clicks.textViewClickedOnCell(99));
    EXPECT_FALSE(clicks.textViewClickedOnCell(-1));
    EXPECT_EQ(doc->editor().selectedRange(), (TextRange{0, 0}));
}

TEST_F(SlipTextAttachmentAndFontTest, ConvertSelectionToDefaultFontKeepsOtherAttributesWithUndo) {
    fill({1});
    RichText text(QStringLiteral("abcdef"));
    text.addAttribute(attr::Font, FontAttribute{"Times", "Times-Bold", 20.0, true}, {0, 6});
    text.addAttribute(attr::Link, LinkAttribute{"https://example.org", true}, {2, 2});
    doc->editor().setSlipText(text);
    doc->editor().setSelectedRangesOfSlipText({{1, 3}});
    doc->storeCurrentSlip();
    const BoxSnapshot before = snapshot();

    command([&] { convertSelectedSlipTextToDefault(*doc, ui); });
    const RichText& stored = *doc->slip("1")->text();
    EXPECT_EQ(stored.attributesAt(0).get<FontAttribute>(attr::Font)->family, "Times");
    EXPECT_EQ(stored.attributesAt(1).get<FontAttribute>(attr::Font), preferences.font);
    EXPECT_EQ(stored.attributesAt(3).get<FontAttribute>(attr::Font), preferences.font);
    EXPECT_TRUE(stored.attributesAt(2).contains(attr::Link));
    EXPECT_EQ(stored.attributesAt(4).get<FontAttribute>(attr::Font)->family, "Times");
    EXPECT_EQ(doc->undoManager().undoActionName(), undo_names::ConvertTextToDefault);
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().text(), text);
}

TEST_F(SlipTextAttachmentAndFontTest, ConvertWithoutSelectionTakesTheWholeText) {
    fill({1});
    doc->editor().setSelectedRangesOfSlipText({{2, 0}});
    convertSelectedSlipTextToDefault(*doc, ui);
    const RichText& stored = *doc->slip("1")->text();
    ASSERT_EQ(stored.runs().size(), 1u);
    EXPECT_EQ(stored.attributesAt(0).get<FontAttribute>(attr::Font), preferences.font);
}
