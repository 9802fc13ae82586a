#include "plugins/PlugInTable.h"

#include "platform/system/Defaults.h"

namespace fendle {

PlistValue::Dictionary PlugInTable::saved(const Defaults& defaults) {
    const std::optional<PlistValue> saved = defaults.objectForKey(DefaultsKey);
    if (saved && saved->type() == PlistValue::Type::Dictionary) return saved->dictionary();
    return {{SpotlightPlugInIdentifier, PlistValue(PlistValue::Dictionary{{QStringLiteral("load"), PlistValue(true)}})}};
}

bool PlugInTable::loadEntry(const PlistValue::Dictionary& table, const QString& identifier) {
    // The table is keyed by the lower-cased identifier.
    const QString key = identifier.toLower();
    for (const auto& [k, entry] : table) {
        if (k != key || entry.type() != PlistValue::Type::Dictionary) continue;
        const PlistValue* load = entry.value(QStringLiteral("load"));
        return load && load->type() == PlistValue::Type::Boolean && load->toBool();
    }
    return false;
}

}  // namespace fendle
