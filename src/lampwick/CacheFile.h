#pragma once
#include "plugins/FendlePlugIn.h"

#include <QString>
#include <QVariantMap>

namespace lampwick {

// One slip's cache file: its name in the cache folder and its dictionary.
struct CacheFile {
    static inline const QString Extension = QStringLiteral("fdlcache");

    // The box file's name without its extension, then the slip's key.
    static QString fileName(const QString& prefix, const QString& key);
    static QVariantMap contents(const fendle::plugin::SlipView& slip, const QString& boxPath,
                                const fendle::plugin::HostServices& services);
    // Whether an entry of the cache folder, by its path relative to the
    // folder, belongs to the box with this prefix: the rest after the
    // prefix, without its extension, starts with a number of 1 or more.
    static bool belongsToBox(const QString& relativePath, const QString& prefix);
};

}  // namespace lampwick
