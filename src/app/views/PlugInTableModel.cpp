#include "app/views/PlugInTableModel.h"

#include "plugins/PlugInTableController.h"

#include <QApplication>
#include <QStyle>
#include <QTimer>

namespace fendle {

PlugInTableModel::PlugInTableModel(PlugInTableController& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), defaultIcon_(QApplication::style()->standardIcon(QStyle::SP_FileIcon)) {
    connect(&table_, &PlugInTableController::tableChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int PlugInTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(table_.table().count());
}

int PlugInTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(ColumnIdentifiers.size());
}

QVariant PlugInTableModel::data(const QModelIndex& index, int role) const {
    const PlugInTableEntry* row = table_.table().plugInAtIndex(index.row());
    if (!row) return {};
    const QString& column = ColumnIdentifiers.value(index.column());
    if (column == QLatin1String("loaded"))
        return role == Qt::CheckStateRole ? QVariant(row->loaded ? Qt::Checked : Qt::Unchecked) : QVariant();
    if (role == Qt::DecorationRole && column == QLatin1String("name")) {
        const QString icon = table_.iconPath(index.row());
        return icon.isEmpty() ? defaultIcon_ : QIcon(icon);
    }
    if (role == Qt::DisplayRole) return PlugInTableController::columnText(*row, column);
    return {};
}

QVariant PlugInTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList titles{QString(), QStringLiteral("Name"), QStringLiteral("Version"), QStringLiteral("Updated")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return titles.value(section);
}

Qt::ItemFlags PlugInTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == 0) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool PlugInTableModel::setData(const QModelIndex& index, const QVariant&, int role) {
    if (role != Qt::CheckStateRole || index.column() != 0 || !table_.table().plugInAtIndex(index.row())) return false;
    // The switch asks questions and rebuilds the rows: not from inside the
    // view's own edit.
    QTimer::singleShot(0, &table_, [table = &table_, row = index.row()] { table->plugInTableButtonClicked(row); });
    return true;
}

}  // namespace fendle
