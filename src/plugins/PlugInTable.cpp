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

namespace fendle {

void PlugInTable::sortPlugInTable() {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const PlugInTableEntry& a, const PlugInTableEntry& b) { return a.compareNameAscending(b); });
}

const PlugInTableEntry* PlugInTable::plugInAtIndex(qsizetype row) const {
    return row >= 0 && row < rows_.size() ? &rows_[row] : nullptr;
}

PlugInTableEntry* PlugInTable::plugInAtIndex(qsizetype row) {
    return row >= 0 && row < rows_.size() ? &rows_[row] : nullptr;
}

PlistValue PlugInTable::tableDictionary() const {
    PlistValue::Dictionary table;
    for (const PlugInTableEntry& row : rows_)
        table.emplace_back(row.identifier.toLower(), PlistValue(PlistValue::Dictionary{{QStringLiteral("load"), PlistValue(row.loaded)}}));
    return PlistValue(std::move(table));
}

}  // namespace fendle
