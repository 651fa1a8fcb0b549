// Unit1: the cells of the segment index, one hash table over (level, column,
// row) for every level, each cell listing its entries contiguously in the
// order they were placed. Built in two passes over the same cells: Count
// every (cell, entry) once, Seal, then Place each of them once; Find only
// after the last Place.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace Unit1 {

struct TCellKey {
    int32_t Level;
    int64_t X, Y; // column and row; |X|, |Y| < 2^47
};

class TSegmentCells {
  public:
    void Count(const TCellKey& key);
    void Seal();
    void Place(const TCellKey& key, uint32_t entry);
    // The entries of a cell, empty for a cell never counted.
    std::span<const uint32_t> Find(const TCellKey& key) const;

  private:
    struct TSlot {
        int64_t X = 0;
        uint64_t LevelAndY = 0; // level in the top 16 bits, the row below
        uint32_t Begin = 0;     // while placing, where the next entry goes
        uint32_t Size = 0;      // 0 marks an empty slot
    };
    static uint64_t Pack(const TCellKey& key);
    std::size_t Probe(int64_t x, uint64_t level_and_y) const; // its slot or the empty one
    void Grow();

    std::vector<TSlot> slots_ = std::vector<TSlot>(64);
    std::size_t used_ = 0;
    std::vector<uint32_t> entries_;
};

} // namespace Unit1
