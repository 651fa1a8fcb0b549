// Unit1: the points at which a rectangle was drawn during one run. A point
// counts as drawn when an earlier point lies within the tolerance in x and
// in y (a square, bounds inclusive); points found drawn are not remembered.
// TDrawnPointList scans every point, as the plain run does; TDrawnPointGrid
// gives the same answers from a hash of small cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "exchange/large_memory.hpp"

namespace Unit1 {

class TDrawnPoints {
  public:
    virtual ~TDrawnPoints() = default;
    // Remembers (x, y) and returns true unless it counts as drawn already.
    virtual bool AddIfNew(double x, double y) = 0;
    // A hint that (x, y) will be asked about soon.
    virtual void Prefetch(double, double) {}
};

class TDrawnPointList final : public TDrawnPoints {
  public:
    bool AddIfNew(double x, double y) override;
    std::size_t Count() const { return points_.size(); }
    std::size_t Capacity() const { return points_.capacity(); }

  private:
    struct TPoint {
        double X, Y;
    };
    std::vector<TPoint> points_;
};

class TDrawnPointGrid final : public TDrawnPoints {
  public:
    TDrawnPointGrid();
    bool AddIfNew(double x, double y) override;
    void Prefetch(double x, double y) override;
    std::size_t Count() const { return points_.size(); }

  private:
    struct TPoint {
        double X, Y;
        int32_t Next; // next point in the same cell, -1 at the end
    };
    static constexpr int32_t kEmpty = -1;
    bool NearAny(int32_t head, double x, double y) const;
    bool InCells(int64_t x0, int64_t x1, int64_t y0, int64_t y1, double x, double y) const;
    bool NearFar(double x, double y) const;
    std::size_t SlotOf(int64_t cx, int64_t cy) const;
    void Grow();

    std::vector<TPoint, JwwGaibu::TLargeAllocator<TPoint>> points_;
    // Open addressing on cells: each slot holds the first point of its cell
    // (the cell is that point's), or kEmpty. Four bytes a slot keep the
    // table small enough for millions of points.
    std::vector<int32_t, JwwGaibu::TLargeAllocator<int32_t>> slots_;
    std::size_t used_slots_ = 0;
    std::vector<int32_t> far_; // points too far out for integer cells
};

} // namespace Unit1
