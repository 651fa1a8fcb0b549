// Platform: allocation of large blocks (output text, point tables). Blocks
// of a few megabytes and more are aligned to 2 MiB and, on Linux, marked for
// transparent huge pages, so filling hundreds of megabytes costs hundreds of
// page faults instead of hundreds of thousands. Smaller blocks, and other
// systems, use the ordinary allocator.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace Platform {

void* AllocateLarge(std::size_t bytes); // throws std::bad_alloc
void FreeLarge(void* block, std::size_t bytes) noexcept;

// For std::vector and friends.
template <class T> struct TLargeAllocator {
    using value_type = T;
    TLargeAllocator() = default;
    template <class U> TLargeAllocator(const TLargeAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }
    template <class U> bool operator==(const TLargeAllocator<U>&) const noexcept { return true; }
};

// Owner of one large byte block.
struct TLargeBlockFree {
    std::size_t Bytes = 0;
    void operator()(char* block) const noexcept { FreeLarge(block, Bytes); }
};
using TLargeBlock = std::unique_ptr<char[], TLargeBlockFree>;

inline TLargeBlock MakeLargeBlock(std::size_t bytes) {
    return TLargeBlock(static_cast<char*>(AllocateLarge(bytes)), TLargeBlockFree{bytes});
}

} // namespace Platform
