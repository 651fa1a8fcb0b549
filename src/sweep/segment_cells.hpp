// Unit1: the cells of the segment index: one hash table over (level,
// column, row) for every level, giving each cell a dense number, and the
// layout of the cells' entries in one contiguous array (CSR) that the
// caller keeps. Built in two passes: Intern every (cell, entry) once, Seal,
// then Place each entry once by its cell's number. Cells may be looked up
// and their entries counted while interning too.
#pragma once

#include <cstdint>
#include <vector>

namespace Unit1 {

struct TCellKey {
    int32_t Level;
    int64_t X, Y; // column and row; |X|, |Y| < 2^47
};

class TSegmentCells {
  public:
    static constexpr uint32_t kNoCell = UINT32_MAX;

    // Room for about `cells` cells without growing.
    void Reserve(std::size_t cells);
    // The cell's number, counting one more entry for it.
    uint32_t Intern(const TCellKey& key);
    // While interning: the entries counted for the cell so far.
    uint32_t Counted(uint32_t cell) const { return begin_[cell]; }
    void Seal();
    // The position of the cell's next entry, in the caller's own array of
    // EntryCount() entries; each cell's entries lie in the order placed.
    uint32_t Place(uint32_t cell);
    uint32_t EntryCount() const { return begin_.empty() ? 0 : begin_.back(); }

    // A cell's entries lie at positions Begin(cell) .. End(cell) - 1.
    uint32_t Begin(uint32_t cell) const { return begin_[cell]; }
    uint32_t End(uint32_t cell) const { return begin_[cell + 1]; }
    // The cell's number, or kNoCell for a cell not interned (yet).
    uint32_t Find(const TCellKey& key) const;
    // Frees the hash table once no more lookups by key will come; the
    // layout stays.
    void ForgetKeys() { std::vector<TSlot>().swap(slots_); }

  private:
    struct TSlot {
        int64_t X = 0;
        uint64_t LevelAndY = 0; // level in the top 16 bits, the row below
        uint32_t Cell = kNoCell;
    };
    static uint64_t Pack(const TCellKey& key);
    std::size_t Probe(int64_t x, uint64_t level_and_y) const; // its slot or the empty one
    void Grow();

    std::vector<TSlot> slots_ = std::vector<TSlot>(64);
    std::vector<uint32_t> begin_; // while interning the counts, then CSR starts
    std::vector<uint32_t> fill_;  // while placing, where a cell's next entry goes
};

} // namespace Unit1
