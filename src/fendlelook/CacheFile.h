#pragma once
#include "platform/plist/PlistValue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace fendle::look {

// The fields of a slip's cache file that previews and thumbnails show. A
// field is absent when the file lacks its key or holds another type there,
// and absent fields print as "(null)", the text a missing object prints as.
struct CacheFile {
    static inline const QString TextContentKey = QStringLiteral("kMDItemTextContent");
    static inline const QString KeywordsKey = QStringLiteral("kMDItemKeywords");
    static inline const QString SourceKey = QStringLiteral("com_quorvel_fendle_fdlcache_source");
    static inline const QString SlipIDKey = QStringLiteral("com_quorvel_fendle_fdlcache_slipID");
    static inline const QString BoxPathKey = QStringLiteral("kMDItemFSName");
    static inline const QString Missing = QStringLiteral("(null)");

    // Larger files are refused unread: a slip's plain text is far smaller,
    // and a preview must stay quick whatever the file holds.
    static constexpr qint64 MaximumFileSize = qint64(8) * 1024 * 1024;

    std::optional<QString> textContent;
    std::optional<QStringList> keywords;
    std::optional<QString> source;
    std::optional<QString> slipID;
    std::optional<QString> boxPath;

    // Absent when the file is not a regular file of at most MaximumFileSize
    // bytes holding a property-list dictionary.
    static std::optional<CacheFile> read(const QString& path);
    static std::optional<CacheFile> fromBytes(const QByteArray& bytes);
    static CacheFile fromDictionary(const PlistValue& dictionary);

    // "Notes" for the box /x/Notes.fendle.
    std::optional<QString> boxName() const;
    std::optional<QString> joinedKeywords() const;

    static QString printed(const std::optional<QString>& value) { return value.value_or(Missing); }
};

}  // namespace fendle::look
