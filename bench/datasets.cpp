#include "datasets.hpp"

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
        const int n = std::snprintf(buf, sizeof buf, "%.3f %.3f %.3f %.3f\r\n", x1, y1, x2, y2);
        out_.write(buf, n);
        ++count_;
    }
    int64_t Count() const { return count_; }

  private:
    std::ofstream out_;
    int64_t count_ = 0;
};

// n horizontal and n vertical lines on a 10 mm pitch; their ends stick out
// past the outermost lines, so every crossing is interior: n * n of them.
void Grid(TWriter& w, int n) {
    const double pitch = 10, lo = -5, hi = (n - 1) * pitch + 5;
    for (int i = 0; i < n; ++i)
        w.Segment(lo, i * pitch, hi, i * pitch);
    for (int i = 0; i < n; ++i)
        w.Segment(i * pitch, lo, i * pitch, hi);
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

} // namespace

const std::vector<TDataset>& Datasets() {
    static const std::vector<TDataset> all{
        {"grid-300", "grid 300 x 300 (90,000 crossings)", true},
        {"grid-1000", "grid 1000 x 1000 (1,000,000 crossings)", false},
        {"short-10k", "random short segments, n = 10,000", true},
        {"short-100k", "random short segments, n = 100,000", false},
        {"floor-10k", "floor plan, 10,000 axis-aligned segments", true},
        {"floor-100k", "floor plan, 100,000 axis-aligned segments", false},
        // The plain loop's point scan alone is some 3e10 comparisons here.
        {"long-1000", "random long segments, n = 1,000", false},
        {"long-3000", "random long segments, n = 3,000", false},
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
    return w.Count();
}

} // namespace bench
