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

namespace {
// The number of the digits at text[from, from + count), or -1.
int digitsAt(const QString& text, qsizetype from, int count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}
}  // namespace

std::optional<QDateTime> dateFromStandardDescription(const QString& text) {
    // "yyyy-MM-dd HH:mm:ss +hhmm", read by hand: cache files carry one each,
    // and a desktop search reads a hundred thousand of them.
    static const QString shape = QStringLiteral("0000-00-00 00:00:00 +0000");
    if (text.size() != shape.size()) return std::nullopt;
    for (qsizetype i = 0; i < shape.size(); ++i) {
        const QChar expected = shape.at(i);
        if (expected == u'0' || expected == u'+') continue;
        if (text.at(i) != expected) return std::nullopt;
    }
    const QChar sign = text.at(20);
    if (sign != u'+' && sign != u'-') return std::nullopt;
    const QDate day(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    const QTime time(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
    const int hours = digitsAt(text, 21, 2), minutes = digitsAt(text, 23, 2);
    if (!day.isValid() || !time.isValid() || hours < 0 || minutes < 0 || minutes > 59) return std::nullopt;
    const int offset = (sign == u'-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    return QDateTime(day, time, QTimeZone::utc()).addSecs(-offset);
}

QDateTime dayOf(const QDateTime& date) {
    const QDate localDay = date.toLocalTime().date();
    return QDateTime(localDay, QTime(0, 0, 0), QTimeZone::utc());
}

}  // namespace fendle
