#pragma once
#include "appcore/TypeAheadFind.h"

#include <QTreeView>
#include <memory>

class QMenu;

namespace fendle {

class LookUpActions;

// The program's outline view: Return acts as a double-click, Forward Delete
// does nothing; typed characters select the next row whose text begins
// with them; a right click offers the look-up commands.
class ZNOutlineView : public QTreeView {
    Q_OBJECT
public:
    explicit ZNOutlineView(QWidget* parent = nullptr);

    void setLookUpActions(LookUpActions* actions) { lookUp_ = actions; }
    QString lookupString() const;
    // The contextual menu for a right click at pos (viewport coordinates).
    std::unique_ptr<QMenu> menuForEvent(const QPoint& pos);
    TypeAheadFind& typeAhead() { return typeAhead_; }

signals:
    void returnPressed();
    void focusGained();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TypeAheadFind typeAhead_;
    LookUpActions* lookUp_ = nullptr;

    void typeAheadSelect(const QString& characters);
    // The rows as shown, top to bottom, through the open branches.
    QModelIndexList shownRows() const;
};

}  // namespace fendle
