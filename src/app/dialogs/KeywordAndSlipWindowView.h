#pragma once
#include <QDialog>
#include <memory>

class QTableWidget;

namespace fendle {

class Box;
class KeywordAndSlipWindow;

// The window of a singleton-keyword or orphaned-slip list: two columns,
// sorted by a click on a header; a double click shows the listed slip.
class KeywordAndSlipWindowView : public QDialog {
    Q_OBJECT
public:
    KeywordAndSlipWindowView(std::shared_ptr<KeywordAndSlipWindow> list, Box& box, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    const KeywordAndSlipWindow& list() const { return *list_; }

private:
    std::shared_ptr<KeywordAndSlipWindow> list_;
    Box& box_;
    QTableWidget* table_;

    void fill();
    void sortByColumn(int column);
    void rowDoubleClicked(int row);
    QString columnIdentifier(int column) const;
};

}  // namespace fendle
