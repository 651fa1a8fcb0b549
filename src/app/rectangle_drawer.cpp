#include "app/rectangle_drawer.hpp"

#include <array>
#include <cmath>

namespace Unit1 {

namespace {

// Point indices of the corners in drawing order.
constexpr std::array<int, 4> kCorners{0, 2, 8, 6};
// Rectangles formatted together: large enough to share among threads.
constexpr std::size_t kBatch = 32768;

bool Finite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

} // namespace

TRectangleDrawer::TRectangleDrawer(JwwGaibu::TExchangeState& state, const TRectShape& shape,
                                   TDrawnPoints& points)
    : state_(state), shape_(shape), rotation_(MyFunc::RotationDeg(shape.AngleDeg)),
      points_(points) {}

void TRectangleDrawer::DrawRectangleAt(double x, double y) {
    if (!points_.AddIfNew(x, y)) return;
    TRectCorners rect{};
    bool finite = true;
    for (std::size_t i = 0; i < kCorners.size(); ++i) {
        MyFunc::RectPoint(shape_.RefPoint, kCorners[i], x, y, shape_.Width, shape_.Height,
                          rotation_, rect.X[i], rect.Y[i]);
        finite = finite && Finite(rect.X[i], rect.Y[i]);
    }
    // A corner that is no finite number must never reach the host as text.
    if (!finite) {
        ++non_finite_;
        return;
    }
    pending_.push_back(rect);
    ++drawn_;
    if (pending_.size() >= kBatch) AppendPending();
}

void TRectangleDrawer::DrawRectanglesAt(std::span<const TCrossingPoint> points) {
    for (const TCrossingPoint& p : points)
        points_.Prefetch(p.X, p.Y);
    for (const TCrossingPoint& p : points)
        DrawRectangleAt(p.X, p.Y);
}

void TRectangleDrawer::AppendPending() {
    AppendRectangles(state_, pending_);
    pending_.clear();
}

} // namespace Unit1
