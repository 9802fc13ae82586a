#pragma once
#include "platform/files/AtomicFile.h"
#include "platform/plist/PlistValue.h"
#include "platform/plist/XmlPlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <QString>
#include <QStringList>

namespace fendle::test {

// One slip's cache file as the cache-file plug-in writes it.
struct CacheFileFields {
    QString boxPath;
    QString key;
    QString text;
    QStringList keywords;
    QString source;
    QString modified = QStringLiteral("2020-01-01 10:00:00 +0000");
};

inline PlistValue cacheDictionary(const CacheFileFields& fields) {
    PlistValue::Array keywords;
    for (const QString& keyword : fields.keywords) keywords.emplace_back(keyword);
    return PlistValue(PlistValue::Dictionary{
        {"kMDItemTitle", fields.text.section(u'\n', 0, 0)},
        {"kMDItemAuthors", PlistValue(PlistValue::Array{PlistValue(QString())})},
        {"kMDItemKeywords", PlistValue(std::move(keywords))},
        {"kMDItemTextContent", fields.text},
        {"com_quorvel_fendle_fdlcache_slipID", fields.key},
        {"com_quorvel_fendle_fdlcache_source", fields.source},
        {"kMDItemFSName", fields.boxPath},
        {"kMDItemContentCreationDate", fields.modified},
        {"kMDItemContentModificationDate", fields.modified},
        {"kMDItemKind", "Slip"},
    });
}

inline void writeBytes(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    ASSERT_TRUE(writeFileAtomically(folder + QLatin1Char('/') + name, bytes, Durability::Regenerable));
}

// Named after the box and key ("Notes12.fdlcache").
inline QString writeCacheFile(const QString& folder, const CacheFileFields& fields) {
    const QString name = QFileInfo(fields.boxPath).completeBaseName() + fields.key + QStringLiteral(".fdlcache");
    writeBytes(folder, name, writeXmlPlist(cacheDictionary(fields)));
    return name;
}

}  // namespace fendle::test
