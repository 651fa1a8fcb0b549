#include "platform/large_memory.hpp"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace Platform {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

bool IsLarge(std::size_t bytes) {
    return bytes >= kHugePage;
}

#if defined(__linux__)
std::size_t RoundUp(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}
#endif

} // namespace

void* AllocateLarge(std::size_t bytes) {
    if (!IsLarge(bytes)) return ::operator new(bytes);
#if defined(__linux__)
    void* block = nullptr;
    if (posix_memalign(&block, kHugePage, RoundUp(bytes)) != 0) throw std::bad_alloc();
    // Only a hint: without huge pages the block works the same.
    madvise(block, RoundUp(bytes), MADV_HUGEPAGE);
    return block;
#else
    return ::operator new(bytes);
#endif
}

void FreeLarge(void* block, std::size_t bytes) noexcept {
    if (!IsLarge(bytes)) return ::operator delete(block);
#if defined(__linux__)
    std::free(block);
#else
    ::operator delete(block);
#endif
}

} // namespace Platform
