#include "BoxWindowFixture.h"
#include "app/views/LookUpActions.h"
#include "app/dialogs/ReplaceKeywordDialog.h"
#include "app/views/ResultTableModel.h"
#include "app/views/SearchView.h"
#include "app/views/SlipScentView.h"
#include "app/views/ZNTableView.h"
#include "platform/system/Defaults.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>

using namespace fendle;
using namespace fendle::test;

namespace {

class BoxWindowListsTest : public BoxWindowFixture {
protected:
    RecordingDesktopServices* desktop = nullptr;
    QList<QUrl> opened() const { return desktop ? desktop->opened : QList<QUrl>(); }
    void watchBrowser() { desktop = &recordDesktop(); }
    static QAction* item(QMenu& menu, const QString& title) {
        for (QAction* action : menu.actions())
            if (action->text() == title) return action;
        return nullptr;
    }
};

TEST_F(BoxWindowListsTest, SlipLinksAreFollowedInTheBoxAndOtherLinksOpened) {
    open({1, 2, 3});
    watchBrowser();
    window->followLink("fendle://2.self");
    settle();
    EXPECT_EQ(current(), "2");
    EXPECT_TRUE(opened().isEmpty());
    window->followLink("https://example.org/x");
    ASSERT_EQ(opened().size(), 1);
    EXPECT_EQ(opened()[0], QUrl("https://example.org/x"));
    EXPECT_EQ(current(), "2");
}

TEST_F(BoxWindowListsTest, TheSlipScentListsMenuLooksUpTheRowThroughTheWindow) {
    open({1, 2});
    watchBrowser();
    SlipScentView& list = *window->slipScentView();
    list.expandAll();
    settle();
    const QModelIndex own = list.model()->index(0, 0, list.model()->index(0, 0));
    ASSERT_TRUE(own.isValid());
    const std::unique_ptr<QMenu> menu = list.menuForEvent(list.visualRect(own).center());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(list.lookupString(), own.data().toString());
    item(*menu, "Search With Google")->trigger();
    ASSERT_EQ(opened().size(), 1);
    EXPECT_EQ(opened()[0].host(), "www.google.com");
}

TEST_F(BoxWindowListsTest, ACiteCommandDroppedOnTheSourceFieldBringsItsLabelAsOneDropStep) {
    open({1, 2});
    sourceField()->setFocus();
    settle();
    sourceField()->selectAll();
    QTest::keyClick(sourceField(), Qt::Key_Backspace);
    keywordsField()->setFocus();
    settle();
    ASSERT_EQ(box->currentSlip()->source().value_or(QString()), "");
    QMimeData data;
    data.setText("\\cite{knuth84}");
    const QPoint middle = sourceField()->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(sourceField(), &enter);
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(sourceField(), &drop);
    settle();
    EXPECT_EQ(box->currentSlip()->source(), "knuth84");
    EXPECT_EQ(sourceField()->text(), "knuth84");
    EXPECT_EQ(box->undoManager().undoActionName(), "Drop");
    EXPECT_TRUE(menuItem("Undo Drop"));
}

TEST_F(BoxWindowListsTest, ReplaceKeywordOpensTheDialogueWithTheKeywordAsOldKeyword) {
    open({1, 2});
    window->lookUpActions().perform(LookUpActions::ReplaceKeyword, "k1", false);
    settle();
    auto* dialog = qobject_cast<ReplaceKeywordDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->oldKeywordField()->text(), "k1");
    dialog->newKeywordField()->setText("renamed");
    dialog->accept();
    settle();
    EXPECT_EQ(box->slip("1")->keywords().toStringList(), QStringList{"renamed"});
    EXPECT_EQ(box->slip("2")->keywords().toStringList(), QStringList{"k2"});
    // Not undoable: the undo steps are gone.
    EXPECT_FALSE(box->undoManager().canUndo());
    auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), "Replaced all occurrences of 'k1' with 'renamed' on 1 slips.");
}

TEST_F(BoxWindowListsTest, TheColumnMenuHidesAndShowsColumnsAndKeepsTheLastOne) {
    open({1, 2});
    QTemporaryDir folder;
    Defaults defaults(Defaults::Domain, folder.path());
    SearchView& search = *window->searchView();
    // A fresh store shows the ID, flag and keywords columns.
    search.setColumnDefaults(defaults, &window->uiPort());
    EXPECT_EQ(search.visibleColumns(), QStringList({"ID", "flagged", "value"}));
    EXPECT_TRUE(search.resultsTable()->isColumnHidden(ResultTableModel::columnOf("source")));

    std::unique_ptr<QMenu> menu = search.columnMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 9);
    EXPECT_TRUE(item(*menu, "Keywords")->isChecked());
    EXPECT_FALSE(item(*menu, "Source")->isChecked());
    item(*menu, "Source")->trigger();
    EXPECT_FALSE(search.resultsTable()->isColumnHidden(ResultTableModel::columnOf("source")));
    EXPECT_TRUE(defaults.boolForKey("FDLSearchResultsTableSourceColumnVisible"));
    for (const char* title : {"ID", "Flagged", "Keywords"}) item(*search.columnMenu(), title)->trigger();
    EXPECT_EQ(search.visibleColumns(), QStringList{"source"});

    item(*search.columnMenu(), "Source")->trigger();
    settle();
    EXPECT_EQ(search.visibleColumns(), QStringList{"source"});
    auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), "The Source column will remain visible.");
}

}  // namespace
