#include "model/SlipArchiving.h"

#include "platform/keyedarchive/KeyedCodecs.h"
#include "platform/text/StringValues.h"
#include "platform/typedstream/TypedStreamCodecs.h"

namespace fendle {

namespace {
// Values of the wrong type are taken as absent; a missing key never fails.
std::optional<QString> optionalString(const KeyedObject& o, const char* key) {
    auto value = o.decodeObject(QLatin1StringView(key));
    if (!value) return std::nullopt;
    return value->toString();
}

std::optional<QDateTime> optionalDate(const KeyedObject& o, const char* key) {
    auto value = o.decodeObject(QLatin1StringView(key));
    if (!value || !value->as<QDateTime>()) return std::nullopt;
    return *value->as<QDateTime>();
}

std::optional<QList<TextRange>> rangeFrom(const ArchiveValue& value) {
    const ArchiveList* list = value.toList();
    if (!list || list->items.size() < 2) return std::nullopt;
    const auto location = list->items[0].toInteger();
    const auto length = list->items[1].toInteger();
    if (!location || !length || *location < 0 || *length < 0) return std::nullopt;
    return QList<TextRange>{TextRange{static_cast<qsizetype>(*location), static_cast<qsizetype>(*length)}};
}

Result<ArchiveValue> decodeSlip(const KeyedObject& o) {
    auto slip = std::make_shared<Slip>(Slip::Undecoded{});
    auto id = o.decodeObject(QLatin1StringView("slipID"));
    if (!id) return id;
    if (const auto s = id->toString()) slip->setSlipID(static_cast<quint32>(intValueOfString(*s)));
    else slip->setSlipID(static_cast<quint32>(id->toInteger().value_or(0)));
    slip->setAppendedTextWithoutLastModificationDate(optionalString(o, "appendedText"));
    auto text = o.decodeObject(QLatin1StringView("text"));
    if (!text) return text;  // a damaged text is an error, not an empty slip
    if (const auto* rich = text->as<RichText>()) slip->setTextWithoutLastModificationDate(*rich);
    else if (const auto plain = text->toString()) slip->setTextWithoutLastModificationDate(RichText(*plain));
    if (o.contains(QLatin1StringView("keywords")))
        slip->setKeywordsWithoutLastModificationDate(Slip::splitStringToKeywordsArray(optionalString(o, "keywords")));
    slip->setSourceWithoutLastModificationDate(optionalString(o, "source"));
    slip->setSlipTypeWithoutLastModificationDate(optionalString(o, "slipType"));
    slip->setFlagged(o.decodeBool(QLatin1StringView("flagged")));
    slip->setAuthorWithoutLastModificationDate(optionalString(o, "author"));
    slip->setCreationTime(optionalDate(o, "creationTime"));
    slip->setLastModificationTime(optionalDate(o, "lastModificationTime"));
    auto range = o.decodeObject(QLatin1StringView("selectedRangeOfSlipText"));
    if (range) slip->setSelectedRanges(rangeFrom(*range));
    slip->setModificationByMobileVersion(
        static_cast<qint32>(o.decodeInteger(QLatin1StringView("modificationByMobileVersion")).value_or(0)));
    return ArchiveValue(ArchiveCustom{SlipArchiving::ClassName, SlipPtr(slip)});
}

ArchiveValue optionalValue(const std::optional<QString>& s) { return s ? ArchiveValue(*s) : ArchiveValue(); }

quint64 encodeSlip(KeyedArchiver& a, const Slip& slip) {
    const auto uid = a.beginObject();
    a.encodeObject(QStringLiteral("slipID"), ArchiveValue(slip.key()));
    KeyedArchiver::Uid textString = 0;
    if (slip.text()) {
        a.encodeUid(QStringLiteral("text"), encodeRichText(a, *slip.text(), &textString));
        a.encodeUid(QStringLiteral("textString"), textString);
    } else {
        a.encodeUid(QStringLiteral("text"), 0);
        a.encodeObject(QStringLiteral("textString"), ArchiveValue(QString()));
    }
    a.encodeObject(QStringLiteral("appendedText"), optionalValue(slip.appendedTextField()));
    a.encodeObject(QStringLiteral("keywords"), ArchiveValue(slip.keywordsString()));
    a.encodeObject(QStringLiteral("source"), optionalValue(slip.source()));
    a.encodeObject(QStringLiteral("slipType"), optionalValue(slip.slipType()));
    a.encodeBool(QStringLiteral("flagged"), slip.isFlagged());
    a.encodeObject(QStringLiteral("author"), optionalValue(slip.author()));
    a.encodeObject(QStringLiteral("creationTime"),
                   slip.creationTimeField() ? ArchiveValue(*slip.creationTimeField()) : ArchiveValue());
    a.encodeObject(QStringLiteral("lastModificationTime"),
                   slip.lastModificationTimeField() ? ArchiveValue(*slip.lastModificationTimeField()) : ArchiveValue());
    if (slip.selectedRanges() && !slip.selectedRanges()->isEmpty()) {
        const TextRange r = slip.selectedRanges()->first();
        a.encodeObject(QStringLiteral("selectedRangeOfSlipText"),
                       ArchiveValue::list({ArchiveValue(static_cast<qint64>(r.location)),
                                           ArchiveValue(static_cast<qint64>(r.length))}));
    }
    a.encodeInteger(QStringLiteral("modificationByMobileVersion"), slip.modificationByMobileVersion());
    a.endObject(uid, SlipArchiving::ClassName);
    return uid;
}
}  // namespace

void SlipArchiving::registerCodec(KeyedUnarchiver& unarchiver) { unarchiver.registerDecoder(ClassName, decodeSlip); }

void SlipArchiving::registerCodec(KeyedArchiver& archiver) {
    archiver.registerEncoder(ClassName, [](KeyedArchiver& a, const std::any& object) -> quint64 {
        const auto* slip = std::any_cast<SlipPtr>(&object);
        return slip && *slip ? encodeSlip(a, **slip) : 0;
    });
}

namespace {
Result<ArchiveValue> decodeLegacySlip(const TypedObject& o, TypedUnarchiver& u) {
    std::vector<ArchiveValue> fields;
    for (const TypedGroup& group : o.groups)
        for (const TypedValue& value : group.values) {
            auto decoded = u.decode(value);
            if (!decoded) return decoded;
            fields.push_back(std::move(*decoded));
        }
    if (fields.size() != 5)
        return Result<ArchiveValue>::failure(QStringLiteral("damaged typed stream: a slip with %1 fields").arg(fields.size()));
    auto slip = std::make_shared<Slip>(Slip::Undecoded{});
    slip->setSlipID(static_cast<quint32>(intValueOfString(fields[0].toString().value_or(QString()))));
    if (const auto* rich = fields[1].as<RichText>()) slip->setTextWithoutLastModificationDate(*rich);
    else if (const auto plain = fields[1].toString()) slip->setTextWithoutLastModificationDate(RichText(*plain));
    // A missing plain string reads as an empty one.
    slip->setKeywordsWithoutLastModificationDate(
        Slip::splitStringToKeywordsArray(fields[2].toString().value_or(QString())));
    slip->setSourceWithoutLastModificationDate(fields[3].toString().value_or(QString()));
    slip->setSlipTypeWithoutLastModificationDate(fields[4].toString().value_or(QString()));
    return ArchiveValue(ArchiveCustom{SlipArchiving::ClassName, SlipPtr(slip)});
}
}  // namespace

void SlipArchiving::registerCodec(TypedUnarchiver& unarchiver) {
    unarchiver.registerDecoder(ClassName.toLatin1(), decodeLegacySlip);
}

std::shared_ptr<const TypedObject> SlipArchiving::typedSlip(const Slip& slip) {
    auto o = std::make_shared<TypedObject>();
    o->classes = {TypedClass{"Slip", 0}, TypedClass{"NSObject", 0}};
    o->groups.push_back(objectGroup(typedString(slip.key())));
    o->groups.push_back(objectGroup(slip.text() ? typedRichText(*slip.text()) : nullptr));
    o->groups.push_back(objectGroup(typedString(slip.keywordsString())));
    o->groups.push_back(objectGroup(typedString(slip.source().value_or(QString()))));
    o->groups.push_back(objectGroup(typedString(slip.slipType().value_or(QString()))));
    return o;
}

ArchiveValue SlipArchiving::wrap(const SlipPtr& slip) { return ArchiveValue(ArchiveCustom{ClassName, slip}); }

SlipPtr SlipArchiving::unwrap(const ArchiveValue& value) {
    const auto* custom = value.as<ArchiveCustom>();
    if (!custom || custom->className != ClassName) return nullptr;
    const auto* slip = std::any_cast<SlipPtr>(&custom->object);
    return slip ? *slip : nullptr;
}

}  // namespace fendle
