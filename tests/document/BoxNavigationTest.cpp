#include "BoxFixture.h"
#include "scents/KeywordScent.h"
#include "platform/system/DateUtils.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/system/Log.h"

#include <QFile>
#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {
class BoxNavigationTest : public BoxFixture {};
}  // namespace

TEST_F(BoxNavigationTest, OpensOnTheLastSlipAndTitlesTheWindow) {
    fill({1, 2, 5});
    EXPECT_EQ(current(), "5");
    EXPECT_EQ(announced.windowTitle, "Slip View - Slip 5 - Untitled");
    EXPECT_EQ(doc->editor().text().string(), "slip 5");
    EXPECT_EQ(doc->editor().keywordsString(), "k5");
    EXPECT_EQ(doc->editor().source(), "src 5");
    EXPECT_EQ(doc->editor().slipType(), "Note");
    EXPECT_EQ(doc->editor().changedCell(), EditorCell::None);
    EXPECT_TRUE(ui.alerts.isEmpty());
}

TEST_F(BoxNavigationTest, KeyOrderStopsAtTheEnds) {
    fill({2, 4, 9});
    doc->nextSlip();
    EXPECT_EQ(current(), "9");
    doc->previousSlip();
    EXPECT_EQ(current(), "4");
    doc->firstSlip();
    EXPECT_EQ(current(), "2");
    doc->previousSlip();
    EXPECT_EQ(current(), "2");
    doc->nextSlip();
    EXPECT_EQ(current(), "4");
    doc->lastSlip();
    EXPECT_EQ(current(), "9");
    doc->previousSlip();
    EXPECT_EQ(current(), "4");
}

TEST_F(BoxNavigationTest, HistoryThroughTheBoxDropsRemovedSlips) {
    fill({1, 2, 3, 4, 5});
    for (const char* key : {"1", "2", "3"}) show(key);
    doc->goBackSlip();
    doc->goBackSlip();
    EXPECT_EQ(current(), "1");
    show("4");
    EXPECT_EQ(doc->slipHistory().keys(), (QStringList{"5", "1", "4"}));
    // Coming back to the slip before the current entry leaves the history.
    show("1");
    EXPECT_EQ(doc->slipHistory().keys(), (QStringList{"5", "1", "4"}));
    EXPECT_EQ(doc->slipHistory().position(), 2u);

    // A, X, B with X removed for good: back skips it.
    fill({1, 2, 3});
    doc->resetCurrentPositionInSlipHistory();
    for (const char* key : {"1", "2", "3"}) show(key);
    doc->document().deleteSlipForKey("2");
    doc->goBackSlip();
    EXPECT_EQ(current(), "1");
    EXPECT_EQ(doc->slipHistory().keys(), (QStringList{"1", "3"}));
    doc->goForwardSlip();
    EXPECT_EQ(current(), "3");
}

TEST_F(BoxNavigationTest, GoToNumberSheet) {
    fill({1, 2, 3}, {7});
    doc->goToSlip();
    EXPECT_EQ(ui.openedSheets, QStringList{"Go To Slip Number"});
    for (const char* field : {"0", "abc", ""}) {
        doc->goToOK(field);
        EXPECT_TRUE(ui.sheetOpen);
        EXPECT_EQ(current(), "3");
    }
    EXPECT_TRUE(ui.alerts.isEmpty());
    doc->goToOK("7");  // in the trash
    EXPECT_EQ(ui.takeMessages(), QStringList{"There is no slip with this ID in the box!"});
    EXPECT_EQ(ui.alerts.size(), 0);
    EXPECT_TRUE(ui.sheetOpen);
    doc->numberSheetOK(" 2");
    EXPECT_EQ(current(), "2");
    EXPECT_FALSE(ui.sheetOpen);
}

TEST_F(BoxNavigationTest, RandomSlipIsChosenBySecondsSince2001) {
    fill({1, 2, 3});
    const QList<SlipPtr> order = doc->box().slips().values();
    const QDateTime t = referenceDate().addSecs(1000);  // 1000 mod 3 == 1
    EXPECT_EQ(doc->selectRandomSlip(t), order.at(1));
    EXPECT_EQ(doc->selectRandomSlip(t.addMSecs(999)), order.at(1));  // same second, same slip
    EXPECT_EQ(doc->selectRandomSlip(referenceDate().addSecs(-50)), order.at(0));  // clamped to 0
    doc->document().setSlips({}, {});
    EXPECT_EQ(doc->selectRandomSlip(t), nullptr);
}

TEST_F(BoxNavigationTest, SuggestionsPreferMostSharedKeywordsAndAvoidRecentOnes) {
    fill({1, 2, 3, 4});
    // 4 shares two keywords with 1, 3 shares one.
    doc->slip("1")->setKeywordsWithoutLastModificationDate(KeywordsArray({"a", "b"}));
    doc->slip("4")->setKeywordsWithoutLastModificationDate(KeywordsArray({"a", "b"}));
    doc->slip("3")->setKeywordsWithoutLastModificationDate(KeywordsArray({"a"}));
    doc->document().setKeywordScentsMustBeUpdated();
    doc->updateWindow();  // the editor shows slip 4 as it is now
    show("2");
    doc->suggestSlip();  // no scents: nothing
    EXPECT_EQ(current(), "2");
    EXPECT_TRUE(doc->suggestedSlipsHistory().isEmpty());

    show("1");
    EXPECT_EQ(doc->editor().keywordsString(), "a, b");
    doc->suggestSlip();
    EXPECT_EQ(current(), "4");
    show("1");
    doc->suggestSlip();
    EXPECT_EQ(current(), "3");  // 4 was suggested recently
    show("1");
    doc->suggestSlip();  // every candidate suggested: a random slip
    EXPECT_EQ(doc->suggestedSlipsHistory().size(), 3);
    EXPECT_EQ(doc->suggestedSlipsHistory().mid(0, 2), (QStringList{"4", "3"}));
}

TEST_F(BoxNavigationTest, SuggestionHistoryKeepsTen) {
    QList<quint32> numbers;
    for (quint32 n = 1; n <= 13; ++n) numbers.append(n);
    fill(numbers);
    for (quint32 n = 1; n <= 13; ++n) doc->slip(QString::number(n))->setKeywordsWithoutLastModificationDate(KeywordsArray({"common"}));
    doc->document().setKeywordScentsMustBeUpdated();
    doc->updateWindow();
    for (int i = 0; i < 12; ++i) {
        show("1");
        doc->suggestSlip();
    }
    EXPECT_EQ(doc->suggestedSlipsHistory().size(), 10);
    EXPECT_EQ(QSet<QString>(doc->suggestedSlipsHistory().begin(), doc->suggestedSlipsHistory().end()).size(), 10);
}

TEST_F(BoxNavigationTest, DisplayByKeyAndTrashSwitching) {
    fill({1, 2}, {5});
    EXPECT_FALSE(doc->displaySlipWithID("5"));
    ASSERT_EQ(ui.alerts.size(), 1);
    EXPECT_EQ(ui.alerts.first(), (UiPort::Alert{UiPort::AlertStyle::Sheet, "There is no slip with the specified ID!",
                                                 "Perhaps it is in the trash?"}));
    ui.alerts.clear();
    EXPECT_TRUE(doc->displaySlipWithID("1"));
    EXPECT_EQ(current(), "1");

    // A target in the other dictionary switches the mode after an alert.
    doc->changeCurrentSlip(doc->box().slipInTrashForKey("5"), false);
    EXPECT_TRUE(doc->inTrashMode());
    EXPECT_EQ(current(), "5");
    EXPECT_EQ(ui.alerts.first().message, "Slip is in the Trash!");
    EXPECT_EQ(ui.alerts.first().informativeText, "I will switch to the Trash View to display the slip.");
    EXPECT_EQ(announced.trashModeChanges, QList<bool>{true});
    EXPECT_EQ(announced.editorEditable, false);
    ui.alerts.clear();
    EXPECT_FALSE(doc->displaySlipWithID("1"));
    EXPECT_EQ(ui.alerts.first().informativeText, "Hint: You are currently viewing the trash.");

    doc->browseTrash();
    EXPECT_FALSE(doc->inTrashMode());
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(announced.editorEditable, true);
    EXPECT_EQ(doc->slipHistory().keys(), QStringList{"2"});
}

TEST_F(BoxNavigationTest, BrowsingAnEmptyTrashStays) {
    fill({1, 2});
    doc->browseTrash();
    EXPECT_EQ(ui.takeMessages(), QStringList{"The trash is empty!"});
    EXPECT_FALSE(doc->inTrashMode());
    EXPECT_TRUE(announced.trashModeChanges.isEmpty());
}

TEST_F(BoxNavigationTest, FieldEditIsStoredWithItsUndoStepWhenNavigating) {
    fill({1, 2});
    doc->editor().typeInField(EditorCell::Keywords, "k2, fresh");
    EXPECT_TRUE(doc->currentSlipChanged());
    const BoxSnapshot before = [&] {
        BoxSnapshot s = snapshot();
        s.slips["2"].keywords = QStringList{"k2"};
        return s;
    }();
    command([&] { doc->previousSlip(); });
    EXPECT_EQ(current(), "1");
    EXPECT_EQ(doc->slip("2")->keywords(), KeywordsArray({"k2", "fresh"}));
    EXPECT_NE(doc->slip("2")->lastModificationTime(), oldTime(2));
    // Marked stale by the edit and rebuilt at once for the next slip's scents.
    EXPECT_EQ(doc->keywordScents()->slipsContainingKeyword("fresh"), QStringList{"2"});
    EXPECT_EQ(doc->undoManager().undoActionName(), "Change Keywords");
    undo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"The undo operation affects slip 2."});
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->editor().keywordsString(), "k2");
    redo();
    EXPECT_EQ(doc->slip("2")->keywords(), KeywordsArray({"k2", "fresh"}));
}

TEST_F(BoxNavigationTest, TextEditGetsAnEditTextStepAndUndoRestoresTheSlip) {
    fill({1, 2});
    const BoxSnapshot before = snapshot();
    command([&] {
        doc->editor().replaceText({0, 0}, "new ");
        doc->editor().replaceText({4, 0}, "words ");
    });
    command([&] { doc->previousSlip(); });
    EXPECT_EQ(doc->slip("2")->textString(), "new words slip 2");
    EXPECT_EQ(doc->undoManager().undoActionName(), "Edit Text");
    const BoxSnapshot edited = snapshot();
    undo();
    EXPECT_EQ(ui.takeMessages(), QStringList{"Switching to slip 2."});
    EXPECT_EQ(current(), "2");
    EXPECT_EQ(snapshot(), before);
    redo();
    EXPECT_EQ(snapshot(), edited);
}

TEST_F(BoxNavigationTest, InvalidCellRefusesToSwitch) {
    fill({1, 2});
    doc->editor().typeInField(EditorCell::Source, "changed");
    doc->editor().setChangedCell(static_cast<EditorCell>(4));
    doc->previousSlip();
    EXPECT_EQ(ui.takeMessages(), QStringList{"Undefined cell being edited!"});
    EXPECT_EQ(current(), "2");
}

TEST_F(BoxNavigationTest, ViewSelectorAndTitles) {
    fill({1});
    std::optional<QString> logged;
    setLogSink([&](const QString& line) { logged = line; });
    doc->selectView(2);
    EXPECT_EQ(doc->selectedTab(), BoxTab::KeywordScent);
    EXPECT_EQ(announced.windowTitle, "Keyword Scent View - Slip 1 - Untitled");
    doc->selectView(9);
    EXPECT_EQ(logged, QString("no new tab selected"));
    EXPECT_EQ(doc->selectedTab(), BoxTab::KeywordScent);
    setLogSink({});
    doc->displaySlipWithID("1");  // switching shows the slip view
    EXPECT_EQ(announced.selectedTab, "Slip");
}

TEST_F(BoxNavigationTest, MostRecentSlipReadsTheFileAttribute) {
    QTemporaryDir dir;
    const QString file = dir.filePath("box.fendle");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    if (!ExtendedAttributes::set(file, "probe", "1").ok) GTEST_SKIP() << "no user extended attributes here";
    fill({1, 2, 3});
    doc->setFileName(file);
    show("2");
    doc->windowWillClose();
    EXPECT_EQ(ExtendedAttributes::get(file, Box::LastSlipOpenAttribute).bytes, QByteArray("2"));
    EXPECT_EQ(announced.extraWindowClosings, 1);
    show("3");
    doc->mostRecentSlip();
    EXPECT_EQ(current(), "2");
    // The other name is read only when the written one is missing.
    ExtendedAttributes::set(file, Box::OtherLastSlipOpenAttribute, "1");
    show("3");
    doc->showFirstSlip("Most recent");
    EXPECT_EQ(current(), "2");
    ExtendedAttributes::remove(file, Box::LastSlipOpenAttribute);
    doc->mostRecentSlip();
    EXPECT_EQ(current(), "1");
    // A stale key falls back to the last slip.
    ExtendedAttributes::set(file, Box::OtherLastSlipOpenAttribute, "99");
    doc->mostRecentSlip();
    EXPECT_EQ(current(), "3");
}

TEST_F(BoxNavigationTest, ThirtySevenNavigationsKeepTheLast36) {
    QList<quint32> numbers;
    for (quint32 n = 1; n <= 40; ++n) numbers.append(n);
    fill(numbers);
    doc->resetCurrentPositionInSlipHistory();
    for (int n = 1; n <= 37; ++n) show(QString::number(n));
    EXPECT_EQ(doc->slipHistory().keys().size(), 36);
    EXPECT_EQ(doc->slipHistory().keys().first(), "2");
    EXPECT_EQ(doc->slipHistory().position(), 35u);
    doc->goForwardSlip();
    EXPECT_EQ(current(), "37");
    doc->goBackSlip();
    EXPECT_EQ(current(), "36");
    // A forward entry whose slip went to the trash is dropped on the way.
    doc->document().putSlipInTrash(doc->slip("37"));
    doc->goForwardSlip();
    EXPECT_EQ(current(), "36");
    EXPECT_EQ(doc->slipHistory().keys().last(), "36");
}

TEST_F(BoxNavigationTest, RefreshAppliesTheStoredSpellCheckingAndLeavesTheOtherSwitches) {
    fill({1, 2});
    doc->setTextChecking("FDLSmartQuotes", true);
    doc->setTextChecking("CheckSpellingAsYouType", true);
    doc->updateWindow();
    // No stored preference reads as off.
    EXPECT_FALSE(doc->editor().textChecking().checkSpellingAsYouType);
    preferences.spelling = true;
    doc->firstSlip();
    EXPECT_TRUE(doc->editor().textChecking().checkSpellingAsYouType);
    EXPECT_TRUE(doc->editor().textChecking().smartQuotes);
    EXPECT_TRUE(doc->setTextChecking("FDLSmartLinks", true));
    EXPECT_TRUE(doc->editor().textChecking().smartLinks);
    EXPECT_FALSE(doc->setTextChecking("FDLSmartBanana", true));
}

TEST_F(BoxNavigationTest, EmptyKeywordsFieldNeitherTouchesASlipNorDropsTheEmptyKeyword) {
    fill({1, 2, 3});
    // As read back from a box saved without keywords, and as made new.
    doc->slip("1")->setKeywordsWithoutLastModificationDate(KeywordsArray(QStringList{""}));
    doc->slip("2")->setKeywordsWithoutLastModificationDate(KeywordsArray());
    doc->document().clearEdited();
    show("1");
    show("2");
    show("3");
    EXPECT_EQ(doc->slip("1")->lastModificationTime(), oldTime(1));
    EXPECT_EQ(doc->slip("2")->lastModificationTime(), oldTime(2));
    EXPECT_EQ(doc->slip("1")->keywords().toStringList(), QStringList{""});
    EXPECT_FALSE(doc->isDocumentEdited());

    // Emptying the field stores what splitting the empty string gives.
    doc->editor().focus(EditorCell::Keywords);
    doc->editor().typeInField(EditorCell::Keywords, "");
    doc->editor().endEditing();
    EXPECT_EQ(doc->slip("3")->keywords().toStringList(), QStringList{""});
    EXPECT_TRUE(doc->isDocumentEdited());
}
