#include "app/views/SlipScentModel.h"

#include "app/views/DetailedRowDelegate.h"
#include "document/Box.h"
#include "scents/SlipScents.h"

#include <QFont>

namespace fendle {

SlipScentModel::SlipScentModel(Box& box, QObject* parent) : QAbstractItemModel(parent), box_(box) {}

void SlipScentModel::reload() {
    beginResetModel();
    table_ = box_.slipScentTable().value_or(SlipScentOutlineViewDataSource());
    endResetModel();
}

qsizetype SlipScentModel::listRowOf(const QModelIndex& index) const {
    if (!index.isValid()) return -1;
    return index.internalId() == GroupId ? 0 : index.row() + 1;
}

QModelIndex SlipScentModel::indexOfListRow(qsizetype row) const {
    if (row == 0) return groupIndex();
    return index(static_cast<int>(row - 1), 0, groupIndex());
}

QModelIndex SlipScentModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
    return createIndex(row, column, parent.isValid() ? quintptr(SlipRowId) : quintptr(GroupId));
}

QModelIndex SlipScentModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == GroupId) return {};
    return createIndex(0, 0, quintptr(GroupId));
}

int SlipScentModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(table_.numberOfChildrenOfItem(QVariant()));
    if (parent.internalId() != GroupId || parent.column() != 0) return 0;
    return static_cast<int>(table_.numberOfChildrenOfItem(SlipScentOutlineViewDataSource::GroupItem));
}

QVariant SlipScentModel::itemAt(const QModelIndex& index) const {
    if (!index.isValid()) return QVariant();
    if (index.internalId() == GroupId) return table_.child(0, QVariant());
    return table_.child(index.row(), SlipScentOutlineViewDataSource::GroupItem);
}

QVariant SlipScentModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return plainTextOfItem(itemAt(index));
    case DetailedRowDelegate::DetailRole: {
        if (index.internalId() == GroupId) return {};
        const SlipPtr slip = box_.slip(table_.keyForRow(listRowOf(index)));
        return slip ? slip->title() : QString();
    }
    case DetailedRowDelegate::CountRole: return strengthShown(index);
    case Qt::ToolTipRole: {
        const SlipPtr current = box_.currentSlip();
        return table_.toolTipForRow(listRowOf(index), box_.box(), current.get());
    }
    case Qt::FontRole: {
        QFont font;
        if (index.internalId() == GroupId) {
            font.setPointSizeF(10);
        } else if (index.row() == 0) {
            // The heading: the slip's own key in bold.
            font.setPointSizeF(13);
            font.setBold(true);
        } else {
            return {};
        }
        return font;
    }
    default: return {};
    }
}

QVariant SlipScentModel::strengthShown(const QModelIndex& index) const {
    // The group row counts the related slips; the slip itself has no strength.
    if (index.internalId() == GroupId) return rowCount(index) > 0 ? QVariant(rowCount(index) - 1) : QVariant();
    if (index.row() == 0) return {};
    const SlipPtr own = box_.slip(table_.keyForRow(1));
    const SlipPtr related = box_.slip(table_.keyForRow(listRowOf(index)));
    if (!own || !related) return {};
    return scentStrength(*own, *related);
}

Qt::ItemFlags SlipScentModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace fendle
