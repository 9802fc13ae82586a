#include "app/ZNOutlineView.h"

#include <QKeyEvent>

namespace fendle {

ZNOutlineView::ZNOutlineView(QWidget* parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Double-clicks carry a meaning of their own; the arrows open rows.
    setExpandsOnDoubleClick(false);
}

void ZNOutlineView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit returnPressed(); return;
    case Qt::Key_Delete: return;
    default: QTreeView::keyPressEvent(event);
    }
}

void ZNOutlineView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    emit focusGained();
}

}  // namespace fendle
