// A slow, exact reference for sine and cosine: 384-bit fixed-point numbers
// (64 integer bits, 320 fraction bits, two's complement), pi by Machin's
// formula and plain Taylor series. Good to about 2^-290 for |t| < 2^16,
// far beyond what rounding to a double needs.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace exact_sincos {

constexpr int kWords = 6;
constexpr int kFractionBits = 320;

struct TFixed {
    uint64_t w[kWords] = {}; // least significant word first
};

inline bool IsNegative(const TFixed& a) {
    return (a.w[kWords - 1] >> 63) != 0;
}

inline bool IsZero(const TFixed& a) {
    for (uint64_t v : a.w)
        if (v != 0) return false;
    return true;
}

inline TFixed Add(const TFixed& a, const TFixed& b) {
    TFixed r;
    unsigned carry = 0;
    for (int i = 0; i < kWords; ++i) {
        const unsigned __int128 s = static_cast<unsigned __int128>(a.w[i]) + b.w[i] + carry;
        r.w[i] = static_cast<uint64_t>(s);
        carry = static_cast<unsigned>(s >> 64);
    }
    return r;
}

inline TFixed Negate(const TFixed& a) {
    TFixed r;
    for (int i = 0; i < kWords; ++i)
        r.w[i] = ~a.w[i];
    TFixed one;
    one.w[0] = 1;
    return Add(r, one);
}

inline TFixed Sub(const TFixed& a, const TFixed& b) {
    return Add(a, Negate(b));
}

inline TFixed Abs(const TFixed& a) {
    return IsNegative(a) ? Negate(a) : a;
}

// a * k and a / k (truncated) for a >= 0.
inline TFixed MulSmall(const TFixed& a, uint64_t k) {
    TFixed r;
    unsigned __int128 carry = 0;
    for (int i = 0; i < kWords; ++i) {
        const unsigned __int128 p = static_cast<unsigned __int128>(a.w[i]) * k + carry;
        r.w[i] = static_cast<uint64_t>(p);
        carry = p >> 64;
    }
    return r;
}

inline TFixed DivSmall(const TFixed& a, uint64_t k) {
    TFixed r;
    unsigned __int128 rest = 0;
    for (int i = kWords - 1; i >= 0; --i) {
        const unsigned __int128 cur = (rest << 64) | a.w[i];
        r.w[i] = static_cast<uint64_t>(cur / k);
        rest = cur % k;
    }
    return r;
}

inline TFixed Mul(const TFixed& a, const TFixed& b) {
    const TFixed x = Abs(a), y = Abs(b);
    uint64_t p[2 * kWords] = {};
    for (int i = 0; i < kWords; ++i) {
        unsigned __int128 carry = 0;
        for (int j = 0; j < kWords; ++j) {
            const unsigned __int128 t =
                static_cast<unsigned __int128>(x.w[i]) * y.w[j] + p[i + j] + carry;
            p[i + j] = static_cast<uint64_t>(t);
            carry = t >> 64;
        }
        p[i + kWords] = static_cast<uint64_t>(carry);
    }
    TFixed r; // drop the low 320 bits: five words
    for (int i = 0; i < kWords; ++i)
        r.w[i] = p[i + kFractionBits / 64];
    return IsNegative(a) != IsNegative(b) ? Negate(r) : r;
}

inline TFixed One() {
    TFixed r;
    r.w[kFractionBits / 64] = 1;
    return r;
}

// Exact for finite |t| < 2^62 whose last bit is worth at least 2^-320.
inline TFixed FromDouble(double t) {
    int e = 0;
    const double m = std::frexp(std::fabs(t), &e); // |t| = m 2^e, m in [0.5, 1)
    const auto mant = static_cast<uint64_t>(std::ldexp(m, 53));
    const int shift = e - 53 + kFractionBits; // position of the mantissa's last bit
    TFixed r;
    if (shift >= 0) {
        r.w[shift / 64] = mant << (shift % 64);
        if (shift % 64 != 0 && shift / 64 + 1 < kWords)
            r.w[shift / 64 + 1] = mant >> (64 - shift % 64);
    }
    return t < 0 ? Negate(r) : r;
}

inline bool Bit(const TFixed& a, int i) {
    return i >= 0 && ((a.w[i / 64] >> (i % 64)) & 1) != 0;
}

// Rounded to the nearest double, ties to even. Sets ambiguous when the
// value lies so close to a tie that the reference's own error could decide.
inline double ToDouble(const TFixed& a, bool& ambiguous) {
    constexpr int kErrorBits = 32;
    const TFixed m = Abs(a);
    int top = kWords * 64 - 1;
    while (top >= 0 && !Bit(m, top))
        --top;
    ambiguous = false;
    if (top < 0) return 0.0;
    const int last = top - 52; // the last bit kept
    uint64_t mant = 0;
    for (int i = top; i >= last; --i)
        mant = (mant << 1) | (Bit(m, i) ? 1 : 0);
    const bool half = Bit(m, last - 1);
    bool rest_zero = true, rest_ones = true;
    for (int i = last - 2; i >= kErrorBits; --i)
        (Bit(m, i) ? rest_zero : rest_ones) = false;
    ambiguous = (half && rest_zero) || (!half && rest_ones);
    if (half && (!rest_zero || (mant & 1))) ++mant;
    const double v = std::ldexp(static_cast<double>(mant), last - kFractionBits);
    return IsNegative(a) ? -v : v;
}

// atan(1 / k) by its series.
inline TFixed AtanInverse(uint64_t k) {
    TFixed power = DivSmall(One(), k), sum = power;
    for (uint64_t n = 1; !IsZero(power); ++n) {
        power = DivSmall(power, k * k);
        const TFixed term = DivSmall(power, 2 * n + 1);
        sum = n % 2 ? Sub(sum, term) : Add(sum, term);
    }
    return sum;
}

inline TFixed HalfPi() {
    // pi = 16 atan(1/5) - 4 atan(1/239)
    static const TFixed half_pi = Sub(MulSmall(AtanInverse(5), 8), MulSmall(AtanInverse(239), 2));
    return half_pi;
}

// sum of (-1)^n x^(2n + start) / (2n + start)! for start 1 (sin) or 0 (cos).
// The terms are kept non-negative (DivSmall needs that); sin is odd.
inline TFixed Series(const TFixed& x, int start) {
    const TFixed x2 = Mul(x, x);
    TFixed term = start == 1 ? Abs(x) : One();
    TFixed sum = term;
    for (uint64_t n = 1; !IsZero(term); ++n) {
        const uint64_t k = 2 * n + static_cast<uint64_t>(start);
        term = DivSmall(Mul(term, x2), (k - 1) * k);
        sum = n % 2 ? Sub(sum, term) : Add(sum, term);
    }
    return start == 1 && IsNegative(x) ? Negate(sum) : sum;
}

struct TResult {
    double Sin, Cos;
    bool Ambiguous;
};

inline TResult SinCos(double t) {
    const double q_real = std::nearbyint(t / 1.5707963267948966);
    const auto q = static_cast<int64_t>(q_real);
    const TFixed offset = MulSmall(HalfPi(), static_cast<uint64_t>(q < 0 ? -q : q));
    const TFixed r = q < 0 ? Add(FromDouble(t), offset) : Sub(FromDouble(t), offset);
    const TFixed s = Series(r, 1), c = Series(r, 0);
    // sin(r + q pi/2) over the four quadrants; cos is one quadrant on.
    const TFixed by_quadrant[4] = {s, c, Negate(s), Negate(c)};
    const auto quad = static_cast<int>(((q % 4) + 4) % 4);
    bool ambiguous_sin = false, ambiguous_cos = false;
    const double sin_t = ToDouble(by_quadrant[quad], ambiguous_sin);
    const double cos_t = ToDouble(by_quadrant[(quad + 1) % 4], ambiguous_cos);
    return {sin_t, cos_t, ambiguous_sin || ambiguous_cos};
}

} // namespace exact_sincos
