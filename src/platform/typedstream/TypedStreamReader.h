#pragma once
#include "platform/system/Result.h"
#include "platform/typedstream/TypedStreamValue.h"

namespace fendle {

// Reads a typed stream (the sequential archiver's format) into groups and
// object trees, checking every label, length and count against the data.
// Back references to finished objects share the object; a reference to an
// object still being read is refused, so the trees hold no cycles.
bool hasTypedStreamSignature(const QByteArray& bytes);
Result<TypedStream> readTypedStream(const QByteArray& bytes);

}  // namespace fendle
