#include "app/views/ScentRowScrolling.h"

#include <QTreeView>

namespace fendle {

void keepExpandedRowsInView(QTreeView& view) {
    QObject::connect(&view, &QTreeView::expanded, &view, [&view](const QModelIndex& index) {
        const int children = view.model()->rowCount(index);
        if (children > 0) view.scrollTo(view.model()->index(children - 1, 0, index));
        view.scrollTo(index);
    });
}

}  // namespace fendle
