#pragma once
#include "openmeta/OpenMetaError.h"
#include "platform/plist/PlistValue.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle {

// The tagging layer: metadata stored as extended attributes of a file, each
// value a binary property list, under the OpenMeta name of its key, with a
// time stamp of its last write and a mirror under the desktop search name.
// Every successful write hands the file to the backup store.
class OpenMeta {
public:
    static inline const QString UserTagsKey = QStringLiteral("kMDItemOMUserTags");
    static inline const QString UserTagTimeKey = QStringLiteral("kMDItemOMUserTagTime");
    static inline const QString LegacyUserTagsKey = QStringLiteral("kOMUserTags");
    static inline const QString ManagedKey = QStringLiteral("kMDItemOMManaged");

    static QString openmetaKey(const QString& key);      // "org.openmetainfo:" + key
    static QString openmetaTimeKey(const QString& key);  // "org.openmetainfo.time:" + key
    static QString spotlightKey(const QString& key);     // "com.apple.metadata:" + key

    // Cleans the tags and writes them with their time stamp, under the
    // legacy names and with the mirrors; the desktop's "xdg.tags" follows.
    static OpenMetaStatus setUserTags(const QStringList& tags, const QString& path);
    static OpenMetaAnswer<QStringList> getUserTags(const QString& path);

    // An absent value removes the attribute.
    static OpenMetaStatus setXAttrMetaData(const std::optional<PlistValue>& value, const QString& key,
                                           const QString& path);
    static OpenMetaStatus setXAttrNoSpotlightMirror(const std::optional<PlistValue>& value, const QString& omKey,
                                                    const QString& path);
    static OpenMetaStatus setNSArrayMetaData(const std::optional<PlistValue>& array, const QString& key,
                                             const QString& path);
    static OpenMetaStatus setXAttr(const std::optional<PlistValue>& value, const QString& name, const QString& path);
    static OpenMetaAnswer<PlistValue> getXAttr(const QString& name, const QString& path);

    // The strings of an array whose elements are all strings; none otherwise.
    static std::optional<QStringList> validateAsArrayOfStrings(const PlistValue& value);
    static QStringList decomposeArrayOfStrings(const QStringList& tags);
    // Decomposed tags, one per lower-cased form, at the place of its first
    // occurrence and in its last spelling.
    static QStringList removeDuplicateTags(const QStringList& tags);
    // The values of dict in the order of their keys' first appearance among
    // the lower-cased hints.
    static QStringList orderedArrayWithDict(const QHash<QString, QString>& dict, const QStringList& sortHint);
};

}  // namespace fendle
