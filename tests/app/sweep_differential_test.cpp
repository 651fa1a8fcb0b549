// The indexed sweep and the drawn-point grid must give exactly what the
// plain pair loop and the plain point list give, on selections built to sit
// on every threshold: snapping, tolerance squares, cell edges, shared ends.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <random>

#include "app/command_run.hpp"
#include "app/rectangle_drawer.hpp"
#include "selection_layouts.hpp"
#include "sweep/drawn_points.hpp"
#include "sweep/segment_index.hpp"
#include "sweep/segment_paths.hpp"
#include "test_support.hpp"
#include "util/geometry.hpp"

using JwwGaibu::TExchangeState;
using test_support::OutputOf;
using test_support::ScratchDir;

namespace {

class AdversarialSelection {
  public:
    explicit AdversarialSelection(uint32_t seed) : rng_(seed) {}

    void Fill(TExchangeState& state) {
        const int n = Uniform(2, 60);
        scale_ = Pick({1.0, 1.0, 1000.0, 1e6});
        MakeAnchors();
        int32_t curve = 0;
        for (int i = 0; i < n; ++i) {
            JwwGaibu::TJwwEntLine& line = state.Lines.Append();
            Shape(line, state);
            if (Chance(0.1)) curve = Uniform(1, 3);
            if (Chance(0.2)) curve = 0;
            line.CurveNo = curve;
            if (Chance(0.08)) line.Flags = 4;
            if (Chance(0.05)) line.Flags |= 1 | 8;
        }
    }

  private:
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    double Pick(std::initializer_list<double> values) {
        return *(values.begin() + Uniform(0, static_cast<int>(values.size()) - 1));
    }
    // Offsets that straddle the snap band (-1.5e-8, 0.5e-8) and the 1e-8 square.
    double Jitter() {
        return Pick({0.0, 0.0, 0.0, 0.5e-8, -0.5e-8, 0.9e-8, 1e-8, -1e-8, 1.1e-8, -1.5e-8, 2e-8,
                     -2e-8, 1.0 / 1048576.0});
    }
    void MakeAnchors() {
        anchors_.clear();
        const int count = Uniform(3, 12);
        for (int i = 0; i < count; ++i) {
            anchors_.push_back({Uniform(-10, 10) * scale_ / 10, Uniform(-10, 10) * scale_ / 10});
        }
    }
    std::pair<double, double> Point() {
        auto p = anchors_[static_cast<size_t>(Uniform(0, static_cast<int>(anchors_.size()) - 1))];
        if (Chance(0.5)) p.first += Jitter();
        if (Chance(0.5)) p.second += Jitter();
        return p;
    }
    void Shape(JwwGaibu::TJwwEntLine& line, const TExchangeState& state) {
        auto [x1, y1] = Point();
        auto [x2, y2] = Point();
        switch (Uniform(0, 5)) {
        case 0:
            x2 = x1 + Jitter();
            break; // near vertical
        case 1:
            x2 = x1, y2 = y1;
            break; // zero length
        case 2:    // copy or continue an earlier segment
            if (state.Lines.Count() > 1) {
                const auto& prev = state.Lines[state.Lines.Count() - 2];
                x1 = prev.X2, y1 = prev.Y2;
                if (Chance(0.3)) x2 = prev.X1, y2 = prev.Y1;
            }
            break;
        case 3: // near parallel to the line through two anchors
            y2 = y1 + (y2 - y1) * (1 + Jitter());
            break;
        default:
            break;
        }
        line.X1 = x1, line.Y1 = y1, line.X2 = x2, line.Y2 = y2;
    }

    std::mt19937 rng_;
    double scale_ = 1;
    std::vector<std::pair<double, double>> anchors_;
};

struct Outcome {
    std::vector<std::string> output;
    std::vector<std::string> status;
};

Outcome RunSelection(uint32_t seed, const Unit1::TRectSettings& settings,
                     Unit1::TSweepMethod method) {
    TExchangeState state;
    JwwGaibu::ResetExchangeState(state);
    state.LineWidthSeen = true;
    AdversarialSelection(seed).Fill(state);
    JwwGaibu::RewindAttributes(state);
    static const ScratchDir dir; // one settings file for all runs keeps the test fast
    Outcome outcome;
    Unit1::DrawAtIntersections(
        state, settings, dir.path() / "s.dat",
        [&](const Unit1::TStatus& st) { outcome.status.emplace_back(st.Text); }, method);
    outcome.output = OutputOf(state);
    return outcome;
}

// Fills a fresh state with fill and runs each method on it; returns the
// outputs, indexed first, after checking the number of rectangles drawn
// (unless it is given as -1).
std::array<std::vector<std::string>, 2>
RunBothMethods(const std::function<void(TExchangeState&)>& fill,
               const Unit1::TRectSettings& settings, int64_t rectangles) {
    static const ScratchDir dir;
    std::array<std::vector<std::string>, 2> outputs;
    const Unit1::TSweepMethod methods[2] = {Unit1::TSweepMethod::Indexed,
                                            Unit1::TSweepMethod::Plain};
    for (int m = 0; m < 2; ++m) {
        TExchangeState state;
        fill(state);
        const auto report = Unit1::DrawAtIntersections(
            state, settings, dir.path() / "s.dat", [](const Unit1::TStatus&) {}, methods[m]);
        if (rectangles >= 0) {
            EXPECT_EQ(report.RectanglesDrawn, rectangles) << "method " << m;
        }
        outputs[m] = OutputOf(state);
    }
    return outputs;
}

} // namespace

TEST(SweepDifferential, IndexedMatchesPlainOnAdversarialSelections) {
    constexpr uint32_t kCases = 1500;
    int64_t rectangles = 0;
    for (uint32_t seed = 1; seed <= kCases; ++seed) {
        Unit1::TRectSettings settings;
        settings.RectWidth = seed % 3 ? 2e-8 * seed : 5.0;
        settings.RectHeight = 1e-8 * (seed % 5 + 1);
        settings.RectAngle = static_cast<double>(seed % 7) * 37.0 - 90.0;
        settings.RectRefPoint = static_cast<int32_t>(seed % 10);
        const Outcome fast = RunSelection(seed, settings, Unit1::TSweepMethod::Indexed);
        const Outcome plain = RunSelection(seed, settings, Unit1::TSweepMethod::Plain);
        ASSERT_EQ(fast.output, plain.output) << "seed " << seed;
        ASSERT_EQ(fast.status, plain.status) << "seed " << seed;
        rectangles += static_cast<int64_t>(plain.output.size()) - 5;
    }
    // The selections must actually cross: a generator drawing nothing proves nothing.
    EXPECT_GT(rectangles, 4 * kCases);
}

// Steps of whole ulps: far out they are the only differences there are.
double Ulps(double v, int steps) {
    for (int k = 0; k < steps; ++k)
        v = std::nextafter(v, INFINITY);
    return v;
}

TEST(SweepDifferential, PointGridAnswersLikeTheList) {
    std::mt19937 rng(7);
    const double cell = 1.0 / 1048576.0;
    // Cells are centred on multiples of cell: their edges lie at half cells.
    const double offsets[] = {0,    1e-8, -1e-8, 0.99e-8,  -1.01e-8, 0.5e-8,
                              2e-8, cell, -cell, cell / 2, -cell / 2};
    constexpr size_t kOffsets = sizeof(offsets) / sizeof(offsets[0]);
    // Cell edges; magnitudes where one ulp is just below and just above the
    // tolerance; the end of the small cells at 2^42 from both sides; and
    // magnitudes up to the largest double, where only equal values match.
    const double bases[] = {0,
                            1,
                            -1,
                            123456.789,
                            -1e6,
                            3e6,
                            -5e7,
                            0x1p26 + 0.5,
                            -0x1p27,
                            1e12 - 0.5,
                            1e12,
                            1e12 + 0.5,
                            -1e12,
                            3e15,
                            std::nextafter(0x1p42, 0.0),
                            0x1p42,
                            -0x1p42,
                            0x1p62,
                            -1e300,
                            1e300,
                            0x1.fffffffffffffp+1023,
                            0x1p-1074,
                            -0x1p-1060};
    constexpr size_t kBases = sizeof(bases) / sizeof(bases[0]);
    for (int round = 0; round < 400; ++round) {
        Unit1::TDrawnPointList list;
        Unit1::TDrawnPointGrid grid;
        const double bx = bases[rng() % kBases], by = bases[rng() % kBases];
        for (int i = 0; i < 300; ++i) {
            double x =
                bx + (rng() % 4) * cell + offsets[rng() % kOffsets] + offsets[rng() % kOffsets];
            double y = by + (rng() % 4) * cell + offsets[rng() % kOffsets];
            if (rng() % 2)
                x = Ulps(x, static_cast<int>(rng() % 3)), y = Ulps(y, static_cast<int>(rng() % 3));
            ASSERT_EQ(grid.AddIfNew(x, y), list.AddIfNew(x, y))
                << "round " << round << " point " << x << ", " << y;
        }
        EXPECT_EQ(grid.Count(), list.Count());
    }
}

TEST(SweepDifferential, PointGridNeverMatchesWhatIsNotFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Unit1::TDrawnPointList list;
    Unit1::TDrawnPointGrid grid;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [x, y] : std::vector<std::pair<double, double>>{
                 {inf, 0}, {-inf, 5}, {1, inf}, {nan, 0}, {0, nan}, {inf, inf}, {0, 0}}) {
            ASSERT_EQ(grid.AddIfNew(x, y), list.AddIfNew(x, y)) << x << ", " << y;
        }
    }
    EXPECT_EQ(grid.Count(), 13u); // every non-finite point twice, (0, 0) once
    EXPECT_EQ(grid.Count(), list.Count());
}

TEST(SweepDifferential, PointListSquareIsInclusive) {
    Unit1::TDrawnPointList list;
    for (int i = 0; i <= 100; ++i)
        EXPECT_TRUE(list.AddIfNew(i, 0));
    EXPECT_FALSE(list.AddIfNew(100 + 1e-8, -1e-8)); // inclusive square
    EXPECT_TRUE(list.AddIfNew(100 + 1.1e-8, 0));
}

// For every segment, the index must list exactly the later segments whose
// paths can meet its own, ascending, whatever the layout and the way the
// budget makes the index take: the levels at any cost, the tree (also a few
// pairs at a time, so that its ranges shrink down to single segments), and
// every later segment.
void ExpectExactCandidates(const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines,
                           const std::string& name) {
    constexpr double kNever = 2, kAlways = 0;
    const std::pair<const char*, Unit1::TSearchBudget> ways[] = {
        {"chosen", {}},
        {"levels", {SIZE_MAX, 0, SIZE_MAX, kNever}},
        {"tree", {0, 0, SIZE_MAX, kNever}},
        {"tree, 7 pairs at a time", {0, 0, 7, kNever}},
        {"every later", {0, 0, 1000, kAlways}},
    };
    for (const auto& [way, budget] : ways) {
        const auto segments = Unit1::SweepSegmentsOf(lines);
        Unit1::TSegmentIndex index(segments, budget);
        const std::string label = name + " by " + way;
        std::vector<Unit1::TSegmentEnds> scratch;
        std::vector<int32_t> found, expected;
        for (int32_t i = 0; i < lines.Count(); ++i) {
            ASSERT_EQ(index.Excluded(i), JwwGaibu::HasDimensionAttribute(lines[i])) << label;
            if (index.Excluded(i)) continue;
            found.clear();
            index.VisitCandidatesAfter(i, scratch, [&](const Unit1::TSegmentEnds& c) {
                found.push_back(c.Index);
                const auto& line = lines[c.Index];
                const auto same = [](double a, double b) { // NaN included
                    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
                };
                EXPECT_TRUE(same(c.Line.X1, line.X1) && same(c.Line.Y1, line.Y1) &&
                            same(c.Line.X2, line.X2) && same(c.Line.Y2, line.Y2) &&
                            c.CurveNo == line.CurveNo)
                    << label << ": segment " << c.Index << "'s copy";
            });
            expected.clear();
            for (int32_t j = i + 1; j < lines.Count(); ++j) {
                if (!index.Excluded(j) && Unit1::PathsCanMeet(index.Path(i), index.Path(j)))
                    expected.push_back(j);
            }
            ASSERT_EQ(found, expected) << label << ": segment " << i;
        }
    }
}

// A first run on an n x n grid with 20 mm squares centred on its 10 mm
// pitch, then its answer's sides as the selection of a second run.
JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> SecondRunOfGrid(int n) {
    TExchangeState first;
    JwwGaibu::ResetExchangeState(first);
    for (int i = 0; i < 2 * n; ++i) {
        auto& line = first.Lines.Append();
        const double at = (i % n) * 10.0, lo = -5, hi = (n - 1) * 10.0 + 5;
        line.X1 = i < n ? lo : at, line.Y1 = i < n ? at : lo;
        line.X2 = i < n ? hi : at, line.Y2 = i < n ? at : hi;
    }
    JwwGaibu::RewindAttributes(first);
    Unit1::TRectSettings settings;
    settings.RectWidth = settings.RectHeight = 20;
    settings.RectRefPoint = 4; // the centre
    static const ScratchDir dir;
    Unit1::DrawAtIntersections(first, settings, dir.path() / "s.dat", [](const Unit1::TStatus&) {});
    JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> sides;
    for (const std::string& text : OutputOf(first)) {
        double x1, y1, x2, y2;
        if (std::sscanf(text.c_str(), "%lf %lf %lf %lf", &x1, &y1, &x2, &y2) != 4) continue;
        auto& line = sides.Append();
        line.X1 = x1, line.Y1 = y1, line.X2 = x2, line.Y2 = y2;
    }
    EXPECT_EQ(sides.Count(), 4 * n * n);
    return sides;
}

TEST(SweepDifferential, IndexListsExactlyThePathsThatCanMeet) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> pos(0, 1000), len(-30, 30);
    JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> lines;
    for (int i = 0; i < 2000; ++i) {
        auto& line = lines.Append();
        line.X1 = pos(rng), line.Y1 = pos(rng);
        const bool long_one = i % 97 == 0;
        line.X2 = line.X1 + (long_one ? 900 : len(rng));
        line.Y2 = line.Y1 + (i % 5 == 0 ? 0 : len(rng)); // some exactly horizontal
        if (i % 50 == 0) line.Flags = 4;
    }
    ExpectExactCandidates(lines, "long and horizontal");
    // Chains in several directions whose pieces end 0 to 4 tolerances apart,
    // some within their reaches, some not.
    JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> chains;
    for (int d = 0; d < 6; ++d) {
        const double ux = std::cos(d * 0.6), uy = std::sin(d * 0.6);
        for (int k = 0; k < 200; ++k) {
            const double from = k * 10.0, to = from + 10 - 1e-8 * (k % 5);
            auto& line = chains.Append();
            line.X1 = from * ux + d * 3000, line.Y1 = from * uy;
            line.X2 = to * ux + d * 3000, line.Y2 = to * uy;
        }
    }
    ExpectExactCandidates(chains, "chains with gaps");
    ExpectExactCandidates(SecondRunOfGrid(8), "second run");
    for (const auto& layout : selection_layouts::Layouts()) {
        JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> shaped;
        selection_layouts::TBuilder builder(shaped, 5);
        layout.Fill(builder);
        ExpectExactCandidates(shaped, layout.Name);
    }
}

// Every pair the crossing test finds on both segments must be one whose
// paths can meet, also where rounding puts the crossing well off a steep or
// nearly parallel segment; some of those lie beyond the tolerance alone.
TEST(SweepDifferential, EveryCrossingOnBothIsWithinReach) {
    int64_t crossings = 0, beyond_tolerance = 0;
    auto check = [&](const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines,
                     const std::string& name) {
        const auto segments = Unit1::SweepSegmentsOf(lines);
        for (int32_t i = 0; i < lines.Count(); ++i) {
            for (int32_t j = i + 1; j < lines.Count(); ++j) {
                const auto &a = lines[i], &b = lines[j];
                double x = 0, y = 0;
                if (MyFunc::IntersectSegments(a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2, x,
                                              y) != MyFunc::kCrossingOnBoth)
                    continue;
                ++crossings;
                Unit1::TSegmentPath pa = Unit1::PathOf(segments[size_t(i)]),
                                    pb = Unit1::PathOf(segments[size_t(j)]);
                ASSERT_TRUE(Unit1::PathsCanMeet(pa, pb)) << name << ": " << i << ", " << j;
                pa.Reach = pb.Reach = 3 * MyFunc::kTolerance;
                if (!Unit1::PathsCanMeet(pa, pb)) ++beyond_tolerance;
            }
        }
    };
    for (uint32_t seed = 1; seed <= 1500; ++seed) {
        TExchangeState state;
        AdversarialSelection(seed).Fill(state);
        check(state.Lines, "seed " + std::to_string(seed));
    }
    for (const auto& layout : selection_layouts::Layouts()) {
        JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> lines;
        selection_layouts::TBuilder builder(lines, 3);
        layout.Fill(builder);
        check(lines, layout.Name);
    }
    // Nearly vertical segments far out, whose intercepts lose millimetres,
    // against diagonals that pass just beyond their ends.
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> at(1e3, 1e6), off(-2e-3, 2e-3);
    JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine> steep;
    for (int k = 0; k < 3000; ++k) {
        const double x = at(rng), y = at(rng), dx = k % 3 == 0 ? 1.1e-8 : 3e-8 * (k % 3);
        const double shift = off(rng);
        const std::array<double, 4> near_vertical{x, y, x + dx, y + 100};
        const std::array<double, 4> diagonal{x - 50, y + shift - 50, x + 50, y + shift + 50};
        for (const auto& e :
             k % 2 ? std::array{near_vertical, diagonal} : std::array{diagonal, near_vertical}) {
            auto& line = steep.Append();
            line.X1 = e[0], line.Y1 = e[1], line.X2 = e[2], line.Y2 = e[3];
        }
    }
    check(steep, "steep");
    EXPECT_GT(crossings, 20000);
    EXPECT_GT(beyond_tolerance, 0);
}

TEST(SweepDifferential, IndexedMatchesPlainOnHardLayouts) {
    Unit1::TRectSettings settings;
    settings.RectAngle = 12.5;
    settings.RectWidth = 0.01;
    settings.RectHeight = 0.02;
    for (const auto& layout : selection_layouts::Layouts()) {
        for (uint32_t seed : {1u, 2u}) {
            auto fill = [&](TExchangeState& state) {
                JwwGaibu::ResetExchangeState(state);
                selection_layouts::TBuilder builder(state.Lines, seed);
                layout.Fill(builder);
                JwwGaibu::RewindAttributes(state);
            };
            const auto outputs = RunBothMethods(fill, settings, -1);
            ASSERT_GT(outputs[1].size(), 4u * 100) << layout.Name << ": too few crossings to tell";
            ASSERT_TRUE(outputs[0] == outputs[1]) << layout.Name << " seed " << seed;
        }
    }
}

TEST(SweepDifferential, SecondRunOverDrawnSquaresMatchesPlain) {
    const auto sides = SecondRunOfGrid(12);
    auto fill = [&](TExchangeState& state) {
        JwwGaibu::ResetExchangeState(state);
        for (int32_t i = 0; i < sides.Count(); ++i)
            state.Lines.Append() = sides[i];
        JwwGaibu::RewindAttributes(state);
    };
    const auto outputs = RunBothMethods(fill, Unit1::TRectSettings{}, -1);
    ASSERT_GT(outputs[1].size(), 4u * 12 * 12); // the corners and crossings lie on the pitch
    EXPECT_TRUE(outputs[0] == outputs[1]);
}

TEST(SweepDifferential, LargeRunsMatchAcrossBatchesAndThreads) {
    // 190 x 190 crossings: more rectangles than one formatting batch, so the
    // threaded formatting, the batch seams and the point table's growth all
    // take part; rotated, so every corner has long digit strings.
    auto grid = [](TExchangeState& state) {
        JwwGaibu::ResetExchangeState(state);
        for (int i = 0; i < 190; ++i) {
            auto& h = state.Lines.Append();
            h.X1 = -1, h.Y1 = i * 1.37, h.X2 = 300, h.Y2 = i * 1.37 + 0.5;
            auto& v = state.Lines.Append();
            v.X1 = i * 1.41, v.Y1 = -1, v.X2 = i * 1.41 + 0.25, v.Y2 = 300;
        }
        JwwGaibu::RewindAttributes(state);
    };
    Unit1::TRectSettings settings;
    settings.RectAngle = 33.3;
    settings.RectRefPoint = 5;
    const auto outputs = RunBothMethods(grid, settings, 190 * 190);
    ASSERT_EQ(outputs[0].size(), 4u + 4u * 190 * 190);
    EXPECT_TRUE(outputs[0] == outputs[1]);
}

TEST(SweepDifferential, BoxesThatOnlyTouchStillMeet) {
    // Far from the origin the tolerance is lost in rounding, so the widened
    // boxes of a T-junction share just one edge. Stems on all four sides of
    // their bar, listed before and after it, reach every edge comparison.
    constexpr double kFar = 68719476736.0; // 2^36: one ulp is about 1.5e-5
    auto fill = [&](TExchangeState& state) {
        JwwGaibu::ResetExchangeState(state);
        auto add = [&](double x1, double y1, double x2, double y2) {
            auto& line = state.Lines.Append();
            line.X1 = x1, line.Y1 = y1, line.X2 = x2, line.Y2 = y2;
        };
        for (int k = 0; k < 8; ++k) {
            const double ax = kFar + 64.0 * k, ay = kFar;
            const double side = k % 2 ? 8.0 : -8.0;
            const bool stem_first = k % 4 >= 2;
            if (k < 4) { // vertical bar, horizontal stem
                if (stem_first) add(ax, ay, ax + side, ay);
                add(ax, ay - 8, ax, ay + 8);
                if (!stem_first) add(ax, ay, ax + side, ay);
            } else { // horizontal bar, vertical stem
                if (stem_first) add(ax, ay, ax, ay + side);
                add(ax - 8, ay, ax + 8, ay);
                if (!stem_first) add(ax, ay, ax, ay + side);
            }
        }
        JwwGaibu::RewindAttributes(state);
    };
    const auto outputs = RunBothMethods(fill, Unit1::TRectSettings{}, 8);
    EXPECT_EQ(outputs[0], outputs[1]);
}

TEST(SweepDifferential, PointGridKeepsCellsOfOneColumnApartWhileGrowing) {
    // Thousands of cells in a single column make the table grow several
    // times; every point asked again (within the tolerance) must be found.
    Unit1::TDrawnPointList list;
    Unit1::TDrawnPointGrid grid;
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < 3000; ++k) {
            const double x = 0.25 + pass * 0.5e-8, y = k * 1e-3 - pass * 0.5e-8;
            ASSERT_EQ(grid.AddIfNew(x, y), list.AddIfNew(x, y)) << "pass " << pass << " k " << k;
        }
    }
    EXPECT_EQ(list.Count(), 3000u);
}

TEST(SweepDifferential, BackgroundBatchesKeepDrawingOrder) {
    // Several full batches go to the formatting thread while drawing goes on;
    // the reference appends every rectangle by itself, at once.
    const Unit1::TRectShape shape{2, 1, 30, 4};
    TExchangeState batched, one_by_one;
    JwwGaibu::ResetExchangeState(batched);
    JwwGaibu::ResetExchangeState(one_by_one);
    Unit1::TDrawnPointGrid points;
    Unit1::TRectangleDrawer drawer(batched.Answer, shape, points);
    constexpr int kPoints = 100000;
    for (int k = 0; k < kPoints; ++k) {
        const double x = k * 0.37, y = (k % 7) * -1.3;
        drawer.DrawRectangleAt(x, y);
        drawer.DrawRectangleAt(x, y); // drawn already
        Unit1::TDrawnPointList fresh;
        Unit1::TRectangleDrawer single(one_by_one.Answer, shape, fresh);
        single.DrawRectangleAt(x, y);
        single.Finish();
    }
    drawer.Finish();
    EXPECT_EQ(drawer.Drawn(), kPoints);
    const auto expected = OutputOf(one_by_one);
    ASSERT_EQ(expected.size(), 4u * kPoints);
    EXPECT_TRUE(OutputOf(batched) == expected);
}
