// The number conversions on any text: where their rules coincide with the C
// library's (plain decimal integers, "0x" hexadecimal, decimals of at most
// 19 digits scaled by at most 10^27), the results must be the library's;
// every other text must read as 0. RealToText, on any double, must stay
// within its length and read back as the 15-digit rounding printf gives.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "util/number_text.hpp"

namespace {

using fuzz_support::Require;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal form: spaces, sign, digits with at most one point, optional
// exponent. Counts what decides whether the C library rounds the same way.
struct TDecimal {
    bool Valid = false;
    int Digits = 0;    // mantissa digits, leading zeros not counted
    int Fraction = 0;  // digits after the point
    long Exponent = 0; // as written, clamped
    bool AnyDigit = false;
};

TDecimal ParseDecimal(std::string_view t) {
    TDecimal d;
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return d;
    bool point = false;
    for (; i < t.size() && (IsDigit(t[i]) || (t[i] == '.' && !point)); ++i) {
        if (t[i] == '.') {
            point = true;
            continue;
        }
        d.AnyDigit = true;
        if (d.Digits > 0 || t[i] != '0') ++d.Digits;
        if (point) ++d.Fraction;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
        if (i == t.size() || !IsDigit(t[i])) return d;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            d.Exponent = std::min(d.Exponent * 10 + (t[i] - '0'), 100000L);
        if (negative) d.Exponent = -d.Exponent;
    }
    d.Valid = i == t.size();
    return d;
}

void CheckTextToDouble(const std::string& text) {
    const double got = MyFunc::TextToDouble(text);
    const TDecimal d = ParseDecimal(text);
    if (!d.Valid || !d.AnyDigit) {
        Require(got == 0.0, "TextToDouble: invalid text or no digits must read 0");
        return;
    }
    Require(std::isfinite(got), "TextToDouble: result not finite");
    const long scale = d.Exponent - d.Fraction;
    if (d.Digits > 19 || scale < -27 || scale > 27) return; // double rounding allowed there
    Require(got == std::strtod(text.c_str(), nullptr), "TextToDouble differs from strtod");
}

void CheckTextToInt(const std::string& text) {
    const int32_t got = MyFunc::TextToInt(text);
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::size_t digits = i + ((i < text.size() && (text[i] == '+' || text[i] == '-')) ? 1 : 0);
    const bool decimal = digits < text.size() &&
                         text.find_first_not_of("0123456789", digits) == std::string::npos &&
                         !(text.size() > digits + 1 && text[digits] == '0' &&
                           (text[digits + 1] == 'x' || text[digits + 1] == 'X'));
    if (!decimal) return; // hexadecimal and invalid forms: only must not fail
    errno = 0;
    const long long expected = std::strtoll(text.c_str(), nullptr, 10);
    const bool in_range = errno == 0 && expected >= INT32_MIN && expected <= INT32_MAX;
    Require(got == (in_range ? expected : 0), "TextToInt differs from strtoll");
}

void CheckRealToText(double value) {
    char text[MyFunc::kRealTextMax + 1];
    const std::size_t length = MyFunc::RealToText(value, text);
    Require(length > 0 && length <= MyFunc::kRealTextMax, "RealToText: length out of bounds");
    if (!std::isfinite(value)) return;
    text[length] = '\0';
    char reference[64];
    std::snprintf(reference, sizeof reference, "%.15g", value);
    const double back = MyFunc::TextToDouble(std::string_view(text, length));
    // Read back within half a unit of the 15th digit (and the reading's own
    // rounding, which beyond 10^27 may be off by an ulp).
    const double ulp = std::nextafter(std::fabs(value), HUGE_VAL) - std::fabs(value);
    Require(std::fabs(back - value) <= std::fabs(value) * 5.0000001e-15 + 2 * ulp,
            "RealToText does not read back within its 15 digits");
    const double expected = std::strtod(reference, nullptr);
    if (std::isinf(expected)) {
        // The largest doubles would round beyond the range: they are cut.
        Require(std::string_view(text).ends_with("1.79769313486231E308"),
                "RealToText: the largest doubles must be cut to stay in range");
        return;
    }
    Require(std::strtod(text, nullptr) == expected, "RealToText is not the 15-digit rounding");
    Require(std::strchr(text, '+') == nullptr && std::strchr(text, ',') == nullptr,
            "RealToText: '+' or ','");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckTextToDouble(text);
    CheckTextToInt(text);
    CheckRealToText(MyFunc::TextToDouble(text));
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckRealToText(bits);
    }
    return 0;
}
