#include "platform/text/TextOrdering.h"

#include "platform/text/TextMatching.h"

namespace fendle {
namespace {
int sign(int v) { return (v > 0) - (v < 0); }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Compares the digit runs starting at i and j by value; advances both.
int compareDigitRuns(const QString& a, qsizetype& i, const QString& b, qsizetype& j) {
    while (i < a.size() && a[i] == u'0' && i + 1 < a.size() && isDigit(a[i + 1])) ++i;
    while (j < b.size() && b[j] == u'0' && j + 1 < b.size() && isDigit(b[j + 1])) ++j;
    qsizetype ei = i, ej = j;
    while (ei < a.size() && isDigit(a[ei])) ++ei;
    while (ej < b.size() && isDigit(b[ej])) ++ej;
    int result = sign(static_cast<int>((ei - i) - (ej - j)));
    for (qsizetype k = 0; result == 0 && k < ei - i; ++k) result = sign(a[i + k].unicode() - b[j + k].unicode());
    i = ei;
    j = ej;
    return result;
}
}  // namespace

int compareIgnoringCase(const QString& a, const QString& b) {
    const int folded = sign(foldCase(a).compare(foldCase(b)));
    return folded != 0 ? folded : sign(a.compare(b));
}

int compareFoldedNumerically(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int r = compareDigitRuns(a, i, b, j)) return r;
            continue;
        }
        if (a[i] != b[j]) return sign(a[i].unicode() - b[j].unicode());
        ++i;
        ++j;
    }
    return sign(static_cast<int>((a.size() - i) - (b.size() - j)));
}

int compareNumericallyIgnoringCase(const QString& a, const QString& b) {
    const int folded = compareFoldedNumerically(foldCase(a), foldCase(b));
    return folded != 0 ? folded : sign(a.compare(b));
}

}  // namespace fendle
