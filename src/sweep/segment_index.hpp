// Unit1: finding, for each segment, the later segments whose paths can
// meet its own (PathsCanMeet), at a cost that follows the local density
// and the real paths rather than the drawing's extent or the boxes.
//
// Boxes of similar size are found through levels: each box belongs to a
// level whose square cells (a power of two in size) are at least as large
// as the box, at most four times, and is listed in the at most 2 x 2 cells
// it covers there. The cells of all levels share one hash table, so a far
// outlier or a dense knot leaves the rest of the drawing alone. Boxes of
// one level meet through that level's cells; boxes of different levels are
// paired once, before the sweep, by the smaller box looking into the
// larger one's level. Where long segments make many boxes meet (hatching,
// radial lines, bundles of diagonals), that work is counted and given up
// before it grows, and the pairs come from a tree of turned boxes that
// follow the paths (TSegmentTree); where even those pairs are too many to
// keep, every later segment is tested as it comes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sweep/segment_cells.hpp"
#include "sweep/segment_paths.hpp"
#include "sweep/segment_tree.hpp"
#include "sweep/sweep_segment.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

// A candidate segment: what the crossing test needs of it, copied out of
// the index so that the sweep need not look the segment up.
struct TSegmentEnds {
    MyFunc::TSegmentLine Line;
    int32_t CurveNo;
    int32_t Index;
};

class TSegmentIndex {
  public:
    // How the candidates are found: by the levels, the tree, or by testing
    // every later segment.
    enum class TMethod { Levels, Tree, Direct };

    // Indexes every segment of lines except the excluded ones. Given a
    // method, uses that alone, however long it takes.
    explicit TSegmentIndex(std::span<const TSweepSegment> lines,
                           std::optional<TMethod> only = std::nullopt);

    TSegmentPath Path(int32_t index) const {
        const TSweepSegment& line = lines_[static_cast<size_t>(index)];
        const auto at = static_cast<size_t>(index);
        return TSegmentPath{line.X1, line.Y1, line.X2, line.Y2, boxes_[at], reaches_[at]};
    }
    bool Excluded(int32_t index) const { return level_[static_cast<size_t>(index)] == kExcluded; }

    // Exactly the indexed segments j > i whose paths can meet segment i's,
    // in increasing order. The index must not outlive lines.
    void CandidatesAfter(int32_t i, std::vector<TSegmentEnds>& out) const;
    // Calls visit(ends) for each of the same candidates in the same order;
    // scratch holds them where they must be gathered first.
    template <class Visit>
    void VisitCandidatesAfter(int32_t i, std::vector<TSegmentEnds>& scratch, Visit&& visit) const;

    TMethod Method() const { return method_; }

    struct TCellRange {
        int64_t X0, X1, Y0, Y1;
    };

  private:
    static constexpr int16_t kExcluded = INT16_MIN;
    static constexpr int16_t kDirect = INT16_MAX; // no finite box: compared with every segment
    static constexpr uint32_t kFirstColumn = 1, kFirstRow = 2, kFirstBoth = 3;

    // A segment's cells at its own level, row by row: where its entry lies
    // in each and where the cell ends; the later segments of a cell lie
    // between.
    struct TOwnCells {
        uint32_t Position[4];
        uint32_t End[4];
        uint8_t Columns, Rows;
        uint32_t Flags(int k) const {
            return (k % Columns == 0 ? kFirstColumn : 0) | (k < Columns ? kFirstRow : 0);
        }
    };
    struct TPair {
        uint32_t Outer, Inner;
    };
    int16_t LevelOf(int32_t i) const { return level_[static_cast<size_t>(i)]; }
    const TSegmentBox& Box(int32_t i) const { return boxes_[static_cast<size_t>(i)]; }
    TCellRange Cells(int32_t i, int level) const;
    bool BuildLevels(std::size_t work_limit, std::size_t pair_limit);
    void MergeLevels(const std::vector<uint8_t>& used);
    void FillCells();
    std::size_t SameLevelWork() const;
    void DropLevels();
    void PrepareEnds();
    void FindPairsByTree(std::size_t pair_limit);
    // One entry of a cell: the segment's ends and reach, so that a cell is
    // scanned in one pass through memory, and its index above the two flags.
    struct TCellEntry {
        double X1, Y1, X2, Y2;
        double Reach;
        int32_t CurveNo;
        uint32_t Key;
    };
    TSegmentEnds EndsOf(int32_t j) const;
    template <class Visit>
    void VisitEntries(int32_t i, uint32_t flags, uint32_t first, uint32_t end, Visit&& visit) const;
    template <class Visit> void VisitLevel(int32_t i, int level, Visit&& visit) const;
    bool PairAcrossLevels(std::size_t limit);
    void LevelsAfter(int32_t i, std::vector<TSegmentEnds>& out) const;
    void TreeAfter(int32_t i, std::vector<TSegmentEnds>& out) const;
    void AllAfter(int32_t i, std::vector<TSegmentEnds>& out) const;

    std::span<const TSweepSegment> lines_;
    int32_t count_ = 0;
    TMethod method_ = TMethod::Levels;
    std::vector<TSegmentBox> boxes_;
    std::vector<double> reaches_;
    std::vector<int16_t> level_;
    std::vector<int> levels_;      // the levels in use, ascending
    std::vector<int32_t> indexed_; // every segment that takes part, ascending
    std::vector<int32_t> direct_;  // those without a level (or a turned box), ascending
    TSegmentCells cells_;
    std::vector<TOwnCells> own_;
    std::vector<TCellEntry> entries_; // by position in cells_
    // Pairs across levels, by the smaller index: the larger ones of segment
    // i are cross_items_[cross_start_[i] .. cross_start_[i + 1]).
    std::vector<uint32_t> cross_start_;
    std::vector<int32_t> cross_items_;
    TSegmentTree tree_;
    std::vector<TSegmentEnds> ends_; // without the levels: every segment's, ready to copy
};

template <class Visit>
void TSegmentIndex::VisitCandidatesAfter(int32_t i, std::vector<TSegmentEnds>& scratch,
                                         Visit&& visit) const {
    if (method_ != TMethod::Direct || Excluded(i)) {
        CandidatesAfter(i, scratch);
        for (const TSegmentEnds& ends : scratch)
            visit(ends);
        return;
    }
    // Nearly every pair meets here: copying them first would cost more than
    // testing them.
    const TSegmentPath path = Path(i);
    for (auto it = std::upper_bound(indexed_.begin(), indexed_.end(), i); it != indexed_.end();
         ++it) {
        if (PathsCanMeet(path, Path(*it))) visit(ends_[static_cast<size_t>(*it)]);
    }
}

} // namespace Unit1
