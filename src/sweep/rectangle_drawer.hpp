// Unit1: drawing one rectangle at an intersection, once per place: a point
// that counts as drawn already (see TDrawnPoints) draws nothing. Drawn
// rectangles are formatted in batches: a full batch is appended by a
// second thread while the sweep goes on, one batch after the other, so the
// output keeps the drawing order. Until AppendPending (called once by the
// caller at the end) returns, only that thread touches the output.
#pragma once

#include <cstdint>
#include <future>
#include <span>
#include <vector>

#include "sweep/drawn_points.hpp"
#include "sweep/rectangle_text.hpp"
#include "exchange/exchange_state.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

// The rectangle as converted into the exchange file's unit.
struct TRectShape {
    double Width = 0;
    double Height = 0;
    double AngleDeg = 0;
    int32_t RefPoint = 0;
};

struct TCrossingPoint {
    double X, Y;
};

class TRectangleDrawer {
  public:
    TRectangleDrawer(JwwGaibu::TExchangeState& state, const TRectShape& shape,
                     TDrawnPoints& points);

    void DrawRectangleAt(double x, double y);
    // The same as DrawRectangleAt for each point in order; looks ahead so
    // that memory is fetched for several points at once.
    void DrawRectanglesAt(std::span<const TCrossingPoint> points);
    // Appends every rectangle drawn and not yet appended to the output;
    // rethrows what the appending thread threw.
    void AppendPending();

    int64_t Drawn() const { return drawn_; }
    int64_t NonFiniteSkipped() const { return non_finite_; }

  private:
    JwwGaibu::TExchangeState& state_;
    TRectShape shape_;
    MyFunc::TRotation rotation_; // of the shape's angle, computed once per run
    TDrawnPoints& points_;
    void AppendInBackground();
    void WaitForBackground();

    std::vector<TRectCorners> pending_;
    std::vector<TRectCorners> in_flight_; // being appended by background_
    std::future<void> background_;
    int64_t drawn_ = 0;
    int64_t non_finite_ = 0;
};

} // namespace Unit1
