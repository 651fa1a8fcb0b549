#include "sweep/drawn_points.hpp"

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "sweep/mix.hpp"
#include "util/geometry.hpp"
#include "util/tolerance.hpp"

namespace Unit1 {

namespace {

// The plain list grows by this many entries at a time.
constexpr std::size_t kListBlock = 100;

// Cells of 2^-20 mm are about 50 times the tolerance: a point's square
// almost always lies in one cell, at most in four. They are centred on the
// multiples of 2^-20, so that whole and simple decimal coordinates, the
// common ones, lie inside a cell and not on its edge. They cover magnitudes
// below 2^42, where cell numbers stay within 2^62.
constexpr double kCellsPerUnit = 0x1p20;
constexpr double kSmallCellsEnd = 0x1p42;
// From 2^42 on one ulp is 2^-10 or more, so two different values never lie
// within the tolerance: there every value is a cell of its own, numbered by
// its bits beyond all small cells (above 2^62, or below -2^62), which keeps
// the numbering monotone over the whole range.
constexpr int64_t kOwnCells = (int64_t{1} << 62) + 1;
// Reach of a lookup: twice the tolerance, so that rounding of the bounds
// can never hide a point the exact comparison would find.
constexpr double kReach = 2 * MyFunc::kTolerance;
constexpr std::size_t kInitialSlots = 1024;
// Points are chained by 32-bit numbers.
constexpr std::size_t kMaxPoints = std::numeric_limits<int32_t>::max();

int64_t PointCell(double v) {
    const double a = std::fabs(v);
    // Scaling by a power of two is exact; the rounding of the half added
    // far out keeps the numbering monotone, which is all lookups need.
    if (a < kSmallCellsEnd) return static_cast<int64_t>(std::floor(v * kCellsPerUnit + 0.5));
    const int64_t beyond = std::bit_cast<int64_t>(a) - std::bit_cast<int64_t>(kSmallCellsEnd);
    return v > 0 ? kOwnCells + beyond : -kOwnCells - beyond;
}

bool FinitePoint(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// splitmix64's finaliser over both cell numbers: neighbouring cells spread
// over the whole table, so probe runs stay short.
uint64_t HashCell(int64_t cx, int64_t cy) {
    return Mix64(static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(cy));
}

// Seven bits of the hash with the top bit set; 0 marks an empty slot.
uint8_t TagOf(uint64_t hash) {
    return static_cast<uint8_t>(0x80 | (hash >> 57));
}

} // namespace

bool TDrawnPointList::AddIfNew(double x, double y) {
    for (const TPoint& p : points_) {
        if (MyFunc::SamePoint(p.X, p.Y, x, y)) return false;
    }
    if (points_.size() == points_.capacity()) points_.reserve(points_.size() + kListBlock);
    points_.push_back({x, y});
    return true;
}

TDrawnPointGrid::TDrawnPointGrid() : slots_(kInitialSlots, kEmpty), tags_(kInitialSlots, 0) {}

bool TDrawnPointGrid::NearAny(int32_t head, double x, double y) const {
    for (int32_t i = head; i >= 0; i = points_[static_cast<std::size_t>(i)].Next) {
        const TPoint& p = points_[static_cast<std::size_t>(i)];
        if (MyFunc::SamePoint(p.X, p.Y, x, y)) return true;
    }
    return false;
}

bool TDrawnPointGrid::InOtherCells(const TCellSpan& span, int64_t own_x, int64_t own_y, double x,
                                   double y) const {
    for (int64_t cx = span.X0; cx <= span.X1; ++cx) {
        for (int64_t cy = span.Y0; cy <= span.Y1; ++cy) {
            if ((cx != own_x || cy != own_y) && NearAny(slots_[SlotOf(cx, cy)], x, y)) return true;
        }
    }
    return false;
}

std::size_t TDrawnPointGrid::SlotOf(int64_t cx, int64_t cy) const {
    const std::size_t mask = slots_.size() - 1;
    const uint64_t hash = HashCell(cx, cy);
    const uint8_t tag = TagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        if (tags_[i] == 0) return i; // the empty slot where the cell belongs
        // The tag spares reading the points of almost every other cell.
        if (tags_[i] != tag) continue;
        const TPoint& p = points_[static_cast<std::size_t>(slots_[i])];
        if (PointCell(p.X) == cx && PointCell(p.Y) == cy) return i;
    }
}

void TDrawnPointGrid::Claim(std::size_t slot, int64_t cx, int64_t cy, int32_t head) {
    tags_[slot] = TagOf(HashCell(cx, cy));
    slots_[slot] = head;
}

void TDrawnPointGrid::Grow() {
    // Both allocated before either is swapped in: a failed allocation
    // leaves the grid as it was.
    decltype(slots_) old(slots_.size() * 2, kEmpty);
    decltype(tags_) tags(old.size(), 0);
    old.swap(slots_);
    tags.swap(tags_);
    for (const int32_t head : old) {
        if (head == kEmpty) continue;
        const TPoint& p = points_[static_cast<std::size_t>(head)];
        const int64_t cx = PointCell(p.X), cy = PointCell(p.Y);
        Claim(SlotOf(cx, cy), cx, cy, head);
    }
}

void TDrawnPointGrid::Prefetch(double x, double y) {
    if (!FinitePoint(x, y)) return;
    const std::size_t slot = HashCell(PointCell(x), PointCell(y)) & (slots_.size() - 1);
    __builtin_prefetch(&tags_[slot]);
    __builtin_prefetch(&slots_[slot]);
}

bool TDrawnPointGrid::AddIfNew(double x, double y) {
    // Never a silently wrong chain: the run fails and the host gets "hq".
    if (points_.size() >= kMaxPoints) throw std::length_error("too many drawn points");
    // A coordinate that is not finite never lies within the tolerance of
    // anything (the difference is not a number or infinite): such a point is
    // remembered, as the plain list does, but needs no cell.
    if (!FinitePoint(x, y)) {
        points_.push_back({x, y, -1});
        return true;
    }
    // Grown first, so the point's own slot found below stays valid.
    if ((used_slots_ + 1) * 2 > slots_.size()) Grow();
    const int64_t own_x = PointCell(x), own_y = PointCell(y);
    const std::size_t own = SlotOf(own_x, own_y);
    if (NearAny(slots_[own], x, y)) return false;
    // The square reaches into a neighbouring cell only near a cell edge.
    const TCellSpan span{PointCell(x - kReach), PointCell(x + kReach), PointCell(y - kReach),
                         PointCell(y + kReach)};
    const bool one_cell = span.X0 == span.X1 && span.Y0 == span.Y1;
    if (!one_cell && InOtherCells(span, own_x, own_y, x, y)) return false;

    const auto index = static_cast<int32_t>(points_.size());
    points_.push_back({x, y, slots_[own]});
    if (slots_[own] == kEmpty) ++used_slots_;
    Claim(own, own_x, own_y, index);
    return true;
}

} // namespace Unit1
