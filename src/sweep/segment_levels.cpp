#include "sweep/segment_levels.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace Unit1 {

namespace {

// Cells at least 2^-40 of a box's distance from the origin keep every cell
// number below 2^41, so even boxes near the largest doubles get a level.
constexpr int kMagnitudeBits = 40;
// Entries carry the index above two flags; more segments than this (far
// beyond any memory) are left unplaced.
constexpr int64_t kMostPlaced = int64_t{1} << 28;
constexpr int kFlagBits = 2;
// Levels sharing one set of cells at most.
constexpr int kMergedLevels = 3;
// Room for the exponent of every finite double. Boxes are widened by the
// tolerance, so the levels in use lie in -26 .. 1024.
constexpr int kLowestLevel = -1100, kHighestLevel = 1100;
constexpr int kNoLevel = INT16_MAX;

int Exponent(double v) {
    int e = 0;
    std::frexp(v, &e); // v = m 2^e with 0.5 <= m < 1, so 2^e >= v
    return e;
}

// The smallest cell size 2^level that holds the box in 2 x 2 cells and
// keeps its cell numbers small; none for a box that is not finite.
bool FindLevel(const TSegmentBox& b, int& level) {
    const double size = std::max(b.MaxX - b.MinX, b.MaxY - b.MinY);
    const double distance = BoxMagnitude(b);
    if (!std::isfinite(size) || !std::isfinite(distance)) return false;
    level = std::max(Exponent(size), Exponent(distance) - kMagnitudeBits);
    return true;
}

// Column or row of v at a level whose cells are 1 / scale wide, centred on
// the multiples of that width, so that round coordinates lie inside a cell
// rather than on its edge. Scaling by a power of two rounds, if at all, only
// below 2^-1022, and the half added is exact below 2^52: the number is
// monotone in v, so boxes that share a point share that point's cell.
int64_t LevelCell(double v, double scale) {
    return static_cast<int64_t>(std::floor(v * scale + 0.5));
}

bool FitsTwoByTwo(const TSegmentLevels::TCellRange& r) {
    return r.X1 - r.X0 <= 1 && r.Y1 - r.Y0 <= 1;
}

uint32_t IndexOf(uint32_t key) {
    return key >> kFlagBits;
}

template <class Entry> TSegmentBox WidenedBox(const Entry& e) {
    return WidenedBoxOf(e.X1, e.Y1, e.X2, e.Y2);
}

} // namespace

bool TSegmentLevels::Build(std::span<const TSweepSegment> lines,
                           std::span<const TSegmentPath> paths, std::span<const int32_t> members,
                           std::size_t most_tests, std::size_t most_pairs) {
    lines_ = lines, paths_ = paths;
    level_.assign(paths.size(), kUnplaced);
    PlaceInLevels(members);
    std::vector<std::array<uint32_t, 4>> own_cells(paths_.size());
    std::size_t coarser_tests = 0;
    if (!CountCells(members, most_tests, own_cells, coarser_tests)) return GiveUp();
    PlaceEntries(members, own_cells);
    if (!PairAcrossLevels(members, coarser_tests, most_pairs)) return GiveUp();
    cells_.ForgetKeys(); // the sweep reaches cells only through own_
    return true;
}

bool TSegmentLevels::GiveUp() {
    *this = TSegmentLevels{};
    return false;
}

void TSegmentLevels::PlaceInLevels(std::span<const int32_t> members) {
    std::vector<uint8_t> used(kHighestLevel - kLowestLevel + 1);
    const bool too_many = static_cast<int64_t>(paths_.size()) > kMostPlaced;
    for (int32_t i : members) {
        int level = 0;
        if (too_many || !FindLevel(Box(i), level) || !FitsTwoByTwo(Cells(i, level))) {
            unplaced_.push_back(i);
            continue;
        }
        level_[static_cast<size_t>(i)] = static_cast<int16_t>(level);
        used[static_cast<size_t>(level - kLowestLevel)] = 1;
    }
    MergeLevels(used);
}

// Every pair across two levels costs a lookup, so levels close in size
// share the coarser one: going down from the largest, each level in use
// takes in the used levels up to kMergedLevels - 1 below it. Cells stay at
// most 2^(kMergedLevels - 1) times those of a box's own level.
void TSegmentLevels::MergeLevels(const std::vector<uint8_t>& used) {
    std::vector<int16_t> merged(used.size(), kUnplaced);
    int top = kNoLevel;
    for (int level = kHighestLevel; level >= kLowestLevel; --level) {
        if (!used[static_cast<size_t>(level - kLowestLevel)]) continue;
        if (top == kNoLevel || top - level >= kMergedLevels) {
            top = level;
            levels_.push_back(level);
        }
        merged[static_cast<size_t>(level - kLowestLevel)] = static_cast<int16_t>(top);
    }
    std::reverse(levels_.begin(), levels_.end());
    for (int16_t& level : level_) {
        if (level != kUnplaced) level = merged[static_cast<size_t>(level - kLowestLevel)];
    }
}

TSegmentLevels::TCellRange TSegmentLevels::Cells(int32_t i, int level) const {
    const TSegmentBox& b = Box(i);
    const double scale = std::ldexp(1.0, -level);
    return TCellRange{LevelCell(b.MinX, scale), LevelCell(b.MaxX, scale), LevelCell(b.MinY, scale),
                      LevelCell(b.MaxY, scale)};
}

// Calls visit(entry) for every entry at positions first .. end - 1 of one
// cell (never segment i's own) whose segment's box meets segment i's,
// unless the pair is seen in another cell. A pair sharing several cells is seen only in the cell
// that holds the lower left corner of the two boxes' common part: the cell whose column is the
// first of one of them and whose row is the first of one. flags says which of those segment i's
// range starts at this cell.
template <class Visit>
void TSegmentLevels::VisitEntries(int32_t i, uint32_t flags, uint32_t first, uint32_t end,
                                  Visit&& visit) const {
    const TSegmentBox& box = Box(i);
    for (uint32_t at = first; at < end; ++at) {
        const TCellEntry& entry = entries_[at];
        if (((entry.Key | flags) & kFirstBoth) != kFirstBoth) continue;
        if (box.Overlaps(WidenedBox(entry))) visit(entry);
    }
}

// Calls visit(cell, flags) for every cell of a coarser level that segment
// i's box covers; flags as for VisitEntries.
template <class Visit> void TSegmentLevels::VisitCoarserCells(int32_t i, Visit&& visit) const {
    for (auto it = std::upper_bound(levels_.begin(), levels_.end(), LevelOf(i));
         it != levels_.end(); ++it) {
        const TCellRange r = Cells(i, *it);
        for (int64_t y = r.Y0; y <= r.Y1; ++y) {
            for (int64_t x = r.X0; x <= r.X1; ++x) {
                const uint32_t cell = cells_.Find(TCellKey{*it, x, y});
                if (cell == TSegmentCells::kNoCell) continue;
                visit(cell, (x == r.X0 ? kFirstColumn : 0) | (y == r.Y0 ? kFirstRow : 0));
            }
        }
    }
}

// The placed members, the coarsest level first, in increasing order within a level.
std::vector<int32_t> TSegmentLevels::CoarsestFirst(std::span<const int32_t> members) const {
    std::vector<std::size_t> start(levels_.size() + 1);
    const auto rank = [&](int32_t i) {
        const auto at = std::lower_bound(levels_.begin(), levels_.end(), LevelOf(i));
        return levels_.end() - at - 1; // 0 for the coarsest
    };
    for (int32_t i : members) {
        if (Placed(i)) ++start[static_cast<std::size_t>(rank(i)) + 1];
    }
    for (std::size_t k = 1; k < start.size(); ++k)
        start[k] += start[k - 1];
    std::vector<int32_t> order(start.back());
    for (int32_t i : members) {
        if (Placed(i)) order[start[static_cast<std::size_t>(rank(i))]++] = i;
    }
    return order;
}

// Interns the cells of every placed member, the coarsest levels first, so
// that when a box comes, every coarser cell it looks into is complete: the
// entries it meets there and in its own cells count against most_tests at
// once, and the count stops as soon as they are spent. coarser_tests gets the
// entries looked at in coarser cells.
bool TSegmentLevels::CountCells(std::span<const int32_t> members, std::size_t most_tests,
                                std::vector<std::array<uint32_t, 4>>& own_cells,
                                std::size_t& coarser_tests) {
    // Most boxes take one or two cells.
    cells_.Reserve(2 * members.size());
    own_.resize(paths_.size());
    std::size_t work = 0;
    for (int32_t i : CoarsestFirst(members)) {
        const int level = LevelOf(i);
        const TCellRange r = Cells(i, level);
        TOwnCells& own = own_[static_cast<size_t>(i)];
        own.Columns = static_cast<uint8_t>(r.X1 - r.X0 + 1);
        own.Rows = static_cast<uint8_t>(r.Y1 - r.Y0 + 1);
        int k = 0;
        for (int64_t y = r.Y0; y <= r.Y1; ++y) {
            for (int64_t x = r.X0; x <= r.X1; ++x) {
                const uint32_t cell = cells_.Intern(TCellKey{level, x, y});
                own_cells[static_cast<size_t>(i)][k++] = cell;
                work += cells_.Counted(cell) - 1; // the entries before it
            }
        }
        VisitCoarserCells(i,
                          [&](uint32_t cell, uint32_t) { coarser_tests += cells_.Counted(cell); });
        if (work + coarser_tests > most_tests) return false;
    }
    return true;
}

// Segments in increasing order, so every cell lists them ascending.
void TSegmentLevels::PlaceEntries(std::span<const int32_t> members,
                                  const std::vector<std::array<uint32_t, 4>>& own_cells) {
    cells_.Seal();
    entries_.resize(cells_.EntryCount());
    for (int32_t i : members) {
        if (!Placed(i)) continue;
        TOwnCells& own = own_[static_cast<size_t>(i)];
        const TSweepSegment& line = lines_[static_cast<size_t>(i)];
        for (int k = 0; k < own.Columns * own.Rows; ++k) {
            const uint32_t cell = own_cells[static_cast<size_t>(i)][k];
            own.Position[k] = cells_.Place(cell);
            own.End[k] = cells_.End(cell);
            const uint32_t key = static_cast<uint32_t>(i) << kFlagBits | own.Flags(k);
            entries_[own.Position[k]] = TCellEntry{
                line.X1,      line.Y1, line.X2, line.Y2, paths_[static_cast<size_t>(i)].Reach,
                line.CurveNo, key};
        }
    }
}

// False, as soon as there are more than most_pairs; there are no more than
// tests.
bool TSegmentLevels::PairAcrossLevels(std::span<const int32_t> members, std::size_t tests,
                                      std::size_t most_pairs) {
    across_.Reserve(std::min(tests, most_pairs));
    bool over = false;
    for (int32_t i : members) {
        if (!Placed(i)) continue;
        VisitCoarserCells(i, [&](uint32_t cell, uint32_t flags) {
            VisitEntries(i, flags, cells_.Begin(cell), cells_.End(cell),
                         [&](const TCellEntry& entry) {
                             if (across_.Size() >= most_pairs) {
                                 over = true;
                                 return;
                             }
                             across_.Add(static_cast<uint32_t>(i), IndexOf(entry.Key));
                         });
        });
        if (over) return false;
    }
    across_.Group(0, static_cast<int32_t>(paths_.size()));
    return true;
}

void TSegmentLevels::AppendAfter(int32_t i, std::vector<TSegmentEnds>& out) const {
    // The boxes meet; the paths need not.
    const TSegmentPath path = paths_[static_cast<size_t>(i)]; // kept in registers over the appends
    const TOwnCells& own = own_[static_cast<size_t>(i)];
    // Entries are ascending by index, so the later segments follow i's own.
    for (int k = 0; k < own.Columns * own.Rows; ++k) {
        VisitEntries(i, own.Flags(k), own.Position[k] + 1, own.End[k], [&](const TCellEntry& e) {
            const TSegmentPath other{e.X1, e.Y1, e.X2, e.Y2, TSegmentBox{}, e.Reach};
            if (!SharedEnd(path, other) && !PathsComeWithinReach(path, other)) return;
            out.push_back(TSegmentEnds{MyFunc::LineOf(e.X1, e.Y1, e.X2, e.Y2), e.CurveNo,
                                       static_cast<int32_t>(IndexOf(e.Key))});
        });
    }
    for (int32_t j : across_.Row(i)) {
        if (!PathsCanMeet(path, paths_[static_cast<size_t>(j)])) continue;
        out.push_back(EndsOf(lines_[static_cast<size_t>(j)], j));
    }
}

} // namespace Unit1
