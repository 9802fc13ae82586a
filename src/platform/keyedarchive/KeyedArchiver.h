#pragma once
#include "platform/keyedarchive/ArchiveValue.h"
#include "platform/plist/BinaryPlistWriter.h"
#include "platform/system/Result.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <vector>

namespace fendle {

class KeyedArchiver;
using KeyedEncoder = std::function<quint64(KeyedArchiver&, const std::any&)>;

// Writes a keyed archive the way the other platform's archiver lays it out:
// $objects in pre-order with class descriptions after an object's children,
// objects referred to by UID, scalars of the bool/int/double calls inline.
// Equal immutable strings share one entry; mutable objects never do.
class KeyedArchiver {
public:
    using Uid = quint64;

    KeyedArchiver();

    // Keys of the object being encoded (or of $top outside any object).
    void encodeObject(const QString& key, const ArchiveValue& value);
    void encodeUid(const QString& key, Uid uid);
    void encodeBool(const QString& key, bool value);
    void encodeInteger(const QString& key, qint64 value);
    void encodeDouble(const QString& key, double value);
    void encodeData(const QString& key, const QByteArray& value);
    void encodeInlineString(const QString& key, const QString& value);
    void encodeUidArray(const QString& key, const std::vector<Uid>& uids);

    // An object and its UID. Plain strings, numbers and data become plain
    // values; everything else a dictionary with $class.
    Uid encode(const ArchiveValue& value);

    // Class objects written by hand: reserve the UID, encode the keys, end.
    Uid beginObject();
    void endObject(Uid uid, const QStringList& classChain);
    // The same for a class of classChain().
    void endObject(Uid uid, const QString& className);

    // Objects of classes the layers above know (Slip).
    void registerEncoder(const QString& className, KeyedEncoder encoder);

    // Re-emits an object kept whole from another archive.
    Result<Uid> embedSubgraph(const QByteArray& archive);

    QByteArray finish();
    void reserve(qsizetype bytes) { writer_.reserve(bytes); }

    // The class chain of a class this archiver writes (with NSObject).
    static QStringList classChain(const QString& className);

private:
    using Ref = BinaryPlistWriter::Ref;

    BinaryPlistWriter writer_;
    std::vector<Ref> objects_;
    // The keys and values of all objects still being encoded, innermost
    // last; scopeStarts_ marks where each object's own begin ($top first).
    std::vector<Ref> pendingKeys_;
    std::vector<Ref> pendingValues_;
    std::vector<size_t> scopeStarts_;
    std::vector<Ref> scratch_;
    Ref classKey_ = 0;
    QHash<QString, Uid> strings_;
    QHash<QString, Uid> classes_;
    QHash<QString, KeyedEncoder> encoders_;
    // Keys and class names are mostly the same few literals, passed again
    // for every object: looked up by where their characters live. The
    // QString kept in each entry pins those characters.
    struct Pinned {
        QString text;
        quint64 value;
    };
    QHash<const void*, Pinned> keyRefs_;
    QHash<const void*, Pinned> classUids_;

    void setKey(const QString& key, Ref value);
    Uid appendPlain(Ref ref);
    Uid classUid(const QString& className, const QStringList& chain);
    Ref keyRef(const QString& key);
    void endObject(Uid uid, Uid classUid);
};

}  // namespace fendle
