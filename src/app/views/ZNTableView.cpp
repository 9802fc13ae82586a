#include "app/views/ZNTableView.h"

#include "app/views/ListContextMenu.h"
#include "app/views/TypeAheadKey.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

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

void ZNTableView::setLookUpActions(LookUpActions* actions, bool resultRows, int lookupColumn) {
    lookUp_ = actions;
    resultRows_ = resultRows;
    lookupColumn_ = lookupColumn;
}

QString ZNTableView::lookupString() const { return ListContextMenu::selectedTexts(*this, lookupColumn_); }

std::unique_ptr<QMenu> ZNTableView::menuForEvent(const QPoint& pos) {
    return ListContextMenu::forClick(*this, pos, lookUp_, resultRows_, [this] { return lookupString(); });
}

void ZNTableView::contextMenuEvent(QContextMenuEvent* event) {
    if (const std::unique_ptr<QMenu> menu = menuForEvent(event->pos())) menu->exec(event->globalPos());
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
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: QTableView::keyPressEvent(event); return;
    default:
        if (typeAheadStrings && typeAheadSelect(typeAheadText(*event))) return;
        QTableView::keyPressEvent(event);
    }
}

bool ZNTableView::typeAheadSelect(const QString& characters) {
    if (characters.isEmpty()) return false;
    const QString& prefix = typeAhead_.addCharacters(characters);
    if (const auto row = TypeAheadFind::firstMatchFromTop(typeAheadStrings(), prefix); row && *row < model()->rowCount())
        selectOnlyRow(int(*row));
    return true;
}

void ZNTableView::selectOnlyRow(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

}  // namespace fendle
