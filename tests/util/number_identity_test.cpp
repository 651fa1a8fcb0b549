// RealToText and TextToDouble against their earlier implementations (kept
// in reference_*.cpp) and against the C library, over doubles and texts of
// every kind: the fast paths must not change a single byte or bit.
// CROSSRECT_NUMBER_SWEEP=N runs N times as many values (a long sweep).
#include "util/number_text.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include "util/reference_numbers.hpp"

namespace {

constexpr int kValuesPerKind = 120'000;
constexpr int kTextsPerKind = 60'000;

int SweepFactor() {
    const char* factor = std::getenv("CROSSRECT_NUMBER_SWEEP");
    const int value = factor != nullptr ? std::atoi(factor) : 1;
    return value > 0 ? value : 1;
}

uint64_t BitsOf(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The C library's "%.15g" in the written form: "E", no "+", no leading
// exponent zeros, and the largest doubles cut so they stay in range.
std::string LibraryText(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.15g", value);
    std::string s = text;
    const std::size_t e = s.find('e');
    if (e == std::string::npos) return s;
    std::string mantissa = s.substr(0, e);
    const int exponent = std::atoi(s.c_str() + e + 1);
    if (exponent == DBL_MAX_10_EXP) {
        const std::size_t last = mantissa.find("1.79769313486232");
        if (last != std::string::npos && mantissa.size() == last + 16) mantissa.back() = '1';
    }
    return mantissa + "E" + std::to_string(exponent);
}

// Compares one value; returns false (after reporting) on a difference.
bool SameText(double value, bool with_library) {
    char fast[MyFunc::kRealTextMax];
    char old[MyFunc::kRealTextMax];
    const std::string written(fast, MyFunc::RealToText(value, fast));
    const std::string expected(old, ReferenceNumbers::RealToText(value, old));
    if (written != expected) {
        ADD_FAILURE() << "bits " << std::hex << BitsOf(value) << ": " << written
                      << " != " << expected;
        return false;
    }
    if (with_library && std::isfinite(value) && value != 0.0 && written != LibraryText(value)) {
        ADD_FAILURE() << "bits " << std::hex << BitsOf(value) << ": " << written << " != library "
                      << LibraryText(value);
        return false;
    }
    return true;
}

using ValueSource = std::function<double(std::mt19937_64&)>;

double RandomSign(std::mt19937_64& random, double magnitude) {
    return (random() & 1) != 0 ? -magnitude : magnitude;
}

// |x| log-uniform in 1e-3 .. 1e7, the coordinates drawings use; half of
// them rounded to a few decimals as typed or read values are.
double Coordinate(std::mt19937_64& random) {
    std::uniform_real_distribution<double> power(-3.0, 7.0);
    double value = std::pow(10.0, power(random));
    if ((random() & 1) != 0) {
        const double scale = std::pow(10.0, static_cast<int>(random() % 7));
        value = std::round(value * scale) / scale;
    }
    return RandomSign(random, value);
}

// A few steps around 10^k and around the carry boundary 9.99..95 * 10^k.
double NearPowerOfTen(std::mt19937_64& random) {
    const int k = static_cast<int>(random() % 631) - 323;
    const double base =
        (random() & 1) != 0 ? std::pow(10.0, k) : 9.999999999999995 * std::pow(10.0, k);
    uint64_t bits = BitsOf(base);
    bits += random() % 129;
    bits -= 64;
    return RandomSign(random, FromBits(bits));
}

// Exact halves of the 15th digit, and other short binary fractions.
double Tie(std::mt19937_64& random) {
    switch (random() % 3) {
    case 0: { // n.5 with 15 integer digits
        const uint64_t n = 100'000'000'000'000 + random() % 900'000'000'000'000;
        return RandomSign(random, static_cast<double>(n) + 0.5);
    }
    case 1: { // 16-digit integers ending in 5
        const uint64_t n = 100'000'000'000'000 + random() % 800'000'000'000'000;
        return RandomSign(random, static_cast<double>(n * 10 + 5));
    }
    default: { // m / 2^j
        const double m = static_cast<double>(random() >> (11 + random() % 40));
        return RandomSign(random, std::ldexp(m, -static_cast<int>(random() % 60)));
    }
    }
}

double Integer(std::mt19937_64& random) {
    const uint64_t n = random() >> (random() % 64);
    return RandomSign(random, static_cast<double>(n));
}

double Half(std::mt19937_64& random) {
    const double n = static_cast<double>(random() >> (random() % 64));
    return RandomSign(random, n + 0.5);
}

double Subnormal(std::mt19937_64& random) {
    return FromBits((random() & 0x800F'FFFF'FFFF'FFFF) >> (random() % 52));
}

// The top binade, where the largest values are cut.
double Huge(std::mt19937_64& random) {
    const uint64_t top = BitsOf(DBL_MAX);
    const uint64_t bits = (random() & 1) != 0
                              ? top - random() % 100'000
                              : (top & ~0xF'FFFF'FFFF'FFFFull) | (random() & 0xF'FFFF'FFFF'FFFF);
    return RandomSign(random, FromBits(bits));
}

double AnyBits(std::mt19937_64& random) {
    double value = 0.0;
    do
        value = FromBits(random());
    while (!std::isfinite(value));
    return value;
}

// Around the notation and exact-path thresholds 1e-5, 0.0001 and 1e15.
double NearThreshold(std::mt19937_64& random) {
    static const double kThresholds[] = {
        1e-5, 1e-4, 1e15, 999999999999999.5, 0.000099999999999999995, 0.0000099999999999999995};
    const double base = kThresholds[random() % std::size(kThresholds)];
    return RandomSign(random, FromBits(BitsOf(base) + random() % 2001 - 1000));
}

struct ValueKind {
    const char* name;
    ValueSource source;
};

TEST(NumberIdentity, RealToTextWritesTheSameBytesAsBefore) {
    const ValueKind kinds[] = {
        {"random bits", AnyBits},
        {"coordinates", Coordinate},
        {"integers", Integer},
        {"halves", Half},
        {"ties", Tie},
        {"near 10^k", NearPowerOfTen},
        {"thresholds", NearThreshold},
        {"subnormals", Subnormal},
        {"huge", Huge},
    };
    const int count = kValuesPerKind * SweepFactor();
    std::mt19937_64 random(20250101);
    for (const ValueKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        for (int i = 0; i < count; ++i) {
            // The library's formatting is slow: every 4th value is enough.
            if (!SameText(kind.source(random), i % 4 == 0)) return;
        }
    }
    const double specials[] = {0.0,
                               -0.0,
                               DBL_MIN,
                               DBL_MAX,
                               -DBL_MAX,
                               DBL_TRUE_MIN,
                               std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    for (double value : specials)
        EXPECT_TRUE(SameText(value, false));
}

// Compares one text bit for bit, signed zeros included.
bool SameValue(const std::string& text) {
    const double fast = MyFunc::TextToDouble(text);
    const double old = ReferenceNumbers::TextToDouble(text);
    if (BitsOf(fast) != BitsOf(old)) {
        ADD_FAILURE() << '"' << text << "\": " << fast << " != " << old;
        return false;
    }
    return true;
}

using TextSource = std::function<std::string(std::mt19937_64&)>;

std::string DigitString(std::mt19937_64& random, int length) {
    std::string digits;
    for (int i = 0; i < length; ++i)
        digits += static_cast<char>('0' + random() % 10);
    return digits;
}

// 1..25 digits, a point anywhere or none, leading zeros, signs, blanks and
// an exponent now and then, small or wide.
std::string RandomDecimal(std::mt19937_64& random) {
    std::string text(random() % 4 == 0 ? random() % 3 : 0, ' ');
    if (random() % 3 == 0) text += (random() & 1) != 0 ? '-' : '+';
    if (random() % 5 == 0) text += std::string(random() % 4, '0');
    std::string digits = DigitString(random, 1 + static_cast<int>(random() % 25));
    if (random() % 4 != 0) digits.insert(random() % (digits.size() + 1), 1, '.');
    text += digits;
    if (random() % 3 == 0) {
        const int range = random() % 2 == 0 ? 30 : 400;
        text += (random() & 1) != 0 ? 'E' : 'e';
        const int exponent = static_cast<int>(random() % (2 * range + 1)) - range;
        if (exponent >= 0 && (random() & 1) != 0) text += '+';
        text += std::to_string(exponent);
    }
    return text;
}

// Midpoints between adjacent doubles with at most 19 digits, one unit off
// in the last digit, or with the point moved into an exponent.
std::string Midpoint(std::mt19937_64& random) {
    const int binade = 50 + static_cast<int>(random() % 13); // 2^50 .. 2^62
    const uint64_t significand = (uint64_t{1} << 52) | (random() & ((uint64_t{1} << 52) - 1));
    // Midpoint = (2 * significand + 1) * 2^(binade - 53).
    const uint64_t doubled = 2 * significand + 1;
    std::string text;
    if (binade >= 53) {
        uint64_t midpoint = doubled << (binade - 53);
        midpoint += random() % 3 - 1;
        text = std::to_string(midpoint);
    } else {
        // (binade - 53) < 0: the fraction 2^-j has exactly j decimals.
        const int j = 53 - binade;
        const uint64_t whole = doubled >> j;
        const uint64_t fraction = doubled & ((uint64_t{1} << j) - 1);
        uint64_t scaled = fraction;
        for (int i = 0; i < j; ++i)
            scaled *= 5;
        char decimals[8];
        std::snprintf(decimals, sizeof decimals, "%0*llu", j,
                      static_cast<unsigned long long>(scaled));
        text = std::to_string(whole) + "." + decimals;
    }
    if (random() % 2 == 0) text += "000E-3";
    return text;
}

std::string WrittenText(std::mt19937_64& random) {
    return MyFunc::RealToText((random() & 1) != 0 ? Coordinate(random) : AnyBits(random));
}

std::string SeventeenDigits(std::mt19937_64& random) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", AnyBits(random));
    return text;
}

// Anything from the characters that matter, mostly invalid.
std::string Garbage(std::mt19937_64& random) {
    static constexpr char kAlphabet[] = " +-.eE0123456789,x\t\x82";
    std::string text;
    for (int n = static_cast<int>(random() % 12); n > 0; --n)
        text += kAlphabet[random() % (sizeof kAlphabet - 1)];
    return text;
}

struct TextKind {
    const char* name;
    TextSource source;
};

TEST(NumberIdentity, TextToDoubleReadsTheSameBitsAsBefore) {
    const TextKind kinds[] = {
        {"random decimals", RandomDecimal}, {"midpoints", Midpoint}, {"written texts", WrittenText},
        {"17 digits", SeventeenDigits},     {"garbage", Garbage},
    };
    const int count = kTextsPerKind * SweepFactor();
    std::mt19937_64 random(20250102);
    for (const TextKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        for (int i = 0; i < count; ++i) {
            if (!SameValue(kind.source(random))) return;
        }
    }
}

// Where both must be correctly rounded (at most 19 digits, no exponent
// beyond the exactly scaled range) the correctly rounding from_chars agrees.
TEST(NumberIdentity, TextToDoubleRoundsShortTextsLikeFromChars) {
    std::mt19937_64 random(20250103);
    const int count = kTextsPerKind * SweepFactor();
    for (int i = 0; i < count; ++i) {
        const std::string text = i % 2 == 0 ? Midpoint(random)
                                            : std::to_string(random() >> (1 + random() % 63)) +
                                                  "E-" + std::to_string(random() % 23);
        double library = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), library);
        ASSERT_EQ(BitsOf(MyFunc::TextToDouble(text)), BitsOf(library)) << text;
    }
}

} // namespace
