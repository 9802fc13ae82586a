#include "AppBoxFixture.h"
#include "app/views/ResultTableModel.h"
#include "app/views/SearchView.h"
#include "app/views/ZNTableView.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QIcon>
#include <QImage>

using namespace fendle;
using namespace fendle::test;

namespace {

class ResultTableModelTest : public AppBoxFixture {
protected:
    std::unique_ptr<SearchView> view;

    void SetUp() override {
        view = std::make_unique<SearchView>(*doc);
        open({{10, "ten\nbody", {"beta"}, "src ten"}, {2, "two", {"-b"}, "src two"}, {100, "hundred", {"-a"}}});
        doc->selectTabViewItemWithLabel(BoxTab::Search);
        view->resize(1200, 700);
        view->show();
    }
    ResultTableModel& model() { return view->resultsModel(); }
    ZNTableView& table() { return *view->resultsTable(); }
    QStringList column(const QString& identifier) {
        QStringList texts;
        for (int row = 0; row < model().rowCount(); ++row)
            texts.append(model().index(row, ResultTableModel::columnOf(identifier)).data().toString());
        return texts;
    }
    void clickHeader(const QString& identifier) {
        QHeaderView* header = table().horizontalHeader();
        const int section = ResultTableModel::columnOf(identifier);
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // Clicks the check box of a row's flag cell, where the delegate draws it.
    void clickFlag(int row) {
        const QModelIndex index = model().index(row, ResultTableModel::columnOf("flagged"));
        QStyleOptionViewItem option;
        option.initFrom(&table());
        option.rect = table().visualRect(index);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        option.widget = &table();
        const QRect box = table().style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &table());
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, box.center());
    }
};

}  // namespace

TEST_F(ResultTableModelTest, ShowsEveryColumnOfEveryResult) {
    ASSERT_EQ(model().rowCount(), 3);
    ASSERT_EQ(model().columnCount(), 9);
    QStringList headers;
    for (int section = 0; section < model().columnCount(); ++section)
        headers.append(model().headerData(section, Qt::Horizontal).toString());
    // The flag column shows the "flag-header" image; its title is the tool tip.
    EXPECT_EQ(headers, (QStringList{"ID", "", "Keywords", "Title", "Source", "Type", "Author", "Creation Date",
                                    "Modification Date"}));
    const int flagged = ResultTableModel::columnOf("flagged");
    EXPECT_EQ(model().headerData(flagged, Qt::Horizontal, Qt::ToolTipRole).toString(), "Flagged");
    const QIcon flag = model().headerData(flagged, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
    ASSERT_FALSE(flag.isNull());
    EXPECT_GT(flag.pixmap(16, 16).toImage().pixelColor(8, 5).alpha(), 0);
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("10"));
    EXPECT_EQ(model().index(row, ResultTableModel::columnOf("value")).data().toString(), "beta");
    EXPECT_EQ(model().index(row, ResultTableModel::columnOf("slipTitle")).data().toString(), "ten");
    EXPECT_EQ(model().index(row, ResultTableModel::columnOf("source")).data().toString(), "src ten");
    EXPECT_FALSE(model().index(row, ResultTableModel::columnOf("creationDate")).data().toString().isEmpty());
    EXPECT_EQ(model().index(row, ResultTableModel::columnOf("flagged")).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(model().flags(model().index(row, ResultTableModel::columnOf("flagged"))) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model().flags(model().index(row, 0)) & Qt::ItemIsEditable);
}

TEST_F(ResultTableModelTest, HeaderClicksSortThroughTheResultComparators) {
    clickHeader("ID");
    const bool ascending = table().horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
    EXPECT_EQ(column("ID"), ascending ? (QStringList{"2", "10", "100"}) : (QStringList{"100", "10", "2"}));
    clickHeader("ID");
    EXPECT_EQ(column("ID"), ascending ? (QStringList{"100", "10", "2"}) : (QStringList{"2", "10", "100"}));

    // Keywords beginning with "-" sort the other way round among themselves.
    model().sort(ResultTableModel::columnOf("value"), Qt::AscendingOrder);
    EXPECT_EQ(column("value"), (QStringList{"-b", "-a", "beta"}));
}

TEST_F(ResultTableModelTest, SortingClearsTheSelectionAndLastsForTheNextSearch) {
    table().selectRow(1);
    model().sort(ResultTableModel::columnOf("ID"), Qt::DescendingOrder);
    EXPECT_TRUE(doc->selectedSearchResultRows().isEmpty());
    EXPECT_FALSE(table().selectionModel()->hasSelection());
    doc->showAllSlipsAsSearchResults();
    EXPECT_EQ(column("ID"), (QStringList{"100", "10", "2"}));
}

TEST_F(ResultTableModelTest, FlagCheckBoxTogglesTheSlipThroughTheBox) {
    const int row = int(doc->currentSearchResults().rowForResultWithSlipID("2"));
    clickFlag(row);
    EXPECT_TRUE(doc->slip("2")->isFlagged());
    EXPECT_EQ(model().index(row, ResultTableModel::columnOf("flagged")).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(doc->undoManager().undoActionName(), "Toggle Flaged");
    doc->undoManager().undo();
    EXPECT_FALSE(doc->slip("2")->isFlagged());
}

TEST_F(ResultTableModelTest, SettingTheFlagItAlreadyHasChangesNothing) {
    const QModelIndex flag = model().index(0, ResultTableModel::columnOf("flagged"));
    EXPECT_FALSE(model().setData(flag, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(doc->slip(doc->currentSearchResults().resultAtIndex(0).resultID())->isFlagged());
}

TEST_F(ResultTableModelTest, FlagSearchRunsAgainWhenAFlagChanges) {
    // A search for flagged slips loses the row whose flag goes off.
    doc->slip("10")->setFlagged(true);
    doc->searchRuleEditor().setCriterion(1, 0, "flag");
    ASSERT_EQ(column("ID"), QStringList{"10"});
    clickFlag(0);
    EXPECT_FALSE(doc->slip("10")->isFlagged());
    EXPECT_EQ(model().rowCount(), 0);
}
