#include "search/ResultEntry.h"

#include "platform/text/TextOrdering.h"

namespace fendle {
namespace {
// Absent fields sort as empty ones.
int compareText(const std::optional<QString>& a, const std::optional<QString>& b) {
    return compareIgnoringCase(a.value_or(QString()), b.value_or(QString()));
}

int compareDates(const QDateTime& a, const QDateTime& b) { return (a > b) - (a < b); }

bool bothBeginWithMinus(const QString& a, const QString& b) {
    return a.startsWith(QLatin1Char('-')) && b.startsWith(QLatin1Char('-'));
}
}  // namespace

ResultEntry ResultEntry::resultEntryWithIdentifier(const QString& identifier, const QString& entry,
                                                   const std::optional<QString>& title,
                                                   const std::optional<QString>& source,
                                                   const std::optional<QString>& type,
                                                   const std::optional<QString>& author,
                                                   const QDateTime& creationDate, const QDateTime& modificationDate) {
    ResultEntry result;
    result.resultID_ = identifier;
    result.entry_ = entry;
    result.title_ = title;
    result.source_ = source;
    result.slipType_ = type;
    result.author_ = author;
    result.creationDate_ = creationDate;
    result.modificationDate_ = modificationDate;
    return result;
}

ResultEntry ResultEntry::fromSlip(const Slip& slip) {
    ResultEntry result = resultEntryWithIdentifier(slip.key(), slip.keywordsString(), slip.title(), slip.source(),
                                                   slip.slipType(), slip.author(), slip.creationTime(),
                                                   slip.lastModificationTime());
    result.setFlagged(slip.isFlagged());
    return result;
}

int ResultEntry::compareFlaggedAscending(const ResultEntry& other) const {
    return int(flagged_) - int(other.flagged_);
}

int ResultEntry::compareIDAscending(const ResultEntry& other) const {
    return compareNumericallyIgnoringCase(resultID_, other.resultID_);
}

// Keyword strings that both begin with "-" sort the other way round.
int ResultEntry::compareEntryAscending(const ResultEntry& other) const {
    const int order = compareIgnoringCase(entry_, other.entry_);
    return bothBeginWithMinus(entry_, other.entry_) ? -order : order;
}

int ResultEntry::compareEntryDescending(const ResultEntry& other) const {
    const int order = compareIgnoringCase(other.entry_, entry_);
    return bothBeginWithMinus(entry_, other.entry_) ? -order : order;
}

int ResultEntry::compareSlipTitleAscending(const ResultEntry& other) const { return compareText(title_, other.title_); }
int ResultEntry::compareSourceAscending(const ResultEntry& other) const { return compareText(source_, other.source_); }
int ResultEntry::compareSlipTypeAscending(const ResultEntry& other) const {
    return compareText(slipType_, other.slipType_);
}
int ResultEntry::compareAuthorAscending(const ResultEntry& other) const { return compareText(author_, other.author_); }
int ResultEntry::compareCreationDateAscending(const ResultEntry& other) const {
    return compareDates(creationDate_, other.creationDate_);
}
int ResultEntry::compareModificationDateAscending(const ResultEntry& other) const {
    return compareDates(modificationDate_, other.modificationDate_);
}

QString ResultEntry::description() const {
    return QStringLiteral("<ResultEntry: %1> -- Result ID: %2")
        .arg(QString::number(reinterpret_cast<quintptr>(this), 16), resultID_);
}

}  // namespace fendle
