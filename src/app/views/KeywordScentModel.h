#pragma once
#include "app/views/ScentTreeModel.h"
#include "scents/KeywordScent.h"

#include <QStringList>

namespace fendle {

// The keyword-scent tree: every keyword of the box at the top, the keywords
// standing together with it below, and so on along the scent paths.
class KeywordScentModel : public ScentTreeModel<KeywordScentEntry> {
public:
    using ScentTreeModel::ScentTreeModel;

    const std::shared_ptr<KeywordScent>& keywordScent() const { return keywordScent_; }
    void setKeywordScent(std::shared_ptr<KeywordScent> keywordScent);
    // Gives the index the new flag and starts the tree afresh, all collapsed.
    void setShowDuplicates(bool showDuplicates);

    QString keywordAt(const QModelIndex& index) const;
    // The row's keyword, then its ancestors' keywords, nearest first.
    QStringList keywordsOnPath(const QModelIndex& index) const;

protected:
    // From the co-occurrence table, without making the children.
    bool mayExpand(KeywordScentEntry& entry) const override;
    int childCount(KeywordScentEntry& entry) const override;
    QIcon iconOf(const KeywordScentEntry& entry) const override;

private:
    std::shared_ptr<KeywordScent> keywordScent_;
};

}  // namespace fendle
