#pragma once
#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

namespace fendle {

class PlugInTableController;

// The plug-in table's rows for the view: a check box ("loaded"), the name
// with the plug-in's icon, the version and the date it was updated.
// Switching the check box hands the row to the plug-in host, which flips it
// and refreshes the table.
class PlugInTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static inline const QStringList ColumnIdentifiers{QStringLiteral("loaded"), QStringLiteral("name"),
                                                      QStringLiteral("version"), QStringLiteral("updated")};

    explicit PlugInTableModel(PlugInTableController& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    PlugInTableController& table_;
    QIcon defaultIcon_;
};

}  // namespace fendle
