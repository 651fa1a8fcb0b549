#include "sweep/rectangle_drawer.hpp"

#include <array>
#include <cmath>
#include <system_error>

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
    if (pending_.size() >= kBatch) AppendInBackground();
}

void TRectangleDrawer::DrawRectanglesAt(std::span<const TCrossingPoint> points) {
    for (const TCrossingPoint& p : points)
        points_.Prefetch(p.X, p.Y);
    for (const TCrossingPoint& p : points)
        DrawRectangleAt(p.X, p.Y);
}

void TRectangleDrawer::WaitForBackground() {
    if (background_.valid()) background_.get();
}

void TRectangleDrawer::AppendInBackground() {
    WaitForBackground();
    in_flight_.swap(pending_);
    pending_.clear();
    // The sweep keeps one core; the others format.
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned threads = cores > 1 ? cores - 1 : 1;
    try {
        background_ = std::async(
            std::launch::async, [this, threads] { AppendRectangles(state_, in_flight_, threads); });
    } catch (const std::system_error&) {
        AppendRectangles(state_, in_flight_, threads); // no thread to be had: append here
    }
}

void TRectangleDrawer::AppendPending() {
    WaitForBackground();
    AppendRectangles(state_, pending_);
    pending_.clear();
}

} // namespace Unit1
