// Unit1: for each segment, exactly the later segments whose paths can meet
// its own (PathsCanMeet), in increasing order, at a cost that follows the
// local density and the real paths rather than the drawing's extent or the
// boxes. One of three ways is chosen once, in ChooseMethod:
//  - the level grid (TSegmentLevels), where boxes of a size meet little;
//  - else the tree of turned boxes (TSegmentTree), whose pairs come a range
//    of segments at a time, so that however many there are, only a bounded
//    number are kept;
//  - and where nearly every pair can meet, as in a fan, every later segment
//    tested in turn, which costs less than finding them; the tree turns to
//    that too where its ranges would cost more.
// Segments that neither can hold (no finite box or reach) are tested
// against every later one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "sweep/segment_ends.hpp"
#include "sweep/segment_levels.hpp"
#include "sweep/segment_paths.hpp"
#include "sweep/segment_tree.hpp"
#include "sweep/sweep_segment.hpp"

namespace Unit1 {

// What the choice may spend; the defaults suit drawings.
struct TSearchBudget {
    // Box tests the levels may take: the larger of the first and the
    // second for each segment. A box test in a cell costs a small part of
    // a pair from the tree: overlapping squares, with some 65 tests a
    // segment, run twice as fast on the levels.
    std::size_t LeastLevelWork = std::size_t{1} << 24;
    std::size_t LevelWorkPerSegment = 128;
    // Pairs kept at once, across levels or from the tree (TPairTable);
    // at most 2^32 - 1.
    std::size_t MostKeptPairs = std::size_t{3} << 20;
    // The share of pairs that can meet, in a sample, from which every later
    // segment is tested instead of finding them.
    double DirectShare = 0.5;
};

class TSegmentIndex {
  public:
    // Indexes every segment of lines except the excluded ones. The index
    // must not outlive lines.
    explicit TSegmentIndex(std::span<const TSweepSegment> lines, const TSearchBudget& budget = {});

    const TSegmentPath& Path(int32_t i) const { return paths_[static_cast<size_t>(i)]; }
    bool Excluded(int32_t i) const { return lines_[static_cast<size_t>(i)].Excluded; }

    // Calls visit(ends) for each indexed segment j > i whose path can meet
    // segment i's, in increasing order; scratch holds them where they must
    // be gathered first. Asked for i in increasing order, as the sweep goes.
    template <class Visit>
    void VisitCandidatesAfter(int32_t i, std::vector<TSegmentEnds>& scratch, Visit&& visit);

  private:
    enum class TMethod { Levels, Tree, Direct };
    void ChooseMethod(const TSearchBudget& budget);
    bool NearlyAllPairsMeet(double share) const;
    void CandidatesAfter(int32_t i, std::vector<TSegmentEnds>& out);
    void LevelsAfter(int32_t i, std::vector<TSegmentEnds>& out) const;
    void TreeAfter(int32_t i, std::vector<TSegmentEnds>& out);
    void FindTreePairsFrom(int32_t low);
    bool RangesCostMoreThanAll(int32_t low) const;
    // Calls visit(j) for each j > i of the list (ascending) whose path can
    // meet segment i's.
    template <class Visit>
    void VisitLaterMeeting(int32_t i, std::span<const int32_t> list, Visit&& visit) const {
        const TSegmentPath path = Path(i); // kept in registers over the visits
        for (auto it = std::upper_bound(list.begin(), list.end(), i); it != list.end(); ++it) {
            if (PathsCanMeet(path, Path(*it))) visit(*it);
        }
    }
    void AppendLaterMeeting(int32_t i, std::span<const int32_t> list,
                            std::vector<TSegmentEnds>& out) const {
        VisitLaterMeeting(i, list, [&](int32_t j) { out.push_back(EndsOf(j)); });
    }
    TSegmentEnds EndsOf(int32_t j) const {
        const auto at = static_cast<size_t>(j);
        return ends_.empty() ? Unit1::EndsOf(lines_[at], j) : ends_[at];
    }

    std::span<const TSweepSegment> lines_;
    std::vector<TSegmentPath> paths_;
    std::vector<int32_t> indexed_; // every segment that takes part, ascending
    std::vector<int32_t> loose_;   // those the method cannot hold, ascending
    TMethod method_ = TMethod::Direct;
    TSegmentLevels level_grid_;
    TSegmentTree tree_;
    // Without the levels, whose cells hold them: every segment's, made once
    // rather than for each pair.
    std::vector<TSegmentEnds> ends_;
    std::size_t most_kept_pairs_ = 0;
    TPairTable tree_pairs_; // those with the lower index in [pairs_low_, pairs_high_)
    int32_t pairs_low_ = 0, pairs_high_ = 0;
    std::size_t checked_in_range_ = 0;
    bool pairs_kept_ = false; // false: a segment with too many, tested against all
};

template <class Visit>
void TSegmentIndex::VisitCandidatesAfter(int32_t i, std::vector<TSegmentEnds>& scratch,
                                         Visit&& visit) {
    if (Excluded(i)) return;
    if (method_ != TMethod::Direct) {
        CandidatesAfter(i, scratch);
        for (const TSegmentEnds& ends : scratch)
            visit(ends);
        return;
    }
    // Nearly every pair meets here: copying them first would cost more than
    // testing them.
    VisitLaterMeeting(i, indexed_, [&](int32_t j) { visit(EndsOf(j)); });
}

} // namespace Unit1
