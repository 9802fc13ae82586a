#include "openmeta/OpenMetaBackupContents.h"

#include "openmeta/OpenMetaValueCodec.h"
#include "platform/files/ExtendedAttributes.h"

#include <QDateTime>

namespace fendle {

bool OpenMetaBackupContents::attributeKeyMeansBackup(const QString& name) {
    return name.startsWith(QLatin1String("org.openmetainfo")) || name.startsWith(QLatin1String("kMDItemOM")) ||
           name.startsWith(QLatin1String("com.apple.metadata:kMDItem"));
}

std::optional<PlistValue::Dictionary> OpenMetaBackupContents::openMetaDictForPath(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    const std::optional<QStringList> names = ExtendedAttributes::list(path);
    if (!names || names->isEmpty()) return std::nullopt;
    PlistValue::Dictionary attributes;
    for (const QString& name : *names) {
        if (!attributeKeyMeansBackup(name)) continue;
        const ExtendedAttributes::Value stored = ExtendedAttributes::get(path, name);
        if (!stored.bytes) continue;
        OpenMetaAnswer<PlistValue> value = OpenMetaValueCodec::decode(*stored.bytes);
        if (value.value) attributes.emplace_back(name, std::move(*value.value));
    }
    return attributes;
}

std::optional<PlistValue> OpenMetaBackupContents::backupDictForPath(const QString& path) {
    std::optional<PlistValue::Dictionary> attributes = openMetaDictForPath(path);
    if (!attributes || attributes->empty()) return std::nullopt;
    return PlistValue(PlistValue::Dictionary{
        {OpenMetaDictKey, PlistValue(std::move(*attributes))},
        {PathKey, PlistValue(path)},
        {DateKey, PlistValue(QDateTime::currentDateTimeUtc())},
    });
}

}  // namespace fendle
