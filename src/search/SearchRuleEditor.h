#pragma once
#include "search/Predicate.h"
#include "search/SearchRuleEditorHost.h"
#include "search/SlipSearch.h"

#include <QList>
#include <QVariant>

namespace fendle {

// The rules of a box's search, without widgets: rows in display order (depth
// first), each a compound row (type 1: "All", "Any" or "None" of its subrows)
// or a simple row (type 0: field, operator, value and for "is within last"
// the unit). Every change runs the search over the box.
class SearchRuleEditor {
public:
    enum RowType { SimpleRow = 0, CompoundRow = 1 };
    struct Row {
        int type = SimpleRow;
        QVariantList values;  // titles as text, controls as their values
        int parent = -1;      // -1 for a top-level row
    };

    explicit SearchRuleEditor(SearchRuleEditorHost& host);

    // Rows, indexed in display order: every row is followed directly by its
    // subrows (depth first), so row i is the i-th line the window shows and
    // the archived form holds the rows in this order. Only compound rows
    // have subrows; nesting stops at MaximumDepth.
    int numberOfRows() const { return static_cast<int>(rows_.size()); }
    const Row& row(int index) const { return rows_[index]; }
    QList<int> subrowIndexes(int parent) const;
    // How far a row stands in: 0 for a top-level row.
    int depthOfRow(int index) const;
    // Whether a row can be added as a subrow of parent (-1: top level).
    bool canAddRow(int parent) const;
    // Adds a row with the default criteria as the last subrow of parent
    // (-1: top level), right after the parent's rows, and runs the search;
    // answers its index (-1 if it cannot be added there).
    int addRow(int type, int parent);
    // Removes the row with its subrows and runs the search.
    void removeRow(int index);
    // Chooses a title at a pop-up level (0 field or compound type, 1 operator,
    // 3 unit); the levels after it start afresh, as a new pop-up choice does.
    void setCriterion(int rowIndex, int level, const QString& title);
    // Changes what a value control holds (level 2).
    void setValue(int rowIndex, int level, const QVariant& value);

    // The predicate of the rules before rewriting; none when no row yields one.
    PredicatePtr predicate() const;
    static PredicatePtr substituteKeywordsPredicateOpertators(const PredicatePtr& predicate);

    // Runs the search (and carries a typed value over to a changed operator).
    void controlDidChange();
    QVariantList searchRuleEditorState() const;
    void setRuleEditorContent(const QVariantList& content);
    void initiateKeywordSearch();
    void initiateSearch(const QString& fieldTitle);
    void addKeywordToSearch(const QString& keyword);
    // [index of the row whose operator changed or -1, [field, new operator, old value] or []].
    static QVariantList compareRuleEditorContent(const QVariant& newContent, const QVariant& oldContent, int row);

    const QVariantList& previousRuleEditorContent() const { return previousRuleEditorContent_; }
    bool needsScrollBar() const { return rows_.size() > 10; }
    // Nesting deeper than this in a loaded form is cut off.
    static constexpr int MaximumDepth = 64;

private:
    void runResetRules();
    SearchRuleEditorHost& host_;
    QList<Row> rows_;
    int previousRowCount_ = 2;
    QVariantList previousRuleEditorContent_;
    bool doAdjustWindowSize_ = true;
    bool settingNewRuleEditorContent_ = false;
    SlipSearch search_;

    void insertInitialContent();
    void resetRules();
    void adjustWindowSize();
    // One past the last of a row's subrows (and theirs).
    int endOfSubrows(int index) const;
    int insertRow(int type, QVariantList values, int parent);
    void loadRecord(const QVariant& record, int parent, int depth);
    QVariantMap recordOfRow(int index) const;
    PredicatePtr predicateOfRow(int index) const;
    void carryOverTypedValue();
    static bool haveSameRows(const QVariantList& content, const QVariantList& otherContent);
    static QVariantList completedValues(int type, QVariantList values);
    static QVariantList loadedValues(int type, const QVariantList& stored);
};

}  // namespace fendle
