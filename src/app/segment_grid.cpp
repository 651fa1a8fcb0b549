#include "app/segment_grid.hpp"

#include <algorithm>
#include <cmath>

#include "exchange/figure_records.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

namespace {

// Grid size limits: enough cells for a few hundred thousand segments, little
// enough memory for any selection.
constexpr int64_t kMaxCellsPerAxis = 2048;
constexpr int64_t kMaxCells = int64_t{1} << 22;
// A segment covering more cells than this is scanned directly instead.
constexpr int64_t kMaxCellsPerSegment = 256;

TSegmentBox WidenedBox(const JwwGaibu::TJwwEntLine& line) {
    return TSegmentBox{MyFunc::WidenedLow(line.X1, line.X2), MyFunc::WidenedLow(line.Y1, line.Y2),
                       MyFunc::WidenedHigh(line.X1, line.X2),
                       MyFunc::WidenedHigh(line.Y1, line.Y2)};
}

bool FiniteBox(const TSegmentBox& b) {
    return std::isfinite(b.MinX) && std::isfinite(b.MinY) && std::isfinite(b.MaxX) &&
           std::isfinite(b.MaxY);
}

// Cell number of v along one axis, clamped into the grid; monotone in v, so
// boxes that share a point share that point's cell.
int64_t CellIndex(double v, double origin, double size, int64_t count) {
    const double t = std::floor((v - origin) / size);
    if (!(t > 0)) return 0;
    if (t >= static_cast<double>(count - 1)) return count - 1;
    return static_cast<int64_t>(t);
}

} // namespace

TSegmentGrid::TSegmentGrid(const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines)
    : count_(lines.Count()), boxes_(static_cast<size_t>(count_)),
      excluded_(static_cast<size_t>(count_)), long_(static_cast<size_t>(count_)),
      stamp_(static_cast<size_t>(count_), -1) {
    for (int32_t i = 0; i < count_; ++i) {
        boxes_[static_cast<size_t>(i)] = WidenedBox(lines[i]);
        excluded_[static_cast<size_t>(i)] = JwwGaibu::HasDimensionAttribute(lines[i]);
        if (!Excluded(i)) indexed_.push_back(i);
    }
    ChooseCells();
    FillCells();
}

void TSegmentGrid::ChooseCells() {
    double min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;
    double sum_w = 0, sum_h = 0;
    int64_t finite = 0;
    for (int32_t i : indexed_) {
        const TSegmentBox& b = Box(i);
        if (!FiniteBox(b)) continue;
        min_x = std::min(min_x, b.MinX), max_x = std::max(max_x, b.MaxX);
        min_y = std::min(min_y, b.MinY), max_y = std::max(max_y, b.MaxY);
        sum_w += b.MaxX - b.MinX, sum_h += b.MaxY - b.MinY;
        ++finite;
    }
    if (finite == 0) return; // no grid: every segment is scanned directly
    const double span_x = std::max(max_x - min_x, 1e-300);
    const double span_y = std::max(max_y - min_y, 1e-300);
    // Cells about the size of an average box keep both the cells per segment
    // and the segments per cell small.
    double size = std::max(sum_w, sum_h) / static_cast<double>(finite);
    size = std::max({size, span_x / kMaxCellsPerAxis, span_y / kMaxCellsPerAxis});
    while ((span_x / size + 1) * (span_y / size + 1) > static_cast<double>(kMaxCells))
        size *= 2;
    if (!std::isfinite(size) || size <= 0) return;
    origin_x_ = min_x, origin_y_ = min_y;
    cell_w_ = cell_h_ = size;
    cols_ = std::clamp<int64_t>(static_cast<int64_t>(span_x / size) + 1, 1, kMaxCellsPerAxis);
    rows_ = std::clamp<int64_t>(static_cast<int64_t>(span_y / size) + 1, 1, kMaxCellsPerAxis);
}

bool TSegmentGrid::CellRange(const TSegmentBox& box, TCellRange& range) const {
    if (cols_ == 0 || !FiniteBox(box)) return false;
    range = TCellRange{CellIndex(box.MinX, origin_x_, cell_w_, cols_),
                       CellIndex(box.MaxX, origin_x_, cell_w_, cols_),
                       CellIndex(box.MinY, origin_y_, cell_h_, rows_),
                       CellIndex(box.MaxY, origin_y_, cell_h_, rows_)};
    return range.Cells() <= kMaxCellsPerSegment;
}

void TSegmentGrid::FillCells() {
    const auto cells = static_cast<size_t>(cols_ * rows_);
    cell_start_.assign(cells + 1, 0);
    TCellRange r{};
    // Two passes over the segments: count per cell, then place, so every
    // cell lists its segments contiguously and in increasing order.
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t i : indexed_) {
            if (!CellRange(Box(i), r)) {
                if (pass == 0) long_[static_cast<size_t>(i)] = 1, long_list_.push_back(i);
                continue;
            }
            for (int64_t y = r.Y0; y <= r.Y1; ++y) {
                for (int64_t x = r.X0; x <= r.X1; ++x) {
                    const auto c = static_cast<size_t>(y * cols_ + x);
                    if (pass == 0)
                        ++cell_start_[c + 1];
                    else
                        cell_items_[cell_start_[c]++] = i;
                }
            }
        }
        if (pass == 0) {
            for (size_t c = 0; c < cells; ++c)
                cell_start_[c + 1] += cell_start_[c];
            cell_items_.resize(cells ? cell_start_[cells] : 0);
        }
    }
    // The placing pass moved every start to the next cell's start.
    for (size_t c = cells; c > 0; --c)
        cell_start_[c] = cell_start_[c - 1];
    if (cells) cell_start_[0] = 0;
}

void TSegmentGrid::AllAfter(int32_t i, std::vector<int32_t>& out) const {
    out.assign(std::upper_bound(indexed_.begin(), indexed_.end(), i), indexed_.end());
}

void TSegmentGrid::CandidatesAfter(int32_t i, std::vector<int32_t>& out) {
    out.clear();
    TCellRange r{};
    if (long_[static_cast<size_t>(i)] || !CellRange(Box(i), r)) return AllAfter(i, out);
    for (int64_t y = r.Y0; y <= r.Y1; ++y) {
        for (int64_t x = r.X0; x <= r.X1; ++x) {
            const auto c = static_cast<size_t>(y * cols_ + x);
            const int32_t* first = cell_items_.data() + cell_start_[c];
            const int32_t* last = cell_items_.data() + cell_start_[c + 1];
            for (const int32_t* p = std::upper_bound(first, last, i); p != last; ++p) {
                int32_t& seen = stamp_[static_cast<size_t>(*p)];
                if (seen != i) seen = i, out.push_back(*p);
            }
        }
    }
    out.insert(out.end(), std::upper_bound(long_list_.begin(), long_list_.end(), i),
               long_list_.end());
    std::sort(out.begin(), out.end());
}

} // namespace Unit1
