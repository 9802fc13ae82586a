// Feeds arbitrary bytes to the check every downloaded plug-in archive goes
// through before anything of it is written.
#include "plugins/PlugInArchive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)fendle::PlugInArchive::check(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
