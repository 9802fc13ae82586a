#include "BoxFixture.h"
#include "document/commands/AddKeywordToSlipsCommand.h"
#include "document/commands/AddSlipCommand.h"
#include "document/commands/ChangeTextFontCommand.h"
#include "document/commands/ChangeTextRangeCommand.h"
#include "document/commands/FlagSlipsCommand.h"
#include "document/commands/RestoreSlipStateCommand.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class BoxUndoStepsTest : public BoxFixture {};
}  // namespace

TEST_F(BoxUndoStepsTest, FlagUndoSetsTheOppositeOnAllListedSlips) {
    fill({1, 2, 3});
    command([&] {
        for (const char* key : {"1", "2"}) doc->slip(key)->setFlagged(true);
        FlagSlipsCommand::record(*doc, {"1", "2"}, true);
    });
    EXPECT_EQ(doc->undoManager().undoActionName(), "Toggle Flaged");
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    undo();
    EXPECT_FALSE(doc->slip("1")->isFlagged());
    EXPECT_FALSE(doc->slip("2")->isFlagged());
    EXPECT_EQ(doc->selectedTab(), BoxTab::Slip);  // an applier ran: back to the slip view
    redo();
    EXPECT_TRUE(doc->slip("1")->isFlagged());
    EXPECT_FALSE(doc->slip("3")->isFlagged());
}

TEST_F(BoxUndoStepsTest, AddKeywordUndoRestoresListsAndTimes) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    int searches = 0;
    QObject::connect(doc.get(), &Box::searchResultsChanged, [&] { ++searches; });
    command([&] {
        QList<AddKeywordToSlipsCommand::Before> records;
        for (const char* key : {"1", "2"}) {
            const SlipPtr slip = doc->slip(key);
            records.append({slip, slip->keywords(), slip->lastModificationTime()});
            slip->setKeywords(KeywordsArray(QStringList(slip->keywords().toStringList()) << "added"));
        }
        AddKeywordToSlipsCommand::record(*doc, records);
    });
    const BoxSnapshot after = snapshot();
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(searches, 1);
    redo();
    EXPECT_EQ(doc->slip("1")->keywords(), KeywordsArray({"k1", "added"}));
    EXPECT_GE(doc->slip("1")->lastModificationTime(), after.slips["1"].modified.value());  // stamped anew
}

TEST_F(BoxUndoStepsTest, SubstringUndoReplacesTheRangeAndAnnouncesOtherSlips) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    command([&] {
        const SlipPtr slip = doc->slip("2");
        const QDateTime time = slip->lastModificationTime();
        RichText text = *slip->text();
        const RichText replaced = text.substring({0, 4});
        text.replace({0, 4}, RichText("card"));
        slip->setText(text);
        doc->updateWindow();
        // Undoing puts the old characters back over the new ones.
        ChangeTextRangeCommand::record(*doc, slip, replaced, RichText("card"), {0, 4}, time, "Make Slip Link");
    });
    EXPECT_EQ(doc->slip("2")->textString(), "card 2");
    show("1");
    undo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"The undo operation affects slip 2."});
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().text().string(), "slip 2");
    EXPECT_EQ(doc->editor().selectedRanges(), (QList<TextRange>{{0, 4}}));
    redo();
    EXPECT_EQ(doc->slip("2")->textString(), "card 2");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Make Slip Link");
}

TEST_F(BoxUndoStepsTest, DefaultFontUndoSwitchesBackToTheSlip) {
    fill({1, 2});
    const RichText before = *doc->slip("2")->text();
    command([&] {
        ChangeTextFontCommand::record(*doc, before, doc->slip("2"));
        RichText styled = before;
        styled.addAttribute(attr::Font, FontAttribute{"Georgia", "Georgia", 14}, styled.wholeRange());
        doc->editor().setSlipText(styled);
        doc->storeCurrentSlip();
    });
    show("1");
    undo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"Switching back to slip 2."});
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(doc->slip("2")->text(), before);
    redo();
    EXPECT_FALSE(doc->slip("2")->text() == before);
}

TEST_F(BoxUndoStepsTest, SnapshotRestoreSwapsWholeSlipStates) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    const SlipPtr old = doc->slip("2");
    const SlipPtr changed = old->copy();
    changed->setSource(QString("dropped"));
    command([&] {
        doc->document().setSlip(changed);
        RestoreSlipStateCommand::record(*doc, old, changed, "Drop");
    });
    undo();
    EXPECT_EQ(doc->slip("2"), old);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().source(), "src 2");
    redo();
    EXPECT_EQ(doc->slip("2"), changed);
    EXPECT_EQ(doc->editor().source(), "dropped");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Drop");
}

TEST_F(BoxUndoStepsTest, SlipsFromRichTextRedoAsRichTextCreation) {
    fill({1});
    const SlipPtr previous = doc->currentSlip();
    const SlipPtr made = Slip::create();
    made->setText(RichText("from rtf"));
    command([&] {
        doc->document().addSlip(made);
        doc->changeCurrentSlip(made, false);
        AddSlipCommand::recordCreatedSlip(*doc, made, previous, AddSlipCommand::Mode::FromRTF);
    });
    EXPECT_EQ(doc->undoManager().undoActionName(), "Create Slip From RTF");
    undo();
    EXPECT_FALSE(doc->box().slipForKeyExists("2"));
    EXPECT_EQ(current(), "1");
    EXPECT_EQ(doc->undoManager().redoActionName(), "Create Slip From RTF");
    redo();
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(doc->slip("2")->textString(), "from rtf");
    undo();
    EXPECT_EQ(doc->box().slips().size(), 1);
}
