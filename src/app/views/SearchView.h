#pragma once
#include "app/editing/RichTextDocument.h"

#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QTextEdit;

namespace fendle {

class Box;
class Defaults;
class ResultColumnVisibility;
class ResultTableModel;
class UiPort;
class RuleEditorWidget;
class ZNTableView;

// The "Search" tab: the rule editor above, the results table with the
// preview of the selected slip beside it, and the status line below.
class SearchView : public QWidget {
    Q_OBJECT
public:
    explicit SearchView(Box& box, QWidget* parent = nullptr);
    ~SearchView() override;

    // Reloads the results, the selection the box keeps, the rules and the
    // status line; empties the preview.
    void refresh();
    // One result row shows its slip as it is now; the selection stays.
    void refreshRow(qsizetype row);

    RuleEditorWidget* ruleEditor() const { return ruleEditor_; }
    ZNTableView* resultsTable() const { return table_; }
    ResultTableModel& resultsModel() { return *model_; }
    QTextEdit* previewText() const { return previewText_; }
    QLineEdit* previewSource() const { return previewSource_; }
    QLabel* statusLine() const { return status_; }
    // "No slips match…", shown over the table while it is empty.
    QLabel* emptyState() const { return emptyState_; }

    void doubleClickOnBoxTable();
    void updateNumberOfSearchResultsTextField();

    // The column choice lives in these defaults; without them every column shows.
    void setColumnDefaults(Defaults& defaults, UiPort* ui);
    // Shows the columns the defaults name (the preferences' way).
    void updateResultsTableColumnsVisible();
    // The header's menu: one checked item per visible column.
    std::unique_ptr<QMenu> columnMenu();
    QStringList visibleColumns() const;

protected:
    // Another window's column menu may have changed the choice meanwhile.
    void showEvent(QShowEvent* event) override;
    // The empty-state line covers the table's viewport.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The result selection changed: the toolbar's states depend on it.
    void resultSelectionChanged();
    // The column menu showed or hid a column (for all boxes).
    void columnsChanged();

private:
    Box& box_;
    ResultTableModel* model_;
    RuleEditorWidget* ruleEditor_;
    ZNTableView* table_;
    QTextEdit* previewText_;
    RichTextDocument previewDocument_;
    QLineEdit* previewSource_;
    QLabel* status_;
    QLabel* emptyState_;
    bool reloading_ = false;
    // Rows measured when columns fit their contents: enough to judge, few enough for big boxes.
    static constexpr int MeasuredRows = 200;
    std::unique_ptr<ResultColumnVisibility> columnVisibility_;

    void connectToBox();
    void tableViewSelectionDidChange();
    void clearPreview();
    void showPreview(const QString& key);
    void selectRowsOfBox();
    void showOnlyColumns(const QStringList& identifiers);
    void fitColumnsToContents();
};

}  // namespace fendle
