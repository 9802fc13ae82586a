#pragma once
#include <QAbstractTableModel>
#include <QStringList>

namespace fendle {

class Box;

// The search results of a box as a table: one row per result entry, the
// columns of the result table (flag, ID, keywords, title, source, type,
// author, the two dates). Reads the box's current table, so a new search
// only needs a reload.
class ResultTableModel : public QAbstractTableModel {
public:
    explicit ResultTableModel(Box& box, QObject* parent = nullptr);

    static const QStringList& columnIdentifiers();
    // The column menu titles, which are also the headers.
    static QString columnTitle(const QString& identifier);
    static int columnOf(const QString& identifier) { return static_cast<int>(columnIdentifiers().indexOf(identifier)); }

    void reload();
    void reloadRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The check box of the flag column toggles the flag through the box.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Sorts the box's table by the column's comparator.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    Box& box_;
    quint64 generation_ = 0;  // counts reloads, which a flag change may cause
};

}  // namespace fendle
