#include "BoxFixture.h"
#include "document/SlipTextInsertion.h"

using namespace fendle;
using namespace fendle::test;

namespace {

class SlipTextInsertionTest : public BoxFixture {
protected:
    void SetUp() override {
        fill({1, 2});
        show("1");
    }
    SlipTextInsertion insertion{*doc};
};

TEST_F(SlipTextInsertionTest, DroppedTextGoesInAtThePointAsOneDropStep) {
    const BoxSnapshot before = snapshot();
    command([&] { insertion.insertAttributedString(RichText("new "), 5); });
    EXPECT_EQ(doc->currentSlip()->textString(), "slip new 1");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    EXPECT_EQ(doc->editor().selectedRange().location, 9);
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().text().string(), "slip 1");
    redo();
    EXPECT_EQ(doc->currentSlip()->textString(), "slip new 1");
}

TEST_F(SlipTextInsertionTest, AnIndexBeyondTheTextAppendsAndEmptyDropsChangeNothing) {
    command([&] { insertion.insertAttributedString(RichText("!"), 999); });
    EXPECT_EQ(doc->currentSlip()->textString(), "slip 1!");
    command([&] { insertion.insertAttributedString(RichText("<"), -4); });
    EXPECT_EQ(doc->currentSlip()->textString(), "<slip 1!");
    const BoxSnapshot before = snapshot();
    command([&] { insertion.insertAttributedString(RichText(), 0); });
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SlipTextInsertionTest, LinksTakeTheFontAtThePointOrTheSlipFontInAnEmptyText) {
    const FontAttribute serif{"Times", "Times-Roman", 14.0};
    RichText text("ab", {});
    text.addAttribute(attr::Font, serif, text.wholeRange());
    doc->editor().setSlipText(text);
    const RichText link = insertion.linkText("https://example.org", "Example", 1);
    EXPECT_EQ(link.string(), "Example");
    EXPECT_EQ(link.attributesAt(0).get<FontAttribute>(attr::Font), serif);
    EXPECT_EQ(link.attributesAt(0).get<LinkAttribute>(attr::Link)->url, "https://example.org");

    preferences.font = FontAttribute{"Helvetica", "Helvetica", 11.0};
    doc->editor().setSlipText(RichText());
    EXPECT_EQ(insertion.linkText("x", "x", 0).attributesAt(0).get<FontAttribute>(attr::Font)->pointSize, 11.0);
}

TEST_F(SlipTextInsertionTest, FilesBecomeLinksNamedAfterThemUnderTheirOwnStep) {
    command([&] { insertion.addLinkToFiles({"/tmp/a b.pdf", "/home/me/notes.txt"}, 0); });
    const RichText text = doc->currentSlip()->text().value();
    EXPECT_TRUE(text.string().startsWith("a b.pdf notes.txt"));
    EXPECT_EQ(text.attributesAt(0).get<LinkAttribute>(attr::Link)->url, "file:///tmp/a b.pdf");
    EXPECT_EQ(text.attributesAt(8).get<LinkAttribute>(attr::Link)->url, "file:///home/me/notes.txt");
    EXPECT_FALSE(text.attributesAt(7).get<LinkAttribute>(attr::Link));
    EXPECT_EQ(doc->undoManager().undoActionName(), "Add link to files");
}

TEST_F(SlipTextInsertionTest, CiteCommandsDroppedOnTheSourceBringTheirLabel) {
    EXPECT_EQ(SlipTextInsertion::withoutCiteCommand("\\cite{knuth84}"), "knuth84");
    EXPECT_EQ(SlipTextInsertion::withoutCiteCommand("\\cite{"), "");
    EXPECT_EQ(SlipTextInsertion::withoutCiteCommand("plain"), "plain");

    doc->editor().setSource(QString());
    doc->storeCurrentSlip();
    const BoxSnapshot before = snapshot();
    command([&] { insertion.dropStringOnSourceField("\\cite{knuth84}"); });
    EXPECT_EQ(doc->currentSlip()->source(), "knuth84");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
    command([&] { insertion.dropStringOnSourceField(", p. 3"); });
    EXPECT_EQ(doc->currentSlip()->source(), "knuth84, p. 3");
    undo();
    undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SlipTextInsertionTest, ANewSlipFontCoversTheWholeTextAndUndoes) {
    const BoxSnapshot before = snapshot();
    const FontAttribute font{"Courier", "Courier", 13.0};
    command([&] { doc->setDefaultSlipFont(font); });
    const RichText text = doc->currentSlip()->text().value();
    EXPECT_EQ(text.attributesAt(0).get<FontAttribute>(attr::Font), font);
    EXPECT_EQ(text.attributesAt(text.length() - 1).get<FontAttribute>(attr::Font), font);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Change Text Font");
    undo();
    EXPECT_EQ(snapshot().slips["1"].text, before.slips["1"].text);
}

}  // namespace
