#include "util/geometry.hpp"

#include <cmath>
#include <numbers>

#include "util/sincos.hpp"
#include "util/tolerance.hpp"

// Every formula below is evaluated in a fixed order in plain doubles: the
// corners are written out with 15 significant digits, and a reordered or
// fused operation can change the last of them. Sine and cosine come from
// SinCos, not the C library, so every platform gets the same bits.

namespace MyFunc {

namespace {

constexpr int kColumns = 3;
constexpr int kPointCount = 9;

struct GridCell {
    int column; // 0 left, 1 centre, 2 right
    int row;    // 0 bottom, 1 middle, 2 top
};

// Column and row of a reference / point index; anything outside 0..8 is the
// lower-left point.
GridCell CellOf(int index) {
    if (index < 0 || index >= kPointCount) return {0, 0};
    return {index % kColumns, index / kColumns};
}

// Rounds onto the 1e-8 grid by truncation after adding a half, so the band
// that snaps to 0 is -1.5e-8 < v < 0.5e-8. std::trunc keeps huge values (and
// inf/NaN) in floating point instead of overflowing an integer conversion.
double Snap(double v) {
    return std::trunc(v / kTolerance + 0.5) * kTolerance;
}

// Snap(v) == 0, without the division where v is plainly far from the band.
bool SnapsToZero(double v) {
    return std::fabs(v) < 2 * kTolerance && Snap(v) == 0.0;
}

// Inclusive range test against a segment's two end coordinates, widened by
// the tolerance. A crossing at infinity or NaN, or a NaN end coordinate,
// fails: such a crossing is never reported as lying on a segment.
bool WithinWidened(double v, double e1, double e2) {
    if (!std::isfinite(v) || std::isnan(e1) || std::isnan(e2)) return false;
    return WidenedLow(e1, e2) <= v && v <= WidenedHigh(e1, e2);
}

bool OnSegment(double x, double y, double x1, double y1, double x2, double y2) {
    return WithinWidened(x, x1, x2) && WithinWidened(y, y1, y2);
}

} // namespace

TRotation Rotation(double angle_rad) {
    TRotation rot;
    SinCos(angle_rad, rot.Sin, rot.Cos);
    return rot;
}

TRotation RotationDeg(double angle_deg) {
    return Rotation(angle_deg / 180.0 * std::numbers::pi);
}

void RotateBy(double x, double y, double cx, double cy, const TRotation& rot, double& out_x,
              double& out_y) {
    const double dx = x - cx;
    const double dy = y - cy;
    out_x = cx + rot.Cos * dx - rot.Sin * dy;
    out_y = cy + rot.Sin * dx + rot.Cos * dy;
}

void RotatePoint(double x, double y, double cx, double cy, double angle_rad, double& out_x,
                 double& out_y) {
    RotateBy(x, y, cx, cy, Rotation(angle_rad), out_x, out_y);
}

void RotatePointDeg(double x, double y, double cx, double cy, double angle_deg, double& out_x,
                    double& out_y) {
    RotateBy(x, y, cx, cy, RotationDeg(angle_deg), out_x, out_y);
}

bool SamePoint(double x1, double y1, double x2, double y2) {
    return std::fabs(x2 - x1) <= kTolerance && std::fabs(y2 - y1) <= kTolerance;
}

void RectOrigin(int r, double ax, double ay, double w, double h, const TRotation& rot,
                double& out_x, double& out_y) {
    const GridCell cell = CellOf(r);
    const double corner_x = ax - cell.column * w / 2.0;
    const double corner_y = ay - cell.row * h / 2.0;
    RotateBy(corner_x, corner_y, ax, ay, rot, out_x, out_y);
}

void RectOrigin(int r, double ax, double ay, double w, double h, double angle_deg, double& out_x,
                double& out_y) {
    RectOrigin(r, ax, ay, w, h, RotationDeg(angle_deg), out_x, out_y);
}

void RectPoint(int r, int k, double ax, double ay, double w, double h, const TRotation& rot,
               double& out_x, double& out_y) {
    if (k == r) {
        // The reference point sits on the anchor exactly, untouched by rounding.
        out_x = ax;
        out_y = ay;
        return;
    }
    double origin_x = 0.0;
    double origin_y = 0.0;
    RectOrigin(r, ax, ay, w, h, rot, origin_x, origin_y);

    const GridCell cell = CellOf(k);
    double offset_x = 0.0;
    double offset_y = 0.0;
    RotateBy(cell.column * w / 2.0, cell.row * h / 2.0, 0.0, 0.0, rot, offset_x, offset_y);
    out_x = origin_x + offset_x;
    out_y = origin_y + offset_y;
}

void RectPoint(int r, int k, double ax, double ay, double w, double h, double angle_deg,
               double& out_x, double& out_y) {
    RectPoint(r, k, ax, ay, w, h, RotationDeg(angle_deg), out_x, out_y);
}

TSegmentLine LineOf(double x1, double y1, double x2, double y2) {
    TSegmentLine line{x1, y1, x2, y2, SnapsToZero(x1 - x2), 0.0, 0.0};
    if (!line.Vertical) {
        line.Slope = (y2 - y1) / (x2 - x1);
        line.Intercept = y1 - line.Slope * x1;
    }
    return line;
}

// Non-finite input cannot loop or trap here: inf/NaN differences never snap
// to 0, so they go down the sloped branch, and a crossing that is not finite
// fails containment. Such input returns kNoCrossing (out-parameters
// untouched) or kCrossingOutside with the possibly non-finite crossing
// written; kCrossingOnBoth always comes with a finite crossing. A segment
// reaching to infinity can still yield a finite crossing on both segments.
int IntersectLines(const TSegmentLine& a, const TSegmentLine& b, double& out_x, double& out_y) {
    if (a.Vertical && b.Vertical) return kNoCrossing;

    double x = 0.0;
    double y = 0.0;
    if (a.Vertical) {
        x = a.X1;
        y = (a.X1 - b.X1) * b.Slope + b.Y1;
    } else if (b.Vertical) {
        x = b.X1;
        y = (b.X1 - a.X1) * a.Slope + a.Y1;
    } else {
        if (SnapsToZero(a.Slope - b.Slope)) return kNoCrossing;
        x = (b.Intercept - a.Intercept) / (a.Slope - b.Slope);
        y = a.Slope * x + a.Intercept;
    }
    out_x = x;
    out_y = y;

    if (!OnSegment(x, y, a.X1, a.Y1, a.X2, a.Y2)) return kCrossingOutside;
    if (!OnSegment(x, y, b.X1, b.Y1, b.X2, b.Y2)) return kCrossingOutside;
    return kCrossingOnBoth;
}

int IntersectSegments(double xa1, double ya1, double xa2, double ya2, double xb1, double yb1,
                      double xb2, double yb2, double& out_x, double& out_y) {
    return IntersectLines(LineOf(xa1, ya1, xa2, ya2), LineOf(xb1, yb1, xb2, yb2), out_x, out_y);
}

} // namespace MyFunc
