#include "app/views/AlternatingScentModel.h"

#include "app/program/ThemeIcons.h"

namespace fendle {

void AlternatingScentModel::setAlternatingScent(std::shared_ptr<AlternatingScent> alternatingScent) {
    alternatingScent_ = std::move(alternatingScent);
    resetTo(alternatingScent_ ? alternatingScent_->scents() : std::vector<AlternatingScentEntryPtr>{});
}

const QStringList* AlternatingScentModel::slipsOfKeyword(const AlternatingScentEntry& entry) const {
    if (entry.type() != AlternatingScentEntry::KeywordType || !alternatingScent_) return nullptr;
    const auto slips = alternatingScent_->keywordsToSlipIDs().constFind(entry.entry());
    static const QStringList none;
    return slips != alternatingScent_->keywordsToSlipIDs().cend() ? &*slips : &none;
}

bool AlternatingScentModel::mayExpand(AlternatingScentEntry& entry) const {
    const QStringList* slips = slipsOfKeyword(entry);
    return slips ? !slips->isEmpty() : ScentTreeModel::mayExpand(entry);
}

int AlternatingScentModel::childCount(AlternatingScentEntry& entry) const {
    const QStringList* slips = slipsOfKeyword(entry);
    return slips ? static_cast<int>(slips->size()) : ScentTreeModel::childCount(entry);
}

QIcon AlternatingScentModel::iconOf(const AlternatingScentEntry& entry) const {
    const QIcon keyword = ThemeIcons::icon({"tag", "bookmark-new"});
    const QIcon slip = ThemeIcons::icon({"view-pim-notes", "text-x-generic"});
    return entry.type() == AlternatingScentEntry::SlipType ? slip : keyword;
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
