#include "util/geometry.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using MyFunc::IntersectSegments;
using MyFunc::kCrossingOnBoth;
using MyFunc::kCrossingOutside;
using MyFunc::kNoCrossing;
using MyFunc::RectPoint;
using MyFunc::RotatePointDeg;
using MyFunc::SamePoint;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

uint64_t Bits(double v) {
    return std::bit_cast<uint64_t>(v);
}

struct Pt {
    double x;
    double y;
};

Pt Corner(int r, int k, Pt anchor, double w, double h, double angle) {
    Pt p{};
    RectPoint(r, k, anchor.x, anchor.y, w, h, angle, p.x, p.y);
    return p;
}

// Point k relative to point r of an axis-aligned w x h rectangle, turned by
// the angle: an independent model of where RectPoint must land.
Pt ExpectedPoint(int r, int k, Pt anchor, double w, double h, double angle) {
    auto col = [](int i) { return (i < 0 || i > 8) ? 0 : i % 3; };
    auto row = [](int i) { return (i < 0 || i > 8) ? 0 : i / 3; };
    const double dx = (col(k) - col(r)) * w / 2;
    const double dy = (row(k) - row(r)) * h / 2;
    const double t = angle * std::numbers::pi / 180;
    return {anchor.x + dx * std::cos(t) - dy * std::sin(t),
            anchor.y + dx * std::sin(t) + dy * std::cos(t)};
}

TEST(RotatePointDeg, TurnsCounterClockwiseAboutCentre) {
    struct Case {
        Pt p, centre;
        double angle;
        Pt expected;
    };
    const Case cases[] = {
        {{1, 0}, {0, 0}, 90, {0, 1}},  {{4, 2}, {3, 2}, 90, {3, 3}},
        {{4, 2}, {3, 2}, -90, {3, 1}}, {{4, 2}, {3, 2}, 180, {2, 2}},
        {{4, 2}, {3, 2}, 450, {3, 3}}, {{2, 2}, {1, 1}, 45, {1, 1 + std::sqrt(2.0)}},
        {{5, 7}, {5, 7}, 33, {5, 7}},
    };
    for (const Case& c : cases) {
        Pt out{};
        RotatePointDeg(c.p.x, c.p.y, c.centre.x, c.centre.y, c.angle, out.x, out.y);
        EXPECT_NEAR(out.x, c.expected.x, 1e-12) << "angle " << c.angle;
        EXPECT_NEAR(out.y, c.expected.y, 1e-12) << "angle " << c.angle;
    }
}

TEST(RotatePointDeg, ConvertsByDividingFirst) {
    // 89 / 180 * pi and 89 * pi / 180 are different doubles whose cosines
    // differ in the 15th digit; the division comes first.
    Pt out{};
    RotatePointDeg(1, 0, 0, 0, 89, out.x, out.y);
    EXPECT_EQ(out.x, 0.0174524064372836);
    EXPECT_NE(out.x, std::cos(89 * std::numbers::pi / 180));
}

TEST(SamePoint, ComparesEachCoordinateInclusively) {
    const double above = std::nextafter(1e-8, 1.0);
    struct Case {
        Pt a, b;
        bool same;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}, true},
        {{0, 0}, {0.5e-8, -0.5e-8}, true},
        {{0, 0}, {1e-8, -1e-8}, true},    // bounds are inclusive
        {{0, 0}, {0.9e-8, 0.9e-8}, true}, // a square, not a circle
        {{0, 0}, {2e-8, 0}, false},
        {{0, 0}, {above, 0}, false},
        {{0, 0}, {0, -above}, false},
        {{-1e-8, 0}, {0, 0}, true},
        {{1e6, 1e6}, {1e6, 1e6 + 1}, false},
        {{0, 0}, {kNan, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamePoint(c.a.x, c.a.y, c.b.x, c.b.y), c.same)
            << "(" << c.a.x << "," << c.a.y << ") vs (" << c.b.x << "," << c.b.y << ")";
        EXPECT_EQ(SamePoint(c.b.x, c.b.y, c.a.x, c.a.y), c.same);
    }
}

TEST(RectPoint, EveryReferenceAndPointAtAngleZero) {
    const Pt anchor{100, 50};
    for (int r = 0; r < 9; ++r) {
        for (int k = 0; k < 9; ++k) {
            const Pt p = Corner(r, k, anchor, 10, 6, 0);
            const Pt e = ExpectedPoint(r, k, anchor, 10, 6, 0);
            EXPECT_DOUBLE_EQ(p.x, e.x) << "r " << r << " k " << k;
            EXPECT_DOUBLE_EQ(p.y, e.y) << "r " << r << " k " << k;
        }
    }
}

TEST(RectPoint, RotatedRectanglesTurnAboutTheAnchor) {
    const Pt anchor{12.5, -3.25};
    for (double angle : {90.0, -30.0, 450.0, 33.0, 180.0}) {
        for (int r = 0; r < 9; ++r) {
            for (int k : {0, 2, 8, 6, 4}) {
                const Pt p = Corner(r, k, anchor, 10, 4, angle);
                const Pt e = ExpectedPoint(r, k, anchor, 10, 4, angle);
                EXPECT_NEAR(p.x, e.x, 1e-12) << "angle " << angle << " r " << r << " k " << k;
                EXPECT_NEAR(p.y, e.y, 1e-12) << "angle " << angle << " r " << r << " k " << k;
            }
        }
    }
}

TEST(RectPoint, OutOfRangeIndicesActAsLowerLeft) {
    const Pt anchor{7, 3};
    for (int bad : {9, -1, 100, std::numeric_limits<int>::min()}) {
        for (int k : {0, 2, 8, 6}) {
            const Pt p = Corner(bad, k, anchor, 10, 4, -30);
            const Pt q = Corner(0, k, anchor, 10, 4, -30);
            EXPECT_EQ(Bits(p.x), Bits(q.x)) << "r " << bad << " k " << k;
            EXPECT_EQ(Bits(p.y), Bits(q.y)) << "r " << bad << " k " << k;
        }
        // A bad point index names the lower-left corner too.
        const Pt p = Corner(4, bad, anchor, 10, 4, -30);
        const Pt q = Corner(4, 0, anchor, 10, 4, -30);
        EXPECT_EQ(Bits(p.x), Bits(q.x)) << "k " << bad;
        EXPECT_EQ(Bits(p.y), Bits(q.y)) << "k " << bad;
    }
}

TEST(RectPoint, ReferencePointIsTheAnchorBitForBit) {
    const Pt anchors[] = {{0.1, 0.7}, {-0.0, -0.0}, {123456.789, -98765.4321}, {1e-300, 3e300}};
    for (const Pt& a : anchors) {
        for (int r = 0; r < 9; ++r) {
            const Pt p = Corner(r, r, a, 10.3, 6.7, 33);
            EXPECT_EQ(Bits(p.x), Bits(a.x)) << "r " << r;
            EXPECT_EQ(Bits(p.y), Bits(a.y)) << "r " << r;
        }
    }
}

TEST(RectPoint, CornersOfPlacedRectangles) {
    struct Case {
        int r;
        Pt anchor;
        double w, h, angle;
        Pt corners[4]; // points 0, 2, 8, 6
    };
    const Case cases[] = {
        {4, {0, 0}, 10, 4, 0, {{-5, -2}, {5, -2}, {5, 2}, {-5, 2}}},
        {0, {0, 0}, 10, 4, 90, {{0, 0}, {0, 10}, {-4, 10}, {-4, 0}}},
        {4, {100, 50}, 10, 6, 0, {{95, 47}, {105, 47}, {105, 53}, {95, 53}}},
        {0, {100, 50}, 10, 6, 90, {{100, 50}, {100, 60}, {94, 60}, {94, 50}}},
    };
    const int ks[] = {0, 2, 8, 6};
    for (const Case& c : cases) {
        for (int i = 0; i < 4; ++i) {
            const Pt p = Corner(c.r, ks[i], c.anchor, c.w, c.h, c.angle);
            EXPECT_NEAR(p.x, c.corners[i].x, 1e-12) << "r " << c.r << " k " << ks[i];
            EXPECT_NEAR(p.y, c.corners[i].y, 1e-12) << "r " << c.r << " k " << ks[i];
        }
    }
}

TEST(RectPoint, RotatedCornersAreNotSnapped) {
    // cos 90 degrees is not exactly 0 in doubles; the residue stays.
    const Pt p = Corner(0, 2, {0, 0}, 10, 6, 90);
    EXPECT_EQ(p.x, 6.123233995736766e-16);
    EXPECT_EQ(p.y, 10.0);
}

TEST(RectPoint, RotatedCornersAreReproducibleToTheLastBit) {
    // Pinned values of the exact evaluation order; a reordered or fused
    // formula changes some of them.
    struct Case {
        int r, k;
        double angle;
        double x, y;
    };
    const Case cases[] = {
        {4, 0, -30, 94.35157171088858, 50.497019978079024},
        {4, 8, -30, 106.24842828911142, 50.90298002192099},
        {2, 8, -30, 103.45000000000002, 56.155960043841965},
        {5, 2, -30, 98.72500000000001, 47.972019978079025},
        {0, 8, 33, 105.33934681565411, 61.484478831707946},
        {7, 2, 450, 106.6, 55.75000000000001},
        {5, 6, 89, 96.9742104552408, 40.6565133591979},
        {4, 2, 123.456, 100.14402767129944, 56.64984643773936},
    };
    for (const Case& c : cases) {
        const Pt p = Corner(c.r, c.k, {100.3, 50.7}, 10.1, 6.3, c.angle);
        EXPECT_EQ(p.x, c.x) << "r " << c.r << " k " << c.k << " angle " << c.angle;
        EXPECT_EQ(p.y, c.y) << "r " << c.r << " k " << c.k << " angle " << c.angle;
    }
}

// --- IntersectSegments ---

struct Seg {
    double x1, y1, x2, y2;
};

struct CrossCase {
    const char* name;
    Seg a, b;
    int code;
    Pt at; // ignored for kNoCrossing
};

constexpr double kSentinelX = 123.25;
constexpr double kSentinelY = -456.5;

void CheckCrossing(const CrossCase& c) {
    SCOPED_TRACE(c.name);
    double x = kSentinelX;
    double y = kSentinelY;
    const int code =
        IntersectSegments(c.a.x1, c.a.y1, c.a.x2, c.a.y2, c.b.x1, c.b.y1, c.b.x2, c.b.y2, x, y);
    EXPECT_EQ(code, c.code);
    if (c.code == kNoCrossing) {
        EXPECT_EQ(Bits(x), Bits(kSentinelX));
        EXPECT_EQ(Bits(y), Bits(kSentinelY));
    } else {
        EXPECT_NEAR(x, c.at.x, 1e-12);
        EXPECT_NEAR(y, c.at.y, 1e-12);
    }
}

TEST(IntersectSegments, ClassifiesCrossings) {
    const CrossCase cases[] = {
        {"X crossing", {0, 0, 10, 10}, {0, 10, 10, 0}, kCrossingOnBoth, {5, 5}},
        {"shared end point", {0, 0, 10, 0}, {10, 0, 10, 10}, kCrossingOnBoth, {10, 0}},
        {"shared end, both sloped", {0, 0, 2, 2}, {2, 2, 4, 0}, kCrossingOnBoth, {2, 2}},
        {"T junction", {0, 0, 10, 0}, {5, 0, 5, 10}, kCrossingOnBoth, {5, 0}},
        {"A vertical", {5, -1, 5, 9}, {0, 0, 10, 10}, kCrossingOnBoth, {5, 5}},
        {"beyond A", {0, 0, 1, 0}, {5, -1, 5, 1}, kCrossingOutside, {5, 0}},
        {"beyond B", {0, 0, 10, 0}, {5, 1, 5, 10}, kCrossingOutside, {5, 0}},
        {"beyond both", {0, 0, 1, 1}, {10, 0, 9, 1}, kCrossingOutside, {5, 5}},
        {"parallel", {0, 0, 10, 0}, {0, 1, 10, 1}, kNoCrossing, {}},
        {"collinear overlap", {0, 0, 10, 0}, {5, 0, 15, 0}, kNoCrossing, {}},
        {"collinear end to end", {0, 0, 10, 10}, {10, 10, 20, 20}, kNoCrossing, {}},
        {"both vertical", {0, 0, 0, 10}, {0, 5, 0, 15}, kNoCrossing, {}},
        {"zero length on line", {5, 5, 5, 5}, {0, 0, 10, 10}, kCrossingOnBoth, {5, 5}},
        {"zero length off line", {5, 6, 5, 6}, {0, 0, 10, 10}, kCrossingOutside, {5, 5}},
        {"zero length vs vertical", {5, 5, 5, 5}, {5, 0, 5, 10}, kNoCrossing, {}},
    };
    for (const CrossCase& c : cases)
        CheckCrossing(c);
}

TEST(IntersectSegments, SnappingIsAsymmetricAboutZero) {
    const CrossCase cases[] = {
        // x1 - x2 = -1e-8 counts as vertical: the crossing takes x1 as is.
        {"dx -1e-8 is vertical", {0, -1, 1e-8, 1}, {-5, 0.5, 5, 0.5}, kCrossingOnBoth, {0, 0.5}},
        // x1 - x2 = +1e-8 is sloped: the crossing moves along the steep line.
        {"dx +1e-8 is sloped",
         {1e-8, 1, 0, -1},
         {-5, 0.5, 5, 0.5},
         kCrossingOnBoth,
         {0.75e-8, 0.5}},
        {"dx 0.4e-8 is vertical", {0.4e-8, -1, 0, 1}, {-5, 0, 5, 0}, kCrossingOnBoth, {0.4e-8, 0}},
        {"dx -1.4e-8 is vertical", {0, -1, 1.4e-8, 1}, {-5, 0, 5, 0}, kCrossingOnBoth, {0, 0}},
        {"dx -1.6e-8 is sloped", {0, -1, 1.6e-8, 1}, {-5, 0, 5, 0}, kCrossingOnBoth, {0.8e-8, 0}},
        // Slopes: mA - mB = -1e-8 counts as parallel, +1e-8 does not.
        {"dm -1e-8 is parallel", {0, 0, 1, 0}, {0, 1, 1, 1 + 1e-8}, kNoCrossing, {}},
        {"dm +1e-8 crosses",
         {0, 0, 1, 0},
         {0, 1, 1, 1 - 1e-8},
         kCrossingOutside,
         {1 / (1 - (1 - 1e-8)), 0}},
    };
    for (const CrossCase& c : cases)
        CheckCrossing(c);
}

TEST(IntersectSegments, BoundsAreWidenedByTheTolerance) {
    const CrossCase cases[] = {
        {"0.5e-8 past the end",
         {0, 0, 10, 0},
         {10.000000005, -1, 10.000000005, 1},
         kCrossingOnBoth,
         {10.000000005, 0}},
        {"2e-8 past the end",
         {0, 0, 10, 0},
         {10.00000002, -1, 10.00000002, 1},
         kCrossingOutside,
         {10.00000002, 0}},
        {"0.5e-8 before the start",
         {0, 0, 10, 0},
         {-0.5e-8, -1, -0.5e-8, 1},
         kCrossingOnBoth,
         {-0.5e-8, 0}},
        {"just above B's top",
         {0, 1.000000005, 10, 1.000000005},
         {5, 0, 5, 1},
         kCrossingOnBoth,
         {5, 1.000000005}},
        {"well above B's top",
         {0, 1.00000003, 10, 1.00000003},
         {5, 0, 5, 1},
         kCrossingOutside,
         {5, 1.00000003}},
    };
    for (const CrossCase& c : cases)
        CheckCrossing(c);
}

TEST(IntersectSegments, NonFiniteInputIsNeverOnBothAtANonFinitePoint) {
    const double big = 1e308;
    struct Case {
        const char* name;
        Seg a, b;
        int code;
    };
    const Case cases[] = {
        {"NaN end of a vertical segment", {5, 5, 5, kNan}, {0, 0, 10, 10}, kCrossingOutside},
        {"NaN start of a vertical segment", {5, kNan, 5, 5}, {0, 0, 10, 10}, kCrossingOutside},
        {"NaN x", {kNan, 0, 10, 0}, {0, 0, 10, 10}, kCrossingOutside},
        {"NaN y in B", {0, 0, 10, 10}, {0, kNan, 10, 0}, kCrossingOutside},
        {"all NaN", {kNan, kNan, kNan, kNan}, {kNan, kNan, kNan, kNan}, kCrossingOutside},
        {"slopes overflow to NaN",
         {-big, -big, big, big},
         {-big, big, big, -big},
         kCrossingOutside},
        {"slope overflows to inf", {0, -big, 1e-7, big}, {0, 5, 10, 5}, kCrossingOutside},
        {"crossing at infinity", {5, 0, 5, kInf}, {0, 0, 10, kInf}, kCrossingOutside},
        {"ray meets a segment at a finite point", {0, 0, kInf, 0}, {0, 0, 10, 10}, kCrossingOnBoth},
        {"vertical line of infinite extent", {0, 0, 10, 0}, {5, -kInf, 5, kInf}, kCrossingOnBoth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double x = kSentinelX;
        double y = kSentinelY;
        const int code =
            IntersectSegments(c.a.x1, c.a.y1, c.a.x2, c.a.y2, c.b.x1, c.b.y1, c.b.x2, c.b.y2, x, y);
        EXPECT_EQ(code, c.code);
        if (code == kCrossingOnBoth) {
            EXPECT_TRUE(std::isfinite(x) && std::isfinite(y)) << x << ", " << y;
        }
    }
}

} // namespace
