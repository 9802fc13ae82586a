#pragma once
#include "platform/typedstream/TypedStreamValue.h"

namespace fendle {

// Writes a typed stream (little-endian, system version 1000) from groups and
// object trees. Type strings and class names are written once and referred
// to by label afterwards, and so is an object met again.
QByteArray writeTypedStream(const std::vector<TypedGroup>& groups);

}  // namespace fendle
