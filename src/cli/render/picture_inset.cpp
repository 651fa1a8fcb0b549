#include "cli/render/picture_inset.hpp"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace CrossrectCli {

namespace {

constexpr std::size_t kCandidates = 128; // rectangles examined, spread over the answer
constexpr double kPointShare = 1e-6;     // a point lies on a segment: of the rectangle's size
constexpr double kParallelShare = 1e-9;  // sine of the angle below which lines are parallel
constexpr int kRefPoints = 9;
// Coordinates at most this many times the area shown: beyond it the
// enlargement's pixels lose their precision or overflow.
constexpr double kFarthest = 1e12;

using TNear = std::vector<const TPictureSegment*>;

double Length(double dx, double dy) {
    return std::hypot(dx, dy);
}

// The rectangle whose sides start at `first`, when they form a closed chain
// of four with sides of some length.
std::optional<TInset> RectangleAt(const std::vector<TPictureSegment>& sides, std::size_t first) {
    if (sides.size() - first < kSidesPerRectangle) return std::nullopt;
    TInset inset;
    inset.FirstSide = first;
    for (std::size_t k = 0; k < kSidesPerRectangle; ++k) {
        const TPictureSegment& side = sides[first + k];
        const TPictureSegment& next = sides[first + (k + 1) % kSidesPerRectangle];
        if (side.X2 != next.X1 || side.Y2 != next.Y1) return std::nullopt;
        inset.Corners[k] = {side.X1, side.Y1};
    }
    const auto& c = inset.Corners;
    inset.Width = Length(c[1].X - c[0].X, c[1].Y - c[0].Y);
    inset.Height = Length(c[3].X - c[0].X, c[3].Y - c[0].Y);
    if (!(inset.Width > 0 && inset.Height > 0 && std::isfinite(inset.Width * inset.Height)))
        return std::nullopt;
    auto [min_x, max_x] = std::minmax({c[0].X, c[1].X, c[2].X, c[3].X});
    auto [min_y, max_y] = std::minmax({c[0].Y, c[1].Y, c[2].Y, c[3].Y});
    inset.Centre = {min_x / 2 + max_x / 2, min_y / 2 + max_y / 2};
    inset.Half = std::max(max_x - min_x, max_y - min_y) / 2 * kInsetZoom;
    double reach = std::abs(inset.Centre.X) + std::abs(inset.Centre.Y) + inset.Half;
    if (!(reach / inset.Half < kFarthest)) return std::nullopt;
    return inset;
}

double DistanceToSegment(const TPicturePoint& p, const TPictureSegment& s) {
    double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    double squared = dx * dx + dy * dy;
    double t = squared > 0 ? ((p.X - s.X1) * dx + (p.Y - s.Y1) * dy) / squared : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Length(p.X - (s.X1 + t * dx), p.Y - (s.Y1 + t * dy));
}

bool Parallel(const TPictureSegment& a, const TPictureSegment& b) {
    double ax = a.X2 - a.X1, ay = a.Y2 - a.Y1, bx = b.X2 - b.X1, by = b.Y2 - b.Y1;
    return std::abs(ax * by - ay * bx) <= kParallelShare * Length(ax, ay) * Length(bx, by);
}

// Two segments that are not parallel pass through the point.
bool CrossingAt(const TPicturePoint& p, const TNear& near, double tolerance) {
    const TPictureSegment* first = nullptr;
    for (const TPictureSegment* s : near) {
        if (!(DistanceToSegment(p, *s) <= tolerance)) continue;
        if (first == nullptr)
            first = s;
        else if (!Parallel(*first, *s))
            return true;
    }
    return false;
}

// The one point of the nine that lies on a crossing; -1 for none or several.
int ReferencePoint(const TInset& inset, const TNear& near) {
    double tolerance = kPointShare * std::max(inset.Width, inset.Height);
    int found = -1;
    for (int k = 0; k < kRefPoints; ++k) {
        if (!CrossingAt(InsetPoint(inset, k), near, tolerance)) continue;
        if (found >= 0) return -1;
        found = k;
    }
    return found;
}

TNear SegmentsShown(const TInset& inset, const std::vector<TPictureSegment>& list) {
    TNear near;
    for (const TPictureSegment& s : list)
        if (InsetShows(inset, s)) near.push_back(&s);
    return near;
}

// Sides of other rectangles within the area shown.
std::size_t Crowd(const TInset& inset, const std::vector<TPictureSegment>& sides) {
    std::size_t crowd = 0;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        if (!IsInsetSide(inset, i) && InsetShows(inset, sides[i])) ++crowd;
    }
    return crowd;
}

} // namespace

TPicturePoint InsetPoint(const TInset& inset, int k) {
    double across = (k % 3) / 2.0, up = (k / 3) / 2.0;
    const auto& c = inset.Corners;
    return {c[0].X + across * (c[1].X - c[0].X) + up * (c[3].X - c[0].X),
            c[0].Y + across * (c[1].Y - c[0].Y) + up * (c[3].Y - c[0].Y)};
}

bool IsInsetSide(const TInset& inset, std::size_t side) {
    return side - inset.FirstSide < kSidesPerRectangle; // unsigned: below FirstSide is far above
}

bool InsetShows(const TInset& inset, const TPictureSegment& s) {
    double left = inset.Centre.X - inset.Half, right = inset.Centre.X + inset.Half;
    double bottom = inset.Centre.Y - inset.Half, top = inset.Centre.Y + inset.Half;
    return std::max(s.X1, s.X2) >= left && std::min(s.X1, s.X2) <= right &&
           std::max(s.Y1, s.Y2) >= bottom && std::min(s.Y1, s.Y2) <= top;
}

std::optional<TInset> ChooseInset(const TPicture& picture) {
    std::vector<std::size_t> starts = RectangleStarts(picture.Sides);
    std::size_t stride = std::max<std::size_t>(1, starts.size() / kCandidates);
    std::optional<TInset> best;
    std::pair<std::size_t, std::size_t> best_score;
    for (std::size_t i = 0; i < starts.size(); i += stride) {
        std::optional<TInset> inset = RectangleAt(picture.Sides, starts[i]);
        if (!inset) continue;
        TNear near = SegmentsShown(*inset, picture.Segments);
        inset->RefPoint = ReferencePoint(*inset, near);
        if (inset->RefPoint < 0) continue;
        // Fewest other rectangles nearby, then the plainest crossing.
        std::pair<std::size_t, std::size_t> score{Crowd(*inset, picture.Sides), near.size()};
        if (!best || score < best_score) {
            best = inset;
            best_score = score;
        }
    }
    return best;
}

} // namespace CrossrectCli
