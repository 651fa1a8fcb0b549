// Unit1: every pair of segments whose paths can meet (PathsCanMeet), found
// through a tree of boxes turned along the segments they hold. Long
// parallel segments, as in hatching, fill thin turned boxes that keep apart
// however much their axis-aligned boxes overlap, so the cost follows the
// pairs that really come close rather than the boxes. The pairs are kept,
// by the smaller index, for the sweep to read in order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "sweep/segment_paths.hpp"

namespace Unit1 {

class TSegmentTree {
  public:
    // Finds the pairs among the members (indices into paths, ascending).
    // Returns false and keeps nothing when there are more than `limit`.
    bool FindPairs(const std::vector<TSegmentPath>& paths, const std::vector<int32_t>& members,
                   std::size_t limit);

    // The members j > i whose paths can meet member i's, ascending.
    std::span<const int32_t> After(int32_t i) const {
        const auto at = static_cast<std::size_t>(i);
        return {items_.data() + start_[at], items_.data() + start_[at + 1]};
    }

  private:
    std::vector<uint32_t> start_; // by segment index, one more at the end
    std::vector<int32_t> items_;
};

} // namespace Unit1
