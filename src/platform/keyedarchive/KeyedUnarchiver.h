#pragma once
#include "platform/keyedarchive/ArchiveValue.h"
#include "platform/keyedarchive/AttributesCache.h"
#include "platform/plist/BinaryPlistReader.h"
#include "platform/plist/PlistValue.h"
#include "platform/system/Result.h"

#include <QHash>
#include <QLatin1StringView>
#include <functional>
#include <memory>
#include <vector>

namespace fendle {

class KeyedUnarchiver;

// The keys of one archived object (or of $top), read the way the decoding
// calls of the other platform read them: objects through UIDs, scalars inline.
class KeyedObject {
public:
    KeyedObject(const KeyedUnarchiver* unarchiver, BinaryPlistReader::Object dictionary, QString className)
        : unarchiver_(unarchiver), dictionary_(dictionary), className_(std::move(className)) {}

    const QString& className() const { return className_; }
    const KeyedUnarchiver& unarchiver() const { return *unarchiver_; }
    bool contains(QLatin1StringView key) const;
    // Absent keys and UID 0 give nil; a key that does not hold a UID is an error.
    Result<ArchiveValue> decodeObject(QLatin1StringView key) const;
    std::optional<quint64> decodeUid(QLatin1StringView key) const;
    // Inline scalars; nullopt when absent or of another type.
    std::optional<qint64> decodeInteger(QLatin1StringView key) const;
    bool decodeBool(QLatin1StringView key) const { return decodeInteger(key).value_or(0) != 0; }
    std::optional<double> decodeReal(QLatin1StringView key) const;
    std::optional<QByteArray> decodeData(QLatin1StringView key) const;
    std::optional<QString> decodeString(QLatin1StringView key) const;
    // An inline array of UIDs (NS.objects, NS.keys); absent gives an empty list.
    Result<std::vector<quint64>> decodeUidArray(QLatin1StringView key) const;

private:
    const KeyedUnarchiver* unarchiver_;
    BinaryPlistReader::Object dictionary_;
    QString className_;

    std::optional<BinaryPlistReader::Object> inlineValue(QLatin1StringView key) const;
    std::optional<quint64> keyIndex(QLatin1StringView key) const;
};

using KeyedDecoder = std::function<Result<ArchiveValue>(const KeyedObject&)>;

// Reads a keyed archive ($archiver, $version, $top, $objects) lazily from a
// binary (or XML) property list and decodes objects through class codecs
// registered by class name. References are bounds-checked, cycles through
// objects still being decoded are refused, and the total decoding work is
// capped so that heavily shared graphs cannot explode.
class KeyedUnarchiver {
public:
    static bool looksLikeKeyedArchive(const QByteArray& bytes);
    static Result<std::unique_ptr<KeyedUnarchiver>> open(const QByteArray& bytes);

    // The platform's own classes are registered already.
    void registerDecoder(const QString& className, KeyedDecoder decoder);
    bool hasDecoder(const QString& className) const { return decoders_.contains(className); }

    const KeyedObject& top() const { return *top_; }
    quint64 objectCount() const { return objectCount_; }

    Result<ArchiveValue> decodeObject(quint64 uid) const;
    // The class name of the object at uid; empty for plain values and nil.
    Result<QString> classNameOf(quint64 uid) const;
    // A class object as a key view (for codecs that read nested objects by hand).
    Result<KeyedObject> objectAt(quint64 uid) const;
    // The object at uid and everything it refers to, as a small archive of
    // its own; what an unknown attribute value is kept as.
    Result<QByteArray> extractSubgraph(quint64 uid) const;

    const BinaryPlistReader& reader() const { return reader_; }
    // What the text codec remembers between the texts of this archive.
    AttributesCache& attributesCache() const { return attributesCache_; }
    Result<BinaryPlistReader::Object> plistObject(quint64 uid) const;

private:
    explicit KeyedUnarchiver(BinaryPlistReader reader) : reader_(std::move(reader)) {}

    BinaryPlistReader reader_;
    BinaryPlistReader::Object objects_;
    quint64 objectCount_ = 0;
    std::unique_ptr<KeyedObject> top_;
    QHash<QString, KeyedDecoder> decoders_;
    mutable QHash<quint64, QString> classNames_;
    mutable std::vector<bool> inProgress_;
    mutable quint64 budget_ = 0;
    mutable int depth_ = 0;
    mutable quint32 decodedSinceRelease_ = 0;
    mutable AttributesCache attributesCache_;

    Status checkHeader();
};

}  // namespace fendle
