// JwwGaibu: a growable table counted by its storage. Only entries in use are
// stored and the storage grows geometrically, so a small file does not pay
// for a thousand large records per table; Length() still reports the length
// in whole blocks of 1000 entries that the host's tables count in.
#pragma once

#include <cstdint>
#include <vector>

namespace JwwGaibu {

inline constexpr int32_t kTableBlock = 1000;

// Storage length for a table holding count entries: the smallest multiple
// of the block size not below count.
constexpr int32_t BlockLength(int32_t count) {
    return (count + kTableBlock - 1) / kTableBlock * kTableBlock;
}

template <class T> class TJwwTable {
  public:
    // Appends a default (zero-filled) entry and returns it; a failed growth
    // leaves the table as it was.
    T& Append() { return items_.emplace_back(); }
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    // The table's length in whole blocks of 1000 entries, at least Count().
    int32_t Length() const { return BlockLength(Count()); }
    T& operator[](int32_t index) { return items_[static_cast<size_t>(index)]; }
    const T& operator[](int32_t index) const { return items_[static_cast<size_t>(index)]; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + items_.size(); }

    // Frees the storage; the table is empty afterwards, so no view of it
    // reaches into freed memory.
    void Release() {
        items_.clear();
        items_.shrink_to_fit();
    }

  private:
    std::vector<T> items_;
};

} // namespace JwwGaibu
