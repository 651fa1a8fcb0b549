// Reference copy of the earlier TextToDouble; see reference_numbers.hpp.
#include "util/reference_numbers.hpp"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace ReferenceNumbers {

namespace {

__extension__ using Uint128 = unsigned __int128;

// Mantissa digits kept exactly; 10^19 still fits the 64-bit mantissa of the
// extended format, so the kept digits lose nothing before scaling.
constexpr int kMaxMantissaDigits = 19;

// Exponent texts saturate here: more than any text in memory can offset with
// its digit positions, yet far from overflowing the 64-bit sum of both.
constexpr int64_t kExponentClamp = 1'000'000'000'000'000;

// Decimal exponent of the leading digit beyond which the value cannot be a
// finite double (1E309 and up) or rounds to zero (below 1E-325).
constexpr int64_t kMaxLeadingExponent = 308;
constexpr int64_t kMinLeadingExponent = -326;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips leading blanks (code 32 only) and at most one sign.
std::string_view SkipSpacesAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return text.substr(i);
}

// A real text taken apart: value = mantissa * 10^exponent.
struct DecimalText {
    uint64_t mantissa = 0;
    int digits = 0;       // significant digits in mantissa
    int64_t exponent = 0; // bounded by the text length plus kExponentClamp
    bool negative = false;
    bool exact = true; // no nonzero digit was dropped
};

// Reads digits with at most one point; returns the rest of the text.
std::string_view ReadMantissa(std::string_view text, DecimalText& number) {
    bool after_point = false;
    bool rounded = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !after_point) {
            after_point = true;
            continue;
        }
        if (!IsDigit(c)) break;
        const int digit = c - '0';
        if (number.digits == 0 && digit == 0) {
            if (after_point) --number.exponent;
            continue;
        }
        if (number.digits < kMaxMantissaDigits) {
            number.mantissa = number.mantissa * 10 + static_cast<uint64_t>(digit);
            ++number.digits;
            if (after_point) --number.exponent;
            continue;
        }
        // Digits past the kept ones only round the last kept digit.
        if (!rounded && digit >= 5) ++number.mantissa;
        rounded = true;
        if (digit != 0) number.exact = false;
        if (!after_point) ++number.exponent;
    }
    return text.substr(i);
}

// Reads "E", an optional sign and at least one digit to the end of the text.
bool ReadExponent(std::string_view text, DecimalText& number) {
    if (text.empty()) return true;
    if (text[0] != 'E' && text[0] != 'e') return false;
    text.remove_prefix(1);
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    if (text.empty()) return false;
    int64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
        if (value > kExponentClamp) value = kExponentClamp;
    }
    number.exponent += negative ? -value : value;
    return true;
}

// 10^n for 0 <= n < 32 * 12; exact up to 10^27, otherwise within about one
// unit of the last place of the extended format.
long double PowerOfTen(int n) {
    static constexpr long double kSmall[32] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
        1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
        1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
    static constexpr long double kLarge[12] = {1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L,
                                               1e192L, 1e224L, 1e256L, 1e288L, 1e320L, 1e352L};
    const long double small = kSmall[n % 32];
    return n < 32 ? small : kLarge[n / 32] * small;
}

// The extended format as laid out on x86: 64-bit significand with explicit
// leading bit, then sign and 15-bit biased exponent.
static_assert(std::numeric_limits<long double>::digits == 64, "80-bit long double expected");
constexpr int kExtendedBias = 16383;
constexpr int kExtendedSignificandBits = 64;
constexpr int kDroppedBits = kExtendedSignificandBits - std::numeric_limits<double>::digits;
constexpr uint64_t kDroppedMask = (uint64_t{1} << kDroppedBits) - 1;
constexpr uint64_t kDroppedHalf = uint64_t{1} << (kDroppedBits - 1);

// The largest power of ten, and of five, that is exact in the scaling.
constexpr int kExactPowerMax = 27;

uint64_t PowerOfFive(int n) {
    uint64_t power = 1;
    for (int i = 0; i < n; ++i)
        power *= 5;
    return power;
}

// Compares the exact m * 10^e (|e| <= 27) with its extended-precision
// rounding value: -1 when the exact value is smaller, 0 equal, 1 greater.
int CompareExact(uint64_t mantissa, int exponent, long double value) {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    uint64_t significand = 0;
    uint16_t biased = 0;
    std::memcpy(&significand, bytes, sizeof significand);
    std::memcpy(&biased, bytes + sizeof significand, sizeof biased);
    // value = significand * 2^binary_exponent
    const int binary_exponent = (biased & 0x7FFF) - kExtendedBias - (kExtendedSignificandBits - 1);
    const int five_power = exponent >= 0 ? exponent : -exponent;
    const Uint128 five = PowerOfFive(five_power);
    Uint128 exact = 0;
    Uint128 rounded = 0;
    if (exponent >= 0) {
        // m * 5^e against significand * 2^(binary_exponent - e).
        const int shift = binary_exponent - exponent;
        if (shift < 0) return 0; // the product had room: no rounding at all
        exact = Uint128{mantissa} * five;
        rounded = Uint128{significand} << shift;
    } else {
        // m * 2^shift against significand * 5^k, both sides times 10^k.
        const int shift = -(binary_exponent - exponent);
        exact = Uint128{mantissa} << shift;
        rounded = Uint128{significand} * five;
    }
    return exact < rounded ? -1 : (exact > rounded ? 1 : 0);
}

// Rounding the extended result to double rounds a second time; when the
// extended result sits exactly halfway between two doubles, the first
// rounding decides the direction and the second must follow it.
double RoundToDouble(const DecimalText& number, int exponent, long double value) {
    double result = static_cast<double>(value);
    if (!number.exact || exponent > kExactPowerMax || exponent < -kExactPowerMax) return result;
    uint64_t significand = 0;
    std::memcpy(&significand, &value, sizeof significand);
    if ((significand & kDroppedMask) != kDroppedHalf) return result;
    const int side = CompareExact(number.mantissa, exponent, value);
    if (side > 0 && result < value) result = std::nextafter(result, HUGE_VAL);
    if (side < 0 && result > value) result = std::nextafter(result, 0.0);
    return result;
}

// Scales in the 80-bit extended format and rounds to double. A value beyond
// the range of a double is not a number here: 0.0, never infinity.
double ScaleToDouble(const DecimalText& number) {
    const double zero = number.negative ? -0.0 : 0.0;
    if (number.mantissa == 0) return zero;
    const int64_t leading = number.exponent + number.digits - 1;
    if (leading > kMaxLeadingExponent) return 0.0;
    if (leading < kMinLeadingExponent) return zero;
    // Both bounds keep |exponent| below 350 here.
    const int exponent = static_cast<int>(number.exponent);
    long double value = static_cast<long double>(number.mantissa);
    if (exponent >= 0) {
        value *= PowerOfTen(exponent);
    } else {
        value /= PowerOfTen(-exponent);
    }
    const double result = RoundToDouble(number, exponent, value);
    if (!std::isfinite(result)) return 0.0;
    return number.negative ? -result : result;
}

} // namespace

double TextToDouble(std::string_view text) noexcept {
    DecimalText number;
    const std::string_view body = SkipSpacesAndSign(text, number.negative);
    // Spaces alone or a sign alone are no number; "." and "e5" are zero.
    if (body.empty()) return 0.0;
    const std::string_view rest = ReadMantissa(body, number);
    if (!ReadExponent(rest, number)) return 0.0;
    return ScaleToDouble(number);
}

} // namespace ReferenceNumbers
