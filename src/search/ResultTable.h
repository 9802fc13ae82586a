#pragma once
#include "search/ResultEntry.h"
#include "search/ResultTableBox.h"
#include "search/SortDescriptor.h"

#include <QList>
#include <QVariant>

namespace fendle {

// The model of the search-results table: entries in display order.
class ResultTable {
public:
    // Logs when there is no box; such a table cannot pass flags on.
    explicit ResultTable(ResultTableBox* box);
    // The entries of the slips, in the given order, then sorted.
    static ResultTable fromSlips(const QList<SlipPtr>& slips, ResultTableBox* box,
                                 const QList<SortDescriptor>& sortDescriptors);

    const QList<ResultEntry>& results() const { return results_; }
    void setResults(const QList<ResultEntry>& results) { results_ = results; }
    qsizetype count() const { return results_.size(); }
    const ResultEntry& resultAtIndex(qsizetype index) const { return results_.at(index); }
    void replaceResultAtIndex(qsizetype index, const ResultEntry& entry) { results_[index] = entry; }
    // A new table, not bound to a box, with the entries at those rows in row order.
    ResultTable resultsAtIndexes(QList<qsizetype> indexes) const;
    QStringList slipIDsForResults() const;
    qsizetype rowForResultWithSlipID(const QString& key) const;

    // Only the first descriptor counts.
    void sortTableWithSortDescriptors(const QList<SortDescriptor>& sortDescriptors);

    // Table data source.
    qsizetype numberOfRows() const { return count(); }
    QVariant objectValue(const QString& columnIdentifier, qsizetype row) const;
    // Editing the "flagged" column toggles the flag and tells the box.
    void setObjectValue(const QVariant& value, const QString& columnIdentifier, qsizetype row);

private:
    QList<ResultEntry> results_;
    ResultTableBox* myBox_ = nullptr;
};

}  // namespace fendle
