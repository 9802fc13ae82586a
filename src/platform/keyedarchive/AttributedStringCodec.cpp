// Keyed-archive codec of attributed strings: the characters, the attribute
// dictionaries and the run table (LEB128 pairs of run length and index).
#include "platform/keyedarchive/KeyedCodecs.h"

#include <QHash>

namespace fendle {

namespace {
using R = Result<ArchiveValue>;

QString damaged(const QString& why) { return QStringLiteral("damaged keyed archive: attributed string %1").arg(why); }

bool readVarint(const QByteArray& bytes, qsizetype& at, quint64& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (at >= bytes.size()) return false;
        const auto byte = static_cast<uchar>(bytes[at++]);
        value |= static_cast<quint64>(byte & 0x7f) << shift;
        if (!(byte & 0x80)) return true;
    }
    return false;  // overflows 64 bits
}

void writeVarint(QByteArray& out, quint64 value) {
    do {
        uchar byte = value & 0x7f;
        value >>= 7;
        if (value) byte |= 0x80;
        out.append(static_cast<char>(byte));
    } while (value);
}

// What an archived value becomes as a text attribute; values that have no
// typed form here are kept whole.
Result<AttributeValue> attributeValue(const KeyedUnarchiver& u, const QString& name, quint64 uid) {
    using AR = Result<AttributeValue>;
    auto keepWhole = [&]() -> AR {
        auto bytes = u.extractSubgraph(uid);
        if (!bytes) return AR::failure(bytes.error());
        return AttributeValue(OpaqueAttribute{KeyedOpaqueFormat, *bytes});
    };
    const auto className = u.classNameOf(uid);
    if (!className) return AR::failure(className.error());
    if (!className->isEmpty() && !u.hasDecoder(*className)) return keepWhole();
    auto value = u.decodeObject(uid);
    if (!value) return className->isEmpty() ? AR::failure(value.error()) : keepWhole();
    const auto& s = value->storage();
    if (const auto* v = std::get_if<FontAttribute>(&s)) return AttributeValue(*v);
    if (const auto* v = std::get_if<ColorAttribute>(&s)) return AttributeValue(*v);
    if (const auto* v = std::get_if<ParagraphStyleAttribute>(&s);
        v && *className != QLatin1String("NSTextTab"))
        return AttributeValue(*v);
    if (const auto* v = std::get_if<AttachmentAttribute>(&s)) return AttributeValue(*v);
    if (const auto* v = std::get_if<ArchiveUrl>(&s)) return AttributeValue(LinkAttribute{v->absolute(), true});
    if (const auto* v = std::get_if<QString>(&s)) {
        if (name == attr::Link) return AttributeValue(LinkAttribute{*v, false});
        return AttributeValue(*v);
    }
    if (const auto* v = std::get_if<qint64>(&s)) return AttributeValue(*v);
    if (const auto* v = std::get_if<double>(&s)) return AttributeValue(*v);
    return keepWhole();
}

// The entries of an attribute dictionary as they are encoded: each name's
// UID and the encoded form of its value object. Dictionaries with equal
// signatures decode to equal attributes; empty when there is none worth
// keeping (large values, or something a decoder must report).
QByteArray entriesSignature(const KeyedUnarchiver& u, const std::vector<quint64>& keys,
                            const std::vector<quint64>& values) {
    constexpr qsizetype MaxSignature = 1024;
    QByteArray signature;
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto value = u.plistObject(values[i]);
        if (values[i] == 0 || !value) return {};
        const QByteArrayView payload = u.reader().payload(*value);
        if (signature.size() + payload.size() > MaxSignature) return {};
        const quint64 head[] = {keys[i], static_cast<quint64>(value->type), value->utf16, value->count};
        signature.append(reinterpret_cast<const char*>(head), sizeof head);
        signature.append(payload);
    }
    return signature;
}

Result<Attributes> decodeAttributes(const KeyedUnarchiver& u, quint64 uid) {
    using AR = Result<Attributes>;
    Attributes attributes;
    if (uid == 0) return attributes;
    const auto object = u.objectAt(uid);
    if (!object) return AR::failure(object.error());
    if (!object->className().endsWith(QLatin1String("Dictionary"))) return AR::failure(damaged("with attributes that are no dictionary"));
    const auto keys = object->decodeUidArray(QLatin1StringView("NS.keys"));
    const auto values = object->decodeUidArray(QLatin1StringView("NS.objects"));
    if (!keys || !values) return AR::failure(!keys ? keys.error() : values.error());
    if (keys->size() != values->size()) return AR::failure(damaged("with unpaired attribute keys"));
    const QByteArray signature = entriesSignature(u, *keys, *values);
    if (!signature.isEmpty())
        if (const Attributes* known = u.attributesCache().find(signature)) return *known;
    for (size_t i = 0; i < keys->size(); ++i) {
        auto key = u.decodeObject((*keys)[i]);
        if (!key) return AR::failure(key.error());
        const auto name = key->toString();
        if (!name) return AR::failure(damaged("with an attribute name that is no string"));
        auto value = attributeValue(u, *name, (*values)[i]);
        if (!value) return AR::failure(value.error());
        attributes.set(*name, std::move(*value));
    }
    if (!signature.isEmpty()) u.attributesCache().insert(signature, attributes);
    return attributes;
}

R decodeAttributedString(const KeyedObject& o) {
    const KeyedUnarchiver& u = o.unarchiver();
    auto string = o.decodeObject(QLatin1StringView("NSString"));
    if (!string) return string;
    const auto text = string->toString();
    if (!text) return R::failure(damaged("without characters"));
    const auto attributesUid = o.decodeUid(QLatin1StringView("NSAttributes"));
    if (text->isEmpty()) return ArchiveValue(RichText());
    if (!o.contains(QLatin1StringView("NSAttributeInfo"))) {
        // One run: the dictionary itself.
        auto attributes = decodeAttributes(u, attributesUid.value_or(0));
        if (!attributes) return R::failure(attributes.error());
        return ArchiveValue(RichText(*text, *attributes));
    }
    auto info = o.decodeObject(QLatin1StringView("NSAttributeInfo"));
    if (!info) return info;
    const QByteArray* table = info->as<QByteArray>();
    if (!table) return R::failure(damaged("with a run table that is no data"));
    if (!attributesUid) return R::failure(damaged("without attributes"));
    const auto array = u.objectAt(*attributesUid);
    if (!array) return R::failure(array.error());
    const auto dictionaryUids = array->decodeUidArray(QLatin1StringView("NS.objects"));
    if (!dictionaryUids) return R::failure(dictionaryUids.error());
    std::vector<std::optional<Attributes>> dictionaries(dictionaryUids->size());
    std::vector<RichText::Run> runs;
    qsizetype at = 0;
    qsizetype covered = 0;
    while (at < table->size()) {
        quint64 length = 0, index = 0;
        if (!readVarint(*table, at, length) || !readVarint(*table, at, index))
            return R::failure(damaged("with a damaged run table"));
        if (index >= dictionaries.size()) return R::failure(damaged("with a run index out of range"));
        if (length > static_cast<quint64>(text->size() - covered))
            return R::failure(damaged("with runs longer than its text"));
        if (!dictionaries[index]) {
            auto attributes = decodeAttributes(u, (*dictionaryUids)[index]);
            if (!attributes) return R::failure(attributes.error());
            dictionaries[index] = std::move(*attributes);
        }
        runs.push_back({static_cast<qsizetype>(length), *dictionaries[index]});
        covered += static_cast<qsizetype>(length);
    }
    if (covered != text->size()) return R::failure(damaged("with runs that do not cover its text"));
    return ArchiveValue(RichText::fromRuns(*text, std::move(runs)));
}

KeyedArchiver::Uid encodeAttributeValue(KeyedArchiver& a, const AttributeValue& value) {
    return std::visit(
        [&a](const auto& v) -> KeyedArchiver::Uid {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, LinkAttribute>)
                return v.isUrlObject ? encodeUrl(a, ArchiveUrl{std::nullopt, v.url}) : a.encode(ArchiveValue(v.url));
            else if constexpr (std::is_same_v<T, FontAttribute>)
                return encodeFont(a, v);
            else if constexpr (std::is_same_v<T, std::int64_t>)
                return a.encode(ArchiveValue(static_cast<qint64>(v)));
            else
                return a.encode(ArchiveValue(v));
        },
        value);
}

// Laid out as an immutable dictionary: all names, then all values.
KeyedArchiver::Uid encodeAttributes(KeyedArchiver& a, const Attributes& attributes) {
    const auto uid = a.beginObject();
    std::vector<KeyedArchiver::Uid> keys, values;
    keys.reserve(attributes.size());
    values.reserve(attributes.size());
    for (const auto& entry : attributes.values()) keys.push_back(a.encode(ArchiveValue(entry.first)));
    for (const auto& entry : attributes.values()) values.push_back(encodeAttributeValue(a, entry.second));
    a.encodeUidArray(QStringLiteral("NS.keys"), keys);
    a.encodeUidArray(QStringLiteral("NS.objects"), values);
    a.endObject(uid, QStringLiteral("NSDictionary"));
    return uid;
}
}  // namespace

void registerTextDecoders(KeyedUnarchiver& u) {
    for (const char* name : {"NSAttributedString", "NSMutableAttributedString", "NSTextStorage"})
        u.registerDecoder(name, decodeAttributedString);
    registerAppKitDecoders(u);
}

KeyedArchiver::Uid encodeRichText(KeyedArchiver& a, const RichText& text, KeyedArchiver::Uid* stringUidOut) {
    const auto uid = a.beginObject();
    const auto stringUid = a.beginObject();
    a.encodeInlineString(QStringLiteral("NS.string"), text.string());
    a.endObject(stringUid, QStringLiteral("NSMutableString"));
    a.encodeUid(QStringLiteral("NSString"), stringUid);
    if (stringUidOut) *stringUidOut = stringUid;
    const auto& runs = text.runs();
    if (runs.size() == 1) {
        a.encodeUid(QStringLiteral("NSAttributes"), encodeAttributes(a, runs.front().attributes));
    } else if (runs.size() > 1) {
        // Equal dictionaries share one slot of the array.
        QByteArray table;
        std::vector<const Attributes*> seen;
        std::vector<KeyedArchiver::Uid> uids;
        const auto array = a.beginObject();
        for (const RichText::Run& run : runs) {
            size_t slot = 0;
            while (slot < seen.size() && !(*seen[slot] == run.attributes)) ++slot;
            if (slot == seen.size()) {
                seen.push_back(&run.attributes);
                uids.push_back(encodeAttributes(a, run.attributes));
            }
            writeVarint(table, static_cast<quint64>(run.length));
            writeVarint(table, slot);
        }
        a.encodeUidArray(QStringLiteral("NS.objects"), uids);
        a.endObject(array, QStringLiteral("NSMutableArray"));
        a.encodeUid(QStringLiteral("NSAttributes"), array);
        const auto data = a.beginObject();
        a.encodeData(QStringLiteral("NS.data"), table);
        a.endObject(data, QStringLiteral("NSMutableData"));
        a.encodeUid(QStringLiteral("NSAttributeInfo"), data);
    }
    a.endObject(uid, QStringLiteral("NSMutableAttributedString"));
    return uid;
}

}  // namespace fendle
