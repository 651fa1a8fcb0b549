#include "sweep/segment_cells.hpp"

#include "sweep/mix.hpp"

namespace Unit1 {

namespace {

constexpr int kLevelShift = 48;
constexpr uint64_t kRowMask = (uint64_t{1} << kLevelShift) - 1;

} // namespace

uint64_t TSegmentCells::Pack(const TCellKey& key) {
    return (static_cast<uint64_t>(static_cast<uint16_t>(key.Level)) << kLevelShift) |
           (static_cast<uint64_t>(key.Y) & kRowMask);
}

std::size_t TSegmentCells::Probe(int64_t x, uint64_t level_and_y) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = Mix64(static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull + level_and_y) & mask;
    while (slots_[i].Cell != kNoCell && (slots_[i].X != x || slots_[i].LevelAndY != level_and_y))
        i = (i + 1) & mask;
    return i;
}

void TSegmentCells::Grow() {
    std::vector<TSlot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const TSlot& s : old) {
        if (s.Cell != kNoCell) slots_[Probe(s.X, s.LevelAndY)] = s;
    }
}

void TSegmentCells::Reserve(std::size_t cells) {
    std::size_t size = slots_.size();
    while (size < 2 * cells)
        size *= 2;
    if (size > slots_.size() && begin_.empty()) slots_.assign(size, TSlot{});
    begin_.reserve(cells + 1);
}

uint32_t TSegmentCells::Intern(const TCellKey& key) {
    const uint64_t packed = Pack(key);
    TSlot* slot = &slots_[Probe(key.X, packed)];
    if (slot->Cell == kNoCell) {
        // Keep the table at most half full, so probe runs stay short.
        if ((begin_.size() + 1) * 2 > slots_.size()) {
            Grow();
            slot = &slots_[Probe(key.X, packed)];
        }
        *slot = TSlot{key.X, packed, static_cast<uint32_t>(begin_.size())};
        begin_.push_back(0);
    }
    ++begin_[slot->Cell];
    return slot->Cell;
}

void TSegmentCells::Seal() {
    uint32_t begin = 0;
    for (uint32_t& b : begin_) {
        const uint32_t size = b;
        b = begin;
        begin += size;
    }
    begin_.push_back(begin);
    fill_.assign(begin_.begin(), begin_.end() - 1);
}

uint32_t TSegmentCells::Place(uint32_t cell) {
    return fill_[cell]++;
}

uint32_t TSegmentCells::Find(const TCellKey& key) const {
    return slots_[Probe(key.X, Pack(key))].Cell;
}

} // namespace Unit1
