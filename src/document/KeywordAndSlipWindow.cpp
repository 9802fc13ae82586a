#include "document/KeywordAndSlipWindow.h"

#include <QCollator>
#include <algorithm>

namespace fendle {

namespace {
// Numeric string comparison: digit runs compare by value, so 9 before 10.
int compareNumerically(const QString& a, const QString& b) {
    static thread_local QCollator collator = [] {
        QCollator c(QLocale::c());
        c.setNumericMode(true);
        return c;
    }();
    return collator.compare(a, b);
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
