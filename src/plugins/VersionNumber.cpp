#include "plugins/VersionNumber.h"

#include <QStringList>

namespace fendle {

namespace {
// The leading decimal digits; none give 0.
qint64 leadingInteger(const QString& component) {
    qint64 value = 0;
    for (const QChar c : component) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        value = std::min<qint64>(value * 10 + (c.unicode() - '0'), qint64(1) << 40);
    }
    return value;
}
}  // namespace

bool versionNumber(const QString& a, const QString& b) {
    const QStringList as = a.split(QLatin1Char('.'));
    const QStringList bs = b.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < bs.size(); ++i) {
        const qint64 left = leadingInteger(i < as.size() ? as[i] : QStringLiteral("0"));
        const qint64 right = leadingInteger(bs[i]);
        if (left != right) return left > right;
    }
    return true;
}

}  // namespace fendle
