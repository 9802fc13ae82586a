#include "app/views/SlipScentView.h"

#include "app/views/DetailedRowDelegate.h"
#include "app/views/SlipScentModel.h"
#include "document/Box.h"

namespace fendle {

SlipScentView::SlipScentView(fendle::Box& box, QWidget* parent)
    : ZNOutlineView(parent), box_(box), model_(new SlipScentModel(box, this)) {
    setModel(model_);
    setRootIsDecorated(false);
    setItemDelegate(new DetailedRowDelegate(this));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &SlipScentView::selectionDidChange);
    connect(this, &QAbstractItemView::doubleClicked, this, &SlipScentView::doubleClickOnSlipScentTable);
    connect(this, &ZNOutlineView::returnPressed, this, &SlipScentView::doubleClickOnSlipScentTable);
    connect(this, &ZNOutlineView::focusGained, this, &SlipScentView::selectOwnSlipWhenNothingSelected);
    connectToBox();
    refresh();
}

void SlipScentView::connectToBox() { connect(&box_, &fendle::Box::slipScentsChanged, this, &SlipScentView::refresh); }

void SlipScentView::refresh() {
    reloading_ = true;
    model_->reload();
    clearSelection();
    expand(model_->groupIndex());
    reloading_ = false;
}

qsizetype SlipScentView::selectedListRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : model_->listRowOf(rows.first());
}

void SlipScentView::selectionDidChange() {
    if (reloading_) return;
    const QString key = model_->table().keyForRow(selectedListRow());
    if (key.isEmpty()) return;
    const SlipPtr slip = box_.slip(key);
    if (!slip) return;
    box_.setCurrentSlip(slip);
    box_.updateWindowWithoutSlipScent();
}

void SlipScentView::doubleClickOnSlipScentTable() {
    const QString key = model_->table().keyForRow(selectedListRow());
    if (key.isEmpty()) return;
    const SlipPtr slip = box_.slip(key);
    if (!slip) return;
    box_.setCurrentSlip(slip);
    box_.updateWindow();
}

void SlipScentView::selectOwnSlipWhenNothingSelected() {
    if (selectedListRow() >= 0 || model_->table().keyForRow(1).isEmpty()) return;
    setCurrentIndex(model_->indexOfListRow(1));
}

}  // namespace fendle
