#include "app/views/KeywordScentModel.h"

#include <algorithm>

namespace fendle {

void KeywordScentModel::setKeywordScent(std::shared_ptr<KeywordScent> keywordScent) {
    keywordScent_ = std::move(keywordScent);
    resetTo(keywordScent_ ? keywordScent_->keywordScents() : std::vector<KeywordScentEntryPtr>{});
}

void KeywordScentModel::setShowDuplicates(bool showDuplicates) {
    if (!keywordScent_) return;
    keywordScent_->setShowDuplicates(showDuplicates);
    resetTo(keywordScent_->keywordScents());
}

bool KeywordScentModel::mayExpand(KeywordScentEntry& entry) const {
    if (!keywordScent_) return false;
    const KeywordTable& table = keywordScent_->table();
    const int id = table.idOf(entry.entry());
    const std::vector<int>* related = id >= 0 ? table.related(id) : nullptr;
    if (!related || related->empty()) return false;
    if (entry.showDuplicates()) return true;
    // Hidden duplicates: some related keyword must lie off the path.
    const QStringList path = entry.path();
    return std::any_of(related->begin(), related->end(), [&](int r) { return !path.contains(table.keyword(r)); });
}

QString KeywordScentModel::keywordAt(const QModelIndex& index) const {
    const KeywordScentEntry* entry = entryAt(index);
    return entry ? entry->entry() : QString();
}

QStringList KeywordScentModel::keywordsOnPath(const QModelIndex& index) const {
    QStringList keywords;
    for (QModelIndex at = index; at.isValid(); at = at.parent()) keywords.append(keywordAt(at));
    return keywords;
}

}  // namespace fendle
