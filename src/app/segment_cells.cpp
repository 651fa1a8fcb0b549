#include "app/segment_cells.hpp"

namespace Unit1 {

namespace {

constexpr int kLevelShift = 48;
constexpr uint64_t kRowMask = (uint64_t{1} << kLevelShift) - 1;

// splitmix64's finaliser: neighbouring cells spread over the whole table.
uint64_t Mix(uint64_t h) {
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

} // namespace

uint64_t TSegmentCells::Pack(const TCellKey& key) {
    return (static_cast<uint64_t>(static_cast<uint16_t>(key.Level)) << kLevelShift) |
           (static_cast<uint64_t>(key.Y) & kRowMask);
}

std::size_t TSegmentCells::Probe(int64_t x, uint64_t level_and_y) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = Mix(static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull + level_and_y) & mask;
    while (slots_[i].Size != 0 && (slots_[i].X != x || slots_[i].LevelAndY != level_and_y))
        i = (i + 1) & mask;
    return i;
}

void TSegmentCells::Grow() {
    std::vector<TSlot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const TSlot& s : old) {
        if (s.Size != 0) slots_[Probe(s.X, s.LevelAndY)] = s;
    }
}

void TSegmentCells::Count(const TCellKey& key) {
    const uint64_t packed = Pack(key);
    TSlot* slot = &slots_[Probe(key.X, packed)];
    if (slot->Size == 0) {
        // Keep the table at most half full, so probe runs stay short.
        if ((used_ + 1) * 2 > slots_.size()) {
            Grow();
            slot = &slots_[Probe(key.X, packed)];
        }
        ++used_;
        slot->X = key.X;
        slot->LevelAndY = packed;
    }
    ++slot->Size;
}

void TSegmentCells::Seal() {
    uint32_t begin = 0;
    for (TSlot& s : slots_) {
        s.Begin = begin;
        begin += s.Size;
    }
    entries_.resize(begin);
}

// Begin moves along as the cell fills; once every entry is placed it is
// the cell's end.
void TSegmentCells::Place(const TCellKey& key, uint32_t entry) {
    TSlot& slot = slots_[Probe(key.X, Pack(key))];
    entries_[slot.Begin++] = entry;
}

std::span<const uint32_t> TSegmentCells::Find(const TCellKey& key) const {
    const TSlot& slot = slots_[Probe(key.X, Pack(key))];
    return {entries_.data() + (slot.Begin - slot.Size), slot.Size};
}

} // namespace Unit1
