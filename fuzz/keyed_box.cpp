// Feeds arbitrary bytes to the box reader (keyed, exchange and older forms).
#include "model/BoxFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fendle::BoxData box;
    (void)fendle::BoxFile::readAnyForm(box, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
