#pragma once
#include "appcore/TypeAheadFind.h"

#include <QTableView>
#include <functional>
#include <memory>

class QMenu;

namespace fendle {

class LookUpActions;

// The program's table view: Return acts as a double-click, Home and End
// select the first and the last row, left, right and Forward Delete do
// nothing; typed characters select the first row whose text begins with
// them; a right click offers the look-up commands.
class ZNTableView : public QTableView {
    Q_OBJECT
public:
    explicit ZNTableView(QWidget* parent = nullptr);

    // The texts type-ahead searches, one per row; unset, keys go to the standard handling.
    std::function<QStringList()> typeAheadStrings;
    // The contextual menu's commands and what they act on.
    void setLookUpActions(LookUpActions* actions, bool resultRows, int lookupColumn);
    QString lookupString() const;
    // The contextual menu for a right click at pos (viewport coordinates).
    std::unique_ptr<QMenu> menuForEvent(const QPoint& pos);
    TypeAheadFind& typeAhead() { return typeAhead_; }

signals:
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TypeAheadFind typeAhead_;
    LookUpActions* lookUp_ = nullptr;
    bool resultRows_ = false;
    int lookupColumn_ = 0;

    void selectOnlyRow(int row);
    bool typeAheadSelect(const QString& characters);
};

}  // namespace fendle
