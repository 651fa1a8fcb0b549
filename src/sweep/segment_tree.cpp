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

} // namespace

// Builds the nodes over the members, splitting each at the median of the
// midpoints along the axis where the midpoints spread most. The leaves are
// bounded by their segments, each node above by its two children, in the
// frame of the child with the longer segment.
class TTreeBuilder {
  public:
    using TNode = TSegmentTree::TNode;
    explicit TTreeBuilder(TSegmentTree& tree) : tree_(tree) {
        keys_.reserve(tree.order_.size());
        for (int32_t i : tree.order_) {
            const TSegmentPath& p = tree.paths_[static_cast<std::size_t>(i)];
            keys_.push_back(TKey{{p.X1 + p.X2, p.Y1 + p.Y2}, i});
        }
    }

    void Run() {
        Build(0, static_cast<uint32_t>(keys_.size()));
        for (std::size_t k = 0; k < keys_.size(); ++k)
            tree_.order_[k] = keys_[k].Index;
    }

  private:
    // A member's midpoint, doubled, where the splits look for it.
    struct TKey {
        double Mid[2];
        int32_t Index;
    };

    static double Along(const TNode& n, double x, double y) { return x * n.Ux + y * n.Uy; }
    static double Across(const TNode& n, double x, double y) { return y * n.Ux - x * n.Uy; }

    int32_t Build(uint32_t first, uint32_t count) {
        const auto at = static_cast<int32_t>(tree_.nodes_.size());
        tree_.nodes_.emplace_back();
        if (count <= kLeafSize) {
            BoundLeaf(tree_.nodes_.back(), first, count);
            return at;
        }
        const int axis = SpreadAxis(first, count);
        const auto begin = keys_.begin() + first;
        const uint32_t half = count / 2;
        std::nth_element(begin, begin + half, begin + count, [axis](const TKey& a, const TKey& b) {
            return a.Mid[axis] < b.Mid[axis];
        });
        const int32_t left = Build(first, half);
        const int32_t right = Build(first + half, count - half);
        TNode& node = tree_.nodes_[static_cast<std::size_t>(at)];
        node.First = first, node.Count = count, node.Left = left, node.Right = right;
        BoundByChildren(node);
        return at;
    }

    // Long segments stretch the boxes, not the spread of their midpoints:
    // splitting by the boxes would leave a stack of long lines unsplit.
    int SpreadAxis(uint32_t first, uint32_t count) const {
        double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
        for (uint32_t k = first; k < first + count; ++k) {
            for (int axis = 0; axis < 2; ++axis) {
                lo[axis] = std::min(lo[axis], keys_[k].Mid[axis]);
                hi[axis] = std::max(hi[axis], keys_[k].Mid[axis]);
            }
        }
        return hi[0] - lo[0] >= hi[1] - lo[1] ? 0 : 1;
    }

    const TSegmentPath& PathAt(uint32_t k) const {
        return tree_.paths_[static_cast<std::size_t>(keys_[k].Index)];
    }

    // Framed along the longest segment; any frame holds the segments, this
    // one tightly where they run alike.
    void BoundLeaf(TNode& node, uint32_t first, uint32_t count) const {
        node.First = first, node.Count = count;
        const TSegmentPath* along = nullptr;
        for (uint32_t k = first; k < first + count; ++k) {
            const TSegmentPath& p = PathAt(k);
            const double dx = p.X2 - p.X1, dy = p.Y2 - p.Y1;
            // Squared: the coordinates are below 2^500.
            if (dx * dx + dy * dy > node.Longest) node.Longest = dx * dx + dy * dy, along = &p;
        }
        if (along) {
            const double dx = along->X2 - along->X1, dy = along->Y2 - along->Y1;
            const double length = std::hypot(dx, dy);
            const double sign = (dx < 0 || (dx == 0 && dy < 0)) ? -1 : 1;
            node.Ux = sign * dx / length, node.Uy = sign * dy / length;
        }
        node.Box = PathAt(first).Box;
        double lo_u = INFINITY, hi_u = -INFINITY, lo_v = INFINITY, hi_v = -INFINITY;
        double margin = 0;
        for (uint32_t k = first; k < first + count; ++k) {
            const TSegmentPath& p = PathAt(k);
            node.Lowest = std::min(node.Lowest, keys_[k].Index);
            node.Highest = std::max(node.Highest, keys_[k].Index);
            node.Box = Union(node.Box, p.Box);
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

    // Each child's turned box, seen in the node's frame, with the rounding
    // of that view added. The rounding follows the coordinates alone: a
    // reach so long that its view rounds off more makes the turned boxes far
    // larger than the distance between nodes whose boxes meet, so that
    // rounding cannot part them.
    void BoundByChildren(TNode& node) const {
        const TNode& a = tree_.nodes_[static_cast<std::size_t>(node.Left)];
        const TNode& b = tree_.nodes_[static_cast<std::size_t>(node.Right)];
        const TNode& longer = a.Longest >= b.Longest ? a : b;
        node.Longest = longer.Longest, node.Ux = longer.Ux, node.Uy = longer.Uy;
        node.Lowest = std::min(a.Lowest, b.Lowest), node.Highest = std::max(a.Highest, b.Highest);
        node.Box = Union(a.Box, b.Box);
        const double rounding = kProjectionRounding * BoxMagnitude(node.Box);
        double lo_u = INFINITY, hi_u = -INFINITY, lo_v = INFINITY, hi_v = -INFINITY;
        for (const TNode* child : {&a, &b}) {
            const TNode& c = *child;
            // The child's centre and axes in the plane, then in the node's frame.
            const double x = c.CenterU * c.Ux - c.CenterV * c.Uy;
            const double y = c.CenterU * c.Uy + c.CenterV * c.Ux;
            const double uu = std::fabs(c.Ux * node.Ux + c.Uy * node.Uy);
            const double uv = std::fabs(c.Uy * node.Ux - c.Ux * node.Uy);
            const double half_u = c.HalfU * uu + c.HalfV * uv + rounding;
            const double half_v = c.HalfU * uv + c.HalfV * uu + rounding;
            const double u = Along(node, x, y), v = Across(node, x, y);
            lo_u = std::min(lo_u, u - half_u), hi_u = std::max(hi_u, u + half_u);
            lo_v = std::min(lo_v, v - half_v), hi_v = std::max(hi_v, v + half_v);
        }
        node.CenterU = (lo_u + hi_u) / 2, node.HalfU = (hi_u - lo_u) / 2 + rounding;
        node.CenterV = (lo_v + hi_v) / 2, node.HalfV = (hi_v - lo_v) / 2 + rounding;
    }

    static TSegmentBox Union(const TSegmentBox& a, const TSegmentBox& b) {
        return TSegmentBox{std::min(a.MinX, b.MinX), std::min(a.MinY, b.MinY),
                           std::max(a.MaxX, b.MaxX), std::max(a.MaxY, b.MaxY)};
    }

    TSegmentTree& tree_;
    std::vector<TKey> keys_;
};

namespace {

using TNode = TSegmentTree::TNode;

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

} // namespace

void TSegmentTree::Build(std::span<const TSegmentPath> paths, std::span<const int32_t> members) {
    paths_ = paths;
    order_.assign(members.begin(), members.end());
    nodes_.clear();
    if (order_.empty()) return;
    nodes_.reserve(order_.size() / 2 + 2); // leaves of 4 to 8
    TTreeBuilder(*this).Run();
}

// Every pair within one node and across two, each once, keeping only those
// whose lower index lies in the range asked for.
class TPairFinder {
  public:
    TPairFinder(const TSegmentTree& tree, int32_t low, int32_t high, std::size_t most,
                TPairTable& pairs)
        : tree_(tree), low_(low), high_(high), most_(most), pairs_(pairs) {}

    TSegmentTree::TFound Run() {
        if (!tree_.nodes_.empty()) Join(0);
        return {!over_, checked_};
    }

  private:
    const TNode& Node(int32_t at) const { return tree_.nodes_[static_cast<std::size_t>(at)]; }

    // No pair of a and b has its lower index in the range.
    bool OutOfRange(const TNode& a, const TNode& b) const {
        return std::min(a.Lowest, b.Lowest) >= high_ || std::min(a.Highest, b.Highest) < low_;
    }

    void Keep(int32_t i, int32_t j) {
        ++checked_;
        const int32_t lower = std::min(i, j);
        if (lower < low_ || lower >= high_) return;
        const auto& paths = tree_.paths_;
        if (!PathsCanMeet(paths[static_cast<std::size_t>(i)], paths[static_cast<std::size_t>(j)]))
            return;
        if (pairs_.Size() >= most_) {
            over_ = true;
            return;
        }
        pairs_.Add(static_cast<uint32_t>(i), static_cast<uint32_t>(j));
    }

    void Join(int32_t at) {
        const TNode& n = Node(at);
        if (over_ || OutOfRange(n, n)) return;
        if (!n.Leaf()) {
            Join(n.Left);
            Join(n.Right);
            Cross(n.Left, n.Right);
            return;
        }
        const auto& order = tree_.order_;
        for (uint32_t a = n.First; a < n.First + n.Count; ++a) {
            for (uint32_t b = a + 1; b < n.First + n.Count; ++b)
                Keep(order[a], order[b]);
        }
    }

    void Cross(int32_t at_a, int32_t at_b) {
        const TNode& a = Node(at_a);
        const TNode& b = Node(at_b);
        if (over_ || OutOfRange(a, b) || !Meet(a, b)) return;
        if (a.Leaf() && b.Leaf()) {
            const auto& order = tree_.order_;
            for (uint32_t i = a.First; i < a.First + a.Count; ++i) {
                for (uint32_t j = b.First; j < b.First + b.Count; ++j)
                    Keep(order[i], order[j]);
            }
        } else if (a.Leaf() || (!b.Leaf() && b.Count > a.Count)) {
            Cross(at_a, b.Left);
            Cross(at_a, b.Right);
        } else {
            Cross(a.Left, at_b);
            Cross(a.Right, at_b);
        }
    }

    const TSegmentTree& tree_;
    int32_t low_, high_;
    std::size_t most_;
    TPairTable& pairs_;
    bool over_ = false;
    std::size_t checked_ = 0;
};

TSegmentTree::TFound TSegmentTree::FindPairs(int32_t low, int32_t high, std::size_t most,
                                             TPairTable& pairs) const {
    return TPairFinder(*this, low, high, most, pairs).Run();
}

} // namespace Unit1
