// Feeds arbitrary bytes to the reader of a plug-in bundle's Info.plist and
// asks the bundle for every Info value the host uses.
#include "plugins/PlugInBundle.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fendle;
    Result<PlistValue::Dictionary> info =
        PlugInBundle::parseInfoDictionary(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!info) return 0;
    const Result<PlugInBundle> bundle = PlugInBundle::fromInfo(QStringLiteral("/fuzz/Fuzz.fdlplugin"), std::move(*info));
    if (!bundle) return 0;
    (void)bundle->version();
    (void)bundle->name();
    (void)bundle->description();
    (void)bundle->requiredVersion();
    (void)bundle->versionDate();
    (void)bundle->libraryPath();
    return 0;
}
