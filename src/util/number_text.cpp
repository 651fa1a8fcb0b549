// Writing numbers as text: RealToText (15 significant digits, general form)
// and IntToText. Ordinary magnitudes are rounded with exact integer
// arithmetic and written eight digits at a time, the rest go through
// std::to_chars; the locale never matters.
#include "util/number_text.hpp"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace MyFunc {

namespace {

constexpr int kSignificantDigits = 15;

// Fixed notation for decimal exponents of the leading digit in this range,
// i.e. magnitudes from 0.0001 up to below 10^15.
constexpr int kMinFixedExponent = -4;
constexpr int kMaxFixedExponent = kSignificantDigits - 1;

// Longest decimal integer (int64 minimum with its sign).
constexpr std::size_t kIntTextMax = 20;

// The rounded value: 15 digits d0 .. d14 at text + 1 (trailing zeros
// included, as "0" characters), of which count are significant, times
// 10^(exponent - 14), i.e. exponent belongs to d0. The writers copy whole
// 15-byte runs from anywhere in the first kDigitTextSize - 1 bytes, so the
// buffer is larger than the digits and never read uninitialised.
constexpr std::size_t kDigitTextSize = 32;
constexpr std::size_t kRunLength = kSignificantDigits;

struct Digits {
    char text[kDigitTextSize] = {};
    int count = 0;
    int exponent = 0;
    char* First() { return text + 1; }
    const char* First() const { return text + 1; }
};

// Takes apart to_chars' scientific text "d.ddde+XX" (magnitude, no sign).
void ParseScientific(const char* first, const char* last, Digits& digits) {
    std::memset(digits.First(), '0', kSignificantDigits);
    digits.count = 0;
    const char* p = first;
    for (; p < last && *p != 'e'; ++p) {
        if (*p != '.') digits.First()[digits.count++] = *p;
    }
    ++p; // 'e'
    const bool negative = *p == '-';
    ++p; // to_chars always writes the exponent's sign
    int exponent = 0;
    std::from_chars(p, last, exponent);
    digits.exponent = negative ? -exponent : exponent;
    while (digits.count > 1 && digits.First()[digits.count - 1] == '0')
        --digits.count;
}

__extension__ using Uint128 = unsigned __int128;

// Magnitudes rounded by exact integer arithmetic below: all fixed-notation
// values and a little more, i.e. every ordinary drawing coordinate.
constexpr double kExactMin = 1e-5;
constexpr double kExactMax = 1e15;
constexpr int kExactMinExponent = -5;
constexpr int kMaxScale = kSignificantDigits - kExactMinExponent; // 10^20

constexpr uint64_t kFifteenDigitMin = 100'000'000'000'000; // 10^14
constexpr uint64_t kFifteenDigitEnd = 10 * kFifteenDigitMin;

constexpr int kDoubleFractionBits = 52;
constexpr int kDoubleExponentBias = 1023;

struct PowersOfFive {
    uint64_t value[kMaxScale + 1];
    constexpr PowersOfFive() : value() {
        value[0] = 1;
        for (int i = 1; i <= kMaxScale; ++i)
            value[i] = value[i - 1] * 5;
    }
};
constexpr PowersOfFive kPowersOfFive;

// 10^-5 .. 10^15 as doubles, to guess the decimal exponent.
constexpr double kPowersOfTen[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4, 1e5,
                                   1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Outcome of scaling with a guessed decimal exponent.
enum class TScaled { Fits, ExponentTooHigh, ExponentTooLow, OutOfRange };

// whole = round(mantissa * 2^binary_exponent * 10^(14 - exponent)), ties to
// even like every correctly rounding formatter, computed exactly in 128 bits
// when it has 15 digits.
TScaled ScaleToFifteenDigits(uint64_t mantissa, int binary_exponent, int& exponent,
                             uint64_t& whole) {
    const int scale = kMaxFixedExponent - exponent;
    if (scale < 0 || scale > kMaxScale) return TScaled::OutOfRange;
    const int shift = -(binary_exponent + scale); // 1 .. 70 in this range
    if (shift < 1) return TScaled::OutOfRange;
    const Uint128 product = Uint128{mantissa} * kPowersOfFive.value[scale];
    // One shift gives the whole and, below it, the bit worth a half.
    const uint64_t twice = static_cast<uint64_t>(product >> (shift - 1));
    whole = twice >> 1;
    if (whole < kFifteenDigitMin) return TScaled::ExponentTooHigh;
    if (whole >= kFifteenDigitEnd) return TScaled::ExponentTooLow;
    // Half or more goes up, except an exact tie on an even whole. 5^scale is
    // odd, so the bits below the half are all zero exactly when the mantissa
    // has at least that many trailing zero bits.
    const bool tie = std::countr_zero(mantissa) >= shift - 1;
    if ((twice & 1) != 0 && ((whole & 1) != 0 || !tie)) ++whole;
    if (whole == kFifteenDigitEnd) { // 9.99..95 carried into a new digit
        whole = kFifteenDigitMin;
        ++exponent;
    }
    return TScaled::Fits;
}

// The powers of ten below 1 are inexact as doubles, so the guess can be one
// off for values next to them: step the exponent until the whole fits.
[[gnu::noinline]] bool RescaleAfterMiss(uint64_t mantissa, int binary_exponent, TScaled scaled,
                                        int& exponent, uint64_t& whole) {
    while (scaled != TScaled::Fits) {
        if (scaled == TScaled::OutOfRange) return false;
        exponent += scaled == TScaled::ExponentTooHigh ? -1 : 1;
        scaled = ScaleToFifteenDigits(mantissa, binary_exponent, exponent, whole);
    }
    return true;
}

// Rounds a magnitude within the exact range to the 15-digit whole and the
// decimal exponent of its first digit.
bool RoundExactly(double magnitude, uint64_t& whole, int& exponent) {
    if (!(magnitude >= kExactMin && magnitude < kExactMax)) return false;
    const uint64_t bits = std::bit_cast<uint64_t>(magnitude);
    const uint64_t mantissa =
        (bits & ((uint64_t{1} << kDoubleFractionBits) - 1)) | (uint64_t{1} << kDoubleFractionBits);
    const int binary_exponent =
        static_cast<int>(bits >> kDoubleFractionBits) - kDoubleExponentBias - kDoubleFractionBits;
    // floor(log10(2^e)) via 78913 / 2^18 ~ log10(2); the true exponent of
    // the leading digit is this or one more.
    exponent = ((binary_exponent + kDoubleFractionBits) * 78913) >> 18;
    if (exponent < kMaxFixedExponent &&
        magnitude >= kPowersOfTen[exponent + 1 - kExactMinExponent]) {
        ++exponent;
    }
    const TScaled scaled = ScaleToFifteenDigits(mantissa, binary_exponent, exponent, whole);
    if (scaled == TScaled::Fits) return true;
    return RescaleAfterMiss(mantissa, binary_exponent, scaled, exponent, whole);
}

static_assert(std::endian::native == std::endian::little, "digit bytes are stored low byte first");

// The eight decimal digits of n < 10^8, leading zeros included, as the
// byte values 0..9, the first digit in the lowest byte: a few multiplications
// split all of them at once (x * 10486 >> 20 is x / 100 below 10^4, and
// x * 103 >> 10 is x / 10 below 100).
uint64_t EightDigits(uint32_t n) {
    const uint64_t merged = (n / 10'000) | (uint64_t{n % 10'000} << 32);
    const uint64_t hundreds_high = ((merged * 10'486) >> 20) & 0x0000'007F'0000'007Full;
    const uint64_t hundreds_low = merged - 100 * hundreds_high;
    const uint64_t pairs = (hundreds_low << 16) + hundreds_high;
    const uint64_t tens = ((pairs * 103) >> 10) & 0x000F'000F'000F'000Full;
    return tens + ((pairs - 10 * tens) << 8);
}

constexpr uint64_t kAsciiZeros = 0x3030'3030'3030'3030ull;
constexpr uint64_t kChunkSplit = 100'000'000; // 10^8
constexpr int kChunkDigits = 8;

// Writes the 15 digits of whole (10^14 <= whole < 10^15) and counts the
// significant ones from the zero bytes at the top of each chunk.
void WriteDigits(uint64_t whole, int exponent, Digits& digits) {
    // high < 10^7, so its chunk starts with a "0" that lands in text[0].
    const uint64_t high = EightDigits(static_cast<uint32_t>(whole / kChunkSplit));
    const uint64_t low = EightDigits(static_cast<uint32_t>(whole % kChunkSplit));
    const uint64_t high_text = high | kAsciiZeros;
    const uint64_t low_text = low | kAsciiZeros;
    std::memcpy(digits.text, &high_text, sizeof high_text);
    std::memcpy(digits.text + kChunkDigits, &low_text, sizeof low_text);
    const int low_zeros = std::countl_zero(low) / 8;
    const int zeros =
        low_zeros < kChunkDigits ? low_zeros : kChunkDigits + std::countl_zero(high) / 8;
    digits.count = kSignificantDigits - zeros;
    digits.exponent = exponent;
}

// The largest doubles round up to 1.79769313486232E308, which lies beyond
// the range of a double and would not read back; they are cut instead.
void KeepWithinRange(Digits& digits) {
    static constexpr char kRoundedMax[] = "179769313486232";
    if (digits.exponent == DBL_MAX_10_EXP && digits.count == kSignificantDigits &&
        std::memcmp(digits.First(), kRoundedMax, kSignificantDigits) == 0) {
        digits.First()[kSignificantDigits - 1] = '1';
    }
}

// Magnitudes outside the exact range: tiny, huge and subnormal ones; kept
// out of line so that the common path needs few registers.
[[gnu::noinline]] void RoundThroughLibrary(double magnitude, Digits& digits) {
    char text[40];
    // For normal numbers the shortest text that reads back to the value,
    // when it has at most 15 digits, is also the 15-digit rounding: the
    // value lies within half an ulp of it, which is less than half a unit
    // of the 15th digit. Subnormals have too few bits for that argument.
    if (magnitude >= DBL_MIN) {
        const auto shortest =
            std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
        ParseScientific(text, shortest.ptr, digits);
        if (digits.count <= kSignificantDigits) return;
    }
    const auto rounded = std::to_chars(text, text + sizeof text, magnitude,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    ParseScientific(text, rounded.ptr, digits);
}

// Each writer copies fixed 15-byte runs (a couple of wide moves) and steps
// on by the true length; the longest reach is 31 bytes past out, within
// the kRealTextMax bytes the caller provides even after a sign.
char* WriteFixed(const Digits& digits, char* out) {
    const char* first = digits.First();
    if (digits.exponent < 0) {
        const int leading_zeros = -digits.exponent - 1; // 0 .. 3
        std::memcpy(out, "0.000", 5);
        std::memcpy(out + 2 + leading_zeros, first, kRunLength);
        return out + 2 + leading_zeros + digits.count;
    }
    const int integer_digits = digits.exponent + 1;
    std::memcpy(out, first, kRunLength);
    if (digits.count <= integer_digits) return out + integer_digits;
    out[integer_digits] = '.';
    std::memcpy(out + integer_digits + 1, first + integer_digits, kRunLength);
    return out + digits.count + 1;
}

// Rare for drawings: out of line, like the library path.
[[gnu::noinline]] char* WriteScientific(const Digits& digits, char* out) {
    const char* first = digits.First();
    *out++ = first[0];
    if (digits.count > 1) {
        *out++ = '.';
        std::memcpy(out, first + 1, kRunLength);
        out += digits.count - 1;
    }
    *out++ = 'E';
    return std::to_chars(out, out + 8, digits.exponent).ptr;
}

// Picks the notation after rounding, so 999999999999999.9 (rounded to
// 10^15) is 1E15.
char* WriteDigitText(const Digits& digits, char* out) {
    const bool fixed = digits.exponent >= kMinFixedExponent && digits.exponent <= kMaxFixedExponent;
    return fixed ? WriteFixed(digits, out) : WriteScientific(digits, out);
}

// Every value the exact path leaves: zero, tiny, huge, subnormal, and the
// infinities and NaN, which callers never pass; should one slip through,
// "0" at least reads back as a harmless number. Out of line, so that the
// common path needs few registers.
[[gnu::noinline]] std::size_t WriteUnusual(double value, char* out) {
    if (value == 0.0 || !std::isfinite(value)) {
        out[0] = '0';
        return 1;
    }
    char* p = out;
    if (value < 0.0) *p++ = '-';
    Digits digits;
    RoundThroughLibrary(std::fabs(value), digits);
    KeepWithinRange(digits);
    return static_cast<std::size_t>(WriteDigitText(digits, p) - out);
}

} // namespace

static_assert(kRealTextMax >= 1 + (kSignificantDigits - 1) + 1 + kRunLength,
              "a sign, 14 integer digits, the point and a whole run must fit");

std::size_t RealToText(double value, char* out) noexcept {
    uint64_t whole = 0;
    int exponent = 0;
    if (!RoundExactly(std::fabs(value), whole, exponent)) return WriteUnusual(value, out);
    // The sign is stored always and kept only for negative values.
    out[0] = '-';
    char* const p = out + (std::bit_cast<uint64_t>(value) >> 63);
    Digits digits;
    WriteDigits(whole, exponent, digits);
    return static_cast<std::size_t>(WriteDigitText(digits, p) - out);
}

std::string RealToText(double value) {
    char text[kRealTextMax];
    return std::string(text, RealToText(value, text));
}

std::size_t IntToText(int64_t value, char* out) noexcept {
    return static_cast<std::size_t>(std::to_chars(out, out + kIntTextMax, value).ptr - out);
}

std::string IntToText(int64_t value) {
    char text[kIntTextMax];
    return std::string(text, IntToText(value, text));
}

} // namespace MyFunc
