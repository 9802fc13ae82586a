#include "openmeta/OpenMeta.h"

#include "openmeta/OpenMetaBackup.h"
#include "openmeta/OpenMetaValueCodec.h"
#include "openmeta/XdgTags.h"
#include "platform/files/ExtendedAttributes.h"
#include "platform/text/UnicodeForms.h"

#include <QDateTime>
#include <QSet>
#include <cerrno>

namespace fendle {

namespace {
bool nameMeansBackup(const QString& name) {
    return name.startsWith(QLatin1String("org.openmetainfo")) ||
           name.startsWith(QLatin1String("com.apple.metadata:kMDItem"));
}

PlistValue stringArray(const QStringList& strings) {
    PlistValue::Array items;
    items.reserve(static_cast<size_t>(strings.size()));
    for (const QString& s : strings) items.emplace_back(s);
    return PlistValue(std::move(items));
}

PlistValue now() { return PlistValue(QDateTime::currentDateTimeUtc()); }
}  // namespace

QString OpenMeta::openmetaKey(const QString& key) { return QStringLiteral("org.openmetainfo:") + key; }
QString OpenMeta::openmetaTimeKey(const QString& key) { return QStringLiteral("org.openmetainfo.time:") + key; }
QString OpenMeta::spotlightKey(const QString& key) { return QStringLiteral("com.apple.metadata:") + key; }

OpenMetaStatus OpenMeta::setUserTags(const QStringList& tags, const QString& path) {
    if (path.isEmpty()) return OpenMetaError::parameterError();
    const QStringList cleaned = removeDuplicateTags(tags);
    const PlistValue list = stringArray(cleaned);
    setXAttrMetaData(now(), UserTagTimeKey, path);
    setXAttr(list, spotlightKey(LegacyUserTagsKey), path);
    setXAttr(list, openmetaKey(LegacyUserTagsKey), path);
    const OpenMetaStatus written = setXAttrMetaData(list, UserTagsKey, path);
    // The desktop's own tag attribute follows only a successful write, so
    // that the two never disagree.
    if (written) return written;
    return XdgTags::write(cleaned, path);
}

OpenMetaAnswer<QStringList> OpenMeta::getUserTags(const QString& path) {
    const OpenMetaAnswer<PlistValue> stored = getXAttr(openmetaKey(UserTagsKey), path);
    if (!stored.value) return {std::nullopt, stored.error};
    std::optional<QStringList> tags = validateAsArrayOfStrings(*stored.value);
    if (!tags)
        return {std::nullopt, OpenMetaError::serializationError(QStringLiteral("The tags are not a list of strings"))};
    return {std::move(tags), std::nullopt};
}

OpenMetaStatus OpenMeta::setXAttrMetaData(const std::optional<PlistValue>& value, const QString& key,
                                          const QString& path) {
    setXAttrNoSpotlightMirror(value, key, path);
    return setXAttr(value, spotlightKey(key), path);
}

OpenMetaStatus OpenMeta::setXAttrNoSpotlightMirror(const std::optional<PlistValue>& value, const QString& omKey,
                                                   const QString& path) {
    const OpenMetaStatus written = setXAttr(value, openmetaKey(omKey), path);
    const OpenMetaStatus stamped = setXAttr(now(), openmetaTimeKey(omKey), path);
    return written ? written : stamped;
}

OpenMetaStatus OpenMeta::setNSArrayMetaData(const std::optional<PlistValue>& array, const QString& key,
                                            const QString& path) {
    if (array && array->type() != PlistValue::Type::Array) return OpenMetaError::parameterError();
    return setXAttrMetaData(array, key, path);
}

OpenMetaStatus OpenMeta::setXAttr(const std::optional<PlistValue>& value, const QString& name, const QString& path) {
    if (path.isEmpty() || name.isEmpty()) return OpenMetaError::parameterError();
    if (value) {
        const OpenMetaAnswer<QByteArray> encoded = OpenMetaValueCodec::encode(*value);
        if (!encoded.value) return encoded.error;
        const ExtendedAttributes::Result set = ExtendedAttributes::set(path, name, *encoded.value);
        if (!set.ok) return OpenMetaError::posixError(set.errorNumber);
    } else {
        // Removing what is not there leaves the file as asked.
        const ExtendedAttributes::Result removed = ExtendedAttributes::remove(path, name);
        if (!removed.ok && removed.errorNumber != ENODATA) return OpenMetaError::posixError(removed.errorNumber);
    }
    if (nameMeansBackup(name)) OpenMetaBackup::sharedInstance().backupMetadata(path);
    return std::nullopt;
}

OpenMetaAnswer<PlistValue> OpenMeta::getXAttr(const QString& name, const QString& path) {
    if (path.isEmpty() || name.isEmpty()) return {std::nullopt, OpenMetaError::parameterError()};
    const ExtendedAttributes::Value stored = ExtendedAttributes::get(path, name);
    if (!stored.bytes) {
        if (stored.message.isEmpty()) return {};  // not there
        if (stored.errorNumber != 0) return {std::nullopt, OpenMetaError::posixError(stored.errorNumber)};
        return {std::nullopt, OpenMetaError::serializationError(stored.message)};
    }
    return OpenMetaValueCodec::decode(*stored.bytes);
}

std::optional<QStringList> OpenMeta::validateAsArrayOfStrings(const PlistValue& value) {
    if (value.type() != PlistValue::Type::Array) return std::nullopt;
    QStringList strings;
    strings.reserve(static_cast<qsizetype>(value.array().size()));
    for (const PlistValue& item : value.array()) {
        if (item.type() != PlistValue::Type::String) return std::nullopt;
        strings.append(item.toString());
    }
    return strings;
}

QStringList OpenMeta::decomposeArrayOfStrings(const QStringList& tags) {
    QStringList decomposed;
    decomposed.reserve(tags.size());
    for (const QString& tag : tags) decomposed.append(decomposedString(tag));
    return decomposed;
}

QStringList OpenMeta::removeDuplicateTags(const QStringList& tags) {
    const QStringList decomposed = decomposeArrayOfStrings(tags);
    QHash<QString, QString> byLowercase;
    for (const QString& tag : decomposed) byLowercase.insert(lowercaseString(tag), tag);
    return orderedArrayWithDict(byLowercase, decomposed);
}

QStringList OpenMeta::orderedArrayWithDict(const QHash<QString, QString>& dict, const QStringList& sortHint) {
    QStringList ordered;
    QSet<QString> placed;
    for (const QString& hint : sortHint) {
        const QString key = lowercaseString(hint);
        const auto found = dict.constFind(key);
        if (found == dict.cend() || placed.contains(key)) continue;
        placed.insert(key);
        ordered.append(*found);
    }
    return ordered;
}

}  // namespace fendle
