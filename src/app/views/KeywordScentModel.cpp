#include "app/views/KeywordScentModel.h"

#include "app/program/ThemeIcons.h"

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

bool KeywordScentModel::mayExpand(KeywordScentEntry& entry) const { return childCount(entry) > 0; }

int KeywordScentModel::childCount(KeywordScentEntry& entry) const {
    if (!keywordScent_) return 0;
    const KeywordTable& table = keywordScent_->table();
    const int id = table.idOf(entry.entry());
    const std::vector<int>* related = id >= 0 ? table.related(id) : nullptr;
    if (!related || related->empty()) return 0;
    if (entry.showDuplicates()) return static_cast<int>(related->size());
    // Hidden duplicates: only the related keywords off the path become rows.
    const QStringList path = entry.path();
    return static_cast<int>(
        std::count_if(related->begin(), related->end(), [&](int r) { return !path.contains(table.keyword(r)); }));
}

QIcon KeywordScentModel::iconOf(const KeywordScentEntry&) const {
    const QIcon keyword = ThemeIcons::icon({"tag", "bookmark-new"});
    return keyword;
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
