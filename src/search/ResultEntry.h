#pragma once
#include "model/Slip.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace fendle {

// One row of the search results: a snapshot of a slip's fields, except the
// flag, which the table toggles. Comparators answer -1, 0 or 1.
class ResultEntry {
public:
    ResultEntry() = default;
    static ResultEntry resultEntryWithIdentifier(const QString& identifier, const QString& entry,
                                                 const std::optional<QString>& title,
                                                 const std::optional<QString>& source,
                                                 const std::optional<QString>& type,
                                                 const std::optional<QString>& author, const QDateTime& creationDate,
                                                 const QDateTime& modificationDate);
    static ResultEntry fromSlip(const Slip& slip);

    bool isFlagged() const { return flagged_; }
    void setFlagged(bool flagged) { flagged_ = flagged; }
    void toggleFlagged() { flagged_ = !flagged_; }
    const QString& resultID() const { return resultID_; }
    const QString& entry() const { return entry_; }
    const std::optional<QString>& title() const { return title_; }
    const std::optional<QString>& source() const { return source_; }
    const std::optional<QString>& slipType() const { return slipType_; }
    const std::optional<QString>& author() const { return author_; }
    const QDateTime& creationDate() const { return creationDate_; }
    const QDateTime& modificationDate() const { return modificationDate_; }

    int compareFlaggedAscending(const ResultEntry& other) const;
    int compareFlaggedDescending(const ResultEntry& other) const { return other.compareFlaggedAscending(*this); }
    int compareIDAscending(const ResultEntry& other) const;
    int compareIDDescending(const ResultEntry& other) const { return other.compareIDAscending(*this); }
    int compareEntryAscending(const ResultEntry& other) const;
    int compareEntryDescending(const ResultEntry& other) const;
    int compareSlipTitleAscending(const ResultEntry& other) const;
    int compareSlipTitleDescending(const ResultEntry& other) const { return other.compareSlipTitleAscending(*this); }
    int compareSourceAscending(const ResultEntry& other) const;
    int compareSourceDescending(const ResultEntry& other) const { return other.compareSourceAscending(*this); }
    int compareSlipTypeAscending(const ResultEntry& other) const;
    int compareSlipTypeDescending(const ResultEntry& other) const { return other.compareSlipTypeAscending(*this); }
    int compareAuthorAscending(const ResultEntry& other) const;
    int compareAuthorDescending(const ResultEntry& other) const { return other.compareAuthorAscending(*this); }
    int compareCreationDateAscending(const ResultEntry& other) const;
    int compareCreationDateDescending(const ResultEntry& other) const {
        return other.compareCreationDateAscending(*this);
    }
    int compareModificationDateAscending(const ResultEntry& other) const;
    int compareModificationDateDescending(const ResultEntry& other) const {
        return other.compareModificationDateAscending(*this);
    }

    QString description() const;

private:
    bool flagged_ = false;
    QString resultID_;
    QString entry_;
    std::optional<QString> title_;
    std::optional<QString> source_;
    std::optional<QString> slipType_;
    std::optional<QString> author_;
    QDateTime creationDate_;
    QDateTime modificationDate_;
};

}  // namespace fendle
