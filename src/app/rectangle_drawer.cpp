#include "app/rectangle_drawer.hpp"

#include <cmath>
#include <system_error>

#include "exchange/output_commands.hpp"

namespace Unit1 {

namespace {

// Point indices of the corners in drawing order.
constexpr std::array<int, 4> kCorners{0, 2, 8, 6};
// Rectangles handed over together: a thread start per batch costs nothing
// against formatting them, and two batches stay a few megabytes.
constexpr std::size_t kBatch = 32768;

bool FiniteCorner(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// Writes the four sides of each rectangle (a side of zero length is left
// out), counter-clockwise from the lower-left corner.
void WriteRectangles(JwwGaibu::TAnswerWriter& answer, std::span<const TRectCorners> rects) {
    std::array<JwwGaibu::TPointText, 4> corners;
    for (const TRectCorners& r : rects) {
        // Each corner is formatted once for the two sides through it.
        for (std::size_t i = 0; i < corners.size(); ++i)
            corners[i] = JwwGaibu::MakePointText(r.X[i], r.Y[i]);
        for (std::size_t i = 0; i < corners.size(); ++i)
            JwwGaibu::PutLine(answer, corners[i], corners[(i + 1) % corners.size()]);
    }
}

} // namespace

TRectangleDrawer::TRectangleDrawer(JwwGaibu::TAnswerWriter& answer, const TRectShape& shape,
                                   TDrawnPoints& points)
    : answer_(answer), shape_(shape), rotation_(MyFunc::RotationDeg(shape.AngleDeg)),
      points_(points) {}

TRectangleDrawer::~TRectangleDrawer() {
    if (formatter_.valid()) formatter_.wait();
}

void TRectangleDrawer::DrawRectangleAt(double x, double y) {
    if (!points_.AddIfNew(x, y)) return;
    TRectCorners rect{};
    bool finite = true;
    for (std::size_t i = 0; i < kCorners.size(); ++i) {
        MyFunc::RectPoint(shape_.RefPoint, kCorners[i], x, y, shape_.Width, shape_.Height,
                          rotation_, rect.X[i], rect.Y[i]);
        finite = finite && FiniteCorner(rect.X[i], rect.Y[i]);
    }
    // A corner that is no finite number must never reach the host as text.
    if (!finite) {
        ++non_finite_;
        return;
    }
    pending_.push_back(rect);
    ++drawn_;
    if (pending_.size() >= kBatch) HandOver();
}

void TRectangleDrawer::DrawRectanglesAt(std::span<const TCrossingPoint> points) {
    for (const TCrossingPoint& p : points)
        points_.Prefetch(p.X, p.Y);
    for (const TCrossingPoint& p : points)
        DrawRectangleAt(p.X, p.Y);
}

// The one hand-off: the previous batch is written, then this one goes to
// the formatting thread while the sweep goes on.
void TRectangleDrawer::HandOver() {
    if (formatter_.valid()) formatter_.get();
    in_flight_.swap(pending_);
    pending_.clear();
    try {
        formatter_ = std::async(std::launch::async, WriteRectangles, std::ref(answer_),
                                std::span<const TRectCorners>(in_flight_));
    } catch (const std::system_error&) {
        WriteRectangles(answer_, in_flight_); // no thread to be had: written here
    }
}

void TRectangleDrawer::Finish() {
    if (formatter_.valid()) formatter_.get();
    WriteRectangles(answer_, pending_);
    pending_.clear();
}

} // namespace Unit1
