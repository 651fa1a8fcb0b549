#include "datasets.hpp"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>

namespace bench {

namespace {

class TWriter {
  public:
    explicit TWriter(const std::filesystem::path& file) : out_(file, std::ios::binary) {
        out_ << "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\n";
    }
    void Line(const char* text) { out_ << text << "\r\n"; }
    void Segment(double x1, double y1, double x2, double y2) {
        char buf[128];
        const int n = std::snprintf(buf, sizeof buf, "%.*f %.*f %.*f %.*f\r\n", digits_, x1,
                                    digits_, y1, digits_, x2, digits_, y2);
        out_.write(buf, n);
        ++count_;
    }
    int64_t Count() const { return count_; }
    // Decimals written from now on.
    void Digits(int digits) { digits_ = digits; }

  private:
    std::ofstream out_;
    int64_t count_ = 0;
    int digits_ = 3;
};

// n horizontal and n vertical lines on a 10 mm pitch; their ends stick out
// past the outermost lines, so every crossing is interior: n * n of them.
// The grid is placed with its first crossing at (at, at).
void Grid(TWriter& w, int n, double at = 0) {
    const double pitch = 10, lo = at - 5, hi = at + (n - 1) * pitch + 5;
    for (int i = 0; i < n; ++i)
        w.Segment(lo, at + i * pitch, hi, at + i * pitch);
    for (int i = 0; i < n; ++i)
        w.Segment(at + i * pitch, lo, at + i * pitch, hi);
}

// Short segments of up to 50 mm scattered over a 10 m square.
void RandomShort(TWriter& w, int n, uint32_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> pos(0, 10000), len(-35, 35);
    for (int i = 0; i < n; ++i) {
        const double x = pos(rng), y = pos(rng);
        w.Segment(x, y, x + len(rng), y + len(rng));
    }
}

// Segments of one length in random directions around uniform random
// centres over a square of side `side` at (x0, y0). The length is that of
// `total` such segments over the square, 2 sqrt(area / total), at which the
// crossings come to about 4 total / pi, 1.27 per segment.
void RandomDense(TWriter& w, int n, int total, double x0, double y0, double side,
                 std::mt19937_64& rng) {
    const double pi = 3.14159265358979323846;
    const double half = std::sqrt(side * side / total);
    std::uniform_real_distribution<double> pos(0, side), angle(0, pi);
    for (int i = 0; i < n; ++i) {
        const double x = x0 + pos(rng), y = y0 + pos(rng), a = angle(rng);
        const double dx = half * std::cos(a), dy = half * std::sin(a);
        w.Segment(x - dx, y - dy, x + dx, y + dy);
    }
}

// The dense random set, optionally with one stray segment 50 km away in the middle of
// the file, as a mistyped coordinate or a far title block would leave it.
void RandomDenseWithFar(TWriter& w, int n, uint32_t seed, bool far) {
    std::mt19937_64 rng(seed);
    RandomDense(w, n / 2, n, 0, 0, 10000, rng);
    if (far) w.Segment(5e7, 5e7, 5e7 + 100, 5e7 + 30);
    RandomDense(w, n - n / 2, n, 0, 0, 10000, rng);
}

// A drawing with a dense knot: n short segments inside one 1 mm square in
// the middle of a 10 m drawing of `rest` ordinary short segments.
void Cluster(TWriter& w, int n, int rest, uint32_t seed) {
    std::mt19937_64 rng(seed);
    RandomDense(w, rest / 2, rest, 0, 0, 10000, rng);
    w.Digits(7); // segments of 14 um need the finer decimals
    RandomDense(w, n, n, 5000, 5000, 1, rng);
    w.Digits(3);
    RandomDense(w, rest - rest / 2, rest, 0, 0, 10000, rng);
}

// Every segment of a random short set written twice, as a selection that
// picked up overlapping copies.
void Doubled(TWriter& w, int n, uint32_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> pos(0, 10000), len(-35, 35);
    for (int i = 0; i < n; ++i) {
        const double x = pos(rng), y = pos(rng), x2 = x + len(rng), y2 = y + len(rng);
        w.Segment(x, y, x2, y2);
        w.Segment(x, y, x2, y2);
    }
}

// Long segments across a 10 m square, each from a random point on its left
// side to a random point on its right side: half of all pairs cross.
void RandomLong(TWriter& w, int n, uint32_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> pos(0, 10000);
    for (int i = 0; i < n; ++i) {
        const double y1 = pos(rng);
        w.Segment(0, y1, 10000, pos(rng));
    }
}

// Rooms on a grid, each outlined by a closed polyline group; neighbouring
// rooms share wall lines and corners, and partition walls make T junctions.
void FloorPlan(TWriter& w, int segments, uint32_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> size(30, 60), split(5, 25);
    const int rooms = segments / 5;
    const int per_row = 150;
    double y = 0, row_h = 0, x = 0;
    for (int r = 0; r < rooms; ++r) {
        if (r % per_row == 0) y += row_h, x = 0, row_h = size(rng) * 10;
        const double wdt = size(rng) * 10;
        w.Line("pl");
        w.Segment(x, y, x + wdt, y);
        w.Segment(x + wdt, y, x + wdt, y + row_h);
        w.Segment(x + wdt, y + row_h, x, y + row_h);
        w.Segment(x, y + row_h, x, y);
        w.Line("#");
        const double px = x + split(rng) * wdt / 30; // partition wall
        w.Segment(px, y, px, y + row_h);
        x += wdt;
    }
}

// Hatching: the lines y = x + c, c evenly spaced over (-R sqrt 2, R sqrt 2)
// with R = n / 2 mm, each clipped to the circle of radius R about the
// origin. Parallel and close, so their boxes overlap by thousands; none
// crosses another.
void Hatch(TWriter& w, int n) {
    const double r = n / 2.0, span = 2 * r * std::sqrt(2.0);
    for (int k = 0; k < n; ++k) {
        const double c = -span / 2 + (k + 0.5) * span / n;
        // x^2 + (x + c)^2 = r^2
        const double root = std::sqrt(2 * r * r - c * c);
        const double x1 = (-c - root) / 2, x2 = (-c + root) / 2;
        w.Segment(x1, x1 + c, x2, x2 + c);
    }
}

// A fan: n lines from the origin at the angles pi k / n, 1 mm to 8 m long
// over 14 octaves. Every pair touches at the origin.
void Fan(TWriter& w, int n) {
    const double pi = 3.14159265358979323846;
    w.Digits(6);
    for (int k = 0; k < n; ++k) {
        const double a = pi * k / n, length = std::ldexp(1.0, k % 14);
        w.Segment(0, 0, length * std::cos(a), length * std::sin(a));
    }
}

// A bundle of near-coincident diagonals: from (-s, -s + c) to (s, s + c)
// with c = k 1e-5 and s = 8^(k mod 14), lengths over 14 octaves of 8.
void Bundle(TWriter& w, int n) {
    w.Digits(6);
    for (int k = 0; k < n; ++k) {
        const double c = k * 1e-5, s = std::pow(8.0, k % 14);
        w.Segment(-s, -s + c, s, s + c);
    }
}

// Long lines with short ticks between them, as text, hatch fragments or
// symbols over walls: `lines` lines 500 mm long, 0.1 mm apart, and just
// above each `ticks` ticks 0.04 mm long, short of the next. Nothing crosses.
void LinesAndTicks(TWriter& w, int lines, int ticks) {
    for (int k = 0; k < lines; ++k)
        w.Segment(0, k * 0.1, 500, k * 0.1);
    for (int k = 0; k < lines; ++k) {
        for (int t = 0; t < ticks; ++t) {
            const double x = (t + 0.5) * 500 / ticks;
            w.Segment(x, k * 0.1 + 0.03, x, k * 0.1 + 0.07);
        }
    }
}

// The answer of a first run on Grid(n) with 20 mm squares centred on the
// crossings, selected again: each square overlaps its neighbours', so its
// sides cross some twenty others. The sides come in the first run's order.
void SecondRun(TWriter& w, int n) {
    const double pitch = 10, half = 10;
    for (int row = 0; row < n; ++row) {
        for (int col = 0; col < n; ++col) {
            const double x = col * pitch, y = row * pitch;
            w.Segment(x - half, y - half, x + half, y - half);
            w.Segment(x + half, y - half, x + half, y + half);
            w.Segment(x + half, y + half, x - half, y + half);
            w.Segment(x - half, y + half, x - half, y - half);
        }
    }
}

} // namespace

const std::vector<TDataset>& Datasets() {
    static const std::vector<TDataset> all{
        {"grid-300", "grid 300 x 300 (90,000 crossings)", true},
        {"grid-1000", "grid 1000 x 1000 (1,000,000 crossings)", false},
        {"grid-400-1e12", "grid 400 x 400 placed at 1e12", true},
        {"short-10k", "random short segments, n = 10,000", true},
        {"short-100k", "random short segments, n = 100,000", false},
        {"dense-10k", "random short, 1.3 crossings a segment, n = 10,000", true},
        {"dense-100k", "random short, 1.3 crossings a segment, n = 100,000", false},
        {"dense-100k-far", "dense-100k plus one segment 50 km away", false, "dense-100k"},
        {"cluster-20k", "20,000 segments in a 1 mm square amid 10,000", true},
        {"doubled-10k", "10,000 random short segments, each twice", true},
        {"floor-10k", "floor plan, 10,000 axis-aligned segments", true},
        {"floor-100k", "floor plan, 100,000 axis-aligned segments", false},
        // The plain loop's point scan alone is some 3e10 comparisons here.
        {"long-1000", "random long segments, n = 1,000", false},
        {"long-3000", "random long segments, n = 3,000", false},
        {"hatch-20k", "hatching: 20,000 parallel 45 degree lines in a circle", true},
        {"fan-10k", "fan: 10,000 lines from one point, 1 mm to 8 m", true},
        {"fan-20k", "fan: 20,000 lines from one point, 1 mm to 8 m", true},
        {"bundle-10k", "10,000 near-coincident diagonals over 14 octaves of 8", true},
        {"bundle-20k", "20,000 near-coincident diagonals over 14 octaves of 8", true},
        {"lines-ticks", "5,000 long lines 0.1 mm apart, 200,000 ticks between", false,
         "dense-100k"},
        {"rerun-200", "a second run over the 20 mm squares drawn on grid 200 x 200", false},
        {"rerun-300", "a second run over the 20 mm squares drawn on grid 300 x 300", false,
         "rerun-200"},
    };
    return all;
}

int64_t WriteDataset(const TDataset& dataset, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    TWriter w(folder / "JWC_TEMP.TXT");
    const std::string& name = dataset.Name;
    if (name == "grid-300")
        Grid(w, 300);
    else if (name == "grid-1000")
        Grid(w, 1000);
    else if (name == "grid-400-1e12")
        Grid(w, 400, 1e12);
    else if (name == "dense-10k")
        RandomDenseWithFar(w, 10000, 7, false);
    else if (name == "dense-100k")
        RandomDenseWithFar(w, 100000, 8, false);
    else if (name == "dense-100k-far")
        RandomDenseWithFar(w, 100000, 8, true);
    else if (name == "cluster-20k")
        Cluster(w, 20000, 10000, 9);
    else if (name == "doubled-10k")
        Doubled(w, 10000, 10);
    else if (name == "short-10k")
        RandomShort(w, 10000, 1);
    else if (name == "short-100k")
        RandomShort(w, 100000, 2);
    else if (name == "floor-10k")
        FloorPlan(w, 10000, 6);
    else if (name == "floor-100k")
        FloorPlan(w, 100000, 3);
    else if (name == "long-1000")
        RandomLong(w, 1000, 4);
    else if (name == "long-3000")
        RandomLong(w, 3000, 5);
    else if (name == "hatch-20k")
        Hatch(w, 20000);
    else if (name == "fan-10k")
        Fan(w, 10000);
    else if (name == "fan-20k")
        Fan(w, 20000);
    else if (name == "bundle-10k")
        Bundle(w, 10000);
    else if (name == "bundle-20k")
        Bundle(w, 20000);
    else if (name == "lines-ticks")
        LinesAndTicks(w, 5000, 40);
    else if (name == "rerun-200")
        SecondRun(w, 200);
    else if (name == "rerun-300")
        SecondRun(w, 300);
    return w.Count();
}

} // namespace bench
