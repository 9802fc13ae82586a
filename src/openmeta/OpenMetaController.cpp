#include "openmeta/OpenMetaController.h"

#include "openmeta/OpenMeta.h"
#include "platform/system/Log.h"

namespace fendle {

OpenMetaStatus OpenMetaController::setUserTags(const QStringList& tags, const QString& path) const {
    const OpenMetaStatus tagged = OpenMeta::setUserTags(tags, path);
    if (tagged) logLine(QStringLiteral("Error when setting OpenMeta tags on %1").arg(path));
    const OpenMetaStatus managed = OpenMeta::setXAttrMetaData(PlistValue(true), OpenMeta::ManagedKey, path);
    if (managed) logLine(QStringLiteral("Error when setting OpenMeta managed attribute on %1").arg(path));
    return tagged ? tagged : managed;
}

QStringList OpenMetaController::getUserTags(const QString& path) const {
    OpenMetaAnswer<QStringList> tags = OpenMeta::getUserTags(path);
    if (tags.error) logLine(QStringLiteral("Error when getting OpenMeta tags for %1").arg(path));
    return tags.value.value_or(QStringList());
}

}  // namespace fendle
