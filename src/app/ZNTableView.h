#pragma once
#include <QTableView>

namespace fendle {

// The program's table view: Return acts as a double-click, Home and End
// select the first and the last row, left, right and Forward Delete do
// nothing.
class ZNTableView : public QTableView {
    Q_OBJECT
public:
    explicit ZNTableView(QWidget* parent = nullptr);

signals:
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectOnlyRow(int row);
};

}  // namespace fendle
