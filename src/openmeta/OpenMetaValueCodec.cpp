#include "openmeta/OpenMetaValueCodec.h"

#include "platform/plist/BinaryPlistWriter.h"
#include "platform/plist/XmlPlist.h"

namespace fendle {

namespace {
// Archive references (UIDs) belong to keyed archives, not to plain property
// lists, so such a value cannot be stored as metadata.
bool holdsUid(const PlistValue& value) {
    switch (value.type()) {
    case PlistValue::Type::Uid: return true;
    case PlistValue::Type::Array:
        for (const PlistValue& item : value.array())
            if (holdsUid(item)) return true;
        return false;
    case PlistValue::Type::Dictionary:
        for (const auto& entry : value.dictionary())
            if (holdsUid(entry.second)) return true;
        return false;
    default: return false;
    }
}
}  // namespace

OpenMetaAnswer<QByteArray> OpenMetaValueCodec::encode(const PlistValue& value) {
    if (holdsUid(value))
        return {std::nullopt, OpenMetaError::serializationError(
                                  QStringLiteral("Property list invalid for format: an archive UID is not a "
                                                 "property-list object"))};
    QByteArray bytes = writeBinaryPlist(value);
    if (bytes.size() > MaxEncodedSize) return {std::nullopt, OpenMetaError::tooBigError()};
    return {std::move(bytes), std::nullopt};
}

OpenMetaAnswer<PlistValue> OpenMetaValueCodec::decode(const QByteArray& bytes) {
    if (bytes.size() > MaxDecodedInput)
        return {std::nullopt, OpenMetaError::serializationError(QStringLiteral("Attribute value is too large"))};
    Result<PlistValue> value = readPlist(bytes);
    if (!value) return {std::nullopt, OpenMetaError::serializationError(value.error())};
    return {std::move(*value), std::nullopt};
}

}  // namespace fendle
