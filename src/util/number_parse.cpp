// Reading integers and reals from text: TextToInt and TextToDouble.
// Both read the whole text and give 0 for anything that is not a number in
// their form; they never allocate, throw or look at the locale.
#include "util/number_text.hpp"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace MyFunc {

namespace {

__extension__ using Uint128 = unsigned __int128;

// Hexadecimal texts carry at most this many significant digits (32 bits).
constexpr int kMaxHexDigits = 8;

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

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Skips leading blanks (code 32 only) and at most one sign. Inlined into
// both readers, where it is a good share of the work for short texts.
[[gnu::always_inline]] inline std::string_view SkipSpacesAndSign(std::string_view text,
                                                                 bool& negative) {
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

std::size_t HexPrefixLength(std::string_view body) {
    if (body.empty()) return 0;
    if (body[0] == '$' || body[0] == 'x' || body[0] == 'X') return 1;
    if (body.size() >= 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) return 2;
    return 0;
}

int32_t ReadHex(std::string_view digits, bool negative) {
    if (digits.empty()) return 0;
    uint32_t pattern = 0;
    int significant = 0;
    for (char c : digits) {
        const int value = HexValue(c);
        if (value < 0) return 0;
        if (significant == 0 && value == 0) continue;
        if (++significant > kMaxHexDigits) return 0;
        pattern = (pattern << 4) | static_cast<uint32_t>(value);
    }
    // The digits are a bit pattern: "$FFFFFFFF" is -1 and "-$FFFFFFFF" is 1.
    return static_cast<int32_t>(negative ? 0u - pattern : pattern);
}

int32_t ReadDecimal(std::string_view digits, bool negative) {
    if (digits.empty()) return 0;
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    uint64_t value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return 0;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > limit) return 0;
    }
    const int64_t signed_value = static_cast<int64_t>(value);
    return static_cast<int32_t>(negative ? -signed_value : signed_value);
}

// A real text taken apart: value = mantissa * 10^exponent.
struct DecimalText {
    uint64_t mantissa = 0;
    int digits = 0;       // significant digits in mantissa
    int64_t exponent = 0; // bounded by the text length plus kExponentClamp
    bool negative = false;
    bool exact = true;    // no nonzero digit was dropped
    bool rounded = false; // the first dropped digit has rounded the mantissa
};

// Digits past the kept ones only round the last kept digit; before the
// point each one moves the kept ones up a place.
[[gnu::noinline]] void DropDigit(unsigned digit, bool after_point, DecimalText& number) {
    if (!number.rounded && digit >= 5) ++number.mantissa;
    number.rounded = true;
    if (digit != 0) number.exact = false;
    if (!after_point) ++number.exponent;
}

// Reads a run of digits; leading zeros add nothing to the mantissa, and
// every digit kept or skipped after the point lowers the exponent.
const char* ReadDigits(const char* p, const char* end, bool after_point, DecimalText& number) {
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9) break;
        if (number.digits < kMaxMantissaDigits) {
            number.mantissa = number.mantissa * 10 + digit;
            number.digits += number.mantissa != 0 ? 1 : 0;
            number.exponent -= after_point ? 1 : 0;
        } else {
            DropDigit(digit, after_point, number);
        }
    }
    return p;
}

// 10^0 .. 10^19, to count the decimal digits of a mantissa.
constexpr uint64_t kIntegerPowersOfTen[] = {1,
                                            10,
                                            100,
                                            1'000,
                                            10'000,
                                            100'000,
                                            1'000'000,
                                            10'000'000,
                                            100'000'000,
                                            1'000'000'000,
                                            10'000'000'000,
                                            100'000'000'000,
                                            1'000'000'000'000,
                                            10'000'000'000'000,
                                            100'000'000'000'000,
                                            1'000'000'000'000'000,
                                            10'000'000'000'000'000,
                                            100'000'000'000'000'000,
                                            1'000'000'000'000'000'000,
                                            10'000'000'000'000'000'000u};

// Decimal digits of value (0 for 0): bit width * 1233 / 4096 ~ log10(2)
// gives this or one less.
int DecimalLength(uint64_t value) {
    const int guess = (std::bit_width(value) * 1233) >> 12;
    return guess + (value >= kIntegerPowersOfTen[guess] ? 1 : 0);
}

// A run of digits into the mantissa with no cap: the caller knows there
// are not enough of them to exceed the kept ones.
const char* ReadShortRun(const char* p, const char* end, uint64_t& mantissa) {
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit > 9) break;
        mantissa = mantissa * 10 + digit;
    }
    return p;
}

// Texts of at most kMaxMantissaDigits bytes keep every digit: leading zeros
// vanish in the mantissa by themselves and its length is the digit count.
std::string_view ReadShortMantissa(std::string_view text, DecimalText& number) {
    const char* const end = text.data() + text.size();
    const char* p = ReadShortRun(text.data(), end, number.mantissa);
    if (p != end && *p == '.') {
        const char* const fraction = p + 1;
        p = ReadShortRun(fraction, end, number.mantissa);
        number.exponent -= p - fraction;
    }
    number.digits = DecimalLength(number.mantissa);
    return std::string_view(p, static_cast<std::size_t>(end - p));
}

// Reads digits with at most one point; returns the rest of the text.
std::string_view ReadMantissa(std::string_view text, DecimalText& number) {
    if (text.size() <= static_cast<std::size_t>(kMaxMantissaDigits))
        return ReadShortMantissa(text, number);
    const char* const end = text.data() + text.size();
    const char* p = ReadDigits(text.data(), end, false, number);
    if (p != end && *p == '.') p = ReadDigits(p + 1, end, true, number);
    return std::string_view(p, static_cast<std::size_t>(end - p));
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

// A mantissa of at most 53 bits and a power of ten up to 10^22 are both
// exact doubles, so one multiplication or division in double arithmetic
// rounds once, correctly, to the very double the extended scaling and its
// tie correction give. Only where double arithmetic is not done in a wider
// format (the x87 unit would round twice).
constexpr uint64_t kExactMantissaMax = uint64_t{1} << std::numeric_limits<double>::digits;
constexpr int kExactDoublePowerMax = 22;
constexpr double kDoublePowersOfTen[kExactDoublePowerMax + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr bool kDoubleArithmeticRoundsOnce = FLT_EVAL_METHOD == 0;

bool IsExactlyScaled(const DecimalText& number, int exponent) {
    return kDoubleArithmeticRoundsOnce && number.exact && number.mantissa <= kExactMantissaMax &&
           exponent >= -kExactDoublePowerMax && exponent <= kExactDoublePowerMax;
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
    if (IsExactlyScaled(number, exponent)) {
        const double mantissa = static_cast<double>(number.mantissa);
        const double result = exponent >= 0 ? mantissa * kDoublePowersOfTen[exponent]
                                            : mantissa / kDoublePowersOfTen[-exponent];
        return number.negative ? -result : result;
    }
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

int32_t TextToInt(std::string_view text) noexcept {
    bool negative = false;
    const std::string_view body = SkipSpacesAndSign(text, negative);
    const std::size_t prefix = HexPrefixLength(body);
    if (prefix > 0) return ReadHex(body.substr(prefix), negative);
    return ReadDecimal(body, negative);
}

double TextToDouble(std::string_view text) noexcept {
    DecimalText number;
    const std::string_view body = SkipSpacesAndSign(text, number.negative);
    // Spaces alone or a sign alone are no number; "." and "e5" are zero.
    if (body.empty()) return 0.0;
    const std::string_view rest = ReadMantissa(body, number);
    if (!ReadExponent(rest, number)) return 0.0;
    return ScaleToDouble(number);
}

} // namespace MyFunc
