// Unit1: the level grid. Boxes of similar size find each other through
// levels: each box belongs to a level whose square cells (a power of two in
// size) are at least as large as the box and, unless the box is tiny beside
// its distance from the origin, at most eight times, and is listed in the
// at most 2 x 2 cells it covers there. The cells of all levels share
// one hash table, so a far outlier or a dense knot leaves the rest of the
// drawing alone. Boxes of one level meet through that level's cells; boxes
// of different levels are paired once, before the sweep, by the smaller
// box looking into the larger one's level.
//
// Every box test of that search counts against one limit, and is counted
// before it is made: where long segments lie over many small ones, or many
// boxes meet, the levels give up at the cost of counting.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sweep/pair_table.hpp"
#include "sweep/segment_cells.hpp"
#include "sweep/segment_ends.hpp"
#include "sweep/segment_paths.hpp"
#include "sweep/sweep_segment.hpp"

namespace Unit1 {

class TSegmentLevels {
  public:
    // Places the members (ascending indices into lines and paths, which
    // must outlive the levels). False, keeping nothing, when the search
    // would test more than most_tests boxes or keep more than most_pairs
    // pairs across levels.
    bool Build(std::span<const TSweepSegment> lines, std::span<const TSegmentPath> paths,
               std::span<const int32_t> members, std::size_t most_tests, std::size_t most_pairs);

    // The members without a level (a box too large for any), ascending.
    std::span<const int32_t> Unplaced() const { return unplaced_; }
    bool Placed(int32_t i) const { return level_[static_cast<std::size_t>(i)] != kUnplaced; }

    // Appends the placed members j > i whose paths can meet placed member
    // i's; ascending, unless they come from more than one cell or level.
    void AppendAfter(int32_t i, std::vector<TSegmentEnds>& out) const;

    struct TCellRange {
        int64_t X0, X1, Y0, Y1;
    };

  private:
    static constexpr int16_t kUnplaced = INT16_MIN;
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
    // One entry of a cell: the segment's ends and reach, so that a cell is
    // scanned in one pass through memory, and its index above the two flags.
    struct TCellEntry {
        double X1, Y1, X2, Y2;
        double Reach;
        int32_t CurveNo;
        uint32_t Key;
    };

    int LevelOf(int32_t i) const { return level_[static_cast<std::size_t>(i)]; }
    const TSegmentBox& Box(int32_t i) const { return paths_[static_cast<std::size_t>(i)].Box; }
    TCellRange Cells(int32_t i, int level) const;
    bool GiveUp(); // keeps nothing; false
    void PlaceInLevels(std::span<const int32_t> members);
    void MergeLevels(const std::vector<uint8_t>& used);
    std::vector<int32_t> CoarsestFirst(std::span<const int32_t> members) const;
    bool CountCells(std::span<const int32_t> members, std::size_t most_tests,
                    std::vector<std::array<uint32_t, 4>>& own_cells, std::size_t& coarser_tests);
    void PlaceEntries(std::span<const int32_t> members,
                      const std::vector<std::array<uint32_t, 4>>& own_cells);
    template <class Visit>
    void VisitEntries(int32_t i, uint32_t flags, uint32_t first, uint32_t end, Visit&& visit) const;
    template <class Visit> void VisitCoarserCells(int32_t i, Visit&& visit) const;
    bool PairAcrossLevels(std::span<const int32_t> members, std::size_t tests,
                          std::size_t most_pairs);

    std::span<const TSweepSegment> lines_;
    std::span<const TSegmentPath> paths_;
    std::vector<int16_t> level_;    // by segment
    std::vector<int> levels_;       // the levels in use, ascending
    std::vector<int32_t> unplaced_; // ascending
    TSegmentCells cells_;
    std::vector<TOwnCells> own_;      // by segment
    std::vector<TCellEntry> entries_; // by position in cells_
    TPairTable across_;               // pairs of boxes of different levels
};

} // namespace Unit1
