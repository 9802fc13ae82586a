#pragma once
#include <QString>

#include <functional>

class QModelIndex;
class QTreeView;

namespace fendle {

// Finds the row showing a keyword, starting at the first visible row and
// wrapping round once; the row is selected, expanded and scrolled into view
// with its children. Rows the filter refuses are skipped. False when none.
bool selectKeywordRow(QTreeView& view, const QString& keyword,
                      const std::function<bool(const QModelIndex&)>& consider = {});

}  // namespace fendle
