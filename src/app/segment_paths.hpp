// Unit1: whether two segments' paths can meet closely enough for the
// crossing test to report a crossing on both. Each segment's path is
// widened by its reach: the tolerance plus a bound on the rounding of the
// crossing test at the segment's magnitude and slope. A crossing reported
// on both segments lies within the two reaches of the segments, so two
// segments farther apart than their reaches together never cross.
#pragma once

#include <cstdint>

#include "exchange/exchange_state.hpp"
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

TSegmentPath PathOf(const JwwGaibu::TJwwEntLine& line);

// The bounding box of the ends, widened by the tolerance.
inline TSegmentBox WidenedBoxOf(double x1, double y1, double x2, double y2) {
    return TSegmentBox{MyFunc::WidenedLow(x1, x2), MyFunc::WidenedLow(y1, y2),
                       MyFunc::WidenedHigh(x1, x2), MyFunc::WidenedHigh(y1, y2)};
}

// Largest magnitude of the segment's coordinates.
double Magnitude(const TSegmentPath& p);

// Segments joined at an end, as in outlines and radial lines.
inline bool SharedEnd(const TSegmentPath& a, const TSegmentPath& b) {
    return (a.X1 == b.X1 && a.Y1 == b.Y1) || (a.X1 == b.X2 && a.Y1 == b.Y2) ||
           (a.X2 == b.X1 && a.Y2 == b.Y1) || (a.X2 == b.X2 && a.Y2 == b.Y2);
}

// PathsCanMeet for segments whose boxes meet and that share no end.
bool PathsComeWithinReach(const TSegmentPath& a, const TSegmentPath& b);

// True unless the widened boxes miss each other or the segments lie
// farther apart than their reaches together. Symmetric.
inline bool PathsCanMeet(const TSegmentPath& a, const TSegmentPath& b) {
    if (!a.Box.Overlaps(b.Box)) return false;
    return SharedEnd(a, b) || PathsComeWithinReach(a, b);
}

} // namespace Unit1
