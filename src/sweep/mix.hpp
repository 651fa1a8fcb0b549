// Unit1: splitmix64's finaliser, which spreads neighbouring numbers over
// the whole range: for the hash tables of cells and a fixed sequence of
// samples.
#pragma once

#include <cstdint>

namespace Unit1 {

inline uint64_t Mix64(uint64_t h) {
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

} // namespace Unit1
