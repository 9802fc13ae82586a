#include "BoxFixture.h"
#include "document/SlipLinkMaker.h"
#include "document/UndoNames.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class SlipLinkMakerTest : public BoxFixture {
protected:
    SlipLinkMaker maker{*doc};
    int sheetsOpened() const { return int(ui.openedSheets.size()); }

    void SetUp() override {
        doc->setFileName(QStringLiteral("/home/me/Notes.fendle"));
        fill({3, 12, 20}, {7});
        show("20");
    }
    void typeText(const QString& text, TextRange selection) {
        doc->editor().setSlipText(RichText(text, fontAttributes(QStringLiteral("Times"))));
        doc->editor().setSelectedRangesOfSlipText({selection});
    }
    static Attributes fontAttributes(const QString& family) {
        Attributes attributes;
        attributes.set(attr::Font, FontAttribute{family, family, 14.0});
        return attributes;
    }
    std::optional<QString> linkAt(qsizetype index) const {
        const auto value = doc->slip("20")->text()->attributeAt(attr::Link, index);
        if (!value) return std::nullopt;
        return std::get<LinkAttribute>(*value).url;
    }
};
}  // namespace

TEST_F(SlipLinkMakerTest, SelectedNumberOfExistingSlipBecomesLinkWithoutDialogue) {
    typeText("see 12 here", {4, 2});
    const BoxSnapshot before = snapshot();
    command([&] { maker.makeSlipLink(); });
    EXPECT_EQ(sheetsOpened(), 0);
    EXPECT_EQ(doc->slip("20")->text()->string(), "see 12 here");
    EXPECT_EQ(linkAt(4), "fendle://12.self");
    EXPECT_EQ(linkAt(5), "fendle://12.self");
    EXPECT_FALSE(linkAt(3));
    EXPECT_FALSE(linkAt(6));
    EXPECT_EQ(doc->undoManager().undoActionName(), undo_names::MakeSlipLink);
    undo();
    EXPECT_FALSE(doc->slip("20")->text()->attributeAt(attr::Link, 4));
    EXPECT_EQ(doc->slip("20")->lastModificationTime(), before.slips["20"].modified);
}

TEST_F(SlipLinkMakerTest, SelectedNumberWithoutSlipAsksBeforeOpeningTheDialogue) {
    typeText("see 99", {4, 2});
    ui.answers = {1};  // Cancel
    maker.makeSlipLink();
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0].message,
              "There is no slip with this ID in this box. Do you want to enter an ID by hand?");
    EXPECT_EQ(ui.questions[0].buttons, QStringList({"OK", "Cancel"}));
    EXPECT_EQ(sheetsOpened(), 0);
    ui.answers = {0};
    maker.makeSlipLink();
    EXPECT_EQ(sheetsOpened(), 1);
}

TEST_F(SlipLinkMakerTest, TextThatIsNoNumberOpensTheDialogue) {
    typeText("see here", {0, 3});
    maker.makeSlipLink();
    EXPECT_EQ(sheetsOpened(), 1);
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(SlipLinkMakerTest, DialogueRefusesZeroAndTrashedNumbers) {
    typeText("abc", {3, 0});
    const BoxSnapshot before = snapshot();
    EXPECT_FALSE(maker.makeSlipLinkOK("0"));
    EXPECT_FALSE(maker.makeSlipLinkOK("nothing"));
    EXPECT_TRUE(ui.alerts.isEmpty());
    EXPECT_FALSE(maker.makeSlipLinkOK("7"));
    EXPECT_FALSE(maker.makeSlipLinkOK("-5"));
    ASSERT_EQ(ui.alerts.size(), 2);
    EXPECT_EQ(ui.alerts[0].message, "There is no slip with this ID in this box.");
    EXPECT_EQ(ui.alerts[0].informativeText, "Perhaps it is in the Trash?");
    EXPECT_EQ(ui.closedSheets, 0);  // the sheet stays
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(doc->undoManager().canUndo());
}

TEST_F(SlipLinkMakerTest, DialogueInsertsKeyInFontOfPrecedingCharacter) {
    RichText text(QStringLiteral("ab"), fontAttributes("Times"));
    text.append(QStringLiteral("cd"), fontAttributes("Courier"));
    doc->editor().setSlipText(text);
    doc->editor().setSelectedRangesOfSlipText({{2, 0}});
    EXPECT_TRUE(maker.makeSlipLinkOK(" 3"));
    EXPECT_EQ(ui.closedSheets, 1);
    const RichText& stored = *doc->slip("20")->text();
    EXPECT_EQ(stored.string(), "ab3cd");
    EXPECT_EQ(linkAt(2), "fendle://3.self");
    EXPECT_EQ(stored.attributesAt(2).get<FontAttribute>(attr::Font)->family, "Times");
}

TEST_F(SlipLinkMakerTest, EmptyTextTakesTheSlipTextFont) {
    typeText("", {0, 0});
    maker.createLinkToSlipWithID("12");
    EXPECT_EQ(doc->slip("20")->text()->string(), "12");
    EXPECT_EQ(doc->slip("20")->text()->attributesAt(0).get<FontAttribute>(attr::Font), preferences.font);
}

TEST_F(SlipLinkMakerTest, ExternalLinkNamesTheBoxFile) {
    EXPECT_EQ(maker.externalSlipLinkStringForSlipKey("12"), "fendle://12::file:///home/me/Notes.fendle");
}
