#include "search/desktop/CacheFileRecord.h"

#include "platform/plist/XmlPlist.h"
#include "platform/system/DateUtils.h"
#include "platform/text/TextMatching.h"

#include <QFileInfo>

namespace fendle {

namespace {

// Separates the folded fields, so that no term matches across two of them.
constexpr char FieldSeparator = '\x1f';

Result<QString> optionalString(const PlistValue& dictionary, const QString& key) {
    const PlistValue* value = dictionary.value(key);
    if (!value) return QString();
    if (value->type() != PlistValue::Type::String) return Result<QString>::failure(key + QStringLiteral(" is no string"));
    return value->toString();
}

Result<QStringList> optionalStrings(const PlistValue& dictionary, const QString& key) {
    const PlistValue* value = dictionary.value(key);
    if (!value) return QStringList();
    if (value->type() != PlistValue::Type::Array) return Result<QStringList>::failure(key + QStringLiteral(" is no array"));
    QStringList strings;
    strings.reserve(static_cast<qsizetype>(value->array().size()));
    for (const PlistValue& element : value->array()) {
        if (element.type() != PlistValue::Type::String)
            return Result<QStringList>::failure(key + QStringLiteral(" holds a value that is no string"));
        strings.append(element.toString());
    }
    return strings;
}

// The slip key under the current name, else the legacy one; a number is
// taken as its decimal text.
std::optional<QString> slipKeyOf(const PlistValue& dictionary) {
    for (const QString& key : {CacheFileRecord::SlipIDKey, CacheFileRecord::LegacySlipIDKey}) {
        const PlistValue* value = dictionary.value(key);
        if (!value) continue;
        if (value->type() == PlistValue::Type::String && !value->toString().isEmpty()) return value->toString();
        if (value->type() == PlistValue::Type::Integer) return QString::number(value->toInteger());
        return std::nullopt;
    }
    return std::nullopt;
}

void appendFolded(QByteArray& folded, const QString& text) {
    folded.append(foldCaseAndDiacritics(text).toUtf8());
    folded.append(FieldSeparator);
}

}  // namespace

Result<CacheFileRecord> CacheFileRecord::fromBytes(const QByteArray& bytes) {
    const Result<PlistValue> plist = readPlist(bytes);
    if (!plist) return Result<CacheFileRecord>::failure(plist);
    return fromDictionary(*plist);
}

Result<CacheFileRecord> CacheFileRecord::fromDictionary(const PlistValue& dictionary) {
    using Failure = Result<CacheFileRecord>;
    if (dictionary.type() != PlistValue::Type::Dictionary) return Failure::failure(QStringLiteral("no dictionary"));
    const Result<QString> boxPath = optionalString(dictionary, BoxPathKey);
    if (!boxPath || boxPath->isEmpty()) return Failure::failure(QStringLiteral("no box path"));
    const std::optional<QString> slipKey = slipKeyOf(dictionary);
    if (!slipKey) return Failure::failure(QStringLiteral("no slip key"));
    const Result<QString> title = optionalString(dictionary, TitleKey);
    const Result<QString> text = optionalString(dictionary, TextContentKey);
    const Result<QString> source = optionalString(dictionary, SourceKey);
    const Result<QString> modificationDate = optionalString(dictionary, ModificationDateKey);
    const Result<QStringList> keywords = optionalStrings(dictionary, KeywordsKey);
    for (const Result<QString>* field : {&title, &text, &source, &modificationDate})
        if (!*field) return Failure::failure(field->error());
    if (!keywords) return Failure::failure(keywords);

    CacheFileRecord record;
    record.slip = CachedSlip{*boxPath, *slipKey, *title, *keywords, *source, *modificationDate,
                             dateFromStandardDescription(*modificationDate).value_or(QDateTime())};
    if (record.slip.modified.isValid()) record.modifiedMilliseconds = record.slip.modified.toMSecsSinceEpoch();
    record.folded.reserve(text->size() + title->size() + 64);
    for (const QString& keyword : *keywords) appendFolded(record.folded, keyword);
    record.keywordsLength = record.folded.size();
    for (const QString& field : {*title, *text, *source}) appendFolded(record.folded, field);
    record.folded.squeeze();
    return record;
}

QString CacheFileRecord::boxNameOf(const QString& boxPath) { return QFileInfo(boxPath).completeBaseName(); }

}  // namespace fendle
