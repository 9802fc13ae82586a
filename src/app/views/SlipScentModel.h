#pragma once
#include "scents/SlipScentOutlineViewDataSource.h"

#include <QAbstractItemModel>

namespace fendle {

class Box;

// The slip-scent list as an item model: one group row "SLIP SCENTS" holding
// the slip's own key (bold) and the keys of its related slips. Rows are
// numbered as the list counts them: 0 the group row, 1 the slip itself, 2…
// the related slips. Beside each key it offers the slip's title and its
// scent strength (the group row: the number of related slips).
class SlipScentModel : public QAbstractItemModel {
public:
    explicit SlipScentModel(Box& box, QObject* parent = nullptr);

    // Takes the box's list as it was last ranked.
    void reload();
    const SlipScentOutlineViewDataSource& table() const { return table_; }
    qsizetype listRowOf(const QModelIndex& index) const;
    QModelIndex indexOfListRow(qsizetype row) const;
    QModelIndex groupIndex() const { return index(0, 0); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& = {}) const override { return 1; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // internalId: the group row, or a row below it.
    enum : quintptr { GroupId = 0, SlipRowId = 1 };
    Box& box_;
    SlipScentOutlineViewDataSource table_;

    QVariant itemAt(const QModelIndex& index) const;
    QVariant strengthShown(const QModelIndex& index) const;
};

}  // namespace fendle
