#include "app/drawn_points.hpp"

#include <cmath>

#include "util/geometry.hpp"
#include "util/tolerance.hpp"

namespace Unit1 {

namespace {

// The plain list grows by this many entries at a time.
constexpr std::size_t kListBlock = 100;

// Cells of 2^-20 mm are about 50 times the tolerance: a point's square
// almost always lies in one cell, at most in four.
constexpr double kCellSize = 1.0 / 1048576.0;
// Beyond this magnitude cell numbers could overflow; such points are kept
// in a list that is scanned exactly. A margin of 1 around the limit makes
// points on either side of it look both ways.
constexpr double kCellLimit = 1e12;
constexpr double kLimitMargin = 1.0;
// Reach of a lookup: twice the tolerance, so that rounding of the bounds
// can never hide a point the exact comparison would find.
constexpr double kReach = 2 * MyFunc::kTolerance;
constexpr std::size_t kInitialSlots = 1024;

int64_t CellOf(double v) {
    return static_cast<int64_t>(std::floor(v / kCellSize));
}

bool Within(double x, double y, double limit) {
    return std::fabs(x) < limit && std::fabs(y) < limit;
}

uint64_t HashCell(int64_t cx, int64_t cy) {
    const uint64_t h = static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ull ^
                       (static_cast<uint64_t>(cy) + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    return h ^ (h >> 29);
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

TDrawnPointGrid::TDrawnPointGrid() : slots_(kInitialSlots, TSlot{0, 0, -1}) {}

bool TDrawnPointGrid::NearAny(int32_t head, double x, double y) const {
    for (int32_t i = head; i >= 0; i = points_[static_cast<std::size_t>(i)].Next) {
        const TPoint& p = points_[static_cast<std::size_t>(i)];
        if (MyFunc::SamePoint(p.X, p.Y, x, y)) return true;
    }
    return false;
}

bool TDrawnPointGrid::InCells(int64_t x0, int64_t x1, int64_t y0, int64_t y1, double x,
                              double y) const {
    for (int64_t cx = x0; cx <= x1; ++cx) {
        for (int64_t cy = y0; cy <= y1; ++cy) {
            if (NearAny(slots_[SlotOf(cx, cy)].Head, x, y)) return true;
        }
    }
    return false;
}

bool TDrawnPointGrid::NearFar(double x, double y) const {
    for (int32_t i : far_) {
        const TPoint& p = points_[static_cast<std::size_t>(i)];
        if (MyFunc::SamePoint(p.X, p.Y, x, y)) return true;
    }
    return false;
}

std::size_t TDrawnPointGrid::SlotOf(int64_t cx, int64_t cy) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = HashCell(cx, cy) & mask;
    while (slots_[i].Head >= 0 && (slots_[i].CellX != cx || slots_[i].CellY != cy))
        i = (i + 1) & mask;
    return i; // the cell's slot, or the empty slot where it belongs
}

int32_t& TDrawnPointGrid::HeadFor(int64_t cx, int64_t cy) {
    TSlot& slot = slots_[SlotOf(cx, cy)];
    if (slot.Head < 0) {
        slot = TSlot{cx, cy, -1};
        ++used_slots_;
    }
    return slot.Head;
}

void TDrawnPointGrid::Grow() {
    std::vector<TSlot> old(slots_.size() * 2, TSlot{0, 0, -1});
    old.swap(slots_);
    used_slots_ = 0;
    for (const TSlot& slot : old) {
        if (slot.Head < 0) continue;
        // Re-insert the cell with its chain unchanged.
        slots_[SlotOf(slot.CellX, slot.CellY)] = slot;
        ++used_slots_;
    }
}

bool TDrawnPointGrid::AddIfNew(double x, double y) {
    // Not-a-number never counts as drawn and never matches a later point.
    if (std::isnan(x) || std::isnan(y)) return true;
    if (Within(x, y, kCellLimit + kLimitMargin) &&
        InCells(CellOf(x - kReach), CellOf(x + kReach), CellOf(y - kReach), CellOf(y + kReach), x,
                y))
        return false;
    if (!Within(x, y, kCellLimit - kLimitMargin) && NearFar(x, y)) return false;

    const auto index = static_cast<int32_t>(points_.size());
    points_.push_back({x, y, -1});
    if (!Within(x, y, kCellLimit)) {
        far_.push_back(index);
        return true;
    }
    if ((used_slots_ + 1) * 2 > slots_.size()) Grow();
    int32_t& head = HeadFor(CellOf(x), CellOf(y));
    points_.back().Next = head;
    head = index;
    return true;
}

} // namespace Unit1
