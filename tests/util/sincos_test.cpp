#include "util/sincos.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "exact_sincos.hpp"

namespace {

using MyFunc::SinCos;

uint64_t Bits(double v) {
    return std::bit_cast<uint64_t>(v);
}

TEST(SinCos, GivesTheCorrectlyRoundedValue) {
    // Reference values rounded from a 1400-bit evaluation.
    struct Case {
        const char* name;
        double t, sin, cos;
    };
    const Case cases[] = {
        {"90 degrees", 0x1.921fb54442d18p+0, 0x1.0000000000000p+0, 0x1.1a62633145c07p-54},
        {"180 degrees", 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -0x1.0000000000000p+0},
        {"450 degrees", 0x1.f6a7a2955385ep+2, 0x1.0000000000000p+0, 0x1.60fafbfd97309p-52},
        {"-720 degrees", -0x1.921fb54442d18p+3, 0x1.1a62633145c07p-51, 0x1.0000000000000p+0},
        {"89 degrees", 0x1.8da7e39bae2a3p+0, 0x1.ffec097f5af8ap-1, 0x1.1df0b2b89dd37p-6},
        {"-30 degrees", -0x1.0c152382d7365p-1, -0x1.fffffffffffffp-2, 0x1.bb67ae8584cabp-1},
        {"just below pi/4", 0x1.921fb54442d17p-1, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1},
        {"pi/4 rounded", 0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1},
        {"closest double to a multiple of pi/2", 0x1.6ac5b262ca1ffp+849, 0x1.0000000000000p+0,
         -0x1.14ae72e6ba22fp-61},
        {"1e22", 0x1.0f0cf064dd592p+73, -0x1.b453ab76bf397p-1, 0x1.0be2cef01c8f4p-1},
        {"largest double", 0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8, -0x1.fffe62ecfab75p-1},
        {"smallest subnormal", 0x0.0000000000001p-1022, 0x0.0000000000001p-1022, 1.0},
        {"2^-30", 0x1.0p-30, 0x1.0p-30, 1.0},
        {"472.57, a hard rounding case", 0x1.d8929e4ddac7fp+8, 0x1.f1b12471c2179p-1,
         0x1.e0c72323db9d1p-3},
        {"1e6 degrees", 0x1.10b52b8a59178p+14, -0x1.f838b8c81279ep-1, 0x1.63a1a7e0a6e0bp-3},
        {"-1e15", -0x1.c6bf526340000p+49, -0x1.b76f88136cebap-1, -0x1.06c154609d33fp-1},
        // 0.4476232774459556 degrees: just below 1/128, where the nearest
        // table entry once came out one too high.
        {"just below 1/128", 0x1.fffffffffffffp-8, 0x1.fffeaaaaeeeeep-8, 0x1.fffc000155552p-1},
        {"minus just below 1/128", -0x1.fffffffffffffp-8, -0x1.fffeaaaaeeeeep-8,
         0x1.fffc000155552p-1},
    };
    for (const Case& c : cases) {
        double s = 0.0;
        double co = 0.0;
        SinCos(c.t, s, co);
        EXPECT_EQ(Bits(s), Bits(c.sin)) << c.name << ": sin " << s << " expected " << c.sin;
        EXPECT_EQ(Bits(co), Bits(c.cos)) << c.name << ": cos " << co << " expected " << c.cos;
    }
}

void ExpectExact(double t) {
    const exact_sincos::TResult want = exact_sincos::SinCos(t);
    ASSERT_FALSE(want.Ambiguous) << std::hexfloat << t;
    double s = 0.0;
    double c = 0.0;
    SinCos(t, s, c);
    EXPECT_EQ(Bits(s), Bits(want.Sin))
        << std::hexfloat << "t " << t << ": sin " << s << " expected " << want.Sin;
    EXPECT_EQ(Bits(c), Bits(want.Cos))
        << std::hexfloat << "t " << t << ": cos " << c << " expected " << want.Cos;
}

TEST(SinCos, ExactReferenceAgreesWithTheTable) {
    // The reference itself, on values from an independent evaluation.
    const double cases[][3] = {
        {0x1.921fb54442d18p+0, 0x1.0000000000000p+0, 0x1.1a62633145c07p-54},
        {0x1.f6a7a2955385ep+2, 0x1.0000000000000p+0, 0x1.60fafbfd97309p-52},
        {0x1.8da7e39bae2a3p+0, 0x1.ffec097f5af8ap-1, 0x1.1df0b2b89dd37p-6},
        {0x1.d8929e4ddac7fp+8, 0x1.f1b12471c2179p-1, 0x1.e0c72323db9d1p-3},
        {0x1.10b52b8a59178p+14, -0x1.f838b8c81279ep-1, 0x1.63a1a7e0a6e0bp-3},
    };
    for (const auto& c : cases) {
        const exact_sincos::TResult r = exact_sincos::SinCos(c[0]);
        EXPECT_EQ(Bits(r.Sin), Bits(c[1])) << c[0];
        EXPECT_EQ(Bits(r.Cos), Bits(c[2])) << c[0];
    }
}

TEST(SinCos, CorrectlyRoundedAtEveryTableIntervalEdge) {
    // The kernel splits its argument at the nearest sixty-fourth; arguments
    // on and next to every split point (j + 1/2) / 64 and every table point
    // j / 64 test that choice, directly and after reduction by multiples
    // of pi/2 (which leaves the reduced argument near the same edges).
    constexpr double kHalfPi = 1.5707963267948966;
    std::vector<double> points;
    for (int j = 0; j <= 50; ++j) {
        points.push_back((j + 0.5) / 64);
        if (j > 0) points.push_back(j / 64.0);
    }
    int tested = 0;
    for (const double edge : points) {
        for (int q = -4; q <= 4; ++q) {
            for (const double side : {1.0, -1.0}) {
                double t = q * kHalfPi + side * edge;
                for (int k = 0; k < 3; ++k)
                    t = std::nextafter(t, -INFINITY);
                for (int k = 0; k < 7; ++k, t = std::nextafter(t, INFINITY)) {
                    ExpectExact(t);
                    ++tested;
                }
            }
        }
    }
    EXPECT_EQ(tested, 101 * 9 * 2 * 7);
}

TEST(SinCos, SpecialArguments) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double t : {nan, inf, -inf}) {
        double s = 0.0;
        double c = 0.0;
        SinCos(t, s, c);
        EXPECT_TRUE(std::isnan(s)) << t;
        EXPECT_TRUE(std::isnan(c)) << t;
    }
    double s = 1.0;
    double c = 0.0;
    SinCos(-0.0, s, c);
    EXPECT_EQ(Bits(s), Bits(-0.0));
    EXPECT_EQ(c, 1.0);
}

TEST(SinCos, SymmetricAndCloseToTheLibraryInEveryQuadrant) {
    // Quadrant and sign logic across many turns. The C library serves only
    // as a loose absolute check: some are inexact in the last digits.
    for (int i = -4000; i <= 4000; ++i) {
        for (double scale : {1e-3, 1.0, 1e3}) {
            const double t = i * 0.00173 * scale;
            double s = 0.0;
            double c = 0.0;
            SinCos(t, s, c);
            double ns = 0.0;
            double nc = 0.0;
            SinCos(-t, ns, nc);
            ASSERT_EQ(Bits(ns), Bits(-s)) << t;
            ASSERT_EQ(Bits(nc), Bits(c)) << t;
            ASSERT_NEAR(s, std::sin(t), 1e-15) << t;
            ASSERT_NEAR(c, std::cos(t), 1e-15) << t;
        }
    }
}

} // namespace
