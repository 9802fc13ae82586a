#include "app/views/AlternatingScentView.h"

#include "app/views/AlternatingScentModel.h"
#include "app/commands/BoxHookChain.h"
#include "app/views/ScentRowScrolling.h"
#include "document/Box.h"
#include "search/SearchRuleEditor.h"

#include <QPointer>

namespace fendle {

AlternatingScentView::AlternatingScentView(fendle::Box& box, QWidget* parent)
    : ZNOutlineView(parent), box_(box), model_(new AlternatingScentModel(this)) {
    setModel(model_);
    connect(this, &QAbstractItemView::doubleClicked, this,
            &AlternatingScentView::doubleClickOnAlternatingScentOutlineView);
    connect(this, &ZNOutlineView::returnPressed, this, &AlternatingScentView::doubleClickOnAlternatingScentOutlineView);
    keepExpandedRowsInView(*this);
    connectToBox();
    refresh();
}

void AlternatingScentView::connectToBox() {
    chainBoxHook(box_.hooks().rebuildKeywordScentTable, this, &AlternatingScentView::refresh);
    QPointer<AlternatingScentView> self(this);
    box_.hooks().selectedAlternatingScentRow = [self]() -> std::optional<BoxHooks::AlternatingRow> {
        return self ? self->selectedRow() : std::nullopt;
    };
}

std::optional<BoxHooks::AlternatingRow> AlternatingScentView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty()) return std::nullopt;
    return BoxHooks::AlternatingRow{model_->textAt(selected.first()), model_->isSlipRow(selected.first())};
}

void AlternatingScentView::refresh() {
    model_->setAlternatingScent(box_.alternatingScents());
    clearSelection();
}

void AlternatingScentView::doubleClickOnAlternatingScentOutlineView() {
    const std::optional<BoxHooks::AlternatingRow> row = selectedRow();
    if (!row) return;
    if (!row->isSlip) {
        box_.selectTabViewItemWithLabel(fendle::Box::SearchTab);
        box_.searchRuleEditor().addKeywordToSearch(row->label);
        return;
    }
    box_.selectTabViewItemWithLabel(fendle::Box::SlipTab);
    // A slip gone since the graph was built leaves the current slip as it is.
    if (const SlipPtr slip = box_.slip(AlternatingScentEntry::slipKeyOfLabel(row->label)))
        box_.changeCurrentSlip(slip, false);
}

}  // namespace fendle
