#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextEdit;

namespace fendle {

class Box;
class ResultTableModel;
class RuleEditorWidget;
class ZNTableView;

// The "Search" tab: the rule editor above, the results table with the
// preview of the selected slip beside it, and the status line below.
class SearchView : public QWidget {
    Q_OBJECT
public:
    explicit SearchView(Box& box, QWidget* parent = nullptr);

    // Reloads the results, the selection the box keeps, the rules and the
    // status line; empties the preview.
    void refresh();

    RuleEditorWidget* ruleEditor() const { return ruleEditor_; }
    ZNTableView* resultsTable() const { return table_; }
    ResultTableModel& resultsModel() { return *model_; }
    QTextEdit* previewText() const { return previewText_; }
    QLineEdit* previewSource() const { return previewSource_; }
    QLabel* statusLine() const { return status_; }

    void doubleClickOnBoxTable();
    void updateNumberOfSearchResultsTextField();

signals:
    // The result selection changed: the toolbar's states depend on it.
    void resultSelectionChanged();

private:
    Box& box_;
    ResultTableModel* model_;
    RuleEditorWidget* ruleEditor_;
    ZNTableView* table_;
    QTextEdit* previewText_;
    QLineEdit* previewSource_;
    QLabel* status_;
    bool reloading_ = false;

    void connectToBox();
    void tableViewSelectionDidChange();
    void clearPreview();
    void showPreview(const QString& key);
    void selectRowsOfBox();
};

}  // namespace fendle
