#include "search/SavedSearchesTable.h"

namespace fendle {
namespace {
QVariantList pairAt(const QVariantList& searches, qsizetype row) {
    if (row < 0 || row >= searches.size()) return {};
    const QVariantList pair = searches[row].toList();
    return pair.size() == 2 ? pair : QVariantList();
}
}  // namespace

QString SavedSearchesTable::nameAtRow(qsizetype row) const { return pairAt(savedSearchesOfMyBox(), row).value(0).toString(); }

QVariant SavedSearchesTable::rulesAtRow(qsizetype row) const { return pairAt(savedSearchesOfMyBox(), row).value(1); }

bool SavedSearchesTable::saveSearch(const QVariantList& rules) {
    QVariantList searches = savedSearchesOfMyBox();
    searches.append(QVariant(QVariantList{UntitledSearch, rules}));
    searches_ = searches;
    return true;
}

bool SavedSearchesTable::replaceSearch(qsizetype row, const QVariantList& rules) {
    QVariantList searches = savedSearchesOfMyBox();
    if (row < 0 || row >= searches.size()) return false;
    searches[row] = QVariantList{nameAtRow(row), rules};
    searches_ = searches;
    return true;
}

bool SavedSearchesTable::deleteSearch(qsizetype row) {
    QVariantList searches = savedSearchesOfMyBox();
    if (row < 0 || row >= searches.size()) return false;
    searches.removeAt(row);
    searches_ = searches;
    return true;
}

bool SavedSearchesTable::renameSearch(qsizetype row, const QString& name) {
    QVariantList searches = savedSearchesOfMyBox();
    if (row < 0 || row >= searches.size() || name == nameAtRow(row)) return false;
    searches[row] = QVariantList{name, rulesAtRow(row)};
    searches_ = searches;
    return true;
}

}  // namespace fendle
