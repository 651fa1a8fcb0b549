// JwwGaibu: copying a short run of bytes (a line of at most a few hundred)
// with a few overlapping fixed-size moves. Left to itself the compiler
// copies such runs of unknown length with a string instruction whose start-up
// costs more than the copy.
#pragma once

#include <cstddef>
#include <cstring>

namespace JwwGaibu {

inline void CopyShort(char* to, const char* from, std::size_t length) {
    constexpr std::size_t kWide = 16;
    if (length >= kWide) {
        for (std::size_t at = 0; at + kWide < length; at += kWide)
            std::memcpy(to + at, from + at, kWide);
        std::memcpy(to + length - kWide, from + length - kWide, kWide);
    } else if (length >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + length - 8, from + length - 8, 8);
    } else if (length >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + length - 4, from + length - 4, 4);
    } else if (length > 0) {
        to[0] = from[0];
        to[length / 2] = from[length / 2];
        to[length - 1] = from[length - 1];
    }
}

} // namespace JwwGaibu
