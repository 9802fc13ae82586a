#pragma once
#include "search/ResultTableBox.h"
#include "search/SearchRuleEditorHost.h"
#include "search/SortDescriptor.h"

#include <QList>
#include <QStringList>
#include <QVariantList>
#include <memory>

namespace fendle {

class Box;
class ResultTable;
class SearchRuleEditor;

// The search of one box window: the rules, the results they gave, the rows
// selected there and the sort order. Results are kept until the next search.
class SearchSession : public SearchRuleEditorHost, public ResultTableBox {
public:
    explicit SearchSession(Box& box);
    ~SearchSession() override;

    SearchRuleEditor& ruleEditor() { return *ruleEditor_; }
    const SearchRuleEditor& ruleEditor() const { return *ruleEditor_; }
    ResultTable& results() { return *results_; }
    const ResultTable& results() const { return *results_; }
    // A table not bound to the box; empty and bound to it when nothing is selected.
    ResultTable selectedResults() const;
    QStringList selectedKeys() const;
    QList<SlipPtr> selectedSlips() const;
    const QList<qsizetype>& selectedRows() const { return selectedRows_; }
    void selectRows(const QList<qsizetype>& rows);
    void setSortDescriptors(const QList<SortDescriptor>& descriptors) { sortDescriptors_ = descriptors; }
    // The rules as they stand are applied again (after slips changed).
    void rerun();
    // The results of the given rules, once the search view shows.
    void setRules(const QVariantList& state);
    QVariantList rules() const;
    // The search view shows and its rules test flags: a flag change must search again.
    bool testsFlags() const;
    void showAllSlips();
    // A slip changed in place: its row, if it has one, shows it as it is now.
    void slipChanged(const SlipPtr& slip);

    // SearchRuleEditorHost, ResultTableBox
    const BoxData& boxData() const override;
    bool addKeywordToBoxSearch() const override;
    void setSearchResultsToSlips(const QList<SlipPtr>& slips) override;
    void selectSearchTab() override;
    void focusValueControlOfRow(int row) override;
    void setFlagged(bool flagged, const QString& identifier, ResultTable& sender) override;

private:
    Box& box_;
    std::unique_ptr<ResultTable> results_;
    // The table replaced last stays until the next search: a flag toggled in
    // it may search again while the table is still at work.
    std::unique_ptr<ResultTable> retiredResults_;
    QList<qsizetype> selectedRows_;
    QList<SortDescriptor> sortDescriptors_;
    std::unique_ptr<SearchRuleEditor> ruleEditor_;
};

}  // namespace fendle
