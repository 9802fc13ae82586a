#include "search/SearchResultsText.h"

namespace fendle {

QString searchResultsStatusText(qsizetype selectedRow, qsizetype numberOfRows, qsizetype numberOfSelectedRows) {
    return QStringLiteral("result %1 of %2 - %3 selected")
        .arg(selectedRow < 0 ? 0 : selectedRow + 1)
        .arg(numberOfRows)
        .arg(numberOfSelectedRows);
}

QString desktopSearchQueryText(const QStringList& keywordStrings) {
    const QString quoteSpaceQuote = QStringLiteral("\" \"");
    QString query = QLatin1Char('"') + keywordStrings.join(quoteSpaceQuote);
    query.replace(QStringLiteral("  "), QStringLiteral(" "));
    query.replace(QStringLiteral(", "), quoteSpaceQuote);
    return query + QLatin1Char('"');
}

}  // namespace fendle
