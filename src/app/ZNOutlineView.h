#pragma once
#include <QTreeView>

namespace fendle {

// The program's outline view: Return acts as a double-click, Forward Delete
// does nothing.
class ZNOutlineView : public QTreeView {
    Q_OBJECT
public:
    explicit ZNOutlineView(QWidget* parent = nullptr);

signals:
    void returnPressed();
    void focusGained();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace fendle
