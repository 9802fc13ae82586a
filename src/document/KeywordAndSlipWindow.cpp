#include "document/KeywordAndSlipWindow.h"

#include <algorithm>

namespace fendle {

namespace {
// Numeric string comparison for slip keys: by value, so 9 before 10.
int compareNumerically(const QString& a, const QString& b) {
    bool aNumber = false, bNumber = false;
    const qint64 x = a.toLongLong(&aNumber), y = b.toLongLong(&bNumber);
    if (aNumber && bNumber) return x < y ? -1 : (x > y ? 1 : 0);
    return a.compare(b);
}
}  // namespace

QVariant KeywordAndSlipWindow::objectValue(const QString& columnIdentifier, qsizetype row) const {
    if (row < 0 || row >= singletonKeywordsArray_.size()) return {};
    if (columnIdentifier == KeywordColumn) return singletonKeywordsArray_.at(row).text;
    if (columnIdentifier == SlipColumn) return singletonKeywordsArray_.at(row).key;
    return QStringLiteral("Some error occurred.");
}

bool KeywordAndSlipWindow::sortKeywordsAscending(const Row& a, const Row& b) { return a.text < b.text; }
bool KeywordAndSlipWindow::sortKeywordsDescending(const Row& a, const Row& b) { return b.text < a.text; }
bool KeywordAndSlipWindow::sortSlipAscending(const Row& a, const Row& b) {
    return compareNumerically(a.key, b.key) < 0;
}
bool KeywordAndSlipWindow::sortSlipDescending(const Row& a, const Row& b) {
    return compareNumerically(b.key, a.key) < 0;
}

void KeywordAndSlipWindow::sortTableWithSortDescriptors(const QList<SortDescriptor>& descriptors) {
    if (descriptors.isEmpty()) return;
    const SortDescriptor& first = descriptors.first();
    bool (*less)(const Row&, const Row&) = nullptr;
    if (first.key == KeywordColumn) less = first.ascending ? sortKeywordsAscending : sortKeywordsDescending;
    if (first.key == SlipColumn) less = first.ascending ? sortSlipAscending : sortSlipDescending;
    if (less) std::stable_sort(singletonKeywordsArray_.begin(), singletonKeywordsArray_.end(), less);
}

void KeywordAndSlipWindow::tableViewSortDescriptorsDidChange(const QList<SortDescriptor>& descriptors) {
    sortTableWithSortDescriptors(descriptors);
    selectedRow_ = -1;
}

void KeywordAndSlipWindow::doubleClick() const {
    if (selectedRow_ < 0 || !doubleAction_) return;
    doubleAction_(singletonKeywordsArray_.at(selectedRow_).key);
}

}  // namespace fendle
