#pragma once
#include "model/BoxData.h"

namespace fendle {

// What the rule editor needs from its box document: the slips to search,
// the "AddKeywordToBoxSearch" default, and the places results and focus go.
class SearchRuleEditorHost {
public:
    virtual ~SearchRuleEditorHost() = default;
    virtual const BoxData& boxData() const = 0;
    virtual bool addKeywordToBoxSearch() const = 0;
    virtual void setSearchResultsToSlips(const QList<SlipPtr>& slips) = 0;
    virtual void selectSearchTab() = 0;
    virtual void focusValueControlOfRow(int row) = 0;
};

}  // namespace fendle
