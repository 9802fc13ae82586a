#include "plugins/PlugInServices.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/Paths.h"
#include "platform/plist/XmlPlist.h"
#include "platform/system/DateUtils.h"
#include "platform/system/Defaults.h"
#include "platform/system/Log.h"

namespace fendle {

void PlugInServices::log(const QString& line) const { logLine(line); }

PlistValue PlugInServices::plistFromVariant(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return PlistValue(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return PlistValue(value.toLongLong());
    case QMetaType::Double:
        return PlistValue(value.toDouble());
    case QMetaType::QDateTime:
        return PlistValue(value.toDateTime());
    case QMetaType::QByteArray:
        return PlistValue(value.toByteArray());
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        PlistValue::Array array;
        for (const QVariant& element : value.toList()) array.push_back(plistFromVariant(element));
        return PlistValue(std::move(array));
    }
    case QMetaType::QVariantMap: {
        PlistValue::Dictionary dictionary;
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) dictionary.emplace_back(it.key(), plistFromVariant(it.value()));
        return PlistValue(std::move(dictionary));
    }
    default:
        return PlistValue(value.toString());
    }
}

QByteArray PlugInServices::xmlPropertyList(const QVariant& value) const { return writeXmlPlist(plistFromVariant(value)); }

bool PlugInServices::writeCacheFile(const QString& path, const QByteArray& bytes) const {
    return writeFileAtomically(path, bytes, Durability::Regenerable).ok();
}

QString PlugInServices::dateDescription(const QDateTime& date) const { return standardDescription(date); }

bool PlugInServices::boolDefault(const QString& key) const { return defaults_.boolForKey(key); }

QString PlugInServices::spotlightCacheFolder() const { return Paths::spotlightCacheFolder(); }

}  // namespace fendle
