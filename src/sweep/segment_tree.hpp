// Unit1: the later segments whose paths can meet a segment's own
// (PathsCanMeet), found through a tree of boxes turned along the segments
// they hold. Long parallel segments, as in hatching, fill thin turned boxes
// that keep apart however much their axis-aligned boxes overlap, so the
// cost follows the pairs that really come close rather than the boxes. The
// pairs are handed over a range of lower indices at a time, so that no
// more than a bounded number are kept however many there are.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "sweep/pair_table.hpp"
#include "sweep/segment_paths.hpp"

namespace Unit1 {

class TSegmentTree {
  public:
    // Holds the members (indices into paths, ascending); paths must outlive
    // the tree.
    void Build(std::span<const TSegmentPath> paths, std::span<const int32_t> members);

    // Adds to pairs every pair of members whose paths can meet and whose
    // lower index lies in [low, high). Not kept, with pairs holding part of
    // them, as soon as there are more than `most`. Checked counts the pairs
    // looked at on the way, in range or not.
    struct TFound {
        bool Kept;
        std::size_t Checked;
    };
    TFound FindPairs(int32_t low, int32_t high, std::size_t most, TPairTable& pairs) const;

    // A node: its members lie at order_[First .. First + Count); the
    // smallest of them is Lowest, the largest Highest. Its volume lies
    // within both the union of their widened boxes and a box turned along
    // (Ux, Uy) that holds every point within their reach.
    struct TNode {
        uint32_t First = 0, Count = 0;
        int32_t Left = -1, Right = -1;
        int32_t Lowest = INT32_MAX, Highest = -1;
        TSegmentBox Box{};
        double Ux = 1, Uy = 0, Longest = 0; // along the longest segment, its length squared
        double CenterU = 0, CenterV = 0, HalfU = 0, HalfV = 0; // turned frame, v = (-Uy, Ux)
        bool Leaf() const { return Left < 0; }
    };

  private:
    friend class TTreeBuilder;
    friend class TPairFinder;

    std::span<const TSegmentPath> paths_;
    std::vector<int32_t> order_; // the members, leaf by leaf
    std::vector<TNode> nodes_;   // the root first
};

} // namespace Unit1
