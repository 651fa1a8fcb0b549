// Unit1: a uniform grid over the segments' widened bounding boxes, for
// finding the segments that can cross a given one without testing every
// pair. Boxes are widened by the tolerance exactly as the crossing test's
// containment bounds are, so two segments that cross on both have boxes
// that overlap, and then share a cell (or one of them is in the long list).
#pragma once

#include <cstdint>
#include <vector>

#include "exchange/exchange_state.hpp"

namespace Unit1 {

struct TSegmentBox {
    double MinX, MinY, MaxX, MaxY;
    bool Overlaps(const TSegmentBox& other) const {
        return MinX <= other.MaxX && other.MinX <= MaxX && MinY <= other.MaxY && other.MinY <= MaxY;
    }
};

class TSegmentGrid {
  public:
    // Indexes every segment of lines except those carrying the dimension
    // attribute.
    explicit TSegmentGrid(const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines);

    const TSegmentBox& Box(int32_t index) const { return boxes_[static_cast<size_t>(index)]; }
    bool Excluded(int32_t index) const { return excluded_[static_cast<size_t>(index)] != 0; }

    // Every indexed segment j > i whose box may overlap segment i's, in
    // increasing order (a superset: the caller still tests the boxes).
    void CandidatesAfter(int32_t i, std::vector<int32_t>& out);

  private:
    struct TCellRange {
        int64_t X0, X1, Y0, Y1;
        int64_t Cells() const { return (X1 - X0 + 1) * (Y1 - Y0 + 1); }
    };
    void ChooseCells();
    bool CellRange(const TSegmentBox& box, TCellRange& range) const;
    void FillCells();
    void AllAfter(int32_t i, std::vector<int32_t>& out) const;

    int32_t count_ = 0;
    std::vector<TSegmentBox> boxes_;
    std::vector<uint8_t> excluded_;
    std::vector<uint8_t> long_;      // spans too many cells, or has no finite box
    std::vector<int32_t> long_list_; // those segments, ascending
    std::vector<int32_t> indexed_;   // every segment that takes part, ascending
    double origin_x_ = 0, origin_y_ = 0, cell_w_ = 1, cell_h_ = 1;
    int64_t cols_ = 0, rows_ = 0;
    std::vector<uint64_t> cell_start_; // CSR: entries of cell c are [start[c], start[c+1])
    std::vector<int32_t> cell_items_;
    std::vector<int32_t> stamp_; // last outer segment that collected this one
};

} // namespace Unit1
