#include "BoxFixture.h"
#include "platform/richtext/RichTextPasteboard.h"
#include "platform/richtext/RtfReader.h"

using namespace fendle;
using namespace fendle::test;

namespace {
class BoxOperationsTest : public BoxFixture {};
}  // namespace

TEST_F(BoxOperationsTest, AddSlipAndItsUndoRedo) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    command([&] { doc->addSlip(); });
    EXPECT_EQ(current(), "3");
    EXPECT_EQ(doc->box().numberOfLastSlip(), 3u);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Add Slip");
    EXPECT_TRUE(doc->isDocumentEdited());
    // Typing into the new slip starts in the default slip font.
    doc->editor().replaceText({0, 0}, "x");
    EXPECT_EQ(doc->editor().text().attributesAt(0).get<FontAttribute>(attr::Font), preferences.font);
    doc->editor().endEditing();
    undo();  // the typing and its Edit Text step
    undo();
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(snapshot(), before);
    redo();
    EXPECT_EQ(current(), "3");
    EXPECT_EQ(doc->box().slips().size(), 3);
}

TEST_F(BoxOperationsTest, AddSlipUsesTheTemplate) {
    fill({1});
    RichText templ("Title:\n");
    doc->document().setSlipTemplate(templ, QList<TextRange>{{7, 0}});
    doc->addSlip();
    EXPECT_EQ(doc->editor().text().string(), "Title:\n");
    EXPECT_EQ(doc->editor().selectedRanges(), (QList<TextRange>{{7, 0}}));
}

TEST_F(BoxOperationsTest, AddingAndPastingInTrashModeAreRefused) {
    fill({1}, {2});
    doc->browseTrash();
    ui.alerts.clear();
    const BoxSnapshot before = snapshot();
    doc->addSlip();
    doc->addSlip(Slip::create());
    EXPECT_EQ(ui.takeMessages(),
              (QStringList{"You cannot add slips to the Trash!", "You cannot paste slips into the Trash!"}));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(BoxOperationsTest, RemovingTheHighestShowsTheNearestLowerAndAMiddleOneTheNearestHigher) {
    fill({1, 3, 5, 8});
    command([&] { doc->removeSlip(); });
    EXPECT_EQ(current(), "5");
    EXPECT_TRUE(doc->box().isSlipInTrash(doc->box().slipInTrashForKey("8")));
    EXPECT_EQ(ui.sounds, QStringList{"drag to trash"});
    show("3");
    command([&] { doc->removeSlip(); });
    EXPECT_EQ(current(), "5");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Remove Slip(s)");
    const BoxSnapshot afterBoth = snapshot();
    undo();
    EXPECT_EQ(current(), "3");
    EXPECT_TRUE(doc->box().slipForKeyExists("3"));
    undo();
    EXPECT_EQ(current(), "8");
    redo();
    redo();
    EXPECT_EQ(snapshot(), afterBoth);
}

TEST_F(BoxOperationsTest, RemovingTheOnlySlipCreatesAnEmptyOneAndUndoTakesItAway) {
    fill({4});
    const BoxSnapshot before = snapshot();
    command([&] { doc->removeSlip(); });
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts.first(), (UiPort::Alert{UiPort::AlertStyle::Sheet, "You just deleted the last slip in this box.",
                                                 "I will create a new, empty slip."}));
    EXPECT_EQ(current(), "5");
    EXPECT_EQ(doc->box().slips().keys(), QStringList{"5"});
    EXPECT_TRUE(doc->editor().text().isEmpty());
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(current(), "4");
    redo();
    EXPECT_EQ(doc->box().slips().size(), 1);  // one fresh slip, not two
    EXPECT_EQ(doc->box().deletedSlips().keys(), QStringList{"4"});
}

TEST_F(BoxOperationsTest, RestoringTheLastSlipOfTheTrashLeavesTrashMode) {
    fill({1, 2}, {6});
    doc->browseTrash();
    doc->document().clearEdited();
    ui.alerts.clear();
    command([&] { doc->removeSlip(); });
    ASSERT_FALSE(ui.alerts.isEmpty());
    EXPECT_EQ(ui.alerts.first().message, "You just restored  the last slip from the trash.");
    EXPECT_EQ(ui.alerts.first().informativeText, "I will switch back to normal mode.");
    EXPECT_FALSE(doc->inTrashMode());
    EXPECT_TRUE(doc->isDocumentEdited());
    EXPECT_TRUE(doc->box().slipForKeyExists("6"));
    EXPECT_EQ(current(), "6");
    EXPECT_EQ(ui.sounds, QStringList{"Volume Mount"});
}

TEST_F(BoxOperationsTest, RemovingIsRefusedInScentViewsAndWithoutSelection) {
    fill({1, 2});
    doc->selectTabViewItemWithLabel(BoxTab::KeywordScent);
    doc->removeSlip();
    doc->selectTabViewItemWithLabel(BoxTab::AlternatingScent);
    doc->removeSlip();
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->removeSlip();
    EXPECT_EQ(ui.takeMessages(),
              (QStringList{"You cannot remove slips in the Keyword Scent View!",
                           "You cannot remove slips in the Alternating Scent View!",
                           "You have to select a slip to remove first!"}));
    EXPECT_EQ(doc->box().slips().size(), 2);
}

TEST_F(BoxOperationsTest, RemovingSearchResultsIsOneUndoGroup) {
    fill({1, 2, 3, 4});
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->setSearchSortDescriptors({{"ID", true}});
    doc->showAllSlipsAsSearchResults();
    selectResults({"2", "3"});
    const BoxSnapshot before = snapshot();
    command([&] { doc->removeSlip(); });
    EXPECT_EQ(doc->box().slips().size(), 2);
    EXPECT_EQ(doc->currentSearchResults().slipIDsForResults(), (QStringList{"1", "4"}));
    EXPECT_EQ(doc->selectedSearchResultRows(), QList<qsizetype>{0});  // min(1, 2) - 1
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(announced.selectedTab, "Slip");  // an undo shows the slip view
}

TEST_F(BoxOperationsTest, MergeTypesSourcesAndUndo) {
    fill({3, 7, 9, 10});
    doc->slip("9")->setSlipTypeWithoutLastModificationDate(QString("Quote"));
    show("3");
    const BoxSnapshot before = snapshot();
    command([&] { doc->mergeSlipArray({doc->slip("3"), doc->slip("7")}); });
    EXPECT_EQ(doc->slip("3")->slipType(), QString("Note"));
    command([&] { doc->mergeSlipArray({doc->slip("3"), doc->slip("9")}); });
    const Slip& merged = *doc->slip("3");
    EXPECT_EQ(merged.slipType(), QString("SLIP MERGE"));
    EXPECT_EQ(merged.source(), QString("src 3;src 7;src 9"));
    EXPECT_EQ(merged.keywords(), KeywordsArray({"k3", "k7", "k9"}));
    EXPECT_EQ(merged.textString(),
              "slip 3\n\n-------\ntext from slip 7\n-------\n\nslip 7\n\n-------\ntext from slip 9\n-------\n\nslip 9");
    const qsizetype headingAt = merged.textString().indexOf("text from slip 7");
    const auto font = merged.text()->attributesAt(headingAt).get<FontAttribute>(attr::Font);
    ASSERT_TRUE(font.has_value());
    EXPECT_TRUE(font->bold);
    EXPECT_EQ(font->pointSize, 14.0);
    EXPECT_FALSE(doc->box().slipForKeyExists("7"));
    EXPECT_FALSE(doc->box().slipForKeyExists("9"));
    EXPECT_EQ(doc->editor().slipType(), "SLIP MERGE");
    const BoxSnapshot afterMerges = snapshot();

    undo();
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(current(), "3");
    EXPECT_EQ(doc->editor().text().string(), "slip 3");
    redo();
    redo();
    BoxSnapshot redone = snapshot();
    // Merging again stamps the merged slip anew.
    EXPECT_GE(*redone.slips["3"].modified, *afterMerges.slips["3"].modified);
    redone.slips["3"].modified = afterMerges.slips["3"].modified;
    EXPECT_EQ(redone, afterMerges);
}

TEST_F(BoxOperationsTest, MergeSheetRefusesItsOwnAndUnknownNumbers) {
    fill({1, 2}, {5});
    doc->mergeSlips();
    EXPECT_EQ(ui.openedSheets, QStringList{"Merge With Slip Number"});
    const BoxSnapshot before = snapshot();
    doc->mergeSlipsOK("2");  // the current slip itself
    doc->mergeSlipsOK("0");
    doc->mergeSlipsOK("5");
    EXPECT_EQ(ui.takeMessages(), (QStringList{"Please enter a valid Slip ID!", "Please enter a valid Slip ID!",
                                              "There is no slip with this ID in the box!"}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(ui.sheetOpen);
    doc->mergeSlipsOK("1");
    EXPECT_FALSE(ui.sheetOpen);
    EXPECT_EQ(doc->box().slips().keys(), QStringList{"2"});
    doc->mergeSlipArray({doc->slip("2")});  // one slip: nothing
    EXPECT_EQ(doc->undoManager().undoActionName(), "Merge Slips");
}

TEST_F(BoxOperationsTest, SplitAtLocationZeroAndItsUndoRedo) {
    fill({1, 2});
    doc->editor().setSelectedRangesOfSlipText({{0, 0}});
    const BoxSnapshot before = snapshot();
    command([&] { doc->splitSlip(); });
    EXPECT_EQ(doc->slip("2")->textString(), "");
    EXPECT_EQ(current(), "3");
    const Slip& created = *doc->slip("3");
    EXPECT_EQ(created.textString(), "slip 2");
    EXPECT_EQ(created.keywords(), KeywordsArray({"k2"}));
    EXPECT_EQ(created.source(), QString("src 2"));
    EXPECT_EQ(created.slipType(), QString("Note"));
    EXPECT_EQ(created.author(), doc->slip("2")->author());
    EXPECT_EQ(doc->undoManager().undoActionName(), "Split Slip");

    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(doc->box().numberOfLastSlip(), 2u);
    redo();
    EXPECT_EQ(doc->slip("2")->textString(), "");
    EXPECT_EQ(doc->slip("3")->textString(), "slip 2");
    undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(BoxOperationsTest, SplitWithASelectionMovesTheSelectedPart) {
    fill({1});
    doc->editor().setSelectedRangesOfSlipText({{2, 3}});  // "ip " of "slip 1"
    doc->splitSlip();
    EXPECT_EQ(doc->slip("1")->textString(), "sl1");
    EXPECT_EQ(doc->slip("2")->textString(), "ip ");
    doc->browseTrash();  // empty trash: stays
    fill({1}, {2});
    doc->browseTrash();
    ui.alerts.clear();
    doc->splitSlip();
    EXPECT_EQ(ui.takeMessages(), QStringList{"You cannot split slips in Trash Mode!"});
}

TEST_F(BoxOperationsTest, CopyAndPasteTwoSlips) {
    fill({1, 2, 3});
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    doc->setSearchSortDescriptors({{"ID", true}});
    doc->showAllSlipsAsSearchResults();
    selectResults({"1", "2"});
    doc->copySlip();
    EXPECT_TRUE(ui.alerts.isEmpty());
    // The export texts of both slips, in plain and rich forms.
    const QString exported = "Slip 1\n\nslip 1\n\nKeywords: k1\nSource: src 1\nType: Note\n\n-------\n\n"
                             "Slip 2\n\nslip 2\n\nKeywords: k2\nSource: src 2\nType: Note";
    EXPECT_EQ(pasteboard.data(Pasteboard::StringType), exported.toUtf8());
    const auto rtf = pasteboard.data(Pasteboard::RtfType);
    ASSERT_TRUE(rtf);
    const auto rich = RtfReader::read(*rtf);
    ASSERT_TRUE(rich);
    EXPECT_EQ(rich->string(), exported);
    const auto archived = RichTextPasteboard::read(pasteboard);
    ASSERT_TRUE(archived);
    EXPECT_EQ(archived->string(), exported);
    doc->selectTabViewItemWithLabel(BoxTab::Slip);
    const BoxSnapshot before = snapshot();
    command([&] { doc->pasteSlip(); });
    EXPECT_EQ(doc->box().slips().size(), 5);
    EXPECT_EQ(doc->slip("4")->textString(), "slip 1");
    EXPECT_EQ(doc->slip("5")->textString(), "slip 2");
    EXPECT_EQ(current(), "5");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Paste Slip");
    undo();
    EXPECT_EQ(snapshot(), before);
    redo();
    EXPECT_EQ(doc->slip("5")->textString(), "slip 2");

    // The slip data is a keyed archive another box can paste from.
    FakeUiPort otherUi;
    Box other(otherUi, pasteboard, preferences, web);
    other.document().setSlips({{"1", Slip::create(1)}}, {});
    other.showFirstSlip(QString());
    { UndoManager::EventScope event(other.undoManager()); other.pasteSlip(); }
    ASSERT_EQ(other.box().slips().size(), 3);
    EXPECT_EQ(other.slip("2")->textString(), "slip 1");
    EXPECT_EQ(other.slip("3")->keywords(), KeywordsArray({"k2"}));
    EXPECT_EQ(other.slip("3")->source(), QString("src 2"));
    EXPECT_TRUE(otherUi.alerts.isEmpty());
}

TEST_F(BoxOperationsTest, CopyFailuresAndEmptyPasteboard) {
    fill({1, 2});
    doc->pasteSlip();
    EXPECT_EQ(ui.takeMessages(), QStringList{"There are no slips on the pasteboard!"});
    // Damaged or foreign slip data is refused the same way.
    doc->copySlip();
    const QByteArray good = *pasteboard.data(Pasteboard::SlipsType);
    for (const QByteArray& bad : {QByteArray("garbage"), good.left(good.size() / 2)}) {
        pasteboard.clearContents();
        pasteboard.setData(Pasteboard::SlipsType, bad);
        command([&] { doc->pasteSlip(); });
        EXPECT_EQ(ui.takeMessages(), QStringList{"There are no slips on the pasteboard!"});
    }
    EXPECT_EQ(doc->box().slips().size(), 2);
    doc->copySlip();
    EXPECT_TRUE(QString::fromUtf8(*pasteboard.data(Pasteboard::StringType)).contains("slip 2"));
    doc->selectTabViewItemWithLabel(BoxTab::AlternatingScent);
    doc->setSelectedAlternatingScentRow(Box::AlternatingRow{"keyword", false});
    doc->copySlip();
    doc->setSelectedAlternatingScentRow(std::nullopt);
    doc->copySlip();
    EXPECT_EQ(ui.takeMessages(), (QStringList{"Cannot copy keyword as slip!", "No slips selected!"}));
    doc->setSelectedAlternatingScentRow(Box::AlternatingRow{"1 [3]", true});  // the key is the label up to " ["
    doc->copySlip();
    const QString copied = QString::fromUtf8(*pasteboard.data(Pasteboard::StringType));
    EXPECT_TRUE(copied.contains("slip 1"));
    EXPECT_FALSE(copied.contains("slip 2"));
}

TEST_F(BoxOperationsTest, ClearAllFieldsAndItsUndoRedo) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    command([&] { doc->clearSlip(); });
    const Slip& s = *doc->slip("2");
    EXPECT_EQ(s.textString(), "");
    EXPECT_EQ(s.keywords().toStringList(), QStringList{""});  // the emptied field, split
    EXPECT_EQ(s.source(), QString(""));
    EXPECT_EQ(doc->undoManager().undoActionName(), "Clear All Fields");
    show("1");
    undo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"The undo operation affects slip 2."});
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().source(), "src 2");
    show("1");
    redo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"The redo operation affects slip 2."});
    EXPECT_EQ(doc->slip("2")->textString(), "");
}

TEST_F(BoxOperationsTest, EmptyTrashAsksAndDropsUndo) {
    fill({1, 2}, {5});
    command([&] { doc->addSlip(); });
    ui.answers = {1};
    doc->emptyTrash();
    EXPECT_EQ(doc->box().deletedSlips().size(), 1);
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions.first(),
              (UiPort::Alert{UiPort::AlertStyle::Modal, "Really delete all slips in the trash?",
                             "This cannot be undone!", QStringList{"OK", "Cancel"}}));
    doc->browseTrash();
    ui.alerts.clear();
    ui.answers = {0};
    doc->emptyTrash();
    EXPECT_EQ(ui.questions.last().message, "You are in Trash Mode. Really delete all slips in the trash?");
    EXPECT_EQ(ui.takeMessages(), QStringList{"Switching back to normal view"});
    EXPECT_FALSE(doc->inTrashMode());
    EXPECT_TRUE(doc->box().deletedSlips().isEmpty());
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_EQ(ui.sounds.last(), "empty trash");
}

TEST_F(BoxOperationsTest, TemplateWindow) {
    fill({1});
    command([&] { doc->addSlip(); });
    doc->editSlipTemplate();
    EXPECT_TRUE(ui.templateWindowOpen);
    ui.templateText = RichText("Dear");
    ui.templateSelection = {{4, 0}};
    doc->templateOK();
    EXPECT_FALSE(ui.templateWindowOpen);
    EXPECT_EQ(doc->box().slipTemplate(), RichText("Dear"));
    EXPECT_EQ(doc->box().selectedRangesInTemplate(), (QList<TextRange>{{4, 0}}));
    EXPECT_FALSE(doc->undoManager().canUndo());

    doc->editSlipTemplate();
    EXPECT_EQ(ui.templateText, RichText("Dear"));
    ui.templateText = RichText("changed");
    doc->templateCancel();
    EXPECT_EQ(doc->box().slipTemplate(), RichText("Dear"));

    ui.answers = {1, 0};
    doc->templateDelete();
    EXPECT_TRUE(doc->box().slipTemplate().has_value());
    doc->templateDelete();
    EXPECT_FALSE(doc->box().slipTemplate().has_value());
    EXPECT_EQ(ui.questions.last().message, "Are you sure you want to delete the Slip Template for this box?");
}

TEST_F(BoxOperationsTest, SourceAndTypeEditsUndoAndAddTheType) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    doc->editor().typeInField(EditorCell::Type, "Quote");
    command([&] { doc->commitPotentialChangesInFieldsAndStoreCurrentSlip(); });
    EXPECT_EQ(doc->slipTypes(), (QStringList{"Note", "Quote"}));
    EXPECT_EQ(doc->editor().focusedCell(), EditorCell::Type);
    doc->editor().typeInField(EditorCell::Source, "elsewhere");
    command([&] { doc->editor().endEditing(); });
    EXPECT_EQ(doc->undoManager().undoActionName(), "Change Source");
    EXPECT_EQ(doc->slip("2")->source(), QString("elsewhere"));
    undo();
    EXPECT_EQ(doc->undoManager().undoActionName(), "Change Type");
    undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().slipType(), "Note");
    redo();
    redo();
    EXPECT_EQ(doc->slip("2")->source(), QString("elsewhere"));
    EXPECT_EQ(doc->slip("2")->slipType(), QString("Quote"));
}

TEST_F(BoxOperationsTest, BrowsingTheTrashDropsUndo) {
    fill({1, 2, 3});
    command([&] { doc->removeSlip(); });
    doc->browseTrash();
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_EQ(current(), "3");
}

TEST_F(BoxOperationsTest, RestoringInTrashModeAndItsUndo) {
    fill({1, 2}, {3, 4});
    doc->browseTrash();
    command([&] { doc->removeSlip(); });  // restores 4
    EXPECT_EQ(doc->undoManager().undoActionName(), "Restore Slip(s)");
    EXPECT_TRUE(doc->box().slipInTrashForKey("4") != nullptr);  // the box's slips, seen from trash mode
    EXPECT_EQ(current(), "3");
    undo();
    EXPECT_TRUE(doc->box().slipForKeyExists("4"));
    EXPECT_EQ(ui.sounds.last(), "Volume Mount");
}

TEST_F(BoxOperationsTest, AddingWhileTypingEndsTheEditOnTheSlipLeft) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    command([&] { doc->editor().replaceText({0, 0}, "typed "); });
    command([&] { doc->addSlip(); });
    EXPECT_EQ(doc->slip("2")->textString(), "typed slip 2");
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::None);
    undo();  // the new slip
    undo();  // the typing with its Edit Text step
    EXPECT_EQ(snapshot(), before);
}
