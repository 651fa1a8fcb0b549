// The number conversions as they were before the fast paths, kept word for
// word (in their own namespace) as the reference the new ones must match
// bit for bit and byte for byte.
#pragma once

#include <cstddef>
#include <string_view>

namespace ReferenceNumbers {

double TextToDouble(std::string_view text) noexcept;

// Writes at most MyFunc::kRealTextMax bytes into out, returns the length.
std::size_t RealToText(double value, char* out) noexcept;

} // namespace ReferenceNumbers
