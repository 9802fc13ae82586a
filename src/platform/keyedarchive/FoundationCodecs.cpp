// Keyed-archive codecs of the plain Foundation classes: strings, data,
// dates, arrays, dictionaries, null, URLs.
#include "platform/system/DateUtils.h"
#include "platform/keyedarchive/KeyedCodecs.h"

#include <QUuid>

namespace fendle {

namespace {
using R = Result<ArchiveValue>;

QString wrongType(const KeyedObject& o, const char* what) {
    return QStringLiteral("damaged keyed archive: %1 without %2").arg(o.className(), QLatin1String(what));
}

R decodeString(const KeyedObject& o) {
    if (auto s = o.decodeString(QLatin1StringView("NS.string"))) return ArchiveValue(*s);
    if (auto bytes = o.decodeData(QLatin1StringView("NS.bytes"))) return ArchiveValue(QString::fromUtf8(*bytes));
    return R::failure(wrongType(o, "its characters"));
}

R decodeData(const KeyedObject& o) {
    if (auto d = o.decodeData(QLatin1StringView("NS.data"))) return ArchiveValue(*d);
    // Some writers put the bytes behind a reference.
    auto d = o.decodeObject(QLatin1StringView("NS.data"));
    if (d && d->as<QByteArray>()) return *d;
    return R::failure(wrongType(o, "NS.data"));
}

R decodeDate(const KeyedObject& o) {
    const auto seconds = o.decodeReal(QLatin1StringView("NS.time"));
    if (!seconds) return R::failure(wrongType(o, "NS.time"));
    const QDateTime date = dateFromReferenceSeconds(*seconds);
    if (!date.isValid()) return R::failure(wrongType(o, "a valid NS.time"));
    return ArchiveValue(date);
}

// The old one-key-per-element form: NS.object.0, NS.object.1, ...
Result<std::vector<quint64>> numberedUids(const KeyedObject& o, const char* prefix) {
    std::vector<quint64> uids;
    for (int i = 0;; ++i) {
        const QByteArray key = QByteArray(prefix) + QByteArray::number(i);
        const auto uid = o.decodeUid(QLatin1StringView(key));
        if (!uid) break;
        uids.push_back(*uid);
    }
    return uids;
}

Result<std::vector<quint64>> elementUids(const KeyedObject& o, const char* key, const char* numberedPrefix) {
    if (o.contains(QLatin1StringView(key))) return o.decodeUidArray(QLatin1StringView(key));
    return numberedUids(o, numberedPrefix);
}

Result<std::vector<ArchiveValue>> decodeAll(const KeyedObject& o, const std::vector<quint64>& uids) {
    std::vector<ArchiveValue> values;
    values.reserve(uids.size());
    for (quint64 uid : uids) {
        auto v = o.unarchiver().decodeObject(uid);
        if (!v) return Result<std::vector<ArchiveValue>>::failure(v.error());
        values.push_back(std::move(*v));
    }
    return values;
}

R decodeArray(const KeyedObject& o) {
    const auto uids = elementUids(o, "NS.objects", "NS.object.");
    if (!uids) return R::failure(uids.error());
    auto values = decodeAll(o, *uids);
    if (!values) return R::failure(values.error());
    return ArchiveValue::list(std::move(*values), o.className().startsWith(QLatin1String("NSMutable")));
}

R decodeDictionary(const KeyedObject& o) {
    const auto keyUids = elementUids(o, "NS.keys", "NS.key.");
    const auto valueUids = elementUids(o, "NS.objects", "NS.object.");
    if (!keyUids) return R::failure(keyUids.error());
    if (!valueUids) return R::failure(valueUids.error());
    if (keyUids->size() != valueUids->size())
        return R::failure(QStringLiteral("damaged keyed archive: dictionary with %1 keys and %2 values")
                              .arg(keyUids->size())
                              .arg(valueUids->size()));
    // All keys, then all values, straight into the entries: a box's slip
    // dictionary is large, and two more lists of it would double its cost.
    std::vector<std::pair<ArchiveValue, ArchiveValue>> entries;
    entries.reserve(keyUids->size());
    for (quint64 uid : *keyUids) {
        auto key = o.unarchiver().decodeObject(uid);
        if (!key) return key;
        entries.emplace_back(std::move(*key), ArchiveValue());
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        auto value = o.unarchiver().decodeObject((*valueUids)[i]);
        if (!value) return value;
        entries[i].second = std::move(*value);
    }
    return ArchiveValue::map(std::move(entries), o.className().startsWith(QLatin1String("NSMutable")));
}

R decodeUrl(const KeyedObject& o) {
    auto base = o.decodeObject(QLatin1StringView("NS.base"));
    if (!base) return base;
    auto relative = o.decodeObject(QLatin1StringView("NS.relative"));
    if (!relative) return relative;
    ArchiveUrl url;
    if (const auto* b = base->as<ArchiveUrl>()) url.base = b->absolute();
    else if (const auto s = base->toString()) url.base = *s;
    const auto r = relative->toString();
    if (!r) return R::failure(wrongType(o, "NS.relative"));
    url.relative = *r;
    return ArchiveValue(url);
}

R decodeUuid(const KeyedObject& o) {
    const auto bytes = o.decodeData(QLatin1StringView("NS.uuidbytes"));
    if (!bytes || bytes->size() != 16) return R::failure(wrongType(o, "NS.uuidbytes"));
    return ArchiveValue(ArchiveCustom{o.className(), QUuid::fromRfc4122(*bytes)});
}
}  // namespace

void registerFoundationDecoders(KeyedUnarchiver& u) {
    for (const char* name : {"NSString", "NSMutableString"}) u.registerDecoder(name, decodeString);
    for (const char* name : {"NSData", "NSMutableData"}) u.registerDecoder(name, decodeData);
    u.registerDecoder("NSDate", decodeDate);
    for (const char* name : {"NSArray", "NSMutableArray", "NSSet", "NSMutableSet"}) u.registerDecoder(name, decodeArray);
    for (const char* name : {"NSDictionary", "NSMutableDictionary"}) u.registerDecoder(name, decodeDictionary);
    u.registerDecoder("NSNull", [](const KeyedObject&) { return R(ArchiveValue(ArchiveNull{})); });
    u.registerDecoder("NSURL", decodeUrl);
    u.registerDecoder("NSUUID", decodeUuid);
}

void registerPlatformDecoders(KeyedUnarchiver& u) {
    registerFoundationDecoders(u);
    registerTextDecoders(u);
}

KeyedArchiver::Uid encodeDate(KeyedArchiver& a, const QDateTime& date) {
    const auto uid = a.beginObject();
    a.encodeDouble(QStringLiteral("NS.time"), secondsSinceReferenceDate(date));
    a.endObject(uid, QStringLiteral("NSDate"));
    return uid;
}

KeyedArchiver::Uid encodeNull(KeyedArchiver& a) {
    const auto uid = a.beginObject();
    a.endObject(uid, QStringLiteral("NSNull"));
    return uid;
}

KeyedArchiver::Uid encodeUrl(KeyedArchiver& a, const ArchiveUrl& url) {
    const auto uid = a.beginObject();
    if (url.base) a.encodeObject(QStringLiteral("NS.base"), ArchiveValue(ArchiveUrl{std::nullopt, *url.base}));
    else a.encodeUid(QStringLiteral("NS.base"), 0);
    a.encodeObject(QStringLiteral("NS.relative"), ArchiveValue(url.relative));
    a.endObject(uid, QStringLiteral("NSURL"));
    return uid;
}

KeyedArchiver::Uid encodeList(KeyedArchiver& a, const ArchiveList& list) {
    const auto uid = a.beginObject();
    std::vector<KeyedArchiver::Uid> items;
    items.reserve(list.items.size());
    for (const ArchiveValue& item : list.items) items.push_back(a.encode(item));
    a.encodeUidArray(QStringLiteral("NS.objects"), items);
    a.endObject(uid, list.isMutable ? QStringLiteral("NSMutableArray") : QStringLiteral("NSArray"));
    return uid;
}

KeyedArchiver::Uid encodeMap(KeyedArchiver& a, const ArchiveMap& map) {
    const auto uid = a.beginObject();
    std::vector<KeyedArchiver::Uid> keys, values;
    keys.reserve(map.entries.size());
    values.reserve(map.entries.size());
    // All keys before all values, as the other platform orders them.
    for (const auto& entry : map.entries) keys.push_back(a.encode(entry.first));
    for (const auto& entry : map.entries) values.push_back(a.encode(entry.second));
    a.encodeUidArray(QStringLiteral("NS.keys"), keys);
    a.encodeUidArray(QStringLiteral("NS.objects"), values);
    a.endObject(uid, map.isMutable ? QStringLiteral("NSMutableDictionary") : QStringLiteral("NSDictionary"));
    return uid;
}

}  // namespace fendle
