#include "GuiFixture.h"
#include "app/commands/BoxToolBar.h"
#include "app/program/FendleGui.h"
#include "app/windows/InfoPanel.h"
#include "app/commands/SegmentedControl.h"
#include "appcore/Preferences.h"
#include "document/Box.h"
#include "platform/system/Defaults.h"
#include "search/ResultTable.h"
#include "search/SavedSearchesTable.h"
#include "search/SearchRuleEditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendle;

namespace {

class InfoPanelTest : public test::GuiFixture {
protected:
    BoxPtr box;
    BoxWindow* window = nullptr;

    void SetUp() override {
        box = gui->controller().openUntitledDocument(true);
        window = gui->windowOf(*box);
        ASSERT_NE(window, nullptr);
        for (const QStringList& words : {QStringList{"alpha", "beta"}, QStringList{"beta"}}) {
            UndoManager::EventScope event(box->undoManager());
            box->addSlip();
            box->currentSlip()->setKeywordsWithoutLastModificationDate(KeywordsArray(words));
            box->document().setKeywordScentsMustBeUpdated();
            box->updateWindow();
        }
        window->validateCommands();
    }
    void TearDown() override {
        // Unsaved changes would ask whether to save.
        discardChanges(*box);
        if (window) window->close();
        QApplication::processEvents();
    }

    void clickInspectorControl() { window->toolBar()->inspectorToolbarControl->segmentClicked(0); }
    void chooseKeyword(InfoPanel& panel, const QString& keyword) {
        QListView* list = panel.keywordsListTable();
        const QModelIndexList found =
            list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, keyword, 1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentIndex(found.first());
    }
};

}  // namespace

TEST_F(InfoPanelTest, ToolbarControlShowsAndHidesThePanelAndShowsItsState) {
    EXPECT_FALSE(gui->inspectorVisible());
    clickInspectorControl();
    EXPECT_TRUE(gui->inspectorVisible());
    EXPECT_TRUE(window->toolBar()->inspectorToolbarControl->isSegmentSelected(0));
    clickInspectorControl();
    EXPECT_FALSE(gui->inspectorVisible());
    EXPECT_FALSE(window->toolBar()->inspectorToolbarControl->isSegmentSelected(0));
    // The view shown is remembered for the next start.
    EXPECT_EQ(defaults.stringForKey(InfoPanel::SelectedViewKey), InfoPanel::KeywordsListView);
}

TEST_F(InfoPanelTest, KeywordListAddsToTheSlipOrToTheSearch) {
    InfoPanel& panel = gui->inspector();
    panel.showView(InfoPanel::KeywordsListView);
    panel.show();
    EXPECT_EQ(panel.keywordsListTable()->model()->rowCount(), 2);  // alpha, beta
    EXPECT_FALSE(panel.addKeywordToBoxSearchButton()->isEnabled());

    chooseKeyword(panel, "alpha");
    panel.doubleClickOnKeywordsListTable();
    EXPECT_EQ(box->currentSlip()->keywords().toStringList(), (QStringList{"beta", "alpha"}));
    EXPECT_EQ(box->undoManager().undoActionName(), "Add Keyword");

    box->selectTabViewItemWithLabel(BoxTab::Search);
    panel.update();
    EXPECT_TRUE(panel.addKeywordToBoxSearchButton()->isEnabled());
    chooseKeyword(panel, "alpha");
    panel.doubleClickOnKeywordsListTable();
    EXPECT_EQ(box->currentSearchResults().slipIDsForResults().size(), 2);
}

TEST_F(InfoPanelTest, SlipInfoAndAuthorField) {
    InfoPanel& panel = gui->inspector();
    panel.showView(InfoPanel::SlipInfoView);
    panel.show();
    EXPECT_EQ(panel.slipInfoText("Slip ID"), box->currentSlip()->key());
    EXPECT_EQ(panel.slipInfoText("Keywords"), "1");
    EXPECT_EQ(panel.slipInfoText("Slip Scents"), "1");
    panel.slipAuthorField()->setText("Cleo");
    QMetaObject::invokeMethod(panel.slipAuthorField(), "editingFinished");
    EXPECT_EQ(box->currentSlip()->author(), "Cleo");
    EXPECT_EQ(box->undoManager().undoActionName(), "Change Slip Author");
}

TEST_F(InfoPanelTest, SavedSearchesAreSavedRenamedAndRestored) {
    InfoPanel& panel = gui->inspector();
    panel.showView(InfoPanel::SavedSearchesView);
    panel.show();
    box->selectTabViewItemWithLabel(BoxTab::Search);
    box->searchRuleEditor().addKeywordToSearch("alpha");
    const QVariantList alphaRules = box->currentSearchRuleEditorState();
    panel.saveSearch();
    box->searchRuleEditor().addKeywordToSearch("beta");
    panel.saveSearch();
    ASSERT_EQ(panel.savedSearchesTable()->count(), 2);
    EXPECT_EQ(panel.savedSearchesTable()->currentRow(), 1);  // selected without restoring
    EXPECT_NE(box->currentSearchRuleEditorState(), alphaRules);

    panel.savedSearchesTable()->item(0)->setText("Alphas");
    EXPECT_EQ(SavedSearchesTable(box->box().savedSearches()).nameAtRow(0), "Alphas");
    panel.savedSearchesTable()->setCurrentRow(0);
    EXPECT_EQ(box->currentSearchRuleEditorState(), alphaRules);
    panel.deleteSearch();
    EXPECT_EQ(SavedSearchesTable(box->box().savedSearches()).numberOfRows(), 1);
}
