#include "AppBoxFixture.h"
#include "app/views/ResultTableModel.h"
#include "app/views/RuleEditorWidget.h"
#include "app/views/SearchView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

using namespace fendle;
using namespace fendle::test;

namespace {

class SearchViewTest : public AppBoxFixture {
protected:
    std::unique_ptr<SearchView> view;

    void SetUp() override {
        view = std::make_unique<SearchView>(*doc);
        QList<SlipRecipe> recipes;
        for (quint32 n = 1; n <= 12; ++n)
            recipes.append({n, QStringLiteral("slip %1\ntext of %1").arg(n),
                          {n % 3 == 0 ? QStringLiteral("fruit") : QStringLiteral("stone"), QStringLiteral("k%1").arg(n)},
                          QStringLiteral("source %1").arg(n)});
        open(recipes);
        doc->selectTabViewItemWithLabel(BoxTab::Search);
        view->resize(1200, 800);
        view->show();
    }
    RuleEditorWidget& rules() { return *view->ruleEditor(); }
    ZNTableView& table() { return *view->resultsTable(); }
    QLineEdit* valueField(int row) { return qobject_cast<QLineEdit*>(rules().valueControl(row)); }
    QStringList resultKeys() {
        QStringList keys = doc->currentSearchResults().slipIDsForResults();
        keys.sort();
        return keys;
    }
    // Chooses a title from a pop-up's list with the keyboard, as the user may.
    static void choose(QComboBox* popUp, const QString& title) {
        ASSERT_NE(popUp, nullptr);
        const int target = popUp->findText(title);
        ASSERT_GE(target, 0) << title.toStdString();
        popUp->showPopup();
        QAbstractItemView* list = popUp->view();
        const QModelIndex item = list->model()->index(target, 0);
        list->setCurrentIndex(item);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_EQ(popUp->currentText(), title);
    }
    QModelIndex cell(int row) { return view->resultsModel().index(row, 0); }
};

}  // namespace

TEST_F(SearchViewTest, StartsWithOneCompoundRuleAndOneKeywordRuleOverAllSlips) {
    ASSERT_EQ(rules().numberOfRows(), 2);
    EXPECT_EQ(rules().popUp(0, 0)->currentText(), "All");
    EXPECT_EQ(rules().popUp(1, 0)->currentText(), "keyword");
    EXPECT_EQ(rules().popUp(1, 1)->currentText(), "contains");
    ASSERT_NE(valueField(1), nullptr);
    EXPECT_FALSE(rules().removeButton(0)->isEnabled());  // the search needs its top rule
    EXPECT_EQ(view->resultsModel().rowCount(), 12);
    EXPECT_EQ(view->statusLine()->text(), "result 0 of 12 - 0 selected");
}

TEST_F(SearchViewTest, TypingAKeywordNarrowsTheResults) {
    QLineEdit* field = valueField(1);
    QTest::keyClicks(field, "FRU");
    EXPECT_EQ(resultKeys(), (QStringList{"12", "3", "6", "9"}));
    EXPECT_EQ(view->resultsModel().rowCount(), 4);
    EXPECT_EQ(view->statusLine()->text(), "result 0 of 4 - 0 selected");
    // The field typed in stays, so typing goes on in it.
    EXPECT_EQ(valueField(1), field);
    EXPECT_EQ(field->text(), "FRU");
}

TEST_F(SearchViewTest, SwitchingTheOperatorKeepsTheTypedText) {
    QTest::keyClicks(valueField(1), "k1");
    EXPECT_EQ(resultKeys(), (QStringList{"1", "10", "11", "12"}));
    choose(rules().popUp(1, 1), "is");
    EXPECT_EQ(rules().popUp(1, 1)->currentText(), "is");
    EXPECT_EQ(valueField(1)->text(), "k1");
    EXPECT_EQ(resultKeys(), QStringList{"1"});
}

TEST_F(SearchViewTest, AFieldChoiceBringsItsOwnControls) {
    choose(rules().popUp(1, 0), "flag");
    EXPECT_EQ(rules().popUp(1, 1)->currentText(), "is set");
    EXPECT_EQ(rules().valueControl(1), nullptr);
    EXPECT_TRUE(resultKeys().isEmpty());
    choose(rules().popUp(1, 1), "is not set");
    EXPECT_EQ(resultKeys().size(), 12);

    choose(rules().popUp(1, 0), "modification date");
    choose(rules().popUp(1, 1), "is within last");
    EXPECT_NE(rules().valueControl(1), nullptr);
    EXPECT_EQ(rules().popUp(1, 3)->currentText(), "days");
}

TEST_F(SearchViewTest, RowsAreAddedAndRemovedWithTheirButtons) {
    rules().addButton(1)->click();
    ASSERT_EQ(rules().numberOfRows(), 3);
    EXPECT_EQ(doc->searchRuleEditor().row(2).parent, 0);
    QTest::keyClicks(valueField(1), "stone");
    QTest::keyClicks(valueField(2), "k1");
    EXPECT_EQ(resultKeys(), (QStringList{"1", "10", "11"}));  // 12 is fruit

    rules().addCompoundButton(0)->click();  // a group with its first rule
    ASSERT_EQ(rules().numberOfRows(), 5);
    EXPECT_EQ(doc->searchRuleEditor().row(3).type, SearchRuleEditor::CompoundRow);
    EXPECT_EQ(doc->searchRuleEditor().row(4).parent, 3);
    choose(rules().popUp(3, 0), "None");
    QTest::keyClicks(valueField(4), "k10");
    EXPECT_EQ(resultKeys(), (QStringList{"1", "11"}));

    rules().removeButton(3)->click();  // the group goes with its rule
    EXPECT_EQ(rules().numberOfRows(), 3);
    EXPECT_EQ(resultKeys(), (QStringList{"1", "10", "11"}));
    rules().removeButton(2)->click();
    EXPECT_EQ(resultKeys().size(), 8);
}

TEST_F(SearchViewTest, KeywordsAddedElsewhereShowInTheRules) {
    preferences.addKeywordToSearch = true;
    doc->searchRuleEditor().addKeywordToSearch("fruit");
    EXPECT_EQ(valueField(1)->text(), "fruit");
    doc->searchRuleEditor().addKeywordToSearch("k3");
    ASSERT_EQ(rules().numberOfRows(), 3);
    EXPECT_EQ(valueField(2)->text(), "k3");
    EXPECT_EQ(resultKeys(), QStringList{"3"});
}

TEST_F(SearchViewTest, SelectingAResultShowsItsSlipAndPreview) {
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("7"));
    click(table(), cell(row));
    EXPECT_EQ(current(), "7");
    EXPECT_EQ(doc->selectedSearchResultRows(), QList<qsizetype>{row});
    EXPECT_EQ(view->previewText()->toPlainText(), "slip 7\ntext of 7");
    EXPECT_EQ(view->previewSource()->text(), "source 7");
}

TEST_F(SearchViewTest, StatusLineCountsFromTheRowClickedLast) {
    click(table(), cell(3));
    click(table(), cell(5), Qt::ShiftModifier);
    EXPECT_EQ(view->statusLine()->text(), "result 6 of 12 - 3 selected");
    EXPECT_EQ(doc->selectedSearchResultRows(), (QList<qsizetype>{3, 4, 5}));
    EXPECT_EQ(current(), doc->currentSearchResults().resultAtIndex(5).resultID());
}

TEST_F(SearchViewTest, SelectionOutsideTheSearchTabLeavesTheCurrentSlip) {
    doc->selectTabViewItemWithLabel(BoxTab::Slip);
    const QString before = current();
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("2"));
    click(table(), cell(row));
    EXPECT_EQ(current(), before);
    EXPECT_EQ(doc->selectedSearchResultRows(), QList<qsizetype>{row});
}

TEST_F(SearchViewTest, DoubleClickOrReturnGoesToTheSlipTab) {
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("4"));
    doubleClick(table(), cell(row));
    EXPECT_EQ(doc->selectedTab(), BoxTab::Slip);
    EXPECT_EQ(current(), "4");

    doc->selectTabViewItemWithLabel(BoxTab::Search);
    view->refresh();  // the window reloads the tab it shows
    table().clearSelection();
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_Return);  // nothing selected: stays
    EXPECT_EQ(doc->selectedTab(), BoxTab::Search);
    QTest::keyClick(&table(), Qt::Key_End);
    QTest::keyClick(&table(), Qt::Key_Return);
    EXPECT_EQ(doc->selectedTab(), BoxTab::Slip);
}

TEST_F(SearchViewTest, ReenteringTheTabSelectsTheKeptRowsAgain) {
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("9"));
    click(table(), cell(row));
    doc->selectTabViewItemWithLabel(BoxTab::Slip);
    doc->selectTabViewItemWithLabel(BoxTab::Search);
    view->refresh();
    const QModelIndexList selected = table().selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(doc->currentSearchResults().resultAtIndex(selected.first().row()).resultID(), "9");
}

TEST_F(SearchViewTest, AMalformedPatternGivesNoResultsAndNoFailure) {
    choose(rules().popUp(1, 1), "matches");
    QTest::keyClicks(valueField(1), "[");
    EXPECT_EQ(view->resultsModel().rowCount(), 0);
    EXPECT_EQ(view->statusLine()->text(), "result 0 of 0 - 0 selected");
}

TEST_F(SearchViewTest, ALoadedFormWithNestedGroupsShowsEveryRule) {
    const QVariantMap keyword{{"RowType", 0}, {"Values", QVariantList{"keyword", "is", "k2"}}, {"Subrules", QVariantList()}};
    const QVariantMap source{{"RowType", 0}, {"Values", QVariantList{"source", "ends with", " 3"}}, {"Subrules", QVariantList()}};
    const QVariantMap created{{"RowType", 0},
                              {"Values", QVariantList{"creation date", "is after", QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)}},
                              {"Subrules", QVariantList()}};
    const QVariantMap any{{"RowType", 1}, {"Values", QVariantList{"Any"}}, {"Subrules", QVariantList{keyword, source}}};
    const QVariantMap all{{"RowType", 1}, {"Values", QVariantList{"All"}}, {"Subrules", QVariantList{any, created}}};
    doc->setSearchRuleEditorState({all});
    ASSERT_EQ(rules().numberOfRows(), 5);
    EXPECT_EQ(rules().popUp(1, 0)->currentText(), "Any");
    EXPECT_EQ(valueField(2)->text(), "k2");
    EXPECT_EQ(valueField(3)->text(), " 3");
    EXPECT_NE(qobject_cast<QDateTimeEdit*>(rules().valueControl(4)), nullptr);
    // Deeper rules stand further in.
    QApplication::processEvents();
    const auto left = [this](int row) { return rules().popUp(row, 0)->mapTo(&rules(), QPoint()).x(); };
    EXPECT_LT(left(0), left(1));
    EXPECT_LT(left(1), left(2));
    EXPECT_EQ(left(4), left(1));
    EXPECT_EQ(resultKeys(), (QStringList{"2", "3"}));
}
