// Unit1: finding the segments whose bounding boxes meet a given one's, at a
// cost that follows the local density rather than the drawing's extent.
// Boxes are widened by the tolerance exactly as the crossing test's
// containment bounds are, so two segments that cross on both have boxes
// that meet.
//
// Each box belongs to a level whose square cells (a power of two in size)
// are at least as large as the box, at most four times, and is listed in
// the at most 2 x 2 cells it covers there. The cells of all levels share one hash table, so a far
// outlier or a dense knot leaves the rest of the drawing alone. Boxes of one
// level meet through that level's cells; boxes of different levels are
// paired once, before the sweep, by the smaller box looking into the larger
// one's level.
#pragma once

#include <cstdint>
#include <vector>

#include "sweep/segment_cells.hpp"
#include "exchange/exchange_state.hpp"

namespace Unit1 {

// A candidate segment: what the crossing test needs of it, copied out of
// the index so that the sweep need not look the segment up.
struct TSegmentEnds {
    double X1, Y1, X2, Y2;
    int32_t CurveNo;
    int32_t Index;
};

struct TSegmentBox {
    double MinX, MinY, MaxX, MaxY;
    bool Overlaps(const TSegmentBox& other) const {
        return MinX <= other.MaxX && other.MinX <= MaxX && MinY <= other.MaxY && other.MinY <= MaxY;
    }
};

class TSegmentIndex {
  public:
    // Indexes every segment of lines except those carrying the dimension
    // attribute.
    explicit TSegmentIndex(const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines);

    const TSegmentBox& Box(int32_t index) const { return boxes_[static_cast<size_t>(index)]; }
    bool Excluded(int32_t index) const { return level_[static_cast<size_t>(index)] == kExcluded; }

    // Exactly the indexed segments j > i whose boxes meet segment i's, in
    // increasing order. The index must not outlive lines.
    void CandidatesAfter(int32_t i, std::vector<TSegmentEnds>& out) const;

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
    TCellRange Cells(int32_t i, int level) const;
    void MergeLevels(const std::vector<uint8_t>& used);
    void FillCells();
    // One entry of a cell: the segment's ends, so that a cell is scanned in
    // one pass through memory, and its index above the two flags.
    struct TCellEntry {
        double X1, Y1, X2, Y2;
        int32_t CurveNo;
        uint32_t Key;
    };
    TSegmentEnds EndsOf(int32_t j) const;
    template <class Visit>
    void VisitEntries(int32_t i, uint32_t flags, uint32_t first, uint32_t end, Visit&& visit) const;
    template <class Visit> void VisitLevel(int32_t i, int level, Visit&& visit) const;
    void PairAcrossLevels();
    void AllAfter(int32_t i, std::vector<TSegmentEnds>& out) const;

    const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines_;
    int32_t count_ = 0;
    std::vector<TSegmentBox> boxes_;
    std::vector<int16_t> level_;
    std::vector<int> levels_;      // the levels in use, ascending
    std::vector<int32_t> indexed_; // every segment that takes part, ascending
    std::vector<int32_t> direct_;  // those without a level, ascending
    TSegmentCells cells_;
    std::vector<TOwnCells> own_;
    std::vector<TCellEntry> entries_; // by position in cells_
    // Pairs across levels, by the smaller index: the larger ones of segment
    // i are cross_items_[cross_start_[i] .. cross_start_[i + 1]).
    std::vector<uint32_t> cross_start_;
    std::vector<int32_t> cross_items_;
};

} // namespace Unit1
