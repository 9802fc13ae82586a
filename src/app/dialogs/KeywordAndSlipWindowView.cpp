#include "app/dialogs/KeywordAndSlipWindowView.h"

#include "document/Box.h"
#include "document/KeywordAndSlipWindow.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace fendle {

KeywordAndSlipWindowView::KeywordAndSlipWindowView(std::shared_ptr<KeywordAndSlipWindow> list, Box& box, QWidget* parent)
    : QDialog(parent), list_(std::move(list)), box_(box), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("keywordAndSlipWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(list_->title());
    table_->setColumnCount(2);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &KeywordAndSlipWindowView::sortByColumn);
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { rowDoubleClicked(row); });
    fill();
    resize(360, 420);
}

QString KeywordAndSlipWindowView::columnIdentifier(int column) const {
    const bool slipFirst = list_->slipColumnFirst();
    return (column == 0) == slipFirst ? KeywordAndSlipWindow::SlipColumn : KeywordAndSlipWindow::KeywordColumn;
}

void KeywordAndSlipWindowView::fill() {
    const qsizetype rows = list_->numberOfRowsInTableView();
    table_->setRowCount(int(rows));
    for (int column = 0; column < 2; ++column) {
        const QString identifier = columnIdentifier(column);
        table_->setHorizontalHeaderItem(
            column, new QTableWidgetItem(identifier == KeywordAndSlipWindow::SlipColumn ? QStringLiteral("Slip")
                                                                                         : list_->keywordColumnHeader()));
        for (qsizetype row = 0; row < rows; ++row)
            table_->setItem(int(row), column, new QTableWidgetItem(list_->objectValue(identifier, row).toString()));
    }
}

void KeywordAndSlipWindowView::sortByColumn(int column) {
    const Qt::SortOrder order = table_->horizontalHeader()->sortIndicatorOrder();
    list_->tableViewSortDescriptorsDidChange({SortDescriptor{columnIdentifier(column), order == Qt::AscendingOrder}});
    table_->horizontalHeader()->setSortIndicatorShown(true);
    fill();
    table_->clearSelection();
}

void KeywordAndSlipWindowView::rowDoubleClicked(int row) {
    list_->selectRow(row);
    UndoManager::EventScope event(box_.undoManager());
    list_->doubleClick();
}

}  // namespace fendle
