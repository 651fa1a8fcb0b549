#include "util/sincos.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// Only plain double additions and multiplications are used, each rounded on
// its own (the build turns floating-point contraction off), so the bits do
// not depend on the compiler's or the C library's choices.

namespace MyFunc {

namespace {

// An unevaluated sum hi + lo with |lo| <= ulp(hi) / 2.
struct DD {
    double hi;
    double lo;
};

inline DD TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Requires |a| >= |b| or a == 0.
inline DD FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

inline DD Split(double a) {
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double t = kSplitter * a;
    const double hi = t - (t - a);
    return {hi, a - hi};
}

inline DD TwoProd(double a, double b) {
    const double p = a * b;
    const DD x = Split(a);
    const DD y = Split(b);
    const double err = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, err};
}

inline DD Add(DD x, DD y) {
    DD s = TwoSum(x.hi, y.hi);
    const DD t = TwoSum(x.lo, y.lo);
    s = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(s.hi, s.lo + t.lo);
}

inline DD Mul(DD x, DD y) {
    const DD p = TwoProd(x.hi, y.hi);
    return FastTwoSum(p.hi, p.lo + (x.hi * y.lo + x.lo * y.hi));
}

inline DD Neg(DD x) {
    return {-x.hi, -x.lo};
}

// pi / 2 to about 107 bits.
constexpr DD kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};

// 2 / pi in binary, most significant bit first: word j holds the fraction
// bits 64j + 1 .. 64j + 64. Enough for the largest double exponent plus the
// 256-bit window used below.
constexpr uint64_t kTwoOverPi[] = {
    0xA2F9836E4E441529, 0xFC2757D1F534DDC0, 0xDB6295993C439041, 0xFE5163ABDEBBC561,
    0xB7246E3A424DD2E0, 0x06492EEA09D1921C, 0xFE1DEB1CB129A73E, 0xE88235F52EBB4484,
    0xE99C7026B45F7E41, 0x3991D639835339F4, 0x9C845F8BBDF9283B, 0x1FF897FFDE05980F,
    0xEF2F118B5A0A6D1F, 0x6D367ECF27CB09B7, 0x4F463F669E5FEA2D, 0x7527BAC7EBE5F17B,
    0x3D0739F78A5292EA, 0x6BFB5FB11F8D5D08, 0x56033046FC7B6BAB, 0xF0CFBC209AF4361D,
    0xA9E391615EE61B08, 0x6599855F14A06840,
};
constexpr int kTwoOverPiWords = sizeof(kTwoOverPi) / sizeof(kTwoOverPi[0]);

// 64 bits of 2 / pi starting at fraction bit pos + 1 (0-based pos); bits
// before the binary point are 0.
uint64_t TwoOverPiBits(int pos) {
    if (pos <= -64) return 0;
    if (pos < 0) return kTwoOverPi[0] >> -pos;
    const int word = pos / 64;
    const int shift = pos % 64;
    const uint64_t head = word < kTwoOverPiWords ? kTwoOverPi[word] : 0;
    if (shift == 0) return head;
    const uint64_t tail = word + 1 < kTwoOverPiWords ? kTwoOverPi[word + 1] : 0;
    return (head << shift) | (tail >> (64 - shift));
}

// sin(j/64) and cos(j/64) for j = 0 .. 51 as double-doubles; |r| <= pi/4
// needs j <= 50.
struct SinCosPair {
    DD sin;
    DD cos;
};
constexpr SinCosPair kSixtyFourths[] = {
    {{0.0, 0.0}, {0x1.0000000000000p+0, 0.0}},
    {{0x1.fffaaaaeeeed5p-7, -0x1.2ab639a9f0776p-63}, {0x1.fff000155549fp-1, 0x1.28a28a03a5ef3p-55}},
    {{0x1.ffeaaaeeee86fp-6, -0x1.cd406fb224ae2p-60},
     {0x1.ffc00155527d3p-1, -0x1.3b54492d89b5bp-55}},
    {{0x1.7fdc01032fba9p-5, -0x1.599bdf46e997ap-59},
     {0x1.ff7006bfdf99fp-1, -0x1.8b3b560648d5fp-56}},
    {{0x1.ffaaaeeed4edbp-5, -0x1.2d16d32684b69p-59}, {0x1.ff0015549f4d3p-1, 0x1.328387b99426fp-55}},
    {{0x1.3facb12d1755bp-4, -0x1.921915299468bp-58},
     {0x1.fe7034129ef6fp-1, -0x1.cbf4337c96f97p-57}},
    {{0x1.7f701032550e4p-4, 0x1.afc2d1800501ap-60}, {0x1.fdc06bf7e6b9bp-1, 0x1.31902b535f8dbp-55}},
    {{0x1.bf1b78568391dp-4, 0x1.e91841dea4cc8p-58}, {0x1.fcf0c800e99b1p-1, 0x1.ea3d786d186acp-57}},
    {{0x1.feaaeee86ee36p-4, -0x1.afcb2bcc6f03bp-59}, {0x1.fc015527d5bd3p-1, 0x1.b68f35094efb8p-55}},
    {{0x1.1f0d3d7afceafp-3, -0x1.6ef95099769a5p-57},
     {0x1.faf22263c4bd3p-1, -0x1.52ace133a2769p-58}},
    {{0x1.3eb312c5d66cbp-3, 0x1.47d666b66cb91p-57}, {0x1.f9c340a7cc428p-1, 0x1.c5b6b063b7462p-55}},
    {{0x1.5e44fcfa126f3p-3, -0x1.6f443063f89b6p-57},
     {0x1.f874c2e1eecf6p-1, -0x1.c6514e1332b16p-55}},
    {{0x1.7dc102fbaf2b5p-3, 0x1.5ab50e23c97c3p-59}, {0x1.f706bdf9ece1cp-1, -0x1.698c80c36dcb4p-55}},
    {{0x1.9d252d0cec312p-3, 0x1.9c43d80b1137dp-58}, {0x1.f57948cff6797p-1, 0x1.e3a0d3e03b1d4p-57}},
    {{0x1.bc6f84edc6199p-3, 0x1.9c1a56a7b0cabp-57}, {0x1.f3cc7c3b3d16ep-1, -0x1.21a3ad28a3494p-57}},
    {{0x1.db9e15fb5a5d0p-3, -0x1.32e20d6cc6fc2p-57}, {0x1.f20073086649fp-1, 0x1.b940416c1984bp-56}},
    {{0x1.faaeed4f31577p-3, -0x1.15d88508e32b8p-57}, {0x1.f01549f7deea1p-1, 0x1.d3c1e99e5cafdp-55}},
    {{0x1.0cd00cef36436p-2, -0x1.9fb0a0c93e2b4p-56},
     {0x1.ee0b1fbc0f11cp-1, -0x1.bfd2380bbc3b1p-59}},
    {{0x1.1c37d64c6b876p-2, 0x1.46076fe0dcff4p-56}, {0x1.ebe214f76efa8p-1, -0x1.02f9f12ba543ep-55}},
    {{0x1.2b8ddc43eb49fp-2, 0x1.1553899f2d807p-57}, {0x1.e99a4c3a7cd83p-1, -0x1.2264b1bc53ce8p-55}},
    {{0x1.3ad129769d3d8p-2, 0x1.03d550487839ap-63}, {0x1.e733ea0193d40p-1, -0x1.6428b3546ce13p-55}},
    {{0x1.4a00c9b0f3d20p-2, 0x1.823ba6bb08eadp-56}, {0x1.e4af14b2a449cp-1, -0x1.68ca02e8a6833p-55}},
    {{0x1.591bc9fa2f597p-2, 0x1.7c74bac3fe0cbp-57}, {0x1.e20bf49acd6c1p-1, -0x1.660aec7ef636bp-58}},
    {{0x1.682138a38d7f7p-2, -0x1.d889202444aadp-56},
     {0x1.df4ab3ebd875ep-1, -0x1.e2d8a7e6736c4p-55}},
    {{0x1.7710255764214p-2, -0x1.6ead7314bb6cep-57}, {0x1.dc6b7eb995912p-1, 0x1.4b364776dcd35p-58}},
    {{0x1.85e7a12826949p-2, 0x1.8a40e9b5face0p-56}, {0x1.d96e82f71a9dcp-1, 0x1.ff61bd5d2039dp-55}},
    {{0x1.94a6be9f546c5p-2, -0x1.69ce13e683f58p-56},
     {0x1.d653f073e4040p-1, -0x1.76236434bec37p-55}},
    {{0x1.a34c91cc50ccap-2, -0x1.a310e3b50cecdp-58}, {0x1.d31bf8d8d7c06p-1, 0x1.e60dd3089cbddp-56}},
    {{0x1.b1d8305321617p-2, -0x1.ae242cb99f519p-56}, {0x1.cfc6cfa52ad9fp-1, 0x1.8b5b5508f2a0dp-55}},
    {{0x1.c048b17b140a3p-2, 0x1.19fe6757e9fa7p-57}, {0x1.cc54aa2b2972ep-1, 0x1.4ee162ba83a98p-57}},
    {{0x1.ce9d2e3d4a51fp-2, -0x1.2fc8a12dae298p-57}, {0x1.c8c5bf8ce1a84p-1, 0x1.ab3d1a1590123p-56}},
    {{0x1.dcd4c15329c9ap-2, 0x1.0d4c6e171fd9ap-56}, {0x1.c51a48b8b175ep-1, -0x1.1bbb43b9aa880p-57}},
    {{0x1.eaee8744b05f0p-2, -0x1.789b43c9b027dp-58},
     {0x1.c1528065b7d50p-1, -0x1.892111312e828p-55}},
    {{0x1.f8e99e76abc97p-2, 0x1.9d950af2d00a3p-58}, {0x1.bd6ea310294f5p-1, 0x1.31bbcc88c109dp-56}},
    {{0x1.0362939c69955p-1, -0x1.2d8cd78397b01p-55}, {0x1.b96eeef58840ep-1, 0x1.45a3cc78fade0p-58}},
    {{0x1.0a4021e9e1001p-1, -0x1.6f643a13914f6p-55}, {0x1.b553a410c104ep-1, 0x1.8ff7947027a15p-58}},
    {{0x1.110d0c4b69c3bp-1, 0x1.d918998809981p-55}, {0x1.b11d04162a4c6p-1, 0x1.1dd561efbc0c2p-56}},
    {{0x1.17c8e5f2eedb0p-1, 0x1.35e57102e2488p-57}, {0x1.accb526f69de5p-1, 0x1.8fb6a8dd6b6ccp-55}},
    {{0x1.1e7343236574cp-1, 0x1.22a3fa4f41d5ap-56}, {0x1.a85ed4373e02dp-1, 0x1.9be06385ec792p-57}},
    {{0x1.250bb93788bbbp-1, 0x1.ea3d02457bccep-56}, {0x1.a3d7d0352bdcfp-1, -0x1.68dbaeca19669p-55}},
    {{0x1.2b91dea88421ep-1, -0x1.fa371db216ab0p-55},
     {0x1.9f368ed912f85p-1, -0x1.1d200c5791606p-55}},
    {{0x1.32054b148bc4fp-1, 0x1.f6b42095a135bp-55}, {0x1.9a7b5a36a6514p-1, 0x1.722cfcc9fa7a9p-55}},
    {{0x1.386597456282bp-1, -0x1.10fada93b07a8p-56},
     {0x1.95a67e00cb1fdp-1, -0x1.0befda21f862dp-55}},
    {{0x1.3eb25d36cd53ap-1, -0x1.be570e1570fc0p-58},
     {0x1.90b84784ddaf7p-1, -0x1.0feb10ab93b87p-56}},
    {{0x1.44eb381cf386bp-1, -0x1.3ed6c1e6a5505p-55}, {0x1.8bb105a5dc900p-1, 0x1.863e03e9474c1p-55}},
    {{0x1.4b0fc46aab761p-1, 0x1.0da05738cc59cp-61}, {0x1.869108d77a6c6p-1, 0x1.338ffe2bfe9ddp-56}},
    {{0x1.511f9fd7b351cp-1, -0x1.5c0e861c48831p-55},
     {0x1.8158a31916d5dp-1, -0x1.de8b90b8228dep-57}},
    {{0x1.571a6966d59b3p-1, 0x1.c843b4d0fb197p-58}, {0x1.7c0827f09e54fp-1, -0x1.c73d6d72aee68p-57}},
    {{0x1.5cffc16bf8f0dp-1, 0x1.96cb370eb578ap-55}, {0x1.769fec655211fp-1, -0x1.827d5cf8c68c5p-57}},
    {{0x1.62cf49921ac79p-1, -0x1.edd9855b6241ap-55}, {0x1.712046fa77678p-1, 0x1.425b0a5029c81p-55}},
    {{0x1.6888a4e134b2fp-1, -0x1.6b7d37644d5e6p-55}, {0x1.6b898fa9efb5dp-1, 0x1.15ac786ccf4b2p-56}},
    {{0x1.6e2b77c40bde1p-1, -0x1.0e729857fad53p-56},
     {0x1.65dc1fdeb8cbap-1, -0x1.97c1b47337c77p-58}},
};
constexpr int kTableSteps = 64;
constexpr int kTableLast = sizeof(kSixtyFourths) / sizeof(kSixtyFourths[0]) - 1;

// Taylor coefficients for |d| <= 1/128: the leading ones as double-doubles,
// the small tail in plain doubles (its rounding stays below 2^-103 of the
// result), the first omitted term below 2^-110.
constexpr DD kSinHead[] = {{1.0, 0.0},
                           {0x1.5555555555555p-3, 0x1.5555555555555p-57},
                           {0x1.1111111111111p-7, 0x1.1111111111111p-63}};
constexpr double kSinTail[] = {0x1.a01a01a01a01ap-13, 0x1.71de3a556c734p-19,
                               0x1.ae64567f544e4p-26}; // 1/7!, 1/9!, 1/11!
constexpr DD kCosHead[] = {{1.0, 0.0}, {0.5, 0.0}, {0x1.5555555555555p-5, 0x1.5555555555555p-59}};
constexpr double kCosTail[] = {0x1.6c16c16c16c17p-10, 0x1.a01a01a01a01ap-16,
                               0x1.27e4fb7789f5cp-22}; // 1/6!, 1/8!, 1/10!

// head[0] - z (head[1] - z (head[2] - z (tail[0] - z (tail[1] - z tail[2]))))
DD ShortSeries(const DD (&head)[3], const double (&tail)[3], DD z) {
    const double low = tail[0] - z.hi * (tail[1] - z.hi * tail[2]);
    DD acc{low, 0.0};
    for (int n = 2; n >= 0; --n)
        acc = Add(head[n], Neg(Mul(z, acc)));
    return acc;
}

// sin and cos of a double-double |r| <= pi/4 + tiny: r = j/64 + d with a
// table for j/64 and short series for |d| <= 1/128, then the angle sum.
SinCosPair KernelSinCos(DD r) {
    // The nearest sixty-fourth, rounded without any inexact step: adding 0.5
    // to r.hi * 64 can round up (just below 1/128 it gives j = 1 with
    // |d| > 1/128, and then r.hi - r0 is no longer exact either).
    const double scaled = r.hi * kTableSteps; // exact: a power of two
    const double below = std::floor(scaled);
    int j = static_cast<int>(below) + (scaled - below >= 0.5 ? 1 : 0);
    const bool negative = j < 0;
    j = std::min(negative ? -j : j, kTableLast);
    const double r0 = (negative ? -j : j) / static_cast<double>(kTableSteps);
    // Exact: |r.hi - r0| <= 1/128 and r0 is 0 or within a factor 2 of r.hi.
    const DD d = FastTwoSum(r.hi - r0, r.lo);

    const DD z = Mul(d, d);
    const DD sin_d = Mul(d, ShortSeries(kSinHead, kSinTail, z));
    const DD cos_d = ShortSeries(kCosHead, kCosTail, z);
    if (j == 0) return {sin_d, cos_d};

    const DD sin0 = negative ? Neg(kSixtyFourths[j].sin) : kSixtyFourths[j].sin;
    const DD cos0 = kSixtyFourths[j].cos;
    return {Add(Mul(sin0, cos_d), Mul(cos0, sin_d)), Add(Mul(cos0, cos_d), Neg(Mul(sin0, sin_d)))};
}

// A 254-bit binary fraction: word 0 holds the top 62 bits, words 1..3 the rest.
struct Fraction {
    uint64_t w[4];
};

constexpr int kFractionTopBits = 62;
constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1023;
constexpr uint64_t kMantissaMask = (uint64_t{1} << kMantissaBits) - 1;
constexpr uint64_t kFractionTopMask = (uint64_t{1} << kFractionTopBits) - 1;

// Exact double-double value of a 64-bit word times unit (a power of two).
DD WordValue(uint64_t word, double unit) {
    const double high = static_cast<double>(word >> 32) * (unit * 0x1p32);
    const double low = static_cast<double>(word & 0xFFFFFFFFu) * unit;
    return FastTwoSum(high, low);
}

DD FractionValue(const Fraction& f) {
    // Every part is non-negative, so summing from the smallest up loses
    // nothing that matters.
    DD acc = WordValue(f.w[3], 0x1p-254);
    acc = Add(acc, WordValue(f.w[2], 0x1p-190));
    acc = Add(acc, WordValue(f.w[1], 0x1p-126));
    return Add(acc, WordValue(f.w[0], 0x1p-62));
}

// 1 - f for a fraction 0 < f < 1, as a 254-bit fraction again.
Fraction OneMinus(const Fraction& f) {
    Fraction g{};
    uint64_t borrow = 0;
    for (int j = 3; j >= 0; --j) {
        const uint64_t v = f.w[j];
        g.w[j] = 0 - v - borrow;
        borrow = (v != 0 || borrow != 0) ? 1 : 0;
    }
    g.w[0] &= kFractionTopMask;
    return g;
}

struct Reduced {
    DD r;     // |r| <= pi/4
    int quad; // t = r + quad * pi/2 (mod 2 pi)
};

// Reduction of a finite a >= pi/4 modulo pi/2, exact to about 2^-200 in
// a * 2/pi: the product of a's 53-bit mantissa with a 256-bit window of
// 2/pi, all bits that only add multiples of 4 left out.
Reduced ReduceLarge(double a) {
    // a is a normal number: a = m * 2^e with the 53-bit integer m.
    const uint64_t bits = std::bit_cast<uint64_t>(a);
    const uint64_t m = (bits & kMantissaMask) | (kMantissaMask + 1);
    const int e = static_cast<int>(bits >> kMantissaBits) - kExponentBias - kMantissaBits;
    const int first = e - 2; // 0-based bit index of the first bit that matters

    uint64_t p[5] = {};
    unsigned __int128 carry = 0;
    for (int j = 3; j >= 0; --j) {
        const unsigned __int128 prod =
            static_cast<unsigned __int128>(m) * TwoOverPiBits(first + 64 * j) + carry;
        p[j + 1] = static_cast<uint64_t>(prod);
        carry = prod >> 64;
    }
    // The product is a * 2/pi * 2^254 (mod 2^256): two integer bits, then
    // the 254-bit fraction.
    int quad = static_cast<int>(p[1] >> kFractionTopBits);
    Fraction f{{p[1] & kFractionTopMask, p[2], p[3], p[4]}};
    const bool upper_half = (f.w[0] >> (kFractionTopBits - 1)) != 0;
    DD frac{};
    if (upper_half) {
        frac = Neg(FractionValue(OneMinus(f)));
        quad += 1;
    } else {
        frac = FractionValue(f);
    }
    return {Mul(frac, kHalfPi), quad & 3};
}

} // namespace

void SinCos(double t, double& out_sin, double& out_cos) {
    if (!std::isfinite(t)) {
        out_sin = std::numeric_limits<double>::quiet_NaN();
        out_cos = out_sin;
        return;
    }
    if (t == 0.0) {
        out_sin = t;
        out_cos = 1.0;
        return;
    }
    const double a = std::fabs(t);
    constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
    const Reduced red = a < kQuarterPi ? Reduced{{a, 0.0}, 0} : ReduceLarge(a);

    const SinCosPair k = KernelSinCos(red.r);
    // sin over the four quadrants; cos(t) is sin(t + pi/2), one quadrant on.
    const double by_quadrant[4] = {k.sin.hi, k.cos.hi, -k.sin.hi, -k.cos.hi};
    const double sin_a = by_quadrant[red.quad];
    out_cos = by_quadrant[(red.quad + 1) & 3];
    out_sin = t < 0.0 ? -sin_a : sin_a;
}

} // namespace MyFunc
