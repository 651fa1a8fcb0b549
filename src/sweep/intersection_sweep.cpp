#include "sweep/intersection_sweep.hpp"

#include <vector>

#include "sweep/segment_index.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

namespace {

bool AtEndPoint(const TSweepSegment& line, double x, double y) {
    return MyFunc::SamePoint(x, y, line.X1, line.Y1) || MyFunc::SamePoint(x, y, line.X2, line.Y2);
}

// Only two pieces of one curve can meet at a joint, which is no crossing.
bool PiecesOfOneCurve(int32_t outer_curve, int32_t inner_curve) {
    return outer_curve == inner_curve && outer_curve >= 1;
}

// True when the pair crosses on both segments at (x, y) and qualifies.
bool Crossing(const TSweepSegment& a, const TSweepSegment& b, double& x, double& y) {
    return MyFunc::IntersectSegments(a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2, x, y) ==
               MyFunc::kCrossingOnBoth &&
           QualifiesForRectangle(a, b, x, y);
}

int32_t CountOf(std::span<const TSweepSegment> lines) {
    return static_cast<int32_t>(lines.size());
}

} // namespace

bool QualifiesForRectangle(const TSweepSegment& outer, const TSweepSegment& inner, double x,
                           double y) {
    if (!PiecesOfOneCurve(outer.CurveNo, inner.CurveNo)) return true;
    // Two pieces of one curve meeting at their joint are not a crossing.
    return !AtEndPoint(outer, x, y) && !AtEndPoint(inner, x, y);
}

void SweepPlain(std::span<const TSweepSegment> lines, TCrossingVisitor& visitor) {
    const int32_t n = CountOf(lines);
    std::vector<TCrossingPoint> crossings;
    for (int32_t i = 0; i + 1 < n; ++i) {
        visitor.Progress(i + 1, n);
        const TSweepSegment& a = lines[static_cast<size_t>(i)];
        if (a.Excluded) continue;
        crossings.clear();
        for (int32_t j = i + 1; j < n; ++j) {
            const TSweepSegment& b = lines[static_cast<size_t>(j)];
            double x = 0, y = 0;
            if (!b.Excluded && Crossing(a, b, x, y)) crossings.push_back({x, y});
        }
        visitor.Crossings(crossings);
    }
}

void SweepIndexed(std::span<const TSweepSegment> lines, TCrossingVisitor& visitor) {
    const int32_t n = CountOf(lines);
    if (n < 2) return;
    TSegmentIndex index(lines);
    std::vector<TSegmentEnds> candidates;
    std::vector<TCrossingPoint> crossings;
    for (int32_t i = 0; i + 1 < n; ++i) {
        visitor.Progress(i + 1, n);
        if (index.Excluded(i)) continue;
        crossings.clear();
        const TSweepSegment& a = lines[static_cast<size_t>(i)];
        const MyFunc::TSegmentLine line = MyFunc::LineOf(a.X1, a.Y1, a.X2, a.Y2);
        // Paths that cannot meet cannot hold a crossing on both segments.
        index.VisitCandidatesAfter(i, candidates, [&](const TSegmentEnds& b) {
            double x = 0, y = 0;
            if (MyFunc::IntersectLines(line, b.Line, x, y) != MyFunc::kCrossingOnBoth) return;
            // Only pieces of one curve need the whole segment.
            if (PiecesOfOneCurve(a.CurveNo, b.CurveNo) &&
                !QualifiesForRectangle(a, lines[static_cast<size_t>(b.Index)], x, y))
                return;
            // The same point again (as at the hub of radial lines) is drawn already.
            if (crossings.empty() || crossings.back().X != x || crossings.back().Y != y)
                crossings.push_back({x, y});
        });
        visitor.Crossings(crossings);
    }
}

} // namespace Unit1
