#include "document/SearchSession.h"

#include "document/Box.h"
#include "document/BoxPreferences.h"
#include "document/commands/FlagSlipsCommand.h"
#include "platform/system/Log.h"
#include "search/ResultTable.h"
#include "search/SearchRuleEditor.h"

#include <algorithm>

namespace fendle {

SearchSession::SearchSession(Box& box) : box_(box), results_(std::make_unique<ResultTable>(this)) {
    // Last: the rule editor runs its first search through this session.
    ruleEditor_ = std::make_unique<SearchRuleEditor>(*this);
}

SearchSession::~SearchSession() = default;

const BoxData& SearchSession::boxData() const { return box_.box(); }

bool SearchSession::addKeywordToBoxSearch() const { return box_.preferences().addKeywordToBoxSearch(); }

void SearchSession::setSearchResultsToSlips(const QList<SlipPtr>& slips) {
    retiredResults_ = std::move(results_);
    results_ = std::make_unique<ResultTable>(ResultTable::fromSlips(slips, this, sortDescriptors_));
    selectedRows_.clear();
    emit box_.searchResultsChanged();
}

void SearchSession::selectRows(const QList<qsizetype>& rows) {
    selectedRows_.clear();
    for (const qsizetype row : rows)
        if (row >= 0 && row < results_->count() && !selectedRows_.contains(row)) selectedRows_.append(row);
    std::sort(selectedRows_.begin(), selectedRows_.end());
}

ResultTable SearchSession::selectedResults() const {
    if (selectedRows_.isEmpty()) return ResultTable(const_cast<SearchSession*>(this));
    return results_->resultsAtIndexes(selectedRows_);
}

QStringList SearchSession::selectedKeys() const {
    QStringList keys;
    for (const qsizetype row : selectedRows_) keys.append(results_->resultAtIndex(row).resultID());
    return keys;
}

QList<SlipPtr> SearchSession::selectedSlips() const {
    QList<SlipPtr> slips;
    for (const QString& key : selectedKeys())
        if (SlipPtr slip = box_.slip(key)) slips.append(slip);
    return slips;
}

void SearchSession::rerun() { ruleEditor_->controlDidChange(); }

QVariantList SearchSession::rules() const { return ruleEditor_->searchRuleEditorState(); }

void SearchSession::setRules(const QVariantList& state) {
    selectSearchTab();
    ruleEditor_->setRuleEditorContent(state);
}

bool SearchSession::testsFlags() const {
    if (box_.selectedTab() != BoxTab::Search) return false;
    const PredicatePtr predicate = ruleEditor_->predicate();
    return predicate && predicate->predicateFormat().contains(QStringLiteral("isFlagged == "));
}

void SearchSession::showAllSlips() { setSearchResultsToSlips(box_.box().slips().values()); }

void SearchSession::slipChanged(const SlipPtr& slip) {
    if (!slip) return;
    const qsizetype row = results_->rowForResultWithSlipID(slip->key());
    if (row < 0) return;
    results_->replaceResultAtIndex(row, ResultEntry::fromSlip(*slip));
    emit box_.searchResultRowChanged(row);
}

void SearchSession::selectSearchTab() {
    if (box_.selectedTab() != BoxTab::Search) box_.selectTabViewItemWithLabel(BoxTab::Search);
}

void SearchSession::focusValueControlOfRow(int row) { emit box_.ruleValueFocusRequested(row); }

void SearchSession::setFlagged(bool flagged, const QString& identifier, ResultTable& sender) {
    if (&sender != results_.get()) {
        logLine(QStringLiteral("Fendle Warning: Don't know which table sent command \"Change Flagged\"! Sender: ") +
                QString::number(reinterpret_cast<quintptr>(&sender), 16));
        return;
    }
    const QString key = identifier;  // the sender's entry may be replaced by the search below
    const SlipPtr slip = box_.slip(key);
    if (!slip) return;
    slip->setFlagged(flagged);
    box_.document().slipDidChange(slip);
    if (testsFlags()) rerun();
    FlagSlipsCommand::record(box_, {key}, flagged);
}

}  // namespace fendle
