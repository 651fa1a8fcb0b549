// Unit1: the points at which a rectangle was drawn during one run. A point
// counts as drawn when an earlier point lies within the tolerance in x and
// in y (a square, bounds inclusive); points found drawn are not remembered.
// TDrawnPointList scans every point, as the plain run does; TDrawnPointGrid
// gives the same answers from a hash of small cells, exactly at every
// magnitude.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

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
    struct TCellSpan {
        int64_t X0, X1, Y0, Y1;
    };
    bool InOtherCells(const TCellSpan& span, int64_t own_x, int64_t own_y, double x,
                      double y) const;
    std::size_t SlotOf(int64_t cx, int64_t cy) const;
    void Claim(std::size_t slot, int64_t cx, int64_t cy, int32_t head);
    void Grow();

    // In blocks: growing never copies the points, so millions of them cost
    // their own size and no doubling peak.
    std::deque<TPoint> points_;
    // Open addressing on cells: each slot holds the first point of its cell
    // (the cell is that point's), or kEmpty. Four bytes a slot keep the
    // table small enough for millions of points.
    std::vector<int32_t> slots_;
    // One byte of the cell's hash per slot (0 when empty), checked before
    // the slot's first point is read.
    std::vector<uint8_t> tags_;
    std::size_t used_slots_ = 0;
};

} // namespace Unit1
