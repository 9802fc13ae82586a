// Feeds arbitrary bytes to the plug-in catalogue reader, as a server could
// send them, and reads every entry the way the check cycle and the table do.
#include "plugins/PlugInCatalogue.h"
#include "plugins/VersionNumber.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fendle;
    const Result<PlugInCatalogue> catalogue =
        PlugInCatalogue::read(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!catalogue) return 0;
    for (const PlugInCatalogue::Entry& entry : catalogue->entries()) {
        (void)PlugInCatalogue::plugInName(entry.identifier);
        (void)versionNumber(QStringLiteral("1.0"), entry.info.version());
        (void)entry.info.name();
        (void)entry.info.description();
        (void)entry.info.versionDate();
        if (const auto required = entry.info.requiredVersion()) (void)versionNumber(QStringLiteral("1.0"), *required);
    }
    (void)catalogue->toXml();
    return 0;
}
