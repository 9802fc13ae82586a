#include "app/KeywordScentModel.h"

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
