// MyFunc: plane geometry. Pure functions over doubles in millimetres,
// x to the right and y upward; angles counter-clockwise, radians only for
// RotatePoint. Results come back through out-parameters, x first.
#pragma once

#include "util/tolerance.hpp"

namespace MyFunc {

// Result codes of IntersectSegments.
inline constexpr int kNoCrossing = 0;      // both vertical, or parallel after snapping
inline constexpr int kCrossingOnBoth = 1;  // crossing lies on both segments (ends count)
inline constexpr int kCrossingOutside = 2; // carrying lines cross outside a segment

// The sine and cosine of one angle. Computing them once serves every point
// turned by that angle, with the same bits as computing them each time.
struct TRotation {
    double Sin = 0.0;
    double Cos = 1.0;
};
TRotation Rotation(double angle_rad);
TRotation RotationDeg(double angle_deg);
// (x, y) turned about (cx, cy).
void RotateBy(double x, double y, double cx, double cy, const TRotation& rot, double& out_x,
              double& out_y);

void RotatePoint(double x, double y, double cx, double cy, double angle_rad, double& out_x,
                 double& out_y);
void RotatePointDeg(double x, double y, double cx, double cy, double angle_deg, double& out_x,
                    double& out_y);

// True when both coordinates differ by at most the tolerance (a square).
bool SamePoint(double x1, double y1, double x2, double y2);

// Lower-left corner (point 0) of a rectangle whose reference point r lies on
// the anchor (ax, ay), turned about the anchor by angle_deg.
void RectOrigin(int r, double ax, double ay, double w, double h, double angle_deg, double& out_x,
                double& out_y);
void RectOrigin(int r, double ax, double ay, double w, double h, const TRotation& rot,
                double& out_x, double& out_y);
// Point k (0..8, column = k mod 3, row = k div 3) of that rectangle.
void RectPoint(int r, int k, double ax, double ay, double w, double h, double angle_deg,
               double& out_x, double& out_y);
void RectPoint(int r, int k, double ax, double ay, double w, double h, const TRotation& rot,
               double& out_x, double& out_y);

// Bounds of a segment's extent along one axis (end coordinates e1, e2),
// widened by the tolerance: a crossing on the segment lies within them.
inline double WidenedLow(double e1, double e2) {
    return (e1 < e2 ? e1 : e2) - kTolerance;
}
inline double WidenedHigh(double e1, double e2) {
    return (e1 > e2 ? e1 : e2) + kTolerance;
}

// Crossing of segment A with segment B. Returns kNoCrossing (out-parameters
// untouched), kCrossingOnBoth or kCrossingOutside (crossing of the lines).
int IntersectSegments(double xa1, double ya1, double xa2, double ya2, double xb1, double yb1,
                      double xb2, double yb2, double& out_x, double& out_y);

// A segment with what the crossing test computes of it alone, so that one
// segment tested against many is computed once. The same bits as
// IntersectSegments, which uses it.
struct TSegmentLine {
    double X1, Y1, X2, Y2;
    bool Vertical;           // x1 - x2 snaps to 0
    double Slope, Intercept; // y = Slope x + Intercept, unless vertical
};
TSegmentLine LineOf(double x1, double y1, double x2, double y2);
int IntersectLines(const TSegmentLine& a, const TSegmentLine& b, double& out_x, double& out_y);

} // namespace MyFunc
