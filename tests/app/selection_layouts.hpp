// Seeded selections shaped to defeat a spatial index: far outliers, dense
// knots, sizes over many octaves, drawings far from the origin, boxes that
// are not finite, repeated segments, hatching, radial lines, bundles of
// near-coincident diagonals and long lines over many short ones. Some segments in each are
// excluded.
#pragma once

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "exchange/exchange_state.hpp"

namespace selection_layouts {

using TLines = JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>;

class TBuilder {
  public:
    TBuilder(TLines& lines, uint32_t seed) : lines_(lines), rng_(seed) {}

    void Add(double x1, double y1, double x2, double y2) {
        auto& line = lines_.Append();
        line.X1 = x1, line.Y1 = y1, line.X2 = x2, line.Y2 = y2;
        if (Uniform(0, 1) < 0.04) line.Flags = 4;
    }
    // n segments of about the given length, random directions, centres in
    // the square of side `side` at (x0, y0).
    void Scatter(int n, double x0, double y0, double side, double length) {
        for (int i = 0; i < n; ++i) {
            const double x = x0 + Uniform(0, side), y = y0 + Uniform(0, side);
            const double a = Uniform(0, 3.14159265358979), h = length / 2;
            Add(x - h * std::cos(a), y - h * std::sin(a), x + h * std::cos(a), y + h * std::sin(a));
        }
    }
    // Hatching: n lines y = x + c, 1 mm apart, clipped to a circle of
    // radius n / 2 about the origin.
    void Hatch(int n) {
        const double r = n / 2.0, span = 2 * r * std::sqrt(2.0);
        for (int k = 0; k < n; ++k) {
            const double c = -span / 2 + (k + 0.5) * span / n;
            const double root = std::sqrt(2 * r * r - c * c);
            const double x1 = (-c - root) / 2, x2 = (-c + root) / 2;
            Add(x1, x1 + c, x2, x2 + c);
        }
    }
    // n lines from the origin, 1 mm to 8 m long over 14 octaves.
    void Fan(int n) {
        for (int k = 0; k < n; ++k) {
            const double a = 3.14159265358979 * k / n, length = std::ldexp(1.0, k % 14);
            Add(0, 0, length * std::cos(a), length * std::sin(a));
        }
    }
    // n near-coincident diagonals 1e-5 mm apart, over 14 octaves of 8.
    void Bundle(int n) {
        for (int k = 0; k < n; ++k) {
            const double c = k * 1e-5, s = std::pow(8.0, k % 14);
            Add(-s, -s + c, s, s + c);
        }
    }
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }

  private:
    TLines& lines_;
    std::mt19937_64 rng_;
};

struct TLayout {
    std::string Name;
    std::function<void(TBuilder&)> Fill;
};

inline const std::vector<TLayout>& Layouts() {
    static constexpr double kInf = std::numeric_limits<double>::infinity();
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    static const std::vector<TLayout> all{
        {"random_short", [](TBuilder& b) { b.Scatter(1200, 0, 0, 1000, 40); }},
        {"far_outliers",
         [](TBuilder& b) {
             b.Scatter(600, 0, 0, 1000, 40);
             b.Add(5e7, 5e7, 5e7 + 100, 5e7 + 30);
             b.Add(-3e9, 10, -3e9 + 1, 12);
             b.Add(0, 500, 1e15, 500);    // from the drawing out to 1e15
             b.Add(-1e6, -1e6, 2e6, 2e6); // across everything
             b.Scatter(600, 0, 0, 1000, 40);
         }},
        {"dense_knot",
         [](TBuilder& b) {
             b.Scatter(300, 0, 0, 1000, 80);
             b.Scatter(900, 500, 500, 1, 0.07); // a 1 mm square, crossings inside
             b.Scatter(100, 499, 499, 3, 5);    // and segments through it
             b.Scatter(300, 0, 0, 1000, 80);
         }},
        {"many_sizes",
         [](TBuilder& b) {
             for (int i = 0; i < 1200; ++i)
                 b.Scatter(1, 0, 0, 100, std::pow(10.0, b.Uniform(-6, 3)));
         }},
        {"far_from_origin",
         [](TBuilder& b) {
             b.Scatter(400, 1e12, 1e12, 200, 10);
             b.Scatter(400, -68719476736.0, 3, 50, 2); // -2^36, where one ulp is 1.5e-5
             b.Scatter(100, 0, 0, 100, 10);
             b.Scatter(50, 1e300, -1e300, 1e298, 1e297);
             b.Scatter(50, 1e-300, 0, 1e-290, 1e-291);  // below the tolerance: boxes of 2e-8
             for (double at : {1e20, -0x1p70, 1e300}) { // points, their boxes of size 0
                 b.Add(at, at, at, at);
                 b.Add(at, at - 1e290, at, at + 1e290);
             }
         }},
        {"not_finite",
         [](TBuilder& b) {
             b.Scatter(500, 0, 0, 100, 10);
             b.Add(50, -kInf, 50, kInf); // vertical and endless: crosses everything it meets
             b.Add(-kInf, 20, kInf, 20);
             b.Add(kNaN, 10, 60, 70);
             b.Add(30, kNaN, 30, 80);
             b.Add(1e308, 0, -1e308, 50); // a finite box too wide to measure
             b.Scatter(500, 0, 0, 100, 10);
         }},
        // Each with segments across it, so that there is something to draw.
        {"hatch",
         [](TBuilder& b) {
             b.Hatch(600);
             b.Scatter(150, -150, -150, 300, 40);
         }},
        {"fan",
         [](TBuilder& b) {
             b.Fan(500);
             b.Scatter(100, -60, 0, 120, 30);
         }},
        {"bundle",
         [](TBuilder& b) {
             b.Scatter(10, -20, -20, 40, 20);
             b.Bundle(500);
             b.Scatter(10, -20, -20, 40, 20);
         }},
        {"lines_and_ticks", // with lines across, so that there is something to draw
         [](TBuilder& b) {
             for (int k = 0; k < 60; ++k)
                 b.Add(0, k * 0.1, 50, k * 0.1);
             for (int k = 0; k < 60; ++k) {
                 for (int t = 0; t < 20; ++t)
                     b.Add(t * 2.5 + 1.25, k * 0.1 + 0.03, t * 2.5 + 1.25, k * 0.1 + 0.07);
             }
             for (int k = 0; k < 10; ++k)
                 b.Add(k * 5 + 0.6, -1, k * 5 + 0.9, 7);
         }},
        {"doubled_and_points",
         [](TBuilder& b) {
             for (int i = 0; i < 400; ++i) {
                 const double x = b.Uniform(0, 300), y = b.Uniform(0, 300);
                 const double x2 = x + b.Uniform(-20, 20), y2 = y + b.Uniform(-20, 20);
                 b.Add(x, y, x2, y2);
                 b.Add(x, y, x2, y2);
                 b.Add(x2, y2, x2, y2); // zero length, on the segment's end
             }
         }},
    };
    return all;
}

} // namespace selection_layouts
