#include "plugins/PlugInInfo.h"

namespace fendle {

const PlistValue* PlugInInfo::entry(const QString& key) const {
    for (const auto& [k, v] : info_)
        if (k == key) return &v;
    return nullptr;
}

QString PlugInInfo::string(const char* key) const {
    const PlistValue* value = entry(QString::fromLatin1(key));
    return value && value->type() == PlistValue::Type::String ? value->toString() : QString();
}

std::optional<QString> PlugInInfo::requiredVersion() const {
    const PlistValue* value = entry(QStringLiteral("ZNRequiredFDLVersion"));
    return value && value->type() == PlistValue::Type::String ? std::optional<QString>(value->toString()) : std::nullopt;
}

std::optional<QDateTime> PlugInInfo::versionDate() const {
    const PlistValue* value = entry(QStringLiteral("ZNVersionDate"));
    return value && value->type() == PlistValue::Type::Date ? std::optional<QDateTime>(value->toDate()) : std::nullopt;
}

}  // namespace fendle
