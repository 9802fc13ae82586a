#pragma once
#include "model/BoxData.h"
#include "scents/SlipScentList.h"

#include <QVariant>
#include <optional>

namespace fendle {

// The model of the slip-scent list: one group item "SLIP SCENTS" holding the
// heading and the related keys. Items are the objects themselves; an invalid
// QVariant is the root.
class SlipScentOutlineViewDataSource {
public:
    static inline const QString GroupItem = QStringLiteral("SLIP SCENTS");

    const std::optional<SlipScentList>& scentArray() const { return scentArray_; }
    void setScentArray(std::optional<SlipScentList> scentArray) { scentArray_ = std::move(scentArray); }

    qsizetype numberOfChildrenOfItem(const QVariant& item) const;
    QVariant child(qsizetype index, const QVariant& item) const;
    bool isItemExpandable(const QVariant& item) const;
    QVariant objectValueForItem(const QVariant& item) const;
    static bool isGroupItem(const QVariant& item);

    // The key a selected row stands for (row 0 is the group row); empty for none.
    QString keyForRow(qsizetype row) const;
    // Rows 0 and 1 have no tip; a related slip's tip names its title and the
    // keywords it shares or not with the current slip.
    QString toolTipForRow(qsizetype row, const BoxData& boxData, const Slip* currentSlip) const;

private:
    std::optional<SlipScentList> scentArray_;
};

// The plain text of an item: a styled string's text, or the string itself.
QString plainTextOfItem(const QVariant& item);

}  // namespace fendle
