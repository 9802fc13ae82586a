#pragma once
#include <QString>
#include <functional>
#include <memory>

class QAbstractItemView;
class QMenu;
class QPoint;

namespace fendle {

class LookUpActions;

// The contextual menu the lists share: look-up commands on the selected rows'
// text, "Copy" (or "Copy Slip" on search results), the keyword commands.
class ListContextMenu {
public:
    // The menu for a right click at pos in the view's viewport; a click on an
    // unselected row selects that row first. None without rows or actions.
    static std::unique_ptr<QMenu> forClick(QAbstractItemView& view, const QPoint& pos, LookUpActions* actions,
                                           bool resultRows, std::function<QString()> lookupString);
    // The selected rows' texts in a column, joined with ", ", in row order.
    static QString selectedTexts(const QAbstractItemView& view, int column);
};

}  // namespace fendle
