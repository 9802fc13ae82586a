#include "platform/files/LargeBuffers.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace fendle {

void adviseHugePages(void* start, std::size_t length) {
    constexpr std::size_t HugePage = std::size_t(2) << 20;
    if (length < 2 * HugePage) return;
    // Only whole huge pages inside the buffer.
    const auto from = (reinterpret_cast<std::uintptr_t>(start) + HugePage - 1) & ~(HugePage - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(start) + length) & ~(HugePage - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace fendle
