#pragma once

class QTreeView;

namespace fendle {

// After a row opens, its new children scroll into view without the row
// itself leaving it.
void keepExpandedRowsInView(QTreeView& view);

}  // namespace fendle
