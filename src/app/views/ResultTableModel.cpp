#include "app/views/ResultTableModel.h"

#include "app/views/LocaleDate.h"
#include "document/Box.h"
#include "search/ResultTable.h"

#include <QDateTime>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QPixmap>

namespace fendle {

namespace {
const QString Flagged = QStringLiteral("flagged");

// "flag-header": a small red pennant on a pole, drawn once.
QIcon flagHeaderImage() {
    static const QIcon icon = [] {
        QPixmap image(16, 16);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(80, 80, 80), 1.5));
        painter.drawLine(QPointF(4, 2), QPointF(4, 14));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(214, 40, 40));
        painter.drawPolygon(QPolygonF({QPointF(4.8, 2.5), QPointF(13, 5.5), QPointF(4.8, 8.5)}));
        painter.end();
        return QIcon(image);
    }();
    return icon;
}
}  // namespace

ResultTableModel::ResultTableModel(Box& box, QObject* parent) : QAbstractTableModel(parent), box_(box) {}

const QStringList& ResultTableModel::columnIdentifiers() {
    static const QStringList identifiers{
        QStringLiteral("ID"),     QStringLiteral("flagged"),  QStringLiteral("value"),
        QStringLiteral("slipTitle"), QStringLiteral("source"), QStringLiteral("slipType"),
        QStringLiteral("author"), QStringLiteral("creationDate"), QStringLiteral("modificationDate")};
    return identifiers;
}

QString ResultTableModel::columnTitle(const QString& identifier) {
    static const QStringList titles{
        QStringLiteral("ID"),     QStringLiteral("Flagged"), QStringLiteral("Keywords"),
        QStringLiteral("Title"),  QStringLiteral("Source"),  QStringLiteral("Type"),
        QStringLiteral("Author"), QStringLiteral("Creation Date"), QStringLiteral("Modification Date")};
    const int column = columnOf(identifier);
    return column < 0 ? QString() : titles[column];
}

void ResultTableModel::reloadRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ResultTableModel::reload() {
    beginResetModel();
    ++generation_;
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(box_.currentSearchResults().numberOfRows());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columnIdentifiers().size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const QString& column = columnIdentifiers()[index.column()];
    const QVariant value = box_.currentSearchResults().objectValue(column, index.row());
    if (column == Flagged) {
        if (role != Qt::CheckStateRole) return {};
        return value.toString() == u"1" ? Qt::Checked : Qt::Unchecked;
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (value.metaType().id() == QMetaType::QDateTime) return localeDateText(value.toDateTime());
    return value;
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const QString& identifier = columnIdentifiers()[section];
    // The flag column shows its image instead of a title.
    if (identifier == Flagged) {
        if (role == Qt::DecorationRole) return flagHeaderImage();
        if (role == Qt::ToolTipRole) return columnTitle(identifier);
        return {};
    }
    if (role != Qt::DisplayRole) return {};
    return columnTitle(identifier);
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (columnIdentifiers()[index.column()] == Flagged) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || columnIdentifiers()[index.column()] != Flagged) return false;
    if (index.row() >= rowCount()) return false;
    if (value.toInt() == data(index, Qt::CheckStateRole).toInt()) return false;  // the flag is so already
    const quint64 before = generation_;
    box_.currentSearchResults().setObjectValue(value, Flagged, index.row());
    // The box may have searched again and reloaded us; then the index is gone.
    if (generation_ == before) emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

void ResultTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) return;
    const QList<SortDescriptor> descriptors{{columnIdentifiers()[column], order == Qt::AscendingOrder}};
    box_.setSearchSortDescriptors(descriptors);
    box_.currentSearchResults().sortTableWithSortDescriptors(descriptors);
    box_.selectSearchResultRows({});
    reload();
}

}  // namespace fendle
