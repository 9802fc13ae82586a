#pragma once
#include <QString>

namespace fendle {

// Orderings of the sorted lists: keywords case-insensitively, slip labels and
// keys with digit runs read as numbers. Both compare folded text by UTF-16
// unit and fall back to the plain text, so equal-looking strings still get a
// fixed order. Negative, zero or positive like strcmp.
int compareIgnoringCase(const QString& a, const QString& b);
int compareNumericallyIgnoringCase(const QString& a, const QString& b);

// The same orderings on texts that are already case folded.
int compareFoldedNumerically(const QString& a, const QString& b);

}  // namespace fendle
