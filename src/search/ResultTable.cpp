#include "search/ResultTable.h"

#include "platform/system/Log.h"

#include <algorithm>
#include <functional>

namespace fendle {
namespace {
using Comparator = int (ResultEntry::*)(const ResultEntry&) const;

struct SortKey {
    const char* key;
    Comparator ascending;
    Comparator descending;
};

constexpr SortKey SortKeys[] = {
    {"ID", &ResultEntry::compareIDAscending, &ResultEntry::compareIDDescending},
    {"value", &ResultEntry::compareEntryAscending, &ResultEntry::compareEntryDescending},
    {"slipTitle", &ResultEntry::compareSlipTitleAscending, &ResultEntry::compareSlipTitleDescending},
    {"source", &ResultEntry::compareSourceAscending, &ResultEntry::compareSourceDescending},
    {"slipType", &ResultEntry::compareSlipTypeAscending, &ResultEntry::compareSlipTypeDescending},
    {"author", &ResultEntry::compareAuthorAscending, &ResultEntry::compareAuthorDescending},
    {"creationDate", &ResultEntry::compareCreationDateAscending, &ResultEntry::compareCreationDateDescending},
    {"modificationDate", &ResultEntry::compareModificationDateAscending,
     &ResultEntry::compareModificationDateDescending},
    {"flagged", &ResultEntry::compareFlaggedAscending, &ResultEntry::compareFlaggedDescending},
};

QVariant optionalText(const std::optional<QString>& text) { return text ? QVariant(*text) : QVariant(); }
}  // namespace

ResultTable::ResultTable(ResultTableBox* box) : myBox_(box) {
    if (!box) logLine(QStringLiteral("ResultTable:initWithBoxInterface: myBox is nil!"));
}

ResultTable ResultTable::fromSlips(const QList<SlipPtr>& slips, ResultTableBox* box,
                                   const QList<SortDescriptor>& sortDescriptors) {
    ResultTable table(box);
    table.results_.reserve(slips.size());
    for (const SlipPtr& slip : slips)
        if (slip) table.results_.append(ResultEntry::fromSlip(*slip));
    table.sortTableWithSortDescriptors(sortDescriptors);
    return table;
}

ResultTable ResultTable::resultsAtIndexes(QList<qsizetype> indexes) const {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    ResultTable selected(nullptr);
    for (qsizetype index : indexes)
        if (index >= 0 && index < results_.size()) selected.results_.append(results_[index]);
    return selected;
}

QStringList ResultTable::slipIDsForResults() const {
    QStringList ids;
    ids.reserve(results_.size());
    for (const ResultEntry& entry : results_) ids.append(entry.resultID());
    return ids;
}

qsizetype ResultTable::rowForResultWithSlipID(const QString& key) const {
    for (qsizetype row = 0; row < results_.size(); ++row)
        if (results_[row].resultID() == key) return row;
    return -1;
}

void ResultTable::sortTableWithSortDescriptors(const QList<SortDescriptor>& sortDescriptors) {
    if (sortDescriptors.isEmpty()) return;
    const SortDescriptor& first = sortDescriptors.first();
    for (const SortKey& sortKey : SortKeys) {
        if (first.key != QLatin1String(sortKey.key)) continue;
        const Comparator compare = first.ascending ? sortKey.ascending : sortKey.descending;
        std::stable_sort(results_.begin(), results_.end(),
                         [compare](const ResultEntry& a, const ResultEntry& b) { return (a.*compare)(b) < 0; });
        return;
    }
}

QVariant ResultTable::objectValue(const QString& column, qsizetype row) const {
    if (row < 0 || row >= results_.size()) return QVariant();
    const ResultEntry& entry = results_[row];
    if (column == u"ID") return entry.resultID();
    if (column == u"flagged") return entry.isFlagged() ? QStringLiteral("1") : QStringLiteral("0");
    if (column == u"value" || column == u"levelIndicator") return entry.entry();
    if (column == u"slipTitle") return optionalText(entry.title());
    if (column == u"source") return optionalText(entry.source());
    if (column == u"slipType") return optionalText(entry.slipType());
    if (column == u"author") return optionalText(entry.author());
    if (column == u"creationDate") return entry.creationDate();
    if (column == u"modificationDate") return entry.modificationDate();
    return QStringLiteral("Some error occurred.");
}

void ResultTable::setObjectValue(const QVariant& value, const QString& column, qsizetype row) {
    Q_UNUSED(value);
    if (column != u"flagged" || row < 0 || row >= results_.size()) return;
    ResultEntry& entry = results_[row];
    entry.toggleFlagged();
    if (!myBox_) {
        logLine(QStringLiteral("ResultTable:tableView:setObjectValue:forTableColumn:row: myBox not defined!"));
        return;
    }
    myBox_->setFlagged(entry.isFlagged(), entry.resultID(), *this);
}

}  // namespace fendle
