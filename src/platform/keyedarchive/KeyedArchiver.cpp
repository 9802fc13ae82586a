#include "platform/keyedarchive/KeyedArchiver.h"

#include "platform/plist/BinaryPlistReader.h"
#include "platform/keyedarchive/KeyedCodecs.h"

namespace fendle {

KeyedArchiver::KeyedArchiver() {
    objects_.push_back(writer_.addString(QStringLiteral("$null")));
    classKey_ = writer_.addString(QStringLiteral("$class"));
    scopeStarts_.push_back(0);  // $top
}

QStringList KeyedArchiver::classChain(const QString& className) {
    static const QHash<QString, QStringList> chains{
        {"NSMutableString", {"NSMutableString", "NSString", "NSObject"}},
        {"NSMutableData", {"NSMutableData", "NSData", "NSObject"}},
        {"NSMutableArray", {"NSMutableArray", "NSArray", "NSObject"}},
        {"NSMutableDictionary", {"NSMutableDictionary", "NSDictionary", "NSObject"}},
        {"NSMutableAttributedString", {"NSMutableAttributedString", "NSAttributedString", "NSObject"}},
        {"NSMutableParagraphStyle", {"NSMutableParagraphStyle", "NSParagraphStyle", "NSObject"}},
    };
    return chains.value(className, {className, QStringLiteral("NSObject")});
}

namespace {
constexpr qsizetype MaxPinned = 512;
}

KeyedArchiver::Ref KeyedArchiver::keyRef(const QString& key) {
    const void* at = key.constData();
    if (const auto found = keyRefs_.constFind(at); found != keyRefs_.constEnd() && found->text.size() == key.size())
        return static_cast<Ref>(found->value);
    // Keys starting with "$" are escaped so that they cannot clash with $class.
    const Ref ref = writer_.addString(key.startsWith(QLatin1Char('$')) ? QLatin1Char('$') + key : key);
    if (keyRefs_.size() < MaxPinned && !key.isEmpty()) keyRefs_.insert(at, Pinned{key, ref});
    return ref;
}

void KeyedArchiver::setKey(const QString& key, Ref value) {
    pendingKeys_.push_back(keyRef(key));
    pendingValues_.push_back(value);
}

void KeyedArchiver::encodeObject(const QString& key, const ArchiveValue& value) { encodeUid(key, encode(value)); }
void KeyedArchiver::encodeUid(const QString& key, Uid uid) { setKey(key, writer_.addUid(uid)); }
void KeyedArchiver::encodeBool(const QString& key, bool value) { setKey(key, writer_.addBool(value)); }
void KeyedArchiver::encodeInteger(const QString& key, qint64 value) { setKey(key, writer_.addInteger(value)); }
void KeyedArchiver::encodeDouble(const QString& key, double value) { setKey(key, writer_.addReal(value)); }
void KeyedArchiver::encodeData(const QString& key, const QByteArray& value) { setKey(key, writer_.addData(value)); }
void KeyedArchiver::encodeInlineString(const QString& key, const QString& value) {
    setKey(key, writer_.addString(value));
}

void KeyedArchiver::encodeUidArray(const QString& key, const std::vector<Uid>& uids) {
    scratch_.clear();
    for (Uid uid : uids) scratch_.push_back(writer_.addUid(uid));
    setKey(key, writer_.addArray(scratch_));
}

KeyedArchiver::Uid KeyedArchiver::appendPlain(Ref ref) {
    objects_.push_back(ref);
    return objects_.size() - 1;
}

KeyedArchiver::Uid KeyedArchiver::beginObject() {
    objects_.push_back(0);  // filled in by endObject
    scopeStarts_.push_back(pendingKeys_.size());
    return objects_.size() - 1;
}

KeyedArchiver::Uid KeyedArchiver::classUid(const QString& className, const QStringList& chain) {
    if (const auto found = classes_.constFind(className); found != classes_.constEnd()) return *found;
    std::vector<Ref> names;
    for (const QString& name : chain) names.push_back(writer_.addString(name));
    const auto classes = writer_.addArray(names);
    const Ref keys[] = {writer_.addString(QStringLiteral("$classes")), writer_.addString(QStringLiteral("$classname"))};
    const Ref values[] = {classes, writer_.addString(className)};
    const auto description = writer_.addDictionary(keys, values);
    const Uid uid = appendPlain(description);
    classes_.insert(className, uid);
    return uid;
}

void KeyedArchiver::endObject(Uid uid, const QString& className) {
    const void* at = className.constData();
    if (const auto found = classUids_.constFind(at);
        found != classUids_.constEnd() && found->text.size() == className.size()) {
        endObject(uid, found->value);
        return;
    }
    const Uid cls = classUid(className, classChain(className));
    if (classUids_.size() < MaxPinned && !className.isEmpty()) classUids_.insert(at, Pinned{className, cls});
    endObject(uid, cls);
}

void KeyedArchiver::endObject(Uid uid, const QStringList& chain) { endObject(uid, classUid(chain.first(), chain)); }

void KeyedArchiver::endObject(Uid uid, Uid cls) {
    // $class first, then the keys in the order they were encoded.
    const size_t start = scopeStarts_.back();
    scopeStarts_.pop_back();
    const size_t count = pendingKeys_.size() - start;
    pendingKeys_.insert(pendingKeys_.begin() + static_cast<std::ptrdiff_t>(start), classKey_);
    pendingValues_.insert(pendingValues_.begin() + static_cast<std::ptrdiff_t>(start), writer_.addUid(cls));
    objects_[uid] = writer_.addDictionary(std::span<const Ref>(pendingKeys_).subspan(start, count + 1),
                                          std::span<const Ref>(pendingValues_).subspan(start, count + 1));
    pendingKeys_.resize(start);
    pendingValues_.resize(start);
}

void KeyedArchiver::registerEncoder(const QString& className, KeyedEncoder encoder) {
    encoders_.insert(className, std::move(encoder));
}

KeyedArchiver::Uid KeyedArchiver::encode(const ArchiveValue& value) {
    struct Visitor {
        KeyedArchiver& a;
        Uid operator()(std::monostate) { return 0; }
        Uid operator()(bool b) { return a.appendPlain(a.writer_.addBool(b)); }
        Uid operator()(qint64 i) { return a.appendPlain(a.writer_.addInteger(i)); }
        Uid operator()(double d) { return a.appendPlain(a.writer_.addReal(d)); }
        Uid operator()(const QString& s) {
            if (const auto found = a.strings_.constFind(s); found != a.strings_.constEnd()) return *found;
            const Uid uid = a.appendPlain(a.writer_.addString(s));
            a.strings_.insert(s, uid);
            return uid;
        }
        Uid operator()(const QByteArray& d) { return a.appendPlain(a.writer_.addData(d)); }
        Uid operator()(const QDateTime& d) { return encodeDate(a, d); }
        Uid operator()(const ArchiveNull&) { return encodeNull(a); }
        Uid operator()(const ArchiveUrl& u) { return encodeUrl(a, u); }
        Uid operator()(const ArchiveValue::List& l) { return l ? encodeList(a, *l) : 0; }
        Uid operator()(const ArchiveValue::Map& m) { return m ? encodeMap(a, *m) : 0; }
        Uid operator()(const RichText& t) { return encodeRichText(a, t); }
        Uid operator()(const FontAttribute& f) { return encodeFont(a, f); }
        Uid operator()(const ColorAttribute& c) { return encodeColor(a, c); }
        Uid operator()(const ParagraphStyleAttribute& p) { return encodeParagraphStyle(a, p); }
        Uid operator()(const AttachmentAttribute& t) { return encodeAttachment(a, t); }
        Uid operator()(const OpaqueAttribute& o) {
            if (o.format != KeyedOpaqueFormat) return 0;
            const auto uid = a.embedSubgraph(o.bytes);
            return uid ? *uid : 0;
        }
        Uid operator()(const ArchiveCustom& c) {
            const auto encoder = a.encoders_.constFind(c.className);
            return encoder == a.encoders_.constEnd() ? 0 : (*encoder)(a, c.object);
        }
    };
    return std::visit(Visitor{*this}, value.storage());
}

namespace {
BinaryPlistWriter::Ref copyValue(BinaryPlistWriter& writer, const PlistValue& value,
                                 const std::vector<KeyedArchiver::Uid>& renumbered) {
    switch (value.type()) {
    case PlistValue::Type::Uid:
        return writer.addUid(value.toUid() < renumbered.size() ? renumbered[value.toUid()] : 0);
    case PlistValue::Type::Array: {
        std::vector<BinaryPlistWriter::Ref> items;
        for (const PlistValue& item : value.array()) items.push_back(copyValue(writer, item, renumbered));
        return writer.addArray(items);
    }
    case PlistValue::Type::Dictionary: {
        std::vector<BinaryPlistWriter::Ref> keys, values;
        for (const auto& [k, v] : value.dictionary()) {
            keys.push_back(writer.addString(k));
            values.push_back(copyValue(writer, v, renumbered));
        }
        return writer.addDictionary(keys, values);
    }
    default: return writer.add(value);
    }
}
}  // namespace

Result<KeyedArchiver::Uid> KeyedArchiver::embedSubgraph(const QByteArray& archive) {
    using R = Result<Uid>;
    const auto value = readBinaryPlist(archive);
    if (!value) return R::failure(value.error());
    const PlistValue* objects = value->value(QStringLiteral("$objects"));
    if (!objects || objects->type() != PlistValue::Type::Array || objects->array().size() < 2)
        return R::failure(QStringLiteral("kept object is damaged"));
    // Object n of the kept archive becomes UID first + n - 1 here.
    const Uid first = objects_.size();
    const auto& items = objects->array();
    std::vector<Uid> renumbered(items.size());
    for (size_t i = 1; i < items.size(); ++i) renumbered[i] = first + i - 1;
    for (size_t i = 1; i < items.size(); ++i) objects_.push_back(0);
    for (size_t i = 1; i < items.size(); ++i) objects_[first + i - 1] = copyValue(writer_, items[i], renumbered);
    return first;
}

QByteArray KeyedArchiver::finish() {
    // Only $top's own keys are left pending.
    const auto objects = writer_.addArray(objects_);
    const auto topDictionary = writer_.addDictionary(pendingKeys_, pendingValues_);
    const Ref keys[] = {writer_.addString(QStringLiteral("$archiver")), writer_.addString(QStringLiteral("$objects")),
                        writer_.addString(QStringLiteral("$top")), writer_.addString(QStringLiteral("$version"))};
    const Ref values[] = {writer_.addString(QStringLiteral("NSKeyedArchiver")), objects, topDictionary,
                          writer_.addInteger(100000)};
    return writer_.finish(writer_.addDictionary(keys, values));
}

}  // namespace fendle
