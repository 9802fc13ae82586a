#pragma once
#include <QString>
#include <QStringList>

namespace fendle {

// The status line under the results: "result %d of %d - %d selected";
// selectedRow is -1 when nothing is selected.
QString searchResultsStatusText(qsizetype selectedRow, qsizetype numberOfRows, qsizetype numberOfSelectedRows);

// The desktop-search query for keyword strings ("a, b" each): every keyword
// as one quoted term, terms separated by one space.
QString desktopSearchQueryText(const QStringList& keywordStrings);

}  // namespace fendle
