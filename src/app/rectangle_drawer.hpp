// Unit1: drawing one rectangle at an intersection, once per place: a point
// that counts as drawn already (see TDrawnPoints) draws nothing. The sweep's
// thread finds the corners; full batches of rectangles are handed to one
// formatting thread, which writes their line records straight into the
// answer, one batch after the other, so the answer keeps the drawing order.
// Until Finish returns, only that thread touches the answer; no batch
// outlives the drawer, whatever ends the run.
#pragma once

#include <array>
#include <cstdint>
#include <future>
#include <span>
#include <vector>

#include "exchange/answer_writer.hpp"
#include "sweep/drawn_points.hpp"
#include "sweep/intersection_sweep.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

// The rectangle as converted into the exchange file's unit.
struct TRectShape {
    double Width = 0;
    double Height = 0;
    double AngleDeg = 0;
    int32_t RefPoint = 0;
};

// Corners in drawing order: lower left, lower right, upper right, upper left.
struct TRectCorners {
    std::array<double, 4> X;
    std::array<double, 4> Y;
};

class TRectangleDrawer {
  public:
    TRectangleDrawer(JwwGaibu::TAnswerWriter& answer, const TRectShape& shape,
                     TDrawnPoints& points);
    ~TRectangleDrawer(); // waits for the batch being formatted

    void DrawRectangleAt(double x, double y);
    // The same as DrawRectangleAt for each point in order; looks ahead so
    // that memory is fetched for several points at once.
    void DrawRectanglesAt(std::span<const TCrossingPoint> points);
    // Writes every rectangle drawn and not yet written; rethrows what the
    // formatting thread threw.
    void Finish();

    int64_t Drawn() const { return drawn_; }
    int64_t NonFiniteSkipped() const { return non_finite_; }

  private:
    void HandOver();

    JwwGaibu::TAnswerWriter& answer_;
    TRectShape shape_;
    MyFunc::TRotation rotation_; // of the shape's angle, computed once per run
    TDrawnPoints& points_;
    std::vector<TRectCorners> pending_;
    std::vector<TRectCorners> in_flight_; // being written by formatter_
    std::future<void> formatter_;
    int64_t drawn_ = 0;
    int64_t non_finite_ = 0;
};

} // namespace Unit1
