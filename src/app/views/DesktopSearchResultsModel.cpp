#include "app/views/DesktopSearchResultsModel.h"

#include <QFont>
#include <QPalette>

namespace fendle {

void DesktopSearchResultsModel::setResults(QList<DesktopSearchResult> results) {
    beginResetModel();
    results_ = std::move(results);
    endResetModel();
}

int DesktopSearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(results_.size());
}

int DesktopSearchResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant DesktopSearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= results_.size()) return {};
    const DesktopSearchResult& result = results_.at(index.row());
    if (role == Qt::FontRole && result.boxMissing) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    if (role == Qt::ToolTipRole && index.column() == BoxColumn) return result.slip.boxPath;
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case BoxColumn: return result.boxMissing ? result.boxName + MissingMark : result.boxName;
    case SlipColumn: return result.slip.slipKey;
    case TitleColumn: return result.slip.title;
    case KeywordsColumn: return result.slip.keywords.join(QStringLiteral(", "));
    case ModifiedColumn: return result.slip.modificationDate;
    default: return {};
    }
}

QVariant DesktopSearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList titles{QStringLiteral("Box"), QStringLiteral("Slip"), QStringLiteral("Title"),
                                    QStringLiteral("Keywords"), QStringLiteral("Modified")};
    return titles.value(section);
}

}  // namespace fendle
