#include "app/views/ScentRowFinder.h"

#include <QAbstractItemModel>
#include <QTreeView>

namespace fendle {

bool selectKeywordRow(QTreeView& view, const QString& keyword, const std::function<bool(const QModelIndex&)>& consider) {
    QAbstractItemModel* model = view.model();
    if (!model || model->rowCount() == 0) return false;
    const QModelIndex top = model->index(0, 0);
    QModelIndex start = view.indexAt(QPoint(1, 1));
    if (!start.isValid()) start = top;
    QModelIndex row = start;
    do {
        if ((!consider || consider(row)) && row.data(Qt::DisplayRole).toString() == keyword) {
            view.setCurrentIndex(row);
            view.expand(row);
            const int children = model->rowCount(row);
            if (children > 0) view.scrollTo(model->index(children - 1, 0, row));
            view.scrollTo(row);
            return true;
        }
        row = view.indexBelow(row);
        if (!row.isValid()) row = top;
    } while (row != start);
    return false;
}

}  // namespace fendle
