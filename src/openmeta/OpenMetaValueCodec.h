#pragma once
#include "openmeta/OpenMetaError.h"
#include "platform/plist/PlistValue.h"

#include <QByteArray>

namespace fendle {

// Attribute values are binary property lists of at most 4096 bytes. What is
// read back may have been written by any program, so decoding is checked
// and capped like every other reader.
class OpenMetaValueCodec {
public:
    static constexpr qsizetype MaxEncodedSize = 4096;
    // Values read back larger than this are refused before decoding.
    static constexpr qsizetype MaxDecodedInput = 64 * 1024;

    // The bytes to store, or error -2 (not a property-list value) or -5 (too big).
    static OpenMetaAnswer<QByteArray> encode(const PlistValue& value);
    // The stored value; binary or XML property lists are both accepted.
    static OpenMetaAnswer<PlistValue> decode(const QByteArray& bytes);
};

}  // namespace fendle
