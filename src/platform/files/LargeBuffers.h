#pragma once
#include <cstddef>

namespace fendle {

// Asks the system to back a large buffer with huge pages where it can:
// filling a few hundred megabytes page by page costs more in page faults
// than writing the bytes. Harmless where huge pages are not available.
void adviseHugePages(void* start, std::size_t length);

}  // namespace fendle
