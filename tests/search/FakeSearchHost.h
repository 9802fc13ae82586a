#pragma once
#include "search/SearchRuleEditorHost.h"
#include "search/SearchTestBox.h"

namespace fendle::testing {

// Records what the rule editor hands to its box.
class FakeSearchHost : public SearchRuleEditorHost {
public:
    BoxData data;
    bool addToSearch = true;
    QList<SlipPtr> results;
    int searches = 0;
    int tabSelections = 0;
    int focusedRow = -1;

    const BoxData& boxData() const override { return data; }
    bool addKeywordToBoxSearch() const override { return addToSearch; }
    void setSearchResultsToSlips(const QList<SlipPtr>& slips) override {
        results = slips;
        ++searches;
    }
    void selectSearchTab() override { ++tabSelections; }
    void focusValueControlOfRow(int row) override { focusedRow = row; }
    QStringList resultKeys() const { return sortedKeys(results); }
};

}  // namespace fendle::testing
