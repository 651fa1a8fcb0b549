#include "app/rectangle_drawer.hpp"

#include <array>
#include <cmath>

#include "exchange/output_commands.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

namespace {

// Corners in drawing order: lower left, lower right, upper right, upper left.
constexpr std::array<int, 4> kCorners{0, 2, 8, 6};

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
    std::array<double, 4> cx{}, cy{};
    bool finite = true;
    for (std::size_t i = 0; i < kCorners.size(); ++i) {
        MyFunc::RectPoint(shape_.RefPoint, kCorners[i], x, y, shape_.Width, shape_.Height,
                          rotation_, cx[i], cy[i]);
        finite = finite && Finite(cx[i], cy[i]);
    }
    // A corner that is no finite number must never reach the host as text.
    if (!finite) {
        ++non_finite_;
        return;
    }
    // Each corner ends one side and starts the next: format it once.
    std::array<JwwGaibu::TPointText, 4> corners;
    for (std::size_t i = 0; i < kCorners.size(); ++i)
        corners[i] = JwwGaibu::MakePointText(cx[i], cy[i]);
    for (std::size_t i = 0; i < kCorners.size(); ++i)
        JwwGaibu::PutLine(state_, corners[i], corners[(i + 1) % kCorners.size()]);
    ++drawn_;
}

} // namespace Unit1
