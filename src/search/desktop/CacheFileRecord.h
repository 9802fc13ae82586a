#pragma once
#include "platform/plist/PlistValue.h"
#include "platform/system/Result.h"
#include "search/desktop/CachedSlip.h"

#include <QByteArray>
#include <QString>
#include <limits>

namespace fendle {

// What desktop search keeps of one slip's cache file: the fields a result
// shows, and the searched fields folded once (case and diacritics) as UTF-8,
// so that a query scans bytes. The slip's text itself is not kept; the
// preview reads it from the file again.
struct CacheFileRecord {
    static inline const QString TitleKey = QStringLiteral("kMDItemTitle");
    static inline const QString KeywordsKey = QStringLiteral("kMDItemKeywords");
    static inline const QString TextContentKey = QStringLiteral("kMDItemTextContent");
    static inline const QString SlipIDKey = QStringLiteral("com_quorvel_fendle_fdlcache_slipID");
    static inline const QString LegacySlipIDKey = QStringLiteral("net_halvorn_fendle_fdlcache_slipID");
    static inline const QString SourceKey = QStringLiteral("com_quorvel_fendle_fdlcache_source");
    static inline const QString BoxPathKey = QStringLiteral("kMDItemFSName");
    static inline const QString ModificationDateKey = QStringLiteral("kMDItemContentModificationDate");
    // A slip's text is far smaller; larger files are refused unread.
    static constexpr qint64 MaximumFileSize = qint64(8) << 20;

    CachedSlip slip;
    // The modification time in milliseconds, the oldest possible when none:
    // results are ordered by it without reading dates again.
    qint64 modifiedMilliseconds = std::numeric_limits<qint64>::min();
    // The folded keywords, each followed by a separator, then the folded
    // title, text and source likewise: a match before keywordsLength is a
    // keyword match.
    QByteArray folded;
    qsizetype keywordsLength = 0;

    // Fails when the bytes are no property-list dictionary, lack the box path
    // or the slip key, or hold a known key with a value of another type.
    static Result<CacheFileRecord> fromBytes(const QByteArray& bytes);
    static Result<CacheFileRecord> fromDictionary(const PlistValue& dictionary);

    // "Notes" for the box /x/Notes.fendle.
    static QString boxNameOf(const QString& boxPath);
};

}  // namespace fendle
