// Decodes arbitrary bytes as an OpenMeta attribute value, as read back from
// a file that any program may have tagged, and does with the result what
// the tag reader and the backup store do: take it as a tag list, clean it,
// and write it into a backup dictionary.
#include "openmeta/OpenMeta.h"
#include "openmeta/OpenMetaValueCodec.h"
#include "platform/plist/BinaryPlistWriter.h"
#include "platform/system/Log.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (fendle::setLogSink([](const QString&) {}), true);
    (void)quiet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const fendle::OpenMetaAnswer<fendle::PlistValue> decoded = fendle::OpenMetaValueCodec::decode(bytes);
    if (!decoded.value) return 0;
    if (const auto tags = fendle::OpenMeta::validateAsArrayOfStrings(*decoded.value))
        (void)fendle::OpenMeta::removeDuplicateTags(*tags);
    (void)fendle::OpenMetaValueCodec::encode(*decoded.value);
    const fendle::PlistValue backup(fendle::PlistValue::Dictionary{
        {QStringLiteral("omDict"), fendle::PlistValue(fendle::PlistValue::Dictionary{
                                       {QStringLiteral("org.openmetainfo:kMDItemOMUserTags"), *decoded.value}})}});
    (void)fendle::writeBinaryPlist(backup);
    return 0;
}
