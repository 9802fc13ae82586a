#include "BoxWindowFixture.h"
#include "app/dialogs/NumberSheet.h"
#include "app/editing/SlipTextView.h"
#include "app/views/KeywordScentModel.h"
#include "app/views/KeywordScentView.h"
#include "app/views/ResultTableModel.h"
#include "app/views/SearchView.h"
#include "scents/KeywordScent.h"
#include "search/ResultTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QTabWidget>

using namespace fendle;
using namespace fendle::test;

namespace {

// What the window shows follows what the box does, whichever way a change came.
class BoxWindowFollowsTheBoxTest : public BoxWindowFixture {
protected:
    QStringList keywordRows() {
        KeywordScentModel& model = window->keywordScentView()->scentModel();
        QStringList rows;
        for (int row = 0; row < model.rowCount({}); ++row) rows.append(model.index(row, 0).data().toString());
        return rows;
    }
    // What the window manager does when a sheet goes: the window is active again.
    void reactivate() {
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        settle();
    }
    void selectResults(const QStringList& keys) {
        QList<qsizetype> rows;
        for (const QString& key : keys) rows.append(box->currentSearchResults().rowForResultWithSlipID(key));
        box->selectSearchResultRows(rows);
    }
};

}  // namespace

TEST_F(BoxWindowFollowsTheBoxTest, TheKeywordIndexFollowsPastesAndUndoneAdditionsAndRemovals) {
    open({1, 2});
    // A slip with a keyword of its own, pasted from another box.
    {
        BoxData other;
        SlipPtr fresh = Slip::create(1);
        fresh->setKeywords(KeywordsArray({"fresh"}));
        other.setSlips({{fresh->key(), fresh}}, {});
        const QString path = folder.filePath("Other.fendle");
        ASSERT_TRUE(BoxFile::writeToURL(other, path).ok());
        const BoxPtr source = gui->controller().openDocumentWithContentsOfURL(QUrl::fromLocalFile(path), true);
        gui->windowOf(*source)->run(Command::CopySlip);
    }
    window->run(Command::KeywordScentView);
    EXPECT_EQ(keywordRows(), (QStringList{"k1", "k2"}));
    window->run(Command::PasteSlip);
    window->run(Command::KeywordScentView);
    EXPECT_EQ(keywordRows(), (QStringList{"fresh", "k1", "k2"}));
    window->run(Command::Undo);
    window->run(Command::KeywordScentView);
    EXPECT_EQ(keywordRows(), (QStringList{"k1", "k2"}));

    window->run(Command::SlipView);
    window->run(Command::Remove);  // slip 2 goes to the trash
    window->run(Command::KeywordScentView);
    EXPECT_EQ(keywordRows(), QStringList{"k1"});
    window->run(Command::Undo);
    window->run(Command::KeywordScentView);
    EXPECT_EQ(keywordRows(), (QStringList{"k1", "k2"}));
}

TEST_F(BoxWindowFollowsTheBoxTest, RemovingFromTheSearchViewLeavesNoTrashedSlipCurrent) {
    open({1, 2, 3});
    window->run(Command::SearchView);
    selectResults({"2"});
    window->run(Command::Remove);
    ASSERT_NE(box->box().slipInTrashForKey("2"), nullptr);
    ASSERT_NE(box->currentSlip(), nullptr);
    EXPECT_NE(box->currentSlip()->key(), "2");
    EXPECT_EQ(box->slip(box->currentSlip()->key()), box->currentSlip());
    // Typing now goes into a slip of the box, never into the trashed one.
    box->editor().typeInField(EditorCell::Source, "typed");
    box->editor().endEditing();
    EXPECT_NE(box->box().slipInTrashForKey("2")->source(), QString("typed"));
}

TEST_F(BoxWindowFollowsTheBoxTest, BrowsingTheTrashWhileAFieldIsEditedEndsTheEditFirst) {
    open({1, 2, 3});
    window->run(Command::Remove);  // slip 3: the trash is not empty
    typeInto(keywordsField(), "typed", sourceField());
    keywordsField()->setFocus();
    QTest::keyClicks(keywordsField(), " more");  // still being edited
    ASSERT_EQ(box->editor().changedCell(), EditorCell::Keywords);
    const QString key = box->currentSlip()->key();
    toolbar().trashItem->trigger();
    settle();
    ASSERT_TRUE(box->inTrashMode());
    EXPECT_EQ(box->editor().changedCell(), EditorCell::None);
    EXPECT_EQ(box->box().slipInTrashForKey(key)->keywords().toStringList(), QStringList{"typed more"});
    EXPECT_FALSE(box->undoManager().canUndo());  // nothing left to write into the trashed view
    EXPECT_EQ(BoxMenuBar::plainTitle(window->boxMenuBar()->item(Command::BrowseTrash)), "Close Trash");
    EXPECT_EQ(BoxMenuBar::plainTitle(window->boxMenuBar()->item(Command::Remove)), "Restore");
}

TEST_F(BoxWindowFollowsTheBoxTest, FlagsShowInTheResultRowsAndTheSlipViewsCheckBox) {
    open({1, 2, 3});
    window->run(Command::SearchView);
    selectResults({"2"});
    ResultTableModel& results = window->searchView()->resultsModel();
    const int row = int(box->currentSearchResults().rowForResultWithSlipID("2"));
    const QModelIndex flag = results.index(row, ResultTableModel::columnOf("flagged"));
    EXPECT_EQ(flag.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    window->run(Command::ToggleFlagged);
    EXPECT_TRUE(box->slip("2")->isFlagged());
    EXPECT_EQ(flag.data(Qt::CheckStateRole).toInt(), Qt::Checked);

    window->run(Command::SlipView);
    box->displaySlipWithID("2");
    QCheckBox* check = window->fields()->flaggedCheckBox();
    EXPECT_TRUE(check->isChecked());
    check->click();
    EXPECT_FALSE(box->slip("2")->isFlagged());
    EXPECT_EQ(box->undoManager().undoActionName(), "Toggle Flaged");
    window->run(Command::Undo);
    EXPECT_TRUE(box->slip("2")->isFlagged());
    EXPECT_TRUE(check->isChecked());
}

TEST_F(BoxWindowFollowsTheBoxTest, CancellingASheetLeavesTheMenusAndShortcutsWorking) {
    open({1, 2, 3});
    choose("Go To Slip...");
    NumberSheet* sheet = window->uiPort().numberSheet();
    ASSERT_NE(sheet, nullptr);
    QTest::keyClick(sheet, Qt::Key_Escape);
    settle();
    EXPECT_EQ(window->uiPort().numberSheet(), nullptr);
    reactivate();
    EXPECT_TRUE(window->boxMenuBar()->item(Command::Previous)->isEnabled());
    QTest::keyClick(window, Qt::Key_PageUp, Qt::ControlModifier);
    settle();
    EXPECT_EQ(current(), "2");

    // The trash is empty: the toolbar's trash item says so in a sheet.
    toolbar().trashItem->trigger();
    settle();
    auto* alert = window->findChild<QMessageBox*>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), "The trash is empty!");
    alert->buttons().first()->click();
    settle();
    reactivate();
    EXPECT_TRUE(window->boxMenuBar()->item(Command::Previous)->isEnabled());
    QTest::keyClick(window, Qt::Key_PageUp, Qt::ControlModifier);
    settle();
    EXPECT_EQ(current(), "1");
}

TEST_F(BoxWindowFollowsTheBoxTest, SlipShortcutsReachTheWindowWhileTheSlipTextHasTheKeyboard) {
    open({1, 2, 3});
    box->displaySlipWithID("3");
    SlipTextView* text = window->slipTextView();
    text->setFocus();
    QTest::keyClicks(text, "typed ");
    QTest::keyClick(text, Qt::Key_PageUp, Qt::ControlModifier);
    settle();
    EXPECT_EQ(current(), "2");
    EXPECT_TRUE(box->slip("3")->text()->string().startsWith("typed "));
    QTest::keyClick(text, Qt::Key_PageDown, Qt::ControlModifier);
    settle();
    EXPECT_EQ(current(), "3");
}
