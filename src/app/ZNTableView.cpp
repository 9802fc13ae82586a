#include "app/ZNTableView.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace fendle {

ZNTableView::ZNTableView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    // A fixed row height keeps a table of a whole large box cheap to lay out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
}

void ZNTableView::keyPressEvent(QKeyEvent* event) {
    const int rows = model() ? model()->rowCount() : 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit returnPressed(); return;
    case Qt::Key_Home:
        if (rows > 0) selectOnlyRow(0);
        return;
    case Qt::Key_End:
        if (rows > 0) selectOnlyRow(rows - 1);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete: return;
    default: QTableView::keyPressEvent(event);
    }
}

void ZNTableView::selectOnlyRow(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

}  // namespace fendle
