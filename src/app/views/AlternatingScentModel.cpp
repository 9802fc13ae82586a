#include "app/views/AlternatingScentModel.h"

namespace fendle {

void AlternatingScentModel::setAlternatingScent(std::shared_ptr<AlternatingScent> alternatingScent) {
    alternatingScent_ = std::move(alternatingScent);
    resetTo(alternatingScent_ ? alternatingScent_->scents() : std::vector<AlternatingScentEntryPtr>{});
}

bool AlternatingScentModel::mayExpand(AlternatingScentEntry& entry) const {
    if (entry.type() != AlternatingScentEntry::KeywordType || !alternatingScent_)
        return ScentTreeModel::mayExpand(entry);
    const auto slips = alternatingScent_->keywordsToSlipIDs().constFind(entry.entry());
    return slips != alternatingScent_->keywordsToSlipIDs().cend() && !slips->isEmpty();
}

bool AlternatingScentModel::isSlipRow(const QModelIndex& index) const {
    const AlternatingScentEntry* entry = entryAt(index);
    return entry && entry->type() == AlternatingScentEntry::SlipType;
}

QString AlternatingScentModel::textAt(const QModelIndex& index) const {
    const AlternatingScentEntry* entry = entryAt(index);
    return entry ? entry->entry() : QString();
}

}  // namespace fendle
