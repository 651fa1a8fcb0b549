// Number text conversion: the reading forms, the general 15-digit writing
// form, and the agreement of writing and reading over random values.
#include "util/number_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

using MyFunc::IntToText;
using MyFunc::RealToText;
using MyFunc::TextToDouble;
using MyFunc::TextToInt;

struct IntCase {
    const char* text;
    int32_t expected;
};

TEST(TextToInt, ReadsTheFormAndRejectsEverythingElse) {
    const IntCase cases[] = {
        {"", 0},
        {"0", 0},
        {" 12", 12},
        {"   -12", -12},
        {"12 ", 0},
        {"\t12", 0},
        {" ", 0},
        {"+7", 7},
        {"-7", -7},
        {"--7", 0},
        {"+-7", 0},
        {"- 7", 0},
        {"-", 0},
        {"+", 0},
        {"012", 12},
        {"-0", 0},
        {"1.5", 0},
        {"1e3", 0},
        {"12a", 0},
        {"1 2", 0},
        // Full-width "10" in Shift-JIS is no number.
        {"\x82\x50\x82\x4f", 0},
        {"1\x82\x4f", 0},
        // Hexadecimal prefixes.
        {"$1F", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"0x1f", 31},
        {"0X1F", 31},
        {"+$1F", 31},
        {"-$1F", -31},
        {" -0x10", -16},
        {"0x", 0},
        {"$", 0},
        {"x", 0},
        {"$G", 0},
        {"$1F ", 0},
        {"$-1", 0},
        {"00x1", 0},
        {"0$1", 0},
        {"1F", 0},
        {"0xx1", 0},
        // Decimal range.
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-2147483649", 0},
        {"0000000000002147483647", 2147483647},
        {"99999999999999999999999", 0},
        // Hexadecimal: at most eight significant digits, as a 32-bit pattern.
        {"$FFFFFFFF", -1},
        {"-$FFFFFFFF", 1},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", std::numeric_limits<int32_t>::min()},
        {"-$80000000", std::numeric_limits<int32_t>::min()},
        {"$100000000", 0},
        {"$0000000000FFFFFFFF", -1},
        {"$123456789", 0},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(TextToInt(c.text), c.expected) << '"' << c.text << '"';
    }
}

struct DoubleCase {
    const char* text;
    double expected;
};

TEST(TextToDouble, ReadsTheFormAndRejectsEverythingElse) {
    const DoubleCase cases[] = {
        {"", 0.0},
        {"1.5", 1.5},
        {" 1.5", 1.5},
        {"1.5 ", 0.0},
        {"\t1.5", 0.0},
        {"   ", 0.0},
        {"-", 0.0},
        {"+", 0.0},
        {"-1.5", -1.5},
        {"+1.5", 1.5},
        {"--1", 0.0},
        {"- 1", 0.0},
        {"1,5", 0.0},
        {"1e3", 1000.0},
        {"1E3", 1000.0},
        {"1e+3", 1000.0},
        {"2.5E-3", 0.0025},
        {"1e", 0.0},
        {"1e+", 0.0},
        {"1e-", 0.0},
        {"1e 5", 0.0},
        {"1e5 ", 0.0},
        {"1e5.5", 0.0},
        {"1e--5", 0.0},
        {"1.2.3", 0.0},
        {".5", 0.5},
        {"5.", 5.0},
        {".", 0.0},
        {"e5", 0.0},
        {".e5", 0.0},
        {"0012.50", 12.5},
        {"0.000001", 1e-6},
        {"123456789012345", 123456789012345.0},
        {"12.3456789012346", 12.3456789012346},
        {"0.1", 0.1},
        {"0.3", 0.3},
        {"1.79769313486231E308", 1.79769313486231e308},
        {"inf", 0.0},
        {"nan", 0.0},
        {"0x10", 0.0},
        {"1_000", 0.0},
        {"\x82\x50\x82\x4f", 0.0},
    };
    for (const DoubleCase& c : cases) {
        EXPECT_EQ(TextToDouble(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TextToDouble, KeepsTheSignOfZero) {
    EXPECT_TRUE(std::signbit(TextToDouble("-0")));
    EXPECT_TRUE(std::signbit(TextToDouble("-.")));
    EXPECT_FALSE(std::signbit(TextToDouble("0")));
    EXPECT_FALSE(std::signbit(TextToDouble("-")));
}

TEST(TextToDouble, ValuesBeyondTheRangeOfADoubleAreInvalid) {
    const DoubleCase cases[] = {
        {"1E400", 0.0},
        {"-1E400", 0.0},
        {"1E309", 0.0},
        {"1.7976931348623159E308", 0.0},
        {"1E99999999999999999999999999", 0.0},
        {"1.7976931348623157E308", DBL_MAX},
        {"-1.7976931348623157E308", -DBL_MAX},
        {"0.00017976931348623157E312", DBL_MAX},
        // Too small is zero, not invalid; the smallest subnormals survive.
        {"1E-400", 0.0},
        {"1E-99999999999999999999999999", 0.0},
        {"2E-324", 0.0},
        {"4.9406564584124654E-324", std::numeric_limits<double>::denorm_min()},
        {"2.2250738585072014E-308", DBL_MIN},
        // A zero mantissa stays zero whatever the exponent.
        {"0E99999999999999", 0.0},
    };
    for (const DoubleCase& c : cases) {
        const double value = TextToDouble(c.text);
        EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
        EXPECT_TRUE(std::isfinite(value)) << '"' << c.text << '"';
    }
}

TEST(TextToDouble, HandlesMegabyteLongTexts) {
    const std::size_t kLength = 1'000'000;
    const std::string zeros(kLength, '0');
    EXPECT_EQ(TextToDouble("1" + zeros), 0.0);
    EXPECT_EQ(TextToDouble("1" + zeros + "E-" + std::to_string(kLength)), 1.0);
    EXPECT_EQ(TextToDouble("0." + zeros + "25E" + std::to_string(kLength + 1)), 2.5);
    EXPECT_EQ(TextToDouble("0." + zeros + "1"), 0.0);
    EXPECT_EQ(TextToDouble(zeros + "7"), 7.0);
    EXPECT_EQ(TextToDouble("3.25" + zeros), 3.25);
    EXPECT_EQ(TextToDouble("1E" + std::string(kLength, '9')), 0.0);
    EXPECT_EQ(TextToDouble("1" + zeros + "x"), 0.0);
    EXPECT_EQ(TextToInt(zeros + "5"), 5);
    EXPECT_EQ(TextToInt("$" + zeros + "5"), 5);
    EXPECT_EQ(TextToDouble(std::string(kLength, ' ') + "-2"), -2.0);
}

struct RealCase {
    double value;
    const char* text;
};

TEST(RealToText, WritesTheGeneralFormWithFifteenDigits) {
    const RealCase cases[] = {
        {2.5, "2.5"},
        {10.0, "10"},
        {-3.0, "-3"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.00012, "0.00012"},
        {0.0001, "0.0001"},
        {-0.0001, "-0.0001"},
        {0.00001, "1E-5"},
        {1.5e-7, "1.5E-7"},
        {-1.5e-7, "-1.5E-7"},
        {1e15, "1E15"},
        {2.5e20, "2.5E20"},
        {1e100, "1E100"},
        {1e-100, "1E-100"},
        {12.3456789012345678, "12.3456789012346"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {-2.0 / 3.0, "-0.666666666666667"},
        {123456.789, "123456.789"},
        {100.25, "100.25"},
        {1e14, "100000000000000"},
        // The notation is chosen after rounding.
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E15"},
        {99999999999999.99, "100000000000000"},
        {0.000099999999999999995, "0.0001"},
        {9.99999999999999e-5, "9.99999999999999E-5"},
        {9.9999999999999995, "10"},
        {123456789012345678.0, "1.23456789012346E17"},
        {0.000123456789012345678, "0.000123456789012346"},
        // Exact halves of the 15th digit go to the even digit.
        {1.000030517578125, "1.00003051757812"},
        {1.000091552734375, "1.00009155273438"},
        // Ends of the range of a double.
        {DBL_MIN, "2.2250738585072E-308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        {-std::numeric_limits<double>::denorm_min(), "-4.94065645841247E-324"},
        // Rounded up, the largest doubles would not read back: they are cut.
        {DBL_MAX, "1.79769313486231E308"},
        {-DBL_MAX, "-1.79769313486231E308"},
        {1.79769313486230e308, "1.7976931348623E308"},
        // Never passed in, but harmless.
        {std::numeric_limits<double>::infinity(), "0"},
        {-std::numeric_limits<double>::infinity(), "0"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (const RealCase& c : cases) {
        EXPECT_EQ(RealToText(c.value), c.text) << c.value;
        char buffer[MyFunc::kRealTextMax];
        const std::size_t length = RealToText(c.value, buffer);
        EXPECT_EQ(std::string(buffer, length), c.text);
    }
}

TEST(IntToText, WritesPlainDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(42), "42");
    EXPECT_EQ(IntToText(-7), "-7");
    EXPECT_EQ(IntToText(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(IntToText(std::numeric_limits<int64_t>::max()), "9223372036854775807");
    char buffer[20];
    EXPECT_EQ(IntToText(std::numeric_limits<int64_t>::min(), buffer), 20u);
}

// A decimal text reduced to its significant digits and the power of ten of
// the first one, so texts of any layout can be compared.
struct Normalized {
    std::string digits;
    int exponent = 0;
    bool operator==(const Normalized&) const = default;
};

Normalized Normalize(const std::string& text) {
    Normalized n;
    const std::size_t e = text.find_first_of("Ee");
    const std::string mantissa = text.substr(0, e);
    int point = static_cast<int>(mantissa.size());
    int first = -1;
    int position = 0;
    for (char c : mantissa) {
        if (c == '.') {
            point = position;
            continue;
        }
        if (c < '0' || c > '9') continue;
        if (first < 0 && c != '0') first = position;
        if (first >= 0) n.digits += c;
        ++position;
    }
    if (point > position) point = position;
    while (!n.digits.empty() && n.digits.back() == '0')
        n.digits.pop_back();
    if (n.digits.empty()) return n;
    n.exponent = point - first - 1;
    if (e != std::string::npos) n.exponent += std::atoi(text.c_str() + e + 1);
    return n;
}

// Reference: the C library's correctly rounded "%.14e".
Normalized Reference(double magnitude) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", magnitude);
    return Normalize(text);
}

// The text is in the general form: fixed exactly for rounded magnitudes in
// [0.0001, 10^15), no superfluous zeros, at most 15 digits.
void ExpectWellFormed(const std::string& text, const Normalized& n) {
    const bool scientific = text.find('E') != std::string::npos;
    EXPECT_EQ(scientific, n.exponent < -4 || n.exponent > 14) << text;
    EXPECT_LE(n.digits.size(), 15u) << text;
    EXPECT_LE(text.size(), MyFunc::kRealTextMax) << text;
    EXPECT_EQ(text.find('+'), std::string::npos) << text;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        const std::size_t end = scientific ? text.find('E') : text.size();
        EXPECT_NE(text[end - 1], '0') << text;
        EXPECT_NE(text[end - 1], '.') << text;
    }
    if (scientific) {
        EXPECT_NE(text[text.find('E') + 1], '0') << text;
    }
}

// Correctly rounded reading, independent of the C library.
double ReferenceRead(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void CheckAgainstReference(double value) {
    const std::string text = RealToText(value);
    const Normalized written = Normalize(text);
    ASSERT_EQ(written, Reference(std::fabs(value))) << value << " -> " << text;
    ExpectWellFormed(text, written);
    EXPECT_EQ(text[0] == '-', value < 0.0) << text;
    // Reading back lands within an ulp of the text's value (exactly on it
    // for moderate exponents) and writes the same text again, so settings
    // survive any number of saves.
    const double read = TextToDouble(text);
    const double exact = ReferenceRead(text);
    if (std::fabs(value) > 1e-12 && std::fabs(value) < 1e27) {
        EXPECT_EQ(read, exact) << text;
    } else {
        EXPECT_LE(std::fabs(read - exact), std::fabs(exact) * DBL_EPSILON) << text;
    }
    EXPECT_EQ(RealToText(read), text) << value;
}

TEST(RealToText, AgreesWithTheReferenceOnRandomBitPatterns) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200'000; ++i) {
        double value = 0.0;
        const uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0.0) continue;
        CheckAgainstReference(value);
        if (HasFatalFailure()) return;
    }
}

TEST(RealToText, AgreesWithTheReferenceOverTheFixedRangeAndBeyond) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> power(-8.0, 18.0);
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::pow(10.0, power(random));
        CheckAgainstReference(i % 2 == 0 ? value : -value);
        if (HasFatalFailure()) return;
    }
}

TEST(RealToText, AgreesWithTheReferenceNearPowersOfTen) {
    // Where the digit count, the notation or the rounding carry changes.
    for (int k = -8; k <= 18; ++k) {
        const double power = std::pow(10.0, k);
        for (double factor : {1.0, 1.0 - 5e-16, 1.0 - 4e-16, 1.0 - 6e-16, 1.0 + 5e-15}) {
            double value = power * factor;
            for (int step = 0; step < 4; ++step)
                value = std::nextafter(value, 0.0);
            for (int step = 0; step < 8; ++step) {
                CheckAgainstReference(value);
                if (HasFatalFailure()) return;
                value = std::nextafter(value, HUGE_VAL);
            }
        }
    }
}

TEST(RealToText, AgreesWithTheReferenceOnCoordinates) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(-100000.0, 100000.0);
    std::uniform_int_distribution<int> decimals(0, 6);
    for (int i = 0; i < 200'000; ++i) {
        double value = coordinate(random);
        // Many drawing coordinates are short decimals; some are not.
        if (i % 2 == 0) {
            const double scale = std::pow(10.0, decimals(random));
            value = std::round(value * scale) / scale;
        }
        if (value == 0.0) continue;
        CheckAgainstReference(value);
        if (HasFatalFailure()) return;
    }
}

TEST(TextToDouble, ReadsSeventeenDigitTextsBackExactly) {
    // 17 digits name every double; the extended precision is enough to
    // bring each one back, whatever its exponent.
    std::mt19937_64 random(99);
    for (int i = 0; i < 200'000; ++i) {
        double value = 0.0;
        const uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        ASSERT_EQ(TextToDouble(text), value) << text;
    }
}

TEST(TextToDouble, RoundsShortDecimalsCorrectly) {
    // Typed values and stored coordinates: up to 19 digits with a point
    // anywhere must give the nearest double, halfway cases included.
    std::mt19937_64 random(11);
    std::uniform_int_distribution<uint64_t> mantissa(1, 9'999'999'999'999'999'999u);
    std::uniform_int_distribution<int> length(1, 19);
    for (int i = 0; i < 200'000; ++i) {
        std::string text = std::to_string(mantissa(random));
        text.resize(std::min<std::size_t>(text.size(), static_cast<std::size_t>(length(random))));
        const std::size_t point = random() % (text.size() + 1);
        text = text.substr(0, point) + '.' + text.substr(point);
        ASSERT_EQ(TextToDouble(text), ReferenceRead(text)) << text;
    }
    const DoubleCase halfway[] = {
        // 2^53 + 1 and 2^53 + 3 lie halfway between doubles: ties go to even.
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740995", 9007199254740996.0},
        {"9007199254740993.5", 9007199254740994.0},
        {"900719925474099.25", 900719925474099.25},
    };
    for (const DoubleCase& c : halfway) {
        EXPECT_EQ(TextToDouble(c.text), c.expected) << c.text;
    }
}

} // namespace
