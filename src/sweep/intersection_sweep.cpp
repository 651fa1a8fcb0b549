#include "sweep/intersection_sweep.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "exchange/figure_records.hpp"
#include "sweep/segment_index.hpp"
#include "util/geometry.hpp"
#include "util/number_text.hpp"

namespace Unit1 {

namespace {

bool AtEndPoint(const JwwGaibu::TJwwEntLine& line, double x, double y) {
    return MyFunc::SamePoint(x, y, line.X1, line.Y1) || MyFunc::SamePoint(x, y, line.X2, line.Y2);
}

// Only two pieces of one curve can meet at a joint, which is no crossing.
bool PiecesOfOneCurve(int32_t outer_curve, int32_t inner_curve) {
    return outer_curve == inner_curve && outer_curve >= 1;
}

// True when the pair crosses on both segments at (x, y) and qualifies.
bool Crossing(const JwwGaibu::TJwwEntLine& a, const JwwGaibu::TJwwEntLine& b, double& x,
              double& y) {
    return MyFunc::IntersectSegments(a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2, x, y) ==
               MyFunc::kCrossingOnBoth &&
           QualifiesForRectangle(a, b, x, y);
}

// One text per outer step, also for a step whose segment is then skipped,
// written into a buffer: a string each time would cost more than the step.
void ShowProgress(int32_t step, int32_t count, const TStatusSink& status) {
    static constexpr std::string_view kHead = "線分データ交点計算中(", kSlash = "／";
    char buffer[64];
    char* p = std::copy(kHead.begin(), kHead.end(), buffer);
    p += MyFunc::IntToText(step, p);
    p = std::copy(kSlash.begin(), kSlash.end(), p);
    p += MyFunc::IntToText(count, p);
    *p++ = ')';
    status(TStatus{{buffer, static_cast<std::size_t>(p - buffer)}, step, count});
}

} // namespace

bool QualifiesForRectangle(const JwwGaibu::TJwwEntLine& outer, const JwwGaibu::TJwwEntLine& inner,
                           double x, double y) {
    if (!PiecesOfOneCurve(outer.CurveNo, inner.CurveNo)) return true;
    // Two pieces of one curve meeting at their joint are not a crossing.
    return !AtEndPoint(outer, x, y) && !AtEndPoint(inner, x, y);
}

void SweepPlain(const JwwGaibu::TExchangeState& state, TRectangleDrawer& drawer,
                const TStatusSink& status) {
    const auto& lines = state.Lines;
    const int32_t n = lines.Count();
    for (int32_t i = 0; i + 1 < n; ++i) {
        ShowProgress(i + 1, n, status);
        if (JwwGaibu::HasDimensionAttribute(lines[i])) continue;
        for (int32_t j = i + 1; j < n; ++j) {
            double x = 0, y = 0;
            if (!JwwGaibu::HasDimensionAttribute(lines[j]) && Crossing(lines[i], lines[j], x, y))
                drawer.DrawRectangleAt(x, y);
        }
    }
}

void SweepIndexed(const JwwGaibu::TExchangeState& state, TRectangleDrawer& drawer,
                  const TStatusSink& status) {
    const auto& lines = state.Lines;
    const int32_t n = lines.Count();
    if (n < 2) return;
    const TSegmentIndex index(lines);
    std::vector<TSegmentEnds> candidates;
    std::vector<TCrossingPoint> crossings;
    for (int32_t i = 0; i + 1 < n; ++i) {
        ShowProgress(i + 1, n, status);
        if (index.Excluded(i)) continue;
        crossings.clear();
        const JwwGaibu::TJwwEntLine& a = lines[i];
        const MyFunc::TSegmentLine line = MyFunc::LineOf(a.X1, a.Y1, a.X2, a.Y2);
        // Paths that cannot meet cannot hold a crossing on both segments.
        index.VisitCandidatesAfter(i, candidates, [&](const TSegmentEnds& b) {
            double x = 0, y = 0;
            if (MyFunc::IntersectLines(line, b.Line, x, y) != MyFunc::kCrossingOnBoth) return;
            // Only pieces of one curve need the whole record.
            if (PiecesOfOneCurve(a.CurveNo, b.CurveNo) &&
                !QualifiesForRectangle(a, lines[b.Index], x, y))
                return;
            // The same point again (as at the hub of radial lines) is drawn already.
            if (crossings.empty() || crossings.back().X != x || crossings.back().Y != y)
                crossings.push_back({x, y});
        });
        drawer.DrawRectanglesAt(crossings);
    }
}

} // namespace Unit1
