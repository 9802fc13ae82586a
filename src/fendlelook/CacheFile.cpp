#include "fendlelook/CacheFile.h"

#include "platform/files/RegularFile.h"
#include "platform/plist/XmlPlist.h"

namespace fendle::look {
namespace {

std::optional<QString> stringValue(const PlistValue& dictionary, const QString& key) {
    const PlistValue* value = dictionary.value(key);
    if (!value || value->type() != PlistValue::Type::String) return std::nullopt;
    return value->toString();
}

std::optional<QStringList> stringListValue(const PlistValue& dictionary, const QString& key) {
    const PlistValue* value = dictionary.value(key);
    if (!value || value->type() != PlistValue::Type::Array) return std::nullopt;
    QStringList strings;
    for (const PlistValue& element : value->array()) {
        if (element.type() != PlistValue::Type::String) return std::nullopt;
        strings.append(element.toString());
    }
    return strings;
}

}  // namespace

std::optional<CacheFile> CacheFile::read(const QString& path) {
    const Result<QByteArray> bytes = RegularFile::read(path, MaximumFileSize);
    if (!bytes) return std::nullopt;
    return fromBytes(*bytes);
}

std::optional<CacheFile> CacheFile::fromBytes(const QByteArray& bytes) {
    const Result<PlistValue> plist = readPlist(bytes);
    if (!plist || plist->type() != PlistValue::Type::Dictionary) return std::nullopt;
    return fromDictionary(*plist);
}

CacheFile CacheFile::fromDictionary(const PlistValue& dictionary) {
    CacheFile file;
    file.textContent = stringValue(dictionary, TextContentKey);
    file.keywords = stringListValue(dictionary, KeywordsKey);
    file.source = stringValue(dictionary, SourceKey);
    file.slipID = stringValue(dictionary, SlipIDKey);
    file.boxPath = stringValue(dictionary, BoxPathKey);
    return file;
}

// The last path component (trailing slashes ignored) without its extension;
// a name that only starts with a dot has none.
std::optional<QString> CacheFile::boxName() const {
    if (!boxPath) return std::nullopt;
    QString path = *boxPath;
    while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
    QString name = path == QStringLiteral("/") ? path : path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0) name.truncate(dot);
    return name;
}

std::optional<QString> CacheFile::joinedKeywords() const {
    if (!keywords) return std::nullopt;
    return keywords->join(QStringLiteral(", "));
}

}  // namespace fendle::look
