#include "platform/LargePages.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace padrix {

void preferLargePages(void* data, std::size_t bytes) {
#ifdef __linux__
    constexpr std::uintptr_t Large = 2 << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + Large - 1) & ~(Large - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(Large - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace padrix
