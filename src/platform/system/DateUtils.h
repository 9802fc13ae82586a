#pragma once
#include <QDateTime>
#include <QString>
#include <optional>

namespace fendle {

// 2001-01-01 00:00:00 UTC, the epoch archived dates count from.
QDateTime referenceDate();
QDateTime dateFromReferenceSeconds(double seconds);
double secondsSinceReferenceDate(const QDateTime& date);

// "yyyy-MM-dd HH:mm:ss +hhmm" in the local time zone.
QString standardDescription(const QDateTime& date);
// The date a standard description names (in UTC); none for any other text.
std::optional<QDateTime> dateFromStandardDescription(const QString& text);

// Midnight UTC of the local calendar day of the date, the value day
// comparisons in searches work with.
QDateTime dayOf(const QDateTime& date);

}  // namespace fendle
