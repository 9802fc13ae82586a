#include "platform/keyedarchive/ArchiveValue.h"

#include <QUrl>

namespace fendle {

QString ArchiveUrl::absolute() const {
    if (!base) return relative;
    return QUrl(*base).resolved(QUrl(relative)).toString();
}

ArchiveValue ArchiveValue::list(std::vector<ArchiveValue> items, bool isMutable) {
    auto l = std::make_shared<ArchiveList>();
    l->isMutable = isMutable;
    l->items = std::move(items);
    return ArchiveValue(List(std::move(l)));
}

ArchiveValue ArchiveValue::map(std::vector<std::pair<ArchiveValue, ArchiveValue>> entries, bool isMutable) {
    auto m = std::make_shared<ArchiveMap>();
    m->isMutable = isMutable;
    m->entries = std::move(entries);
    return ArchiveValue(Map(std::move(m)));
}

std::optional<QString> ArchiveValue::toString() const {
    if (const QString* s = as<QString>()) return *s;
    return std::nullopt;
}

std::optional<qint64> ArchiveValue::toInteger() const {
    if (const qint64* i = as<qint64>()) return *i;
    if (const bool* b = as<bool>()) return *b ? 1 : 0;
    if (const double* d = as<double>()) {
        if (!(*d >= -9.2e18 && *d <= 9.2e18)) return std::nullopt;
        return static_cast<qint64>(*d);
    }
    return std::nullopt;
}

std::optional<double> ArchiveValue::toReal() const {
    if (const double* d = as<double>()) return *d;
    if (const qint64* i = as<qint64>()) return static_cast<double>(*i);
    return std::nullopt;
}

const ArchiveList* ArchiveValue::toList() const {
    const List* l = as<List>();
    return l ? l->get() : nullptr;
}

const ArchiveMap* ArchiveValue::toMap() const {
    const Map* m = as<Map>();
    return m ? m->get() : nullptr;
}

const ArchiveValue* ArchiveValue::value(const QString& key) const {
    const ArchiveMap* m = toMap();
    if (!m) return nullptr;
    for (const auto& [k, v] : m->entries)
        if (const QString* s = k.as<QString>(); s && *s == key) return &v;
    return nullptr;
}

}  // namespace fendle
