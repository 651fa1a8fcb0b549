#include "sweep/segment_tree.hpp"

#include <algorithm>
#include <cmath>

namespace Unit1 {

namespace {

// Segments in a leaf: tested pair by pair.
constexpr uint32_t kLeafSize = 8;
// Rounding of the projections and of the distance the pairs are judged by,
// relative to the magnitude: a few dozen unit roundoffs.
constexpr double kProjectionRounding = 0x1p-47;

struct TPair {
    uint32_t Low, High;
};

// A node: its segments lie at order[First .. First + Count). Its volume is
// the union of their widened boxes and a box turned along direction (Ux,
// Uy), holding every point within reach of its segments.
struct TNode {
    uint32_t First = 0, Count = 0;
    int32_t Left = -1, Right = -1;
    TSegmentBox Box{};
    double Ux = 1, Uy = 0;
    double CenterU = 0, CenterV = 0, HalfU = 0, HalfV = 0; // turned frame, v = (-Uy, Ux)
    bool Leaf() const { return Left < 0; }
};

double Along(const TNode& n, double x, double y) {
    return x * n.Ux + y * n.Uy;
}
double Across(const TNode& n, double x, double y) {
    return y * n.Ux - x * n.Uy;
}

// True when b's turned box lies wholly beyond a's along one of a's axes.
bool Apart(const TNode& a, const TNode& b) {
    const double uu = b.Ux * a.Ux + b.Uy * a.Uy;  // b's u along a's u
    const double vu = -b.Uy * a.Ux + b.Ux * a.Uy; // b's v along a's u
    const double u = b.CenterU * uu + b.CenterV * vu;
    const double ru = b.HalfU * std::fabs(uu) + b.HalfV * std::fabs(vu);
    if (std::fabs(u - a.CenterU) > ru + a.HalfU) return true;
    const double uv = -b.Ux * a.Uy + b.Uy * a.Ux; // b's u along a's v
    const double v = b.CenterU * uv + b.CenterV * uu;
    const double rv = b.HalfU * std::fabs(uv) + b.HalfV * std::fabs(uu);
    return std::fabs(v - a.CenterV) > rv + a.HalfV;
}

bool Meet(const TNode& a, const TNode& b) {
    return a.Box.Overlaps(b.Box) && !Apart(a, b) && !Apart(b, a);
}

class TBuilder {
  public:
    TBuilder(const std::vector<TSegmentPath>& paths, std::size_t limit)
        : paths_(paths), limit_(limit) {}

    bool Run(const std::vector<int32_t>& members, std::vector<TPair>& pairs) {
        order_ = members;
        if (order_.empty()) return true;
        nodes_.reserve(2 * (order_.size() / kLeafSize + 1));
        Build(0, static_cast<uint32_t>(order_.size()));
        pairs_ = &pairs;
        Join(0);
        return !overflow_;
    }

  private:
    const TSegmentPath& PathAt(uint32_t k) const {
        return paths_[static_cast<std::size_t>(order_[k])];
    }

    // Along the longest segment; any frame holds the segments, this one
    // tightly where they run alike.
    void Frame(TNode& node) const {
        double longest = 0; // squared: the coordinates are below 2^500
        const TSegmentPath* along = nullptr;
        for (uint32_t k = node.First; k < node.First + node.Count; ++k) {
            const TSegmentPath& p = PathAt(k);
            const double dx = p.X2 - p.X1, dy = p.Y2 - p.Y1;
            if (dx * dx + dy * dy > longest) longest = dx * dx + dy * dy, along = &p;
        }
        node.Ux = 1, node.Uy = 0;
        if (!along) return;
        const double dx = along->X2 - along->X1, dy = along->Y2 - along->Y1;
        const double length = std::hypot(dx, dy);
        const double sign = (dx < 0 || (dx == 0 && dy < 0)) ? -1 : 1;
        node.Ux = sign * dx / length, node.Uy = sign * dy / length;
    }

    void Bound(TNode& node) const {
        Frame(node);
        const TSegmentPath& first = PathAt(node.First);
        node.Box = first.Box;
        double lo_u = Along(node, first.X1, first.Y1), hi_u = lo_u;
        double lo_v = Across(node, first.X1, first.Y1), hi_v = lo_v;
        double margin = 0;
        for (uint32_t k = node.First; k < node.First + node.Count; ++k) {
            const TSegmentPath& p = PathAt(k);
            node.Box = TSegmentBox{
                std::min(node.Box.MinX, p.Box.MinX), std::min(node.Box.MinY, p.Box.MinY),
                std::max(node.Box.MaxX, p.Box.MaxX), std::max(node.Box.MaxY, p.Box.MaxY)};
            for (const auto& [x, y] : {std::pair{p.X1, p.Y1}, std::pair{p.X2, p.Y2}}) {
                const double u = Along(node, x, y), v = Across(node, x, y);
                lo_u = std::min(lo_u, u), hi_u = std::max(hi_u, u);
                lo_v = std::min(lo_v, v), hi_v = std::max(hi_v, v);
            }
            margin = std::max(margin, p.Reach + kProjectionRounding * Magnitude(p));
        }
        node.CenterU = (lo_u + hi_u) / 2, node.HalfU = (hi_u - lo_u) / 2 + margin;
        node.CenterV = (lo_v + hi_v) / 2, node.HalfV = (hi_v - lo_v) / 2 + margin;
    }

    // Splits at the median of the segments' midpoints along the axis where
    // they spread most.
    int32_t Build(uint32_t first, uint32_t count) {
        const auto at = static_cast<int32_t>(nodes_.size());
        TNode node;
        node.First = first, node.Count = count;
        nodes_.push_back(node);
        Bound(nodes_.back());
        if (count <= kLeafSize) return at;
        const TSegmentBox& box = nodes_.back().Box;
        const bool by_x = box.MaxX - box.MinX >= box.MaxY - box.MinY;
        const auto mid = [&](int32_t i) {
            const TSegmentPath& p = paths_[static_cast<std::size_t>(i)];
            return by_x ? p.X1 + p.X2 : p.Y1 + p.Y2;
        };
        const uint32_t half = count / 2;
        std::nth_element(order_.begin() + first, order_.begin() + first + half,
                         order_.begin() + first + count,
                         [&](int32_t a, int32_t b) { return mid(a) < mid(b); });
        const int32_t left = Build(first, half);
        const int32_t right = Build(first + half, count - half);
        nodes_[static_cast<std::size_t>(at)].Left = left;
        nodes_[static_cast<std::size_t>(at)].Right = right;
        return at;
    }

    void Keep(int32_t i, int32_t j) {
        if (!PathsCanMeet(paths_[static_cast<std::size_t>(i)], paths_[static_cast<std::size_t>(j)]))
            return;
        if (pairs_->size() >= limit_) {
            overflow_ = true;
            return;
        }
        const auto a = static_cast<uint32_t>(i), b = static_cast<uint32_t>(j);
        pairs_->push_back(a < b ? TPair{a, b} : TPair{b, a});
    }

    // Every pair within one node, each once.
    void Join(int32_t at) {
        if (overflow_) return;
        const TNode& n = nodes_[static_cast<std::size_t>(at)];
        if (!n.Leaf()) {
            Join(n.Left);
            Join(n.Right);
            Cross(n.Left, n.Right);
            return;
        }
        for (uint32_t a = n.First; a < n.First + n.Count; ++a) {
            for (uint32_t b = a + 1; b < n.First + n.Count; ++b)
                Keep(order_[a], order_[b]);
        }
    }

    // Every pair with one segment in each of two disjoint nodes.
    void Cross(int32_t at_a, int32_t at_b) {
        if (overflow_) return;
        const TNode& a = nodes_[static_cast<std::size_t>(at_a)];
        const TNode& b = nodes_[static_cast<std::size_t>(at_b)];
        if (!Meet(a, b)) return;
        if (a.Leaf() && b.Leaf()) {
            for (uint32_t i = a.First; i < a.First + a.Count; ++i) {
                for (uint32_t j = b.First; j < b.First + b.Count; ++j)
                    Keep(order_[i], order_[j]);
            }
        } else if (a.Leaf() || (!b.Leaf() && b.Count > a.Count)) {
            Cross(at_a, b.Left);
            Cross(at_a, b.Right);
        } else {
            Cross(a.Left, at_b);
            Cross(a.Right, at_b);
        }
    }

    const std::vector<TSegmentPath>& paths_;
    std::size_t limit_;
    std::vector<int32_t> order_;
    std::vector<TNode> nodes_;
    std::vector<TPair>* pairs_ = nullptr;
    bool overflow_ = false;
};

} // namespace

bool TSegmentTree::FindPairs(const std::vector<TSegmentPath>& paths,
                             const std::vector<int32_t>& members, std::size_t limit) {
    std::vector<TPair> pairs;
    // Only what is used is touched, and nothing is copied while it grows.
    pairs.reserve(std::min<std::size_t>(limit, std::size_t{3} << 20));
    TBuilder builder(paths, limit);
    if (!builder.Run(members, pairs)) return false;
    // Counting sort by the smaller index, then each row in order.
    start_.assign(paths.size() + 1, 0);
    for (const TPair& p : pairs)
        ++start_[p.Low + 1];
    for (std::size_t k = 1; k < start_.size(); ++k)
        start_[k] += start_[k - 1];
    items_.resize(pairs.size());
    std::vector<uint32_t> fill(start_.begin(), start_.end() - 1);
    for (const TPair& p : pairs)
        items_[fill[p.Low]++] = static_cast<int32_t>(p.High);
    std::vector<TPair>().swap(pairs);
    for (std::size_t i = 0; i + 1 < start_.size(); ++i)
        std::sort(items_.begin() + start_[i], items_.begin() + start_[i + 1]);
    return true;
}

} // namespace Unit1
