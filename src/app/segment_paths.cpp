#include "app/segment_paths.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "util/geometry.hpp"

namespace Unit1 {

namespace {

// The crossing test's point strays from the true crossing by a few dozen
// roundings of the slope-weighted magnitudes of both segments (the
// intercept y1 - m x1 cancels at large x); 32 unit roundoffs each bound
// that, and the distance computed here, with room to spare.
constexpr double kRounding = 0x1p-48;
// Beyond this the squares below would overflow: such a segment is judged
// by its box alone.
constexpr double kLargestMagnitude = 0x1p500;
// The crossing lies within the tolerance of each box; a segment snapped to
// vertical may lean by one and a half tolerances more.
constexpr double kToleranceReach = 3 * MyFunc::kTolerance;
constexpr double kEndless = std::numeric_limits<double>::infinity();

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

bool OppositeSides(double s, double t) {
    return (s > 0 && t < 0) || (s < 0 && t > 0);
}

bool ProperlyCross(const TSegmentPath& a, const TSegmentPath& b) {
    const double ax = a.X2 - a.X1, ay = a.Y2 - a.Y1, bx = b.X2 - b.X1, by = b.Y2 - b.Y1;
    return OppositeSides(Cross(ax, ay, b.X1 - a.X1, b.Y1 - a.Y1),
                         Cross(ax, ay, b.X2 - a.X1, b.Y2 - a.Y1)) &&
           OppositeSides(Cross(bx, by, a.X1 - b.X1, a.Y1 - b.Y1),
                         Cross(bx, by, a.X2 - b.X1, a.Y2 - b.Y1));
}

double PointToSegment(double px, double py, const TSegmentPath& s) {
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - s.X1) * dx + (py - s.Y1) * dy) / length2 : 0;
    t = t > 0 ? std::min(t, 1.0) : 0;
    const double ex = s.X1 + t * dx - px, ey = s.Y1 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

// True when both ends of b lie on one side of a's line, farther from it
// than reach: the quick answer for segments side by side.
bool BeyondLine(const TSegmentPath& a, const TSegmentPath& b, double reach) {
    const double dx = a.X2 - a.X1, dy = a.Y2 - a.Y1;
    const double s1 = Cross(dx, dy, b.X1 - a.X1, b.Y1 - a.Y1);
    const double s2 = Cross(dx, dy, b.X2 - a.X1, b.Y2 - a.Y1);
    if (!((s1 > 0 && s2 > 0) || (s1 < 0 && s2 < 0))) return false;
    const double nearer = std::min(std::fabs(s1), std::fabs(s2));
    return nearer * nearer > reach * reach * (dx * dx + dy * dy);
}

// Two segments that do not cross come closest at an end of one of them.
double SegmentDistance(const TSegmentPath& a, const TSegmentPath& b) {
    if (ProperlyCross(a, b)) return 0;
    return std::min({PointToSegment(a.X1, a.Y1, b), PointToSegment(a.X2, a.Y2, b),
                     PointToSegment(b.X1, b.Y1, a), PointToSegment(b.X2, b.Y2, a)});
}

} // namespace

TSegmentBox WidenedBoxOf(double x1, double y1, double x2, double y2) {
    return TSegmentBox{MyFunc::WidenedLow(x1, x2), MyFunc::WidenedLow(y1, y2),
                       MyFunc::WidenedHigh(x1, x2), MyFunc::WidenedHigh(y1, y2)};
}

double Magnitude(const TSegmentPath& p) {
    return std::max({std::fabs(p.X1), std::fabs(p.Y1), std::fabs(p.X2), std::fabs(p.Y2)});
}

TSegmentPath PathOf(const JwwGaibu::TJwwEntLine& line) {
    TSegmentPath p{
        line.X1, line.Y1, line.X2, line.Y2, WidenedBoxOf(line.X1, line.Y1, line.X2, line.Y2),
        kEndless};
    const double magnitude = Magnitude(p) + MyFunc::kTolerance;
    if (!(magnitude < kLargestMagnitude)) return p; // also not a number
    // Exactly vertical takes no slope; anything else may be taken as sloped.
    const double dx = p.X2 - p.X1;
    const double slope = dx == 0 ? 0 : std::fabs((p.Y2 - p.Y1) / dx);
    const double reach = kRounding * (1 + slope) * magnitude + kToleranceReach;
    if (reach < kEndless) p.Reach = reach;
    return p;
}

bool PathsComeWithinReach(const TSegmentPath& a, const TSegmentPath& b) {
    const double reach = a.Reach + b.Reach;
    if (!(reach < kEndless)) return true;
    if (BeyondLine(a, b, reach) || BeyondLine(b, a, reach)) return false;
    return !(SegmentDistance(a, b) > reach); // a distance that is not a number may meet
}

} // namespace Unit1
