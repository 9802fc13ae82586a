#pragma once
#include "platform/TypedStreamValue.h"

namespace fendle {

// Writes a typed stream (little-endian, system version 1000) from groups and
// object trees. Type strings and class names are written once and referred
// to by label afterwards; objects are written literally each time.
QByteArray writeTypedStream(const std::vector<TypedGroup>& groups);

}  // namespace fendle
