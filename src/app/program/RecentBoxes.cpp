#include "app/program/RecentBoxes.h"

#include "platform/system/Defaults.h"

#include <QFileInfo>

namespace fendle {

QStringList RecentBoxes::paths() const {
    QStringList result;
    const std::optional<PlistValue> stored = defaults_.objectForKey(DefaultsKey);
    if (!stored || stored->type() != PlistValue::Type::Array) return result;
    for (const PlistValue& value : stored->array()) {
        // Whatever else another program left under the key is skipped.
        if (value.type() == PlistValue::Type::String && !value.toString().isEmpty() && result.size() < MaxCount)
            result.append(value.toString());
    }
    return result;
}

void RecentBoxes::note(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > MaxCount) list.removeLast();
    PlistValue::Array array;
    for (const QString& entry : list) array.push_back(PlistValue(entry));
    defaults_.setObject(DefaultsKey, PlistValue(array));
}

void RecentBoxes::clear() { defaults_.removeObject(DefaultsKey); }

}  // namespace fendle
