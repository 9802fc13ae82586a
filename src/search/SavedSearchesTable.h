#pragma once
#include "model/BoxData.h"

namespace fendle {

// The table of a box's saved searches: each entry the pair [name, rules].
// It edits a copy; the box takes the result back (no undo step).
class SavedSearchesTable {
public:
    static inline const QString UntitledSearch = QStringLiteral("Untitled search");

    explicit SavedSearchesTable(QVariantList searches) : searches_(std::move(searches)) {}

    const QVariantList& savedSearchesOfMyBox() const { return searches_; }
    qsizetype numberOfRows() const { return savedSearchesOfMyBox().size(); }
    // The name of a row; empty for an entry that is not a [name, rules] pair.
    QString nameAtRow(qsizetype row) const;
    // The rules of a row; invalid for a malformed entry or a row out of range.
    QVariant rulesAtRow(qsizetype row) const;

    // Each answers whether the box changed.
    bool saveSearch(const QVariantList& rules);
    bool replaceSearch(qsizetype row, const QVariantList& rules);
    bool deleteSearch(qsizetype row);
    bool renameSearch(qsizetype row, const QString& name);

private:
    QVariantList searches_;
};

}  // namespace fendle
