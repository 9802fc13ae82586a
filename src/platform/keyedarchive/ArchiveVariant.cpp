#include "platform/keyedarchive/ArchiveVariant.h"

namespace fendle {

QVariant toVariant(const ArchiveValue& value) {
    const auto& s = value.storage();
    if (const auto* v = std::get_if<bool>(&s)) return *v;
    if (const auto* v = std::get_if<qint64>(&s)) return *v;
    if (const auto* v = std::get_if<double>(&s)) return *v;
    if (const auto* v = std::get_if<QString>(&s)) return *v;
    if (const auto* v = std::get_if<QByteArray>(&s)) return *v;
    if (const auto* v = std::get_if<QDateTime>(&s)) return *v;
    if (const ArchiveList* list = value.toList()) {
        QVariantList out;
        for (const ArchiveValue& item : list->items) out.append(toVariant(item));
        return out;
    }
    if (const ArchiveMap* map = value.toMap()) {
        QVariantMap out;
        for (const auto& [k, v] : map->entries)
            if (const auto key = k.toString()) out.insert(*key, toVariant(v));
        return out;
    }
    return {};
}

ArchiveValue fromVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool: return ArchiveValue(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return ArchiveValue(static_cast<qint64>(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float: return ArchiveValue(value.toDouble());
    case QMetaType::QString: return ArchiveValue(value.toString());
    case QMetaType::QByteArray: return ArchiveValue(value.toByteArray());
    case QMetaType::QDateTime: return ArchiveValue(value.toDateTime());
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        std::vector<ArchiveValue> items;
        for (const QVariant& item : value.toList()) items.push_back(fromVariant(item));
        return ArchiveValue::list(std::move(items));
    }
    case QMetaType::QVariantMap: {
        std::vector<std::pair<ArchiveValue, ArchiveValue>> entries;
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) entries.emplace_back(ArchiveValue(it.key()), fromVariant(it.value()));
        return ArchiveValue::map(std::move(entries));
    }
    default: return ArchiveValue();
    }
}

}  // namespace fendle
