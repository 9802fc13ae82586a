#include "platform/system/DateUtils.h"

#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace fendle {

namespace {
// 2001-01-01 00:00:00 UTC.
constexpr qint64 ReferenceMSecs = 978307200000;
}  // namespace

QDateTime referenceDate() {
    return QDateTime(QDate(2001, 1, 1), QTime(0, 0, 0), QTimeZone::utc());
}

QDateTime dateFromReferenceSeconds(double seconds) {
    if (!std::isfinite(seconds)) seconds = 0;
    // Keep far-out values inside what QDateTime can represent.
    constexpr double limit = 1.0e13;
    seconds = std::clamp(seconds, -limit, limit);
    // A plain UTC date: no time zone object behind it, so a box of many
    // slips does not pay for one per date.
    return QDateTime::fromMSecsSinceEpoch(ReferenceMSecs + static_cast<qint64>(std::llround(seconds * 1000.0)), Qt::UTC);
}

double secondsSinceReferenceDate(const QDateTime& date) {
    if (!date.isValid()) return 0;
    return static_cast<double>(date.toMSecsSinceEpoch() - ReferenceMSecs) / 1000.0;
}

QString standardDescription(const QDateTime& date) {
    const QDateTime local = date.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int absolute = std::abs(offset);
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(absolute / 3600, 2, 10, QLatin1Char('0'))
                             .arg((absolute % 3600) / 60, 2, 10, QLatin1Char('0'));
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + zone;
}

QDateTime dayOf(const QDateTime& date) {
    const QDate localDay = date.toLocalTime().date();
    return QDateTime(localDay, QTime(0, 0, 0), QTimeZone::utc());
}

}  // namespace fendle
