#include "engine/large_arrays.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kvis {

bool adviseHugePages(const void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    if (data == nullptr || bytes > UINTPTR_MAX - begin) return false;
    // Whole huge pages only: the advice is kept per mapping, and a small page
    // at either end must not drag the neighbouring blocks of the heap along.
    const std::uintptr_t mask = kHugePageBytes - 1;
    const std::uintptr_t first = (begin + mask) & ~mask;
    const std::uintptr_t last = (begin + bytes) & ~mask;
    if (last <= first) return false;
    return ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE) == 0;
#else
    (void)data;
    (void)bytes;
    return false;
#endif
}

}  // namespace kvis
