// Feeds arbitrary bytes to the reader of the messages a second start of the
// program sends over the local socket.
#include "appcore/LaunchRequest.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)fendle::decodeLaunchRequests(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
