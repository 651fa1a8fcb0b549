// MyFunc: number text conversion.
// TextToInt and TextToDouble read a whole byte string (Shift-JIS, only ASCII
// is meaningful) and give 0 for empty or invalid text; they never fail.
// RealToText writes a double with 15 significant digits, "." as separator,
// and scientific notation ("1E-5") outside 0.0001 .. 1e15.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace MyFunc {

int32_t TextToInt(std::string_view text) noexcept;
double TextToDouble(std::string_view text) noexcept;

// Longest text RealToText can produce ("-1.23456789012345E-308").
inline constexpr std::size_t kRealTextMax = 32;

// Writes the text into out (room for kRealTextMax bytes), returns its length.
std::size_t RealToText(double value, char* out) noexcept;
std::string RealToText(double value);

// Plain decimal integer, "-" for negatives; out needs room for 20 bytes.
std::size_t IntToText(int64_t value, char* out) noexcept;
std::string IntToText(int64_t value);

} // namespace MyFunc
