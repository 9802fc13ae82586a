#include "document/SlipChoice.h"

#include "document/Box.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/system/DateUtils.h"
#include "platform/system/Log.h"

#include <QMap>
#include <cmath>
#include <cstdlib>

namespace fendle {

SlipPtr SlipChoice::randomSlip(const BoxData& box, const QDateTime& now) {
    const SlipDictionary& slips = box.slips();
    if (slips.isEmpty()) return nullptr;
    const double seconds = std::floor(secondsSinceReferenceDate(now));
    const quint32 clamped = seconds <= 0 ? 0u : seconds >= 4294967295.0 ? 4294967295u : static_cast<quint32>(seconds);
    // The index counts in the store's enumeration order; stepping there
    // spares copying the whole list.
    return *std::next(slips.cbegin(), clamped % static_cast<quint32>(slips.size()));
}

std::optional<QString> SlipChoice::lastSlipOpen(const std::optional<QString>& fileName) {
    if (!fileName) return std::nullopt;
    // The attribute written on closing comes first, so that an old value
    // under the other name cannot hide the slip last shown.
    for (const QString& name : {Box::LastSlipOpenAttribute, Box::OtherLastSlipOpenAttribute}) {
        const auto value = ExtendedAttributes::get(*fileName, name);
        if (value.bytes) {
            const QString key = QString::fromUtf8(*value.bytes).trimmed();
            return key.isEmpty() ? std::nullopt : std::optional<QString>(key);
        }
    }
    return std::nullopt;
}

void SlipChoice::recordLastSlipOpen(const QString& fileName, const QString& key) {
    const auto result = ExtendedAttributes::set(fileName, Box::LastSlipOpenAttribute, key.toUtf8());
    if (!result.ok) logLine(QStringLiteral("Error in setting extended attributes for %1.").arg(fileName));
}

SlipPtr SlipChoice::suggestion(Box& box, const QStringList& suggestedLately) {
    const SlipPtr current = box.currentSlip();
    QStringList candidates = box.slipScentsForSlip(*current).relatedKeys();
    if (candidates.isEmpty()) return nullptr;
    candidates.removeAll(current->key());
    for (const QString& key : suggestedLately) candidates.removeAll(key);
    if (candidates.isEmpty()) return randomSlip(box.box(), QDateTime::currentDateTimeUtc());
    QMap<int, QStringList> byShared;
    for (const QString& key : candidates) {
        if (const SlipPtr slip = box.slip(key))
            byShared[slip->numberOfSharedKeywords(current->keywords().toStringList())].append(key);
    }
    if (byShared.isEmpty()) return nullptr;
    const QStringList& best = byShared.last();
    return box.slip(best.at(std::abs(std::rand()) % best.size()));
}

}  // namespace fendle
