// Unit1: whether two segments' paths can meet closely enough for the
// crossing test to report a crossing on both. Each segment's path is
// widened by its reach: the tolerance plus a bound on the rounding of the
// crossing test at the segment's magnitude and slope. A crossing reported
// on both segments lies within the two reaches of the segments, so two
// segments farther apart than their reaches together never cross.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "sweep/sweep_segment.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

struct TSegmentBox {
    double MinX, MinY, MaxX, MaxY;
    bool Overlaps(const TSegmentBox& other) const {
        return MinX <= other.MaxX && other.MinX <= MaxX && MinY <= other.MaxY && other.MinY <= MaxY;
    }
};

// A segment as the path tests see it.
struct TSegmentPath {
    double X1, Y1, X2, Y2;
    TSegmentBox Box; // widened by the tolerance, as the crossing test's bounds are
    double Reach;    // infinite where only the box can tell
};

TSegmentPath PathOf(const TSweepSegment& line);

// The bounding box of the ends, widened by the tolerance.
inline TSegmentBox WidenedBoxOf(double x1, double y1, double x2, double y2) {
    return TSegmentBox{MyFunc::WidenedLow(x1, x2), MyFunc::WidenedLow(y1, y2),
                       MyFunc::WidenedHigh(x1, x2), MyFunc::WidenedHigh(y1, y2)};
}

// Largest magnitude of the segment's coordinates, and of the box's.
double Magnitude(const TSegmentPath& p);
inline double BoxMagnitude(const TSegmentBox& b) {
    return std::max({std::fabs(b.MinX), std::fabs(b.MaxX), std::fabs(b.MinY), std::fabs(b.MaxY)});
}

// Segments joined at an end, as in outlines and radial lines.
inline bool SharedEnd(const TSegmentPath& a, const TSegmentPath& b) {
    return (a.X1 == b.X1 && a.Y1 == b.Y1) || (a.X1 == b.X2 && a.Y1 == b.Y2) ||
           (a.X2 == b.X1 && a.Y2 == b.Y1) || (a.X2 == b.X2 && a.Y2 == b.Y2);
}

inline constexpr double kEndlessReach = std::numeric_limits<double>::infinity();

// Where the ends of b lie against a's line: their signed distances from it,
// times the length of a, whose square is kept.
struct TSides {
    double First, Second, Length2;
};

inline TSides SidesOf(const TSegmentPath& a, const TSegmentPath& b) {
    const double dx = a.X2 - a.X1, dy = a.Y2 - a.Y1;
    return TSides{dx * (b.Y1 - a.Y1) - dy * (b.X1 - a.X1), dx * (b.Y2 - a.Y1) - dy * (b.X2 - a.X1),
                  dx * dx + dy * dy};
}

// Both ends on one side, farther from the line than reach.
inline bool Beyond(const TSides& s, double reach) {
    if (!((s.First > 0 && s.Second > 0) || (s.First < 0 && s.Second < 0))) return false;
    const double nearer = std::min(std::fabs(s.First), std::fabs(s.Second));
    return nearer * nearer > reach * reach * s.Length2;
}

// The rest of PathsComeWithinReach, once b's ends are not beyond a's line.
bool PathsNearOrCrossing(const TSegmentPath& a, const TSegmentPath& b, const TSides& ab,
                         double reach);

// PathsCanMeet for segments whose boxes meet and that share no end: side
// by side, the quick answer; then crossing; then the near misses.
inline bool PathsComeWithinReach(const TSegmentPath& a, const TSegmentPath& b) {
    const double reach = a.Reach + b.Reach;
    if (!(reach < kEndlessReach)) return true;
    const TSides ab = SidesOf(a, b);
    return !Beyond(ab, reach) && PathsNearOrCrossing(a, b, ab, reach);
}

// True unless the widened boxes miss each other or the segments lie
// farther apart than their reaches together. Symmetric.
inline bool PathsCanMeet(const TSegmentPath& a, const TSegmentPath& b) {
    if (!a.Box.Overlaps(b.Box)) return false;
    return SharedEnd(a, b) || PathsComeWithinReach(a, b);
}

} // namespace Unit1
