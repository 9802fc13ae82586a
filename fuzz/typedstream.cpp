// Feeds arbitrary bytes to the typed-stream reader and the value decoders,
// and writes back what was read.
#include "platform/typedstream/TypedStreamCodecs.h"
#include "platform/typedstream/TypedStreamReader.h"
#include "platform/typedstream/TypedStreamWriter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)fendle::colorFromArchivedData(bytes);
    const auto stream = fendle::readTypedStream(bytes);
    if (!stream) return 0;
    fendle::TypedUnarchiver unarchiver(4 * static_cast<quint64>(size) + 64);
    for (const auto& group : stream->groups)
        for (const auto& value : group.values) (void)unarchiver.decode(value);
    (void)fendle::readTypedStream(fendle::writeTypedStream(stream->groups));
    return 0;
}
