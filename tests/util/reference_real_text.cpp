// Reference copy of the earlier RealToText; see reference_numbers.hpp.
#include "util/reference_numbers.hpp"

#include "util/number_text.hpp"
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ReferenceNumbers {

namespace {

constexpr int kSignificantDigits = 15;

// Fixed notation for decimal exponents of the leading digit in this range,
// i.e. magnitudes from 0.0001 up to below 10^15.
constexpr int kMinFixedExponent = -4;
constexpr int kMaxFixedExponent = kSignificantDigits - 1;

// The rounded value as digits d0 d1 ... (no trailing zeros) times
// 10^(exponent - count + 1), i.e. exponent belongs to d0.
struct Digits {
    char digit[kSignificantDigits + 2];
    int count = 0;
    int exponent = 0;
};

// Takes apart to_chars' scientific text "d.ddde+XX" (magnitude, no sign).
void ParseScientific(const char* first, const char* last, Digits& digits) {
    digits.count = 0;
    const char* p = first;
    for (; p < last && *p != 'e'; ++p) {
        if (*p != '.') digits.digit[digits.count++] = *p;
    }
    ++p; // 'e'
    const bool negative = *p == '-';
    ++p; // to_chars always writes the exponent's sign
    int exponent = 0;
    std::from_chars(p, last, exponent);
    digits.exponent = negative ? -exponent : exponent;
    while (digits.count > 1 && digits.digit[digits.count - 1] == '0')
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

// "00" .. "99", to write two digits per division.
struct DigitPairs {
    char pair[200];
    constexpr DigitPairs() : pair() {
        for (std::size_t i = 0; i < 100; ++i) {
            pair[2 * i] = static_cast<char>('0' + i / 10);
            pair[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr DigitPairs kDigitPairs;

// The digits of whole (> 0) without its trailing zeros.
void DigitsOfInteger(uint64_t whole, int exponent, Digits& digits) {
    while (whole % 10 == 0)
        whole /= 10;
    char text[24];
    char* p = text + sizeof text;
    while (whole >= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs.pair + 2 * (whole % 100), 2);
        whole /= 100;
    }
    if (whole >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs.pair + 2 * whole, 2);
    } else {
        *--p = static_cast<char>('0' + whole);
    }
    digits.count = static_cast<int>(text + sizeof text - p);
    std::memcpy(digits.digit, p, static_cast<std::size_t>(digits.count));
    digits.exponent = exponent;
}

// Rounds magnitude = mantissa * 2^binary_exponent to 15 digits (ties to even,
// like every correctly rounding formatter) as the integer
// round(magnitude * 10^(14 - exponent)) computed exactly in 128 bits.
bool RoundExactly(double magnitude, Digits& digits) {
    if (!(magnitude >= kExactMin && magnitude < kExactMax)) return false;
    uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const uint64_t mantissa =
        (bits & ((uint64_t{1} << kDoubleFractionBits) - 1)) | (uint64_t{1} << kDoubleFractionBits);
    const int binary_exponent =
        static_cast<int>(bits >> kDoubleFractionBits) - kDoubleExponentBias - kDoubleFractionBits;
    // floor(log10(2^e)) via 78913 / 2^18 ~ log10(2); the true exponent of
    // the leading digit is this or one more.
    int exponent = ((binary_exponent + kDoubleFractionBits) * 78913) >> 18;
    if (exponent < kMaxFixedExponent &&
        magnitude >= kPowersOfTen[exponent + 1 - kExactMinExponent]) {
        ++exponent;
    }
    for (;;) {
        const int scale = kMaxFixedExponent - exponent;
        if (scale < 0 || scale > kMaxScale) return false;
        const Uint128 product = Uint128{mantissa} * kPowersOfFive.value[scale];
        const int shift = -(binary_exponent + scale); // 1 .. 70 in this range
        if (shift < 1) return false;
        const uint64_t whole = static_cast<uint64_t>(product >> shift);
        // The powers of ten below 1 are inexact as doubles: fix the guess.
        if (whole < kFifteenDigitMin) {
            --exponent;
            continue;
        }
        if (whole >= kFifteenDigitEnd) {
            ++exponent;
            continue;
        }
        const Uint128 rest = product & ((Uint128{1} << shift) - 1);
        const Uint128 half = Uint128{1} << (shift - 1);
        const bool up = rest > half || (rest == half && (whole & 1) != 0);
        if (up && whole + 1 == kFifteenDigitEnd) {
            DigitsOfInteger(1, exponent + 1, digits);
        } else {
            DigitsOfInteger(whole + (up ? 1 : 0), exponent, digits);
        }
        return true;
    }
}

// Rounds a positive finite magnitude to 15 significant digits.
void RoundToDigits(double magnitude, Digits& digits) {
    if (RoundExactly(magnitude, digits)) return;
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

// The largest doubles round up to 1.79769313486232E308, which lies beyond
// the range of a double and would not read back; they are cut instead.
void KeepWithinRange(Digits& digits) {
    static constexpr char kRoundedMax[] = "179769313486232";
    if (digits.exponent == DBL_MAX_10_EXP && digits.count == kSignificantDigits &&
        std::memcmp(digits.digit, kRoundedMax, kSignificantDigits) == 0) {
        digits.digit[kSignificantDigits - 1] = '1';
    }
}

char* WriteFixed(const Digits& digits, char* out) {
    if (digits.exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = digits.exponent + 1; i < 0; ++i)
            *out++ = '0';
        std::memcpy(out, digits.digit, static_cast<std::size_t>(digits.count));
        return out + digits.count;
    }
    const int integer_digits = digits.exponent + 1;
    for (int i = 0; i < integer_digits; ++i)
        *out++ = i < digits.count ? digits.digit[i] : '0';
    if (digits.count > integer_digits) {
        *out++ = '.';
        const int fraction_digits = digits.count - integer_digits;
        std::memcpy(out, digits.digit + integer_digits, static_cast<std::size_t>(fraction_digits));
        out += fraction_digits;
    }
    return out;
}

char* WriteScientific(const Digits& digits, char* out) {
    *out++ = digits.digit[0];
    if (digits.count > 1) {
        *out++ = '.';
        std::memcpy(out, digits.digit + 1, static_cast<std::size_t>(digits.count - 1));
        out += digits.count - 1;
    }
    *out++ = 'E';
    return std::to_chars(out, out + 8, digits.exponent).ptr;
}

} // namespace

std::size_t RealToText(double value, char* out) noexcept {
    // Zero of either sign is "0". Callers never pass infinity or NaN; should
    // one slip through, "0" at least reads back as a harmless number.
    if (value == 0.0 || !std::isfinite(value)) {
        out[0] = '0';
        return 1;
    }
    char* p = out;
    if (value < 0.0) *p++ = '-';
    Digits digits;
    RoundToDigits(std::fabs(value), digits);
    KeepWithinRange(digits);
    // Decided after rounding, so 999999999999999.9 (rounded to 10^15) is 1E15.
    const bool fixed = digits.exponent >= kMinFixedExponent && digits.exponent <= kMaxFixedExponent;
    p = fixed ? WriteFixed(digits, p) : WriteScientific(digits, p);
    return static_cast<std::size_t>(p - out);
}

} // namespace ReferenceNumbers
