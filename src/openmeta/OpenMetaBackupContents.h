#pragma once
#include "platform/plist/PlistValue.h"

#include <QString>
#include <optional>

namespace fendle {

// What a backup file holds: the file's OpenMeta attributes, decoded, with
// the file's path and the date of the backup.
class OpenMetaBackupContents {
public:
    static inline const QString OpenMetaDictKey = QStringLiteral("omDict");
    static inline const QString PathKey = QStringLiteral("bu_path");
    static inline const QString DateKey = QStringLiteral("bu_date");

    // Whether an attribute of this name belongs in a backup.
    static bool attributeKeyMeansBackup(const QString& name);
    // The decoded values of the file's OpenMeta attributes, in the order the
    // file lists them; none when the file has none or cannot be read.
    static std::optional<PlistValue::Dictionary> openMetaDictForPath(const QString& path);
    // The whole backup dictionary; none when there is nothing to back up.
    static std::optional<PlistValue> backupDictForPath(const QString& path);
};

}  // namespace fendle
