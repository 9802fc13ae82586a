#include "app/AlternatingScentModel.h"

namespace fendle {

void AlternatingScentModel::setAlternatingScent(std::shared_ptr<AlternatingScent> alternatingScent) {
    alternatingScent_ = std::move(alternatingScent);
    resetTo(alternatingScent_ ? alternatingScent_->scents() : std::vector<AlternatingScentEntryPtr>{});
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
