#include "app/views/ZNOutlineView.h"

#include "app/views/ListContextMenu.h"
#include "app/views/TypeAheadKey.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

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
    case Qt::Key_Enter:
        typeAhead_.clear();
        emit returnPressed();
        return;
    case Qt::Key_Delete: typeAhead_.clear(); return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
        typeAhead_.clear();
        QTreeView::keyPressEvent(event);
        return;
    default:
        if (const QString characters = typeAheadText(*event); !characters.isEmpty()) {
            typeAheadSelect(characters);
            return;
        }
        QTreeView::keyPressEvent(event);
    }
}

QModelIndexList ZNOutlineView::shownRows() const {
    QModelIndexList rows;
    if (!model()) return rows;
    for (QModelIndex row = model()->index(0, 0); row.isValid(); row = indexBelow(row)) rows.append(row);
    return rows;
}

void ZNOutlineView::typeAheadSelect(const QString& characters) {
    const QString& prefix = typeAhead_.addCharacters(characters);
    const QModelIndexList rows = shownRows();
    QStringList texts;
    texts.reserve(rows.size());
    for (const QModelIndex& row : rows) texts.append(row.data(Qt::DisplayRole).toString());
    const QModelIndex selected = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
    const qsizetype start = selected.isValid() ? rows.indexOf(selected.siblingAtColumn(0)) : 0;
    const auto match = TypeAheadFind::firstMatchWrapping(texts, prefix, start);
    if (!match) return;
    const QModelIndex found = rows.at(*match);
    selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(found);
}

QString ZNOutlineView::lookupString() const { return ListContextMenu::selectedTexts(*this, 0); }

std::unique_ptr<QMenu> ZNOutlineView::menuForEvent(const QPoint& pos) {
    return ListContextMenu::forClick(*this, pos, lookUp_, false, [this] { return lookupString(); });
}

void ZNOutlineView::contextMenuEvent(QContextMenuEvent* event) {
    if (const std::unique_ptr<QMenu> menu = menuForEvent(event->pos())) menu->exec(event->globalPos());
}

void ZNOutlineView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    emit focusGained();
}

}  // namespace fendle
