#pragma once
#include "search/desktop/DesktopSearchResult.h"

#include <QAbstractTableModel>
#include <QList>

namespace fendle {

// The results table of the desktop search window: box, slip, title,
// keywords, modified. A result whose box is gone says so in its box column.
class DesktopSearchResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { BoxColumn, SlipColumn, TitleColumn, KeywordsColumn, ModifiedColumn, ColumnCount };
    static inline const QString MissingMark = QStringLiteral(" (box missing)");

    using QAbstractTableModel::QAbstractTableModel;

    void setResults(QList<DesktopSearchResult> results);
    const QList<DesktopSearchResult>& results() const { return results_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<DesktopSearchResult> results_;
};

}  // namespace fendle
