#include "platform/typedstream/TypedStreamCodecs.h"

#include "platform/typedstream/TypedStreamReader.h"
#include "platform/typedstream/TypedStreamWriter.h"

#include <QSet>
#include <QtEndian>

namespace fendle {

namespace {
using R = Result<ArchiveValue>;
using Space = ColorAttribute::Space;
constexpr int MaxDepth = 128;

QString damaged(const TypedObject& o, const char* why) {
    return QStringLiteral("damaged typed stream: %1 %2").arg(QString::fromLatin1(o.className()), QLatin1String(why));
}

// Reads an object's groups one value at a time.
class Values {
public:
    explicit Values(const TypedObject& o) : o_(o) {}
    const TypedValue* next() {
        while (group_ < o_.groups.size()) {
            const auto& values = o_.groups[group_].values;
            if (index_ < values.size()) return &values[index_++];
            ++group_;
            index_ = 0;
        }
        return nullptr;
    }
    bool atEnd() {
        while (group_ < o_.groups.size() && index_ >= o_.groups[group_].values.size()) {
            ++group_;
            index_ = 0;
        }
        return group_ >= o_.groups.size();
    }

private:
    const TypedObject& o_;
    size_t group_ = 0;
    size_t index_ = 0;
};

R decodeString(const TypedObject& o, TypedUnarchiver&) {
    Values v(o);
    const TypedValue* s = v.next();
    if (!s || s->kind != TypedValue::Kind::String) return R::failure(damaged(o, "without characters"));
    return ArchiveValue(QString::fromUtf8(s->bytes));
}

R decodeNumber(const TypedObject& o, TypedUnarchiver&) {
    Values v(o);
    const TypedValue* type = v.next();
    const TypedValue* value = v.next();
    if (!type || !value) return R::failure(damaged(o, "without value"));
    if (value->kind == TypedValue::Kind::Real) return ArchiveValue(value->real);
    return ArchiveValue(value->integer);
}

R decodeData(const TypedObject& o, TypedUnarchiver&) {
    Values v(o);
    v.next();
    const TypedValue* bytes = v.next();
    return ArchiveValue(bytes ? bytes->bytes : QByteArray());
}

R decodeArray(const TypedObject& o, TypedUnarchiver& u) {
    Values v(o);
    const TypedValue* count = v.next();
    if (!count) return R::failure(damaged(o, "without count"));
    std::vector<ArchiveValue> items;
    while (const TypedValue* item = v.next()) {
        auto decoded = u.decode(*item);
        if (!decoded) return decoded;
        items.push_back(std::move(*decoded));
    }
    if (static_cast<qint64>(items.size()) != count->integer) return R::failure(damaged(o, "with a wrong count"));
    return ArchiveValue::list(std::move(items), o.className().startsWith("NSMutable"));
}

R decodeDictionary(const TypedObject& o, TypedUnarchiver& u) {
    Values v(o);
    const TypedValue* count = v.next();
    if (!count) return R::failure(damaged(o, "without count"));
    std::vector<std::pair<ArchiveValue, ArchiveValue>> entries;
    while (const TypedValue* key = v.next()) {
        const TypedValue* value = v.next();
        if (!value) return R::failure(damaged(o, "with a key without value"));
        auto k = u.decode(*key);
        if (!k) return k;
        auto val = u.decode(*value);
        if (!val) return val;
        entries.emplace_back(std::move(*k), std::move(*val));
    }
    if (static_cast<qint64>(entries.size()) != count->integer) return R::failure(damaged(o, "with a wrong count"));
    return ArchiveValue::map(std::move(entries), o.className().startsWith("NSMutable"));
}

R decodeUrl(const TypedObject& o, TypedUnarchiver& u) {
    Values v(o);
    const TypedValue* hasBase = v.next();
    if (!hasBase) return R::failure(damaged(o, "without contents"));
    ArchiveUrl url;
    if (hasBase->integer) {
        const TypedValue* base = v.next();
        if (!base) return R::failure(damaged(o, "without base"));
        auto b = u.decode(*base);
        if (!b) return b;
        if (const auto* bu = b->as<ArchiveUrl>()) url.base = bu->absolute();
    }
    const TypedValue* relative = v.next();
    if (!relative) return R::failure(damaged(o, "without address"));
    auto r = u.decode(*relative);
    if (!r) return r;
    url.relative = r->toString().value_or(QString());
    return ArchiveValue(url);
}

R decodeColor(const TypedObject& o, TypedUnarchiver& u) {
    Values v(o);
    const TypedValue* kind = v.next();
    if (!kind) return R::failure(damaged(o, "without kind"));
    auto components = [&](ColorAttribute c, int n) {
        for (int i = 0; i < n; ++i)
            if (const TypedValue* x = v.next()) c.components[i] = x->kind == TypedValue::Kind::Real ? x->real : x->integer;
        if (const TypedValue* a = v.next()) c.alpha = a->kind == TypedValue::Kind::Real ? a->real : a->integer;
        return c;
    };
    ColorAttribute c;
    switch (kind->integer) {
    case 1: case 2: c.space = kind->integer == 1 ? Space::CalibratedRGB : Space::DeviceRGB; return ArchiveValue(components(c, 3));
    case 3: case 4: c.space = kind->integer == 3 ? Space::CalibratedWhite : Space::DeviceWhite; return ArchiveValue(components(c, 1));
    case 5: c.space = Space::DeviceCMYK; return ArchiveValue(components(c, 4));
    case 6: {
        const TypedValue* catalog = v.next();
        const TypedValue* name = v.next();
        if (!catalog || !name) return R::failure(damaged(o, "without names"));
        auto cat = u.decode(*catalog);
        auto nam = u.decode(*name);
        if (!cat) return cat;
        if (!nam) return nam;
        return ArchiveValue(ColorAttribute::named(cat->toString().value_or(QString()), nam->toString().value_or(QString())));
    }
    default: return R::failure(damaged(o, "of unknown kind"));
    }
}

QString fontNameFromBlob(const QByteArray& blob) {
    if (blob.size() < 8 || qFromLittleEndian<quint32>(blob.constData()) != 6) return {};
    const quint32 length = qFromLittleEndian<quint32>(blob.constData() + 4);
    if (length > static_cast<quint32>(blob.size() - 8) || length < 2) return {};
    const QByteArray utf16 = blob.mid(8, length);
    const bool big = static_cast<uchar>(utf16[0]) == 0xfe;
    QString name;
    for (qsizetype i = 2; i + 1 < utf16.size(); i += 2) {
        const uchar a = static_cast<uchar>(utf16[i]), b = static_cast<uchar>(utf16[i + 1]);
        name.append(QChar(big ? (a << 8 | b) : (b << 8 | a)));
    }
    return name;
}

R decodeFont(const TypedObject& o, TypedUnarchiver&) {
    Values v(o);
    v.next();
    const TypedValue* blob = v.next();
    const TypedValue* size = v.next();
    if (!blob || !size) return R::failure(damaged(o, "without name or size"));
    const QString name = fontNameFromBlob(blob->bytes);
    if (name.isEmpty()) return R::failure(damaged(o, "with a damaged name"));
    FontAttribute font;
    font.postScriptName = name;
    const qsizetype dash = name.indexOf(QLatin1Char('-'));
    font.family = dash < 0 ? name : name.left(dash);
    const QString style = dash < 0 ? QString() : name.mid(dash + 1);
    font.bold = style.contains(QLatin1String("Bold"));
    font.italic = style.contains(QLatin1String("Italic")) || style.contains(QLatin1String("Oblique"));
    font.pointSize = size->kind == TypedValue::Kind::Real ? size->real : static_cast<double>(size->integer);
    return ArchiveValue(font);
}

quint64 countObjects(const TypedObject* o, QSet<const TypedObject*>& seen) {
    if (!o || seen.contains(o)) return 0;
    seen.insert(o);
    quint64 n = 1;
    for (const TypedGroup& g : o->groups)
        for (const TypedValue& v : g.values) n += countObjects(v.object.get(), seen);
    return n;
}

Result<AttributeValue> keepWhole(const TypedValue& value, TypedUnarchiver& u) {
    QSet<const TypedObject*> seen;
    if (!u.charge(countObjects(value.object.get(), seen)))
        return Result<AttributeValue>::failure(QStringLiteral("damaged typed stream: too many shared objects"));
    return AttributeValue(OpaqueAttribute{TypedStreamOpaqueFormat, writeTypedStream({objectGroup(value.object)})});
}

Result<AttributeValue> attributeValue(const QString& name, const TypedValue& value, TypedUnarchiver& u) {
    using AR = Result<AttributeValue>;
    auto decoded = u.decode(value);
    if (!decoded) {
        if (!value.object) return AR::failure(decoded.error());
        // Unknown or unreadable values travel on unchanged.
        return keepWhole(value, u);
    }
    const auto& s = decoded->storage();
    if (const auto* x = std::get_if<FontAttribute>(&s)) return AttributeValue(*x);
    if (const auto* x = std::get_if<ColorAttribute>(&s)) return AttributeValue(*x);
    if (const auto* x = std::get_if<ArchiveUrl>(&s)) return AttributeValue(LinkAttribute{x->absolute(), true});
    if (const auto* x = std::get_if<QString>(&s))
        return name == attr::Link ? AttributeValue(LinkAttribute{*x, false}) : AttributeValue(*x);
    if (const auto* x = std::get_if<qint64>(&s)) return AttributeValue(*x);
    if (const auto* x = std::get_if<double>(&s)) return AttributeValue(*x);
    return keepWhole(value, u);
}

R decodeAttributedString(const TypedObject& o, TypedUnarchiver& u) {
    Values v(o);
    const TypedValue* string = v.next();
    if (!string) return R::failure(damaged(o, "without characters"));
    auto text = u.decode(*string);
    if (!text) return text;
    const auto characters = text->toString();
    if (!characters) return R::failure(damaged(o, "without characters"));
    std::vector<Attributes> dictionaries;
    std::vector<RichText::Run> runs;
    qsizetype covered = 0;
    while (!v.atEnd()) {
        const TypedValue* number = v.next();
        const TypedValue* length = v.next();
        if (!number || !length) return R::failure(damaged(o, "with a damaged run"));
        if (number->integer == static_cast<qint64>(dictionaries.size()) + 1) {
            const TypedValue* dictionary = v.next();
            if (!dictionary || !dictionary->object) return R::failure(damaged(o, "without attributes"));
            Values entries(*dictionary->object);
            entries.next();
            Attributes attributes;
            while (const TypedValue* key = entries.next()) {
                const TypedValue* value = entries.next();
                if (!value) return R::failure(damaged(o, "with an unpaired attribute"));
                auto k = u.decode(*key);
                if (!k || !k->toString()) return R::failure(damaged(o, "with a damaged attribute name"));
                auto a = attributeValue(*k->toString(), *value, u);
                if (!a) return R::failure(a.error());
                attributes.set(*k->toString(), std::move(*a));
            }
            dictionaries.push_back(std::move(attributes));
        }
        if (number->integer < 1 || number->integer > static_cast<qint64>(dictionaries.size()))
            return R::failure(damaged(o, "with a run number out of range"));
        if (length->integer < 0 || length->integer > characters->size() - covered)
            return R::failure(damaged(o, "with runs longer than its text"));
        runs.push_back({static_cast<qsizetype>(length->integer), dictionaries[number->integer - 1]});
        covered += length->integer;
    }
    if (covered != characters->size()) return R::failure(damaged(o, "with runs that do not cover its text"));
    return ArchiveValue(RichText::fromRuns(*characters, std::move(runs)));
}

TypedGroup group(const char* types, std::vector<TypedValue> values) { return TypedGroup{types, std::move(values)}; }

std::vector<TypedClass> chain(std::initializer_list<std::pair<const char*, int>> classes) {
    std::vector<TypedClass> out;
    for (const auto& [name, version] : classes) out.push_back({name, version});
    return out;
}

TypedObjectPtr typedFont(const FontAttribute& font) {
    QString name = font.postScriptName.isEmpty() ? font.family : font.postScriptName;
    QByteArray blob;
    char word[4];
    qToLittleEndian<quint32>(6, word);
    blob.append(word, 4);
    qToLittleEndian<quint32>(static_cast<quint32>(2 + 2 * name.size()), word);
    blob.append(word, 4);
    blob.append("\xff\xfe", 2);
    for (QChar c : name) {
        blob.append(static_cast<char>(c.unicode() & 0xff));
        blob.append(static_cast<char>(c.unicode() >> 8));
    }
    while (blob.size() % 4) blob.append('\0');
    auto o = std::make_shared<TypedObject>();
    o->classes = chain({{"NSFont", 30}, {"NSObject", 0}});
    o->groups.push_back(group("i", {TypedValue::ofInteger(blob.size())}));
    o->groups.push_back(group(QByteArray("[" + QByteArray::number(blob.size()) + "c]").constData(), {TypedValue::ofBytes(blob)}));
    o->groups.push_back(group("f", {TypedValue::ofReal(font.pointSize)}));
    for (int flag : {0, 1, 0, 0}) o->groups.push_back(group("c", {TypedValue::ofChar(flag)}));
    return o;
}

TypedObjectPtr typedUrl(const QString& address) {
    auto o = std::make_shared<TypedObject>();
    o->classes = chain({{"NSURL", 0}, {"NSObject", 0}});
    o->groups.push_back(group("c", {TypedValue::ofChar(0)}));
    o->groups.push_back(objectGroup(typedString(address)));
    return o;
}

TypedObjectPtr typedNumber(qint64 value) {
    auto o = std::make_shared<TypedObject>();
    o->classes = chain({{"NSNumber", 0}, {"NSValue", 0}, {"NSObject", 0}});
    o->groups.push_back(group("*", {TypedValue::ofCString("q")}));
    o->groups.push_back(group("q", {TypedValue::ofInteger(value)}));
    return o;
}

// Attribute values the older form can hold; paragraph styles and
// attachments made here are left out, as nobody knows their layout there.
TypedObjectPtr typedAttribute(const AttributeValue& value) {
    if (const auto* x = std::get_if<FontAttribute>(&value)) return typedFont(*x);
    if (const auto* x = std::get_if<ColorAttribute>(&value)) return typedColor(*x);
    if (const auto* x = std::get_if<LinkAttribute>(&value)) return x->isUrlObject ? typedUrl(x->url) : typedString(x->url);
    if (const auto* x = std::get_if<std::int64_t>(&value)) return typedNumber(*x);
    if (const auto* x = std::get_if<QString>(&value)) return typedString(*x);
    if (const auto* x = std::get_if<OpaqueAttribute>(&value); x && x->format == TypedStreamOpaqueFormat) {
        auto stream = readTypedStream(x->bytes);
        if (stream && !stream->groups.empty() && !stream->groups[0].values.empty()) return stream->groups[0].values[0].object;
    }
    return nullptr;
}
}  // namespace

TypedUnarchiver::TypedUnarchiver(quint64 budget) : budget_(budget) {
    for (const char* n : {"NSString", "NSMutableString"}) registerDecoder(n, decodeString);
    registerDecoder("NSNumber", decodeNumber);
    for (const char* n : {"NSData", "NSMutableData"}) registerDecoder(n, decodeData);
    for (const char* n : {"NSArray", "NSMutableArray"}) registerDecoder(n, decodeArray);
    for (const char* n : {"NSDictionary", "NSMutableDictionary"}) registerDecoder(n, decodeDictionary);
    registerDecoder("NSURL", decodeUrl);
    registerDecoder("NSColor", decodeColor);
    registerDecoder("NSFont", decodeFont);
    for (const char* n : {"NSAttributedString", "NSMutableAttributedString"}) registerDecoder(n, decodeAttributedString);
}

void TypedUnarchiver::registerDecoder(const QByteArray& className, TypedDecoder decoder) {
    decoders_.insert(className, std::move(decoder));
}

bool TypedUnarchiver::charge(quint64 work) {
    if (work > budget_) {
        budget_ = 0;
        return false;
    }
    budget_ -= work;
    return true;
}

Result<ArchiveValue> TypedUnarchiver::decode(const TypedValue& value) {
    if (value.kind == TypedValue::Kind::Nil) return ArchiveValue();
    if (value.kind != TypedValue::Kind::Object || !value.object)
        return R::failure(QStringLiteral("damaged typed stream: a value where an object belongs"));
    if (budget_ == 0) return R::failure(QStringLiteral("damaged typed stream: too many shared objects"));
    --budget_;
    if (depth_ > MaxDepth) return R::failure(QStringLiteral("damaged typed stream: objects nested too deeply"));
    const TypedObject& o = *value.object;
    // Unknown subclasses fall back along their chain.
    for (const TypedClass& cls : o.classes) {
        const auto decoder = decoders_.constFind(cls.name);
        if (decoder == decoders_.constEnd()) continue;
        ++depth_;
        auto result = (*decoder)(o, *this);
        --depth_;
        return result;
    }
    return R::failure(QStringLiteral("cannot decode object of class (%1)").arg(QString::fromLatin1(o.className())));
}

TypedGroup objectGroup(TypedObjectPtr object) { return TypedGroup{"@", {TypedValue::ofObject(std::move(object))}}; }

TypedObjectPtr typedString(const QString& text) {
    auto o = std::make_shared<TypedObject>();
    o->classes = chain({{"NSString", 1}, {"NSObject", 0}});
    o->groups.push_back(group("+", {TypedValue::ofString(text.toUtf8())}));
    return o;
}

TypedObjectPtr typedColor(const ColorAttribute& c) {
    auto o = std::make_shared<TypedObject>();
    o->classes = chain({{"NSColor", 0}, {"NSObject", 0}});
    auto reals = [&](int n) {
        std::vector<TypedValue> values;
        for (int i = 0; i < n; ++i) values.push_back(TypedValue::ofReal(c.components[i]));
        values.push_back(TypedValue::ofReal(c.alpha));
        return values;
    };
    switch (c.space) {
    case Space::CalibratedRGB: case Space::DeviceRGB:
        o->groups.push_back(group("c", {TypedValue::ofChar(c.space == Space::CalibratedRGB ? 1 : 2)}));
        o->groups.push_back(group("ffff", reals(3)));
        break;
    case Space::CalibratedWhite: case Space::DeviceWhite:
        o->groups.push_back(group("c", {TypedValue::ofChar(c.space == Space::CalibratedWhite ? 3 : 4)}));
        o->groups.push_back(group("ff", reals(1)));
        break;
    case Space::DeviceCMYK:
        o->groups.push_back(group("c", {TypedValue::ofChar(5)}));
        o->groups.push_back(group("fffff", reals(4)));
        break;
    case Space::Named:
        o->groups.push_back(group("c", {TypedValue::ofChar(6)}));
        o->groups.push_back(group("@@@", {TypedValue::ofObject(typedString(c.catalogName)),
                                          TypedValue::ofObject(typedString(c.colorName)),
                                          TypedValue::ofObject(typedColor(ColorAttribute::grey(0, 1, false)))}));
        break;
    }
    return o;
}

TypedObjectPtr typedDictionary(const std::vector<std::pair<TypedObjectPtr, TypedObjectPtr>>& entries, bool isMutable) {
    auto o = std::make_shared<TypedObject>();
    o->classes = isMutable ? chain({{"NSMutableDictionary", 0}, {"NSDictionary", 0}, {"NSObject", 0}})
                           : chain({{"NSDictionary", 0}, {"NSObject", 0}});
    o->groups.push_back(group("i", {TypedValue::ofInteger(static_cast<qint64>(entries.size()))}));
    for (const auto& [key, value] : entries) {
        o->groups.push_back(objectGroup(key));
        o->groups.push_back(objectGroup(value));
    }
    return o;
}

TypedObjectPtr typedRichText(const RichText& text) {
    auto o = std::make_shared<TypedObject>();
    o->classes = chain({{"NSAttributedString", 0}, {"NSObject", 0}});
    o->groups.push_back(objectGroup(typedString(text.string())));
    std::vector<const Attributes*> written;
    for (const RichText::Run& run : text.runs()) {
        size_t number = 0;
        while (number < written.size() && !(*written[number] == run.attributes)) ++number;
        o->groups.push_back(group("iI", {TypedValue::ofInteger(static_cast<qint64>(number) + 1),
                                         TypedValue::ofInteger(run.length)}));
        if (number < written.size()) continue;
        written.push_back(&run.attributes);
        std::vector<std::pair<TypedObjectPtr, TypedObjectPtr>> entries;
        for (const auto& [name, value] : run.attributes.values())
            if (TypedObjectPtr typed = typedAttribute(value)) entries.emplace_back(typedString(name), typed);
        o->groups.push_back(objectGroup(typedDictionary(entries, false)));
    }
    return o;
}

QByteArray archivedColorData(const ColorAttribute& color) { return writeTypedStream({objectGroup(typedColor(color))}); }

Result<ColorAttribute> colorFromArchivedData(const QByteArray& bytes) {
    using CR = Result<ColorAttribute>;
    auto stream = readTypedStream(bytes);
    if (!stream) return CR::failure(stream.error());
    if (stream->groups.empty() || stream->groups[0].values.empty()) return CR::failure(QStringLiteral("no colour archived"));
    TypedUnarchiver u(4 * static_cast<quint64>(bytes.size()) + 64);
    auto value = u.decode(stream->groups[0].values[0]);
    if (!value) return CR::failure(value.error());
    if (const auto* color = value->as<ColorAttribute>()) return *color;
    return CR::failure(QStringLiteral("the archived object is not a colour"));
}

}  // namespace fendle
