#include "sweep/segment_paths.hpp"

#include <algorithm>
#include <cmath>

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

bool OppositeSides(double s, double t) {
    return (s > 0 && t < 0) || (s < 0 && t > 0);
}

double PointToSegment(double px, double py, const TSegmentPath& s) {
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - s.X1) * dx + (py - s.Y1) * dy) / length2 : 0;
    t = t > 0 ? std::min(t, 1.0) : 0;
    const double ex = s.X1 + t * dx - px, ey = s.Y1 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

bool Within(double v, double e1, double e2) {
    return std::min(e1, e2) <= v && v <= std::max(e1, e2);
}

// An end of b found on a's line within a's box lies on a: a joint or a
// T junction, the common touches.
bool EndOnSegment(const TSides& s, const TSegmentPath& a, const TSegmentPath& b) {
    const auto on = [&](double x, double y) {
        return Within(x, a.X1, a.X2) && Within(y, a.Y1, a.Y2);
    };
    return (s.First == 0 && on(b.X1, b.Y1)) || (s.Second == 0 && on(b.X2, b.Y2));
}

// Two segments that do not cross come closest at an end of one of them.
double EndDistance(const TSegmentPath& a, const TSegmentPath& b) {
    return std::min({PointToSegment(a.X1, a.Y1, b), PointToSegment(a.X2, a.Y2, b),
                     PointToSegment(b.X1, b.Y1, a), PointToSegment(b.X2, b.Y2, a)});
}

} // namespace

double Magnitude(const TSegmentPath& p) {
    return std::max({std::fabs(p.X1), std::fabs(p.Y1), std::fabs(p.X2), std::fabs(p.Y2)});
}

TSegmentPath PathOf(const TSweepSegment& line) {
    TSegmentPath p{
        line.X1,      line.Y1, line.X2, line.Y2, WidenedBoxOf(line.X1, line.Y1, line.X2, line.Y2),
        kEndlessReach};
    const double magnitude = Magnitude(p) + MyFunc::kTolerance;
    if (!(magnitude < kLargestMagnitude)) return p; // also not a number
    // Exactly vertical takes no slope; anything else may be taken as sloped.
    const double dx = p.X2 - p.X1;
    const double slope = dx == 0 ? 0 : std::fabs((p.Y2 - p.Y1) / dx);
    const double reach = kRounding * (1 + slope) * magnitude + kToleranceReach;
    if (reach < kEndlessReach) p.Reach = reach;
    return p;
}

bool PathsNearOrCrossing(const TSegmentPath& a, const TSegmentPath& b, const TSides& ab,
                         double reach) {
    const TSides ba = SidesOf(b, a);
    if (Beyond(ba, reach)) return false;
    if (OppositeSides(ab.First, ab.Second) && OppositeSides(ba.First, ba.Second)) return true;
    if (EndOnSegment(ab, a, b) || EndOnSegment(ba, b, a)) return true;
    return !(EndDistance(a, b) > reach); // a distance that is not a number may meet
}

} // namespace Unit1
