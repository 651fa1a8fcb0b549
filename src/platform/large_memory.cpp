#include "platform/large_memory.hpp"

#include <cstdint>
#include <new>

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

// Straight from the system, so that a freed block goes back to it at once:
// from the C library's heap it would stay in the process (its threshold for
// using the system directly rises with every large block freed).
void* AllocateLarge(std::size_t bytes) {
    if (!IsLarge(bytes)) return ::operator new(bytes);
#if defined(__linux__)
    const std::size_t size = RoundUp(bytes);
    // One huge page more than needed, to cut an aligned block out of it.
    void* mapped =
        mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) munmap(mapped, aligned - start);
    const std::size_t tail = start + size + kHugePage - (aligned + size);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
    // Only a hint: without huge pages the block works the same.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
#else
    return ::operator new(bytes);
#endif
}

void FreeLarge(void* block, std::size_t bytes) noexcept {
    if (!IsLarge(bytes)) return ::operator delete(block);
#if defined(__linux__)
    munmap(block, RoundUp(bytes));
#else
    ::operator delete(block);
#endif
}

} // namespace Platform
