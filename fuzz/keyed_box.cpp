// Feeds arbitrary bytes to the box reader (keyed, exchange and older forms).
#include "model/BoxFile.h"
#include "platform/system/Log.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Log lines of refused files would only slow the fuzzer down.
    static const bool quiet = (fendle::setLogSink([](const QString&) {}), true);
    (void)quiet;
    fendle::BoxData box;
    (void)fendle::BoxFile::readAnyForm(box, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
