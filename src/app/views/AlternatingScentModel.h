#pragma once
#include "app/views/ScentTreeModel.h"
#include "scents/AlternatingScent.h"

namespace fendle {

// The alternating tree: keywords at the top, the labels of the slips that
// carry them below, those slips' keywords below the labels, and so on.
class AlternatingScentModel : public ScentTreeModel<AlternatingScentEntry> {
public:
    using ScentTreeModel::ScentTreeModel;

    const std::shared_ptr<AlternatingScent>& alternatingScent() const { return alternatingScent_; }
    void setAlternatingScent(std::shared_ptr<AlternatingScent> alternatingScent);

    bool isSlipRow(const QModelIndex& index) const;
    QString textAt(const QModelIndex& index) const;

protected:
    // A keyword's slips come from the graph's map, without making them.
    bool mayExpand(AlternatingScentEntry& entry) const override;
    int childCount(AlternatingScentEntry& entry) const override;
    // Keyword rows show a tag, slip rows a note.
    QIcon iconOf(const AlternatingScentEntry& entry) const override;

private:
    std::shared_ptr<AlternatingScent> alternatingScent_;

    const QStringList* slipsOfKeyword(const AlternatingScentEntry& entry) const;
};

}  // namespace fendle
