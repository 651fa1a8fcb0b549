#include "sweep/segment_index.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "util/geometry.hpp"

namespace Unit1 {

namespace {

// Cells at least 2^-40 of a box's distance from the origin keep every cell
// number below 2^41, so even boxes near the largest doubles get a level.
constexpr int kMagnitudeBits = 40;
// Entries carry the index above two flags; more segments than this (far
// beyond any memory) are compared directly.
constexpr int64_t kMaxIndexed = int64_t{1} << 28;
constexpr int kFlagBits = 2;
// Levels sharing one set of cells at most.
constexpr int kMergedLevels = 3;
// Exponents of finite positive doubles, subnormals included.
constexpr int kLowestLevel = -1100, kHighestLevel = 1100;
// The levels are given up when their entries meet more often than this
// within cells (or across levels), at least the first, at most the second
// for each segment.
constexpr std::size_t kLeastLevelWork = std::size_t{1} << 24;
constexpr std::size_t kLevelWorkPerSegment = 64;
// Pairs across levels, and pairs from the tree, kept at most: 8 bytes each
// while they are found, 4 once sorted.
constexpr std::size_t kMostKeptPairs = std::size_t{3} << 20;

template <class Ends> TSegmentBox WidenedBox(const Ends& e) {
    return WidenedBoxOf(e.X1, e.Y1, e.X2, e.Y2);
}

bool Finite(const TSegmentBox& b) {
    return std::isfinite(b.MinX) && std::isfinite(b.MinY) && std::isfinite(b.MaxX) &&
           std::isfinite(b.MaxY);
}

int Exponent(double v) {
    int e = 0;
    std::frexp(v, &e); // v = m 2^e with 0.5 <= m < 1, so 2^e >= v
    return e;
}

// The smallest cell size 2^level that holds the box in 2 x 2 cells and
// keeps its cell numbers small; none for a box that is not finite.
bool FindLevel(const TSegmentBox& b, int& level) {
    const double size = std::max(b.MaxX - b.MinX, b.MaxY - b.MinY);
    const double reach =
        std::max({std::fabs(b.MinX), std::fabs(b.MaxX), std::fabs(b.MinY), std::fabs(b.MaxY)});
    if (!std::isfinite(size) || !std::isfinite(reach)) return false;
    level = std::max(Exponent(size), Exponent(reach) - kMagnitudeBits);
    return true;
}

// Cell number of v at a level whose cells are 1 / scale wide, centred on
// the multiples of that width, so that round coordinates lie inside a cell
// rather than on its edge. Scaling by a power of two rounds, if at all, only
// below 2^-1022, and the half added is exact below 2^52: the number is
// monotone in v, so boxes that share a point share that point's cell.
int64_t CellOf(double v, double scale) {
    return static_cast<int64_t>(std::floor(v * scale + 0.5));
}

bool FitsTwoByTwo(const TSegmentIndex::TCellRange& r) {
    return r.X1 - r.X0 <= 1 && r.Y1 - r.Y0 <= 1;
}

uint32_t Index(uint32_t key) {
    return key >> kFlagBits;
}

} // namespace

TSegmentIndex::TSegmentIndex(std::span<const TSweepSegment> lines, std::optional<TMethod> only)
    : lines_(lines), count_(static_cast<int32_t>(lines.size())),
      level_(static_cast<size_t>(count_), kExcluded) {
    boxes_.reserve(static_cast<size_t>(count_));
    reaches_.reserve(static_cast<size_t>(count_));
    for (int32_t i = 0; i < count_; ++i) {
        const TSegmentPath path = PathOf(lines[static_cast<size_t>(i)]);
        boxes_.push_back(path.Box);
        reaches_.push_back(path.Reach);
        if (lines[static_cast<size_t>(i)].Excluded) continue;
        indexed_.push_back(i);
        level_[static_cast<size_t>(i)] = kDirect; // until the levels place it
    }
    constexpr std::size_t kNoLimit = SIZE_MAX;
    if (!only || only == TMethod::Levels) {
        const bool limited = !only;
        const std::size_t work_limit =
            std::max(kLeastLevelWork, kLevelWorkPerSegment * indexed_.size());
        if (BuildLevels(limited ? work_limit : kNoLimit, limited ? kMostKeptPairs : kNoLimit))
            return;
        DropLevels();
    }
    PrepareEnds();
    if (only == TMethod::Direct) {
        method_ = TMethod::Direct;
        return;
    }
    FindPairsByTree(only ? kNoLimit : kMostKeptPairs);
}

bool TSegmentIndex::BuildLevels(std::size_t work_limit, std::size_t pair_limit) {
    std::vector<uint8_t> used(kHighestLevel - kLowestLevel + 1);
    for (int32_t i : indexed_) {
        int level = 0;
        if (count_ > kMaxIndexed || !FindLevel(Box(i), level) || !FitsTwoByTwo(Cells(i, level))) {
            level_[static_cast<size_t>(i)] = kDirect;
            direct_.push_back(i);
            continue;
        }
        level_[static_cast<size_t>(i)] = static_cast<int16_t>(level);
        used[static_cast<size_t>(level - kLowestLevel)] = 1;
    }
    MergeLevels(used);
    FillCells();
    const std::size_t same_level = SameLevelWork();
    if (same_level > work_limit) return false;
    if (!PairAcrossLevels(std::min(work_limit - same_level, pair_limit))) return false;
    cells_.ForgetKeys(); // the sweep reaches cells only through own_
    method_ = TMethod::Levels;
    return true;
}

// Entries met within cells: each entry meets those after it in its cell.
std::size_t TSegmentIndex::SameLevelWork() const {
    std::size_t work = 0;
    for (uint32_t cell = 0; cell < cells_.CellCount(); ++cell) {
        const std::size_t size = cells_.End(cell) - cells_.Begin(cell);
        work += size * (size - 1) / 2;
    }
    return work;
}

void TSegmentIndex::DropLevels() {
    cells_ = TSegmentCells{};
    std::vector<TOwnCells>().swap(own_);
    std::vector<TCellEntry>().swap(entries_);
    std::vector<uint32_t>().swap(cross_start_);
    std::vector<int32_t>().swap(cross_items_);
    levels_.clear();
    direct_.clear();
}

void TSegmentIndex::PrepareEnds() {
    std::vector<TSegmentEnds> ends;
    ends.reserve(static_cast<size_t>(count_));
    for (int32_t i = 0; i < count_; ++i)
        ends.push_back(EndsOf(i));
    ends_ = std::move(ends);
}

// Segments without a finite box or reach cannot be placed in the tree:
// they are tested against every other.
void TSegmentIndex::FindPairsByTree(std::size_t pair_limit) {
    std::vector<int32_t> members;
    for (int32_t i : indexed_) {
        const TSegmentPath p = Path(i);
        if (Finite(p.Box) && std::isfinite(p.Reach))
            members.push_back(i);
        else
            direct_.push_back(i);
    }
    std::vector<TSegmentPath> paths;
    paths.reserve(static_cast<size_t>(count_));
    for (int32_t i = 0; i < count_; ++i)
        paths.push_back(Path(i));
    if (tree_.FindPairs(paths, members, pair_limit)) {
        method_ = TMethod::Tree;
        return;
    }
    direct_.clear();
    method_ = TMethod::Direct;
}

// Every pair across two levels costs a lookup, so levels close in size
// share the coarser one: going down from the largest, each level in use
// takes in the used levels up to kMergedLevels - 1 below it. Cells stay at
// most 2^(kMergedLevels - 1) times a box's size.
void TSegmentIndex::MergeLevels(const std::vector<uint8_t>& used) {
    std::vector<int16_t> merged(used.size(), kDirect);
    for (int level = kHighestLevel; level >= kLowestLevel; --level) {
        if (!used[static_cast<size_t>(level - kLowestLevel)]) continue;
        levels_.push_back(level);
        const int lowest = std::max(level - kMergedLevels + 1, kLowestLevel);
        for (; level >= lowest; --level)
            merged[static_cast<size_t>(level - kLowestLevel)] =
                static_cast<int16_t>(levels_.back());
        ++level; // the loop steps down once more
    }
    std::reverse(levels_.begin(), levels_.end());
    for (int32_t i : indexed_) {
        int16_t& level = level_[static_cast<size_t>(i)];
        if (level != kDirect) level = merged[static_cast<size_t>(level - kLowestLevel)];
    }
}

TSegmentIndex::TCellRange TSegmentIndex::Cells(int32_t i, int level) const {
    const TSegmentBox& b = Box(i);
    const double scale = std::ldexp(1.0, -level); // levels lie in -26 .. 1024
    return TCellRange{CellOf(b.MinX, scale), CellOf(b.MaxX, scale), CellOf(b.MinY, scale),
                      CellOf(b.MaxY, scale)};
}

void TSegmentIndex::FillCells() {
    // Most boxes take one or two cells.
    cells_.Reserve(2 * indexed_.size());
    own_.resize(static_cast<size_t>(count_));
    std::vector<std::array<uint32_t, 4>> own_cells(static_cast<size_t>(count_));
    for (int32_t i : indexed_) {
        const int level = LevelOf(i);
        if (level == kDirect) continue;
        const TCellRange r = Cells(i, level);
        TOwnCells& own = own_[static_cast<size_t>(i)];
        own.Columns = static_cast<uint8_t>(r.X1 - r.X0 + 1);
        own.Rows = static_cast<uint8_t>(r.Y1 - r.Y0 + 1);
        int k = 0;
        for (int64_t y = r.Y0; y <= r.Y1; ++y) {
            for (int64_t x = r.X0; x <= r.X1; ++x)
                own_cells[static_cast<size_t>(i)][k++] = cells_.Intern(TCellKey{level, x, y});
        }
    }
    cells_.Seal();
    entries_.resize(cells_.EntryCount());
    // Segments in increasing order, so every cell lists them ascending.
    for (int32_t i : indexed_) {
        if (LevelOf(i) == kDirect) continue;
        TOwnCells& own = own_[static_cast<size_t>(i)];
        const TSweepSegment& line = lines_[static_cast<size_t>(i)];
        for (int k = 0; k < own.Columns * own.Rows; ++k) {
            const uint32_t cell = own_cells[static_cast<size_t>(i)][k];
            own.Position[k] = cells_.Place(cell);
            own.End[k] = cells_.End(cell);
            const uint32_t key = static_cast<uint32_t>(i) << kFlagBits | own.Flags(k);
            entries_[own.Position[k]] = TCellEntry{
                line.X1,      line.Y1, line.X2, line.Y2, reaches_[static_cast<size_t>(i)],
                line.CurveNo, key};
        }
    }
}

// Calls visit(entry) for every entry at positions first .. end - 1 of one
// cell whose segment's box meets segment i's, unless the pair is seen in
// another cell. A pair sharing several cells is seen only in the cell that holds the
// lower left corner of the two boxes' common part: the cell whose column is
// the first of one of them and whose row is the first of one. flags says
// which of those segment i's range starts at this cell.
template <class Visit>
void TSegmentIndex::VisitEntries(int32_t i, uint32_t flags, uint32_t first, uint32_t end,
                                 Visit&& visit) const {
    const TSegmentBox& box = Box(i);
    for (uint32_t at = first; at < end; ++at) {
        const TCellEntry& entry = entries_[at];
        if (((entry.Key | flags) & kFirstBoth) != kFirstBoth) continue;
        if (box.Overlaps(WidenedBox(entry)) && Index(entry.Key) != static_cast<uint32_t>(i))
            visit(entry);
    }
}

// The same for every cell of another level that segment i's box covers.
template <class Visit> void TSegmentIndex::VisitLevel(int32_t i, int level, Visit&& visit) const {
    const TCellRange r = Cells(i, level);
    for (int64_t y = r.Y0; y <= r.Y1; ++y) {
        for (int64_t x = r.X0; x <= r.X1; ++x) {
            const uint32_t cell = cells_.Find(TCellKey{level, x, y});
            if (cell == TSegmentCells::kNoCell) continue;
            const uint32_t flags = (x == r.X0 ? kFirstColumn : 0) | (y == r.Y0 ? kFirstRow : 0);
            VisitEntries(i, flags, cells_.Begin(cell), cells_.End(cell), visit);
        }
    }
}

// False, keeping nothing, when there are more than limit pairs.
bool TSegmentIndex::PairAcrossLevels(std::size_t limit) {
    std::vector<TPair> pairs;
    pairs.reserve(std::min(limit, kMostKeptPairs)); // only what is used is touched
    bool over = false;
    for (int32_t i : indexed_) {
        const int own = LevelOf(i);
        if (own == kDirect) continue;
        for (auto it = std::upper_bound(levels_.begin(), levels_.end(), own); it != levels_.end();
             ++it) {
            VisitLevel(i, *it, [&](const TCellEntry& entry) {
                if (pairs.size() >= limit) {
                    over = true;
                    return;
                }
                const auto a = static_cast<uint32_t>(i), b = Index(entry.Key);
                pairs.push_back(a < b ? TPair{a, b} : TPair{b, a});
            });
            if (over) return false;
        }
    }
    // Counting sort by the smaller index.
    cross_start_.assign(static_cast<size_t>(count_) + 1, 0);
    for (const TPair& p : pairs)
        ++cross_start_[p.Outer + 1];
    for (size_t k = 1; k < cross_start_.size(); ++k)
        cross_start_[k] += cross_start_[k - 1];
    cross_items_.resize(pairs.size());
    std::vector<uint32_t> fill(cross_start_.begin(), cross_start_.end() - 1);
    for (const TPair& p : pairs)
        cross_items_[fill[p.Outer]++] = static_cast<int32_t>(p.Inner);
    return true;
}

TSegmentEnds TSegmentIndex::EndsOf(int32_t j) const {
    if (!ends_.empty()) return ends_[static_cast<size_t>(j)];
    const TSweepSegment& line = lines_[static_cast<size_t>(j)];
    return TSegmentEnds{MyFunc::LineOf(line.X1, line.Y1, line.X2, line.Y2), line.CurveNo, j};
}

void TSegmentIndex::AllAfter(int32_t i, std::vector<TSegmentEnds>& out) const {
    const TSegmentPath path = Path(i);
    for (auto it = std::upper_bound(indexed_.begin(), indexed_.end(), i); it != indexed_.end();
         ++it) {
        if (PathsCanMeet(path, Path(*it))) out.push_back(EndsOf(*it));
    }
}

void TSegmentIndex::CandidatesAfter(int32_t i, std::vector<TSegmentEnds>& out) const {
    out.clear();
    if (Excluded(i)) return;
    switch (method_) {
    case TMethod::Levels:
        return LevelsAfter(i, out);
    case TMethod::Tree:
        return TreeAfter(i, out);
    case TMethod::Direct:
        return AllAfter(i, out);
    }
}

void TSegmentIndex::LevelsAfter(int32_t i, std::vector<TSegmentEnds>& out) const {
    const int level = LevelOf(i);
    if (level == kDirect) return AllAfter(i, out);
    // The boxes meet; the paths need not.
    const TSegmentPath path = Path(i);
    const TOwnCells& own = own_[static_cast<size_t>(i)];
    // Entries are ascending by index, so the later segments follow i's own.
    for (int k = 0; k < own.Columns * own.Rows; ++k) {
        VisitEntries(i, own.Flags(k), own.Position[k] + 1, own.End[k], [&](const TCellEntry& e) {
            // The boxes were found to meet.
            const TSegmentPath other{e.X1, e.Y1, e.X2, e.Y2, TSegmentBox{}, e.Reach};
            if (!SharedEnd(path, other) && !PathsComeWithinReach(path, other)) return;
            out.push_back(TSegmentEnds{MyFunc::LineOf(e.X1, e.Y1, e.X2, e.Y2), e.CurveNo,
                                       static_cast<int32_t>(Index(e.Key))});
        });
    }
    const auto at = static_cast<size_t>(i);
    for (uint32_t k = cross_start_[at]; k < cross_start_[at + 1]; ++k) {
        if (PathsCanMeet(path, Path(cross_items_[k]))) out.push_back(EndsOf(cross_items_[k]));
    }
    for (auto it = std::upper_bound(direct_.begin(), direct_.end(), i); it != direct_.end(); ++it) {
        if (PathsCanMeet(path, Path(*it))) out.push_back(EndsOf(*it));
    }
    // From one cell alone they come in order already.
    const auto by_index = [](const TSegmentEnds& a, const TSegmentEnds& b) {
        return a.Index < b.Index;
    };
    if (!std::is_sorted(out.begin(), out.end(), by_index))
        std::sort(out.begin(), out.end(), by_index);
}

void TSegmentIndex::TreeAfter(int32_t i, std::vector<TSegmentEnds>& out) const {
    if (std::binary_search(direct_.begin(), direct_.end(), i)) return AllAfter(i, out);
    for (int32_t j : tree_.After(i))
        out.push_back(EndsOf(j));
    const TSegmentPath path = Path(i);
    const size_t from_tree = out.size();
    for (auto it = std::upper_bound(direct_.begin(), direct_.end(), i); it != direct_.end(); ++it) {
        if (PathsCanMeet(path, Path(*it))) out.push_back(EndsOf(*it));
    }
    if (out.size() > from_tree) {
        std::inplace_merge(
            out.begin(), out.begin() + static_cast<std::ptrdiff_t>(from_tree), out.end(),
            [](const TSegmentEnds& a, const TSegmentEnds& b) { return a.Index < b.Index; });
    }
}

} // namespace Unit1
