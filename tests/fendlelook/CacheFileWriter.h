#pragma once
#include "platform/plist/PlistValue.h"
#include "platform/plist/XmlPlist.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace fendle::test {

// A slip's cache file with the ten keys Lampwick writes, in its order.
struct CacheFileFields {
    QString title = QStringLiteral("Keywords");
    QString author = QStringLiteral("Ada");
    QStringList keywords = {QStringLiteral("a"), QStringLiteral("b")};
    QString text = QStringLiteral("Keywords\nA slip's keywords relate it to other slips.");
    QString slipID = QStringLiteral("12");
    QString source = QStringLiteral("https://example.org/cards");
    QString boxPath = QStringLiteral("/x/Notes.fendle");
    QString creationDate = QStringLiteral("2009-03-05 14:22:07 +0100");
    QString modificationDate = QStringLiteral("2009-03-06 09:00:00 +0100");

    PlistValue dictionary() const {
        PlistValue::Array keywordValues;
        for (const QString& keyword : keywords) keywordValues.emplace_back(keyword);
        return PlistValue(PlistValue::Dictionary{
            {QStringLiteral("kMDItemTitle"), title},
            {QStringLiteral("kMDItemAuthors"), PlistValue(PlistValue::Array{PlistValue(author)})},
            {QStringLiteral("kMDItemKeywords"), PlistValue(keywordValues)},
            {QStringLiteral("kMDItemTextContent"), text},
            {QStringLiteral("com_quorvel_fendle_fdlcache_slipID"), slipID},
            {QStringLiteral("com_quorvel_fendle_fdlcache_source"), source},
            {QStringLiteral("kMDItemFSName"), boxPath},
            {QStringLiteral("kMDItemContentCreationDate"), creationDate},
            {QStringLiteral("kMDItemContentModificationDate"), modificationDate},
            {QStringLiteral("kMDItemKind"), QStringLiteral("Slip")},
        });
    }
};

inline QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

// The cache file as the platform's property-list files are written: XML.
inline QString writeCacheFile(const QTemporaryDir& dir, const QString& name, const CacheFileFields& fields = {}) {
    return writeBytes(dir, name, writeXmlPlist(fields.dictionary()));
}

inline QByteArray fileUrl(const QString& path) { return QUrl::fromLocalFile(path).toEncoded(); }

}  // namespace fendle::test
