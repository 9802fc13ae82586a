#include "app/views/AlternatingScentView.h"

#include "app/views/AlternatingScentModel.h"
#include "app/views/ScentRowScrolling.h"
#include "document/Box.h"
#include "search/SearchRuleEditor.h"

#include <QPointer>

namespace fendle {

AlternatingScentView::AlternatingScentView(fendle::Box& box, QWidget* parent)
    : ZNOutlineView(parent), box_(box), model_(new AlternatingScentModel(this)) {
    setModel(model_);
    setItemDelegate(new DetailedRowDelegate(this));
    connect(this, &QAbstractItemView::doubleClicked, this,
            &AlternatingScentView::doubleClickOnAlternatingScentOutlineView);
    connect(this, &ZNOutlineView::returnPressed, this, &AlternatingScentView::doubleClickOnAlternatingScentOutlineView);
    keepExpandedRowsInView(*this);
    connectToBox();
    refresh();
}

void AlternatingScentView::connectToBox() {
    connect(&box_.document(), &BoxDocument::keywordScentsRebuilt, this, &AlternatingScentView::refresh);
    // The box knows the selected row for the commands that work on it.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { box_.setSelectedAlternatingScentRow(selectedRow()); });
}

std::optional<fendle::Box::AlternatingRow> AlternatingScentView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty()) return std::nullopt;
    return fendle::Box::AlternatingRow{model_->textAt(selected.first()), model_->isSlipRow(selected.first())};
}

void AlternatingScentView::refresh() {
    model_->setAlternatingScent(box_.alternatingScents());
    clearSelection();
}

void AlternatingScentView::doubleClickOnAlternatingScentOutlineView() {
    const std::optional<fendle::Box::AlternatingRow> row = selectedRow();
    if (!row) return;
    if (!row->isSlip) {
        box_.selectTabViewItemWithLabel(fendle::BoxTab::Search);
        box_.searchRuleEditor().addKeywordToSearch(row->label);
        return;
    }
    box_.selectTabViewItemWithLabel(fendle::BoxTab::Slip);
    // A slip gone since the graph was built leaves the current slip as it is.
    if (const SlipPtr slip = box_.slip(AlternatingScentEntry::slipKeyOfLabel(row->label)))
        box_.changeCurrentSlip(slip, false);
}

}  // namespace fendle
