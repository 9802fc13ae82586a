#include "platform/keyedarchive/KeyedUnarchiver.h"

#include "platform/plist/BinaryPlistWriter.h"
#include "platform/keyedarchive/KeyedCodecs.h"
#include "platform/files/MappedFile.h"
#include "platform/plist/XmlPlist.h"

#include <QSet>
#include <deque>

namespace fendle {

namespace {
QString notKeyed(const QString& why) { return QStringLiteral("not a keyed archive: %1").arg(why); }
QString damaged(const QString& why) { return QStringLiteral("damaged keyed archive: %1").arg(why); }
// Subgraphs kept for unknown attribute values stay small.
constexpr int MaxSubgraphObjects = 10000;
// Deeper nesting than this is no box a person wrote.
constexpr int MaxDepth = 256;
// About 2 MB of a typical box file.
constexpr quint32 ObjectsBetweenReleases = 65536;

void remapUids(PlistValue& value, const QHash<quint64, quint64>& map) {
    switch (value.type()) {
    case PlistValue::Type::Uid: value = PlistValue::uid(map.value(value.toUid(), 0)); break;
    case PlistValue::Type::Array:
        for (PlistValue& item : value.mutableArray()) remapUids(item, map);
        break;
    case PlistValue::Type::Dictionary:
        for (auto& entry : value.mutableDictionary()) remapUids(entry.second, map);
        break;
    default: break;
    }
}

void collectUids(const PlistValue& value, std::vector<quint64>& out) {
    switch (value.type()) {
    case PlistValue::Type::Uid: out.push_back(value.toUid()); break;
    case PlistValue::Type::Array:
        for (const PlistValue& item : value.array()) collectUids(item, out);
        break;
    case PlistValue::Type::Dictionary:
        for (const auto& entry : value.dictionary()) collectUids(entry.second, out);
        break;
    default: break;
    }
}
}  // namespace

std::optional<quint64> KeyedObject::keyIndex(QLatin1StringView key) const {
    const auto& reader = unarchiver_->reader();
    if (!key.startsWith(QLatin1Char('$'))) return reader.lookup(dictionary_, key);
    // Archivers write such keys with one more "$" so they cannot pass for $class.
    const QByteArray escaped = '$' + QByteArray(key.data(), key.size());
    return reader.lookup(dictionary_, QLatin1StringView(escaped));
}

bool KeyedObject::contains(QLatin1StringView key) const { return keyIndex(key).has_value(); }

std::optional<BinaryPlistReader::Object> KeyedObject::inlineValue(QLatin1StringView key) const {
    const auto& reader = unarchiver_->reader();
    const auto index = keyIndex(key);
    if (!index) return std::nullopt;
    auto object = reader.object(*index);
    if (!object) return std::nullopt;
    return *object;
}

std::optional<quint64> KeyedObject::decodeUid(QLatin1StringView key) const {
    const auto o = inlineValue(key);
    if (!o || o->type != PlistValue::Type::Uid) return std::nullopt;
    return unarchiver_->reader().uid(*o);
}

Result<ArchiveValue> KeyedObject::decodeObject(QLatin1StringView key) const {
    const auto o = inlineValue(key);
    if (!o) return ArchiveValue();
    if (o->type != PlistValue::Type::Uid)
        return Result<ArchiveValue>::failure(damaged(QStringLiteral("key \"%1\" of %2 holds no object reference")
                                                         .arg(key, className_)));
    return unarchiver_->decodeObject(unarchiver_->reader().uid(*o));
}

std::optional<qint64> KeyedObject::decodeInteger(QLatin1StringView key) const {
    const auto o = inlineValue(key);
    if (!o) return std::nullopt;
    if (o->type != PlistValue::Type::Integer && o->type != PlistValue::Type::Boolean &&
        o->type != PlistValue::Type::Real)
        return std::nullopt;
    if (o->type == PlistValue::Type::Real) {
        const double d = unarchiver_->reader().real(*o);
        if (!(d >= -9.2e18 && d <= 9.2e18)) return std::nullopt;
    }
    return unarchiver_->reader().integer(*o);
}

std::optional<double> KeyedObject::decodeReal(QLatin1StringView key) const {
    const auto o = inlineValue(key);
    if (!o || (o->type != PlistValue::Type::Real && o->type != PlistValue::Type::Integer)) return std::nullopt;
    return unarchiver_->reader().real(*o);
}

std::optional<QByteArray> KeyedObject::decodeData(QLatin1StringView key) const {
    const auto o = inlineValue(key);
    if (!o || o->type != PlistValue::Type::Data) return std::nullopt;
    return unarchiver_->reader().data(*o);
}

std::optional<QString> KeyedObject::decodeString(QLatin1StringView key) const {
    const auto o = inlineValue(key);
    if (!o || o->type != PlistValue::Type::String) return std::nullopt;
    return unarchiver_->reader().string(*o);
}

Result<std::vector<quint64>> KeyedObject::decodeUidArray(QLatin1StringView key) const {
    using R = Result<std::vector<quint64>>;
    std::vector<quint64> uids;
    const auto o = inlineValue(key);
    if (!o) return uids;
    if (o->type != PlistValue::Type::Array) return R::failure(damaged(QStringLiteral("%1 is not an array").arg(key)));
    const auto& reader = unarchiver_->reader();
    uids.reserve(static_cast<size_t>(std::min<quint64>(o->count, 1u << 20)));
    for (quint64 i = 0; i < o->count; ++i) {
        const auto item = reader.object(reader.ref(*o, i));
        if (!item) return R::failure(item.error());
        if (item->type != PlistValue::Type::Uid)
            return R::failure(damaged(QStringLiteral("%1 holds something else than references").arg(key)));
        uids.push_back(reader.uid(*item));
    }
    return uids;
}

bool KeyedUnarchiver::looksLikeKeyedArchive(const QByteArray& bytes) {
    return BinaryPlistReader::hasSignature(bytes) || bytes.trimmed().startsWith("<?xml") ||
           bytes.trimmed().startsWith("<plist");
}

Result<std::unique_ptr<KeyedUnarchiver>> KeyedUnarchiver::open(const QByteArray& bytes) {
    using R = Result<std::unique_ptr<KeyedUnarchiver>>;
    QByteArray binary = bytes;
    if (!BinaryPlistReader::hasSignature(bytes)) {
        // The XML form is rare: turn it into the binary form and read that.
        auto value = readXmlPlist(bytes);
        if (!value) return R::failure(notKeyed(value.error()));
        binary = writeBinaryPlist(*value);
    }
    auto reader = BinaryPlistReader::open(binary);
    if (!reader) return R::failure(notKeyed(reader.error()));
    std::unique_ptr<KeyedUnarchiver> u(new KeyedUnarchiver(std::move(*reader)));
    const Status header = u->checkHeader();
    if (!header) return R::failure(header.error());
    registerPlatformDecoders(*u);
    return R(std::move(u));
}

Status KeyedUnarchiver::checkHeader() {
    const auto root = reader_.object(reader_.topObject());
    if (!root || root->type != PlistValue::Type::Dictionary) return Status::failure(notKeyed("no top dictionary"));
    const auto archiver = reader_.lookup(*root, QLatin1StringView("$archiver"));
    if (!archiver || !reader_.isString(*archiver, QLatin1StringView("NSKeyedArchiver")))
        return Status::failure(notKeyed("$archiver is not NSKeyedArchiver"));
    const auto version = reader_.lookup(*root, QLatin1StringView("$version"));
    const auto versionObject = version ? reader_.object(*version) : Result<BinaryPlistReader::Object>::failure("");
    if (!versionObject || versionObject->type != PlistValue::Type::Integer || reader_.integer(*versionObject) != 100000)
        return Status::failure(notKeyed("$version is not 100000"));
    const auto objects = reader_.lookup(*root, QLatin1StringView("$objects"));
    const auto objectsObject = objects ? reader_.object(*objects) : Result<BinaryPlistReader::Object>::failure("");
    if (!objectsObject || objectsObject->type != PlistValue::Type::Array || objectsObject->count == 0)
        return Status::failure(notKeyed("no $objects"));
    objects_ = *objectsObject;
    objectCount_ = objects_.count;
    if (!reader_.isString(reader_.ref(objects_, 0), QLatin1StringView("$null")))
        return Status::failure(notKeyed("$objects does not start with $null"));
    const auto top = reader_.lookup(*root, QLatin1StringView("$top"));
    const auto topObject = top ? reader_.object(*top) : Result<BinaryPlistReader::Object>::failure("");
    if (!topObject || topObject->type != PlistValue::Type::Dictionary) return Status::failure(notKeyed("no $top"));
    top_ = std::make_unique<KeyedObject>(this, *topObject, QString());
    inProgress_.assign(static_cast<size_t>(objectCount_), false);
    budget_ = 2 * static_cast<quint64>(reader_.bytes().size()) + 4096;
    return succeeded();
}

void KeyedUnarchiver::registerDecoder(const QString& className, KeyedDecoder decoder) {
    decoders_.insert(className, std::move(decoder));
}

Result<BinaryPlistReader::Object> KeyedUnarchiver::plistObject(quint64 uid) const {
    if (uid >= objectCount_) return Result<BinaryPlistReader::Object>::failure(damaged("object reference out of range"));
    return reader_.object(reader_.ref(objects_, uid));
}

Result<QString> KeyedUnarchiver::classNameOf(quint64 uid) const {
    using R = Result<QString>;
    if (uid == 0) return QString();
    const auto o = plistObject(uid);
    if (!o) return R::failure(o.error());
    if (o->type != PlistValue::Type::Dictionary) return QString();
    const auto classRef = reader_.lookup(*o, QLatin1StringView("$class"));
    if (!classRef) return R::failure(damaged("object without $class"));
    const auto classUidObject = reader_.object(*classRef);
    if (!classUidObject || classUidObject->type != PlistValue::Type::Uid)
        return R::failure(damaged("$class is not a reference"));
    const quint64 classUid = reader_.uid(*classUidObject);
    if (const auto cached = classNames_.constFind(classUid); cached != classNames_.constEnd()) return *cached;
    const auto description = plistObject(classUid);
    if (!description || description->type != PlistValue::Type::Dictionary)
        return R::failure(damaged("class description missing"));
    const auto nameRef = reader_.lookup(*description, QLatin1StringView("$classname"));
    const auto name = nameRef ? reader_.object(*nameRef) : Result<BinaryPlistReader::Object>::failure("");
    if (!name || name->type != PlistValue::Type::String) return R::failure(damaged("class without $classname"));
    const QString className = reader_.string(*name);
    classNames_.insert(classUid, className);
    return className;
}

Result<KeyedObject> KeyedUnarchiver::objectAt(quint64 uid) const {
    using R = Result<KeyedObject>;
    const auto name = classNameOf(uid);
    if (!name) return R::failure(name.error());
    if (name->isEmpty()) return R::failure(damaged("expected an object, found a plain value"));
    return KeyedObject(this, *plistObject(uid), *name);
}

Result<ArchiveValue> KeyedUnarchiver::decodeObject(quint64 uid) const {
    using R = Result<ArchiveValue>;
    if (uid == 0) return ArchiveValue();
    if (budget_ == 0) return R::failure(damaged("too many shared references"));
    --budget_;
    // A mapped file's pages read so far go back to the file cache now and
    // then, so that a large box is not held in memory twice while it loads.
    if (++decodedSinceRelease_ == ObjectsBetweenReleases) {
        decodedSinceRelease_ = 0;
        MappedFile::releaseResidentPagesAt(reader_.bytes().constData());
    }
    const auto o = plistObject(uid);
    if (!o) return R::failure(o.error());
    switch (o->type) {
    case PlistValue::Type::String: return ArchiveValue(reader_.string(*o));
    case PlistValue::Type::Integer: return ArchiveValue(reader_.integer(*o));
    case PlistValue::Type::Real: return ArchiveValue(reader_.real(*o));
    case PlistValue::Type::Boolean: return ArchiveValue(o->count != 0);
    case PlistValue::Type::Data: return ArchiveValue(reader_.data(*o));
    case PlistValue::Type::Dictionary: break;
    default: return R::failure(damaged("unexpected value in $objects"));
    }
    const auto object = objectAt(uid);
    if (!object) return R::failure(object.error());
    const auto decoder = decoders_.constFind(object->className());
    if (decoder == decoders_.constEnd())
        return R::failure(QStringLiteral("cannot decode object of class (%1)").arg(object->className()));
    if (inProgress_[uid]) return R::failure(damaged("an object refers to itself"));
    if (depth_ >= MaxDepth) return R::failure(damaged("objects nested too deeply"));
    inProgress_[uid] = true;
    ++depth_;
    auto result = (*decoder)(*object);
    --depth_;
    inProgress_[uid] = false;
    return result;
}

Result<QByteArray> KeyedUnarchiver::extractSubgraph(quint64 uid) const {
    using R = Result<QByteArray>;
    QHash<quint64, quint64> renumbered{{0, 0}};
    std::vector<quint64> order{0};
    std::deque<quint64> queue{uid};
    PlistValue::Array objects{PlistValue("$null")};
    while (!queue.empty()) {
        const quint64 next = queue.front();
        queue.pop_front();
        if (renumbered.contains(next)) continue;
        if (next >= objectCount_) return R::failure(damaged("object reference out of range"));
        if (objects.size() > MaxSubgraphObjects) return R::failure(damaged("unknown object too large"));
        renumbered.insert(next, order.size());
        order.push_back(next);
        auto value = reader_.toValue(reader_.ref(objects_, next), budget_);
        if (!value) return R::failure(value.error());
        std::vector<quint64> children;
        collectUids(*value, children);
        for (quint64 child : children)
            if (!renumbered.contains(child)) queue.push_back(child);
        objects.push_back(std::move(*value));
    }
    for (PlistValue& object : objects) remapUids(object, renumbered);
    PlistValue::Dictionary archive{{"$archiver", PlistValue("NSKeyedArchiver")},
                                   {"$version", PlistValue(100000)},
                                   {"$top", PlistValue(PlistValue::Dictionary{{"root", PlistValue::uid(1)}})},
                                   {"$objects", PlistValue(std::move(objects))}};
    return writeBinaryPlist(PlistValue(std::move(archive)));
}

}  // namespace fendle
