// Unit1: an append-only sequence in fixed blocks. Growing never moves or
// copies what the full blocks store, so millions of entries cost their own
// size and no doubling peak (a vector's growth holds the old and the new
// array at once). The first block alone starts small and doubles, so a short
// sequence costs no whole block.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace Unit1 {

template <class T, std::size_t BlockShift = 17> class TBlockVector {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return blocks_[i >> BlockShift][i & kMask]; }
    const T& operator[](std::size_t i) const { return blocks_[i >> BlockShift][i & kMask]; }
    void push_back(const T& value) {
        if (size_ == capacity_) Grow();
        (*this)[size_] = value;
        ++size_;
    }

  private:
    static constexpr std::size_t kBlock = std::size_t{1} << BlockShift;
    static constexpr std::size_t kMask = kBlock - 1;
    static constexpr std::size_t kFirstCapacity = std::min<std::size_t>(64, kBlock);

    void Grow() {
        if (capacity_ >= kBlock) {
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(kBlock));
            capacity_ += kBlock;
            return;
        }
        const std::size_t grown = capacity_ == 0 ? kFirstCapacity : 2 * capacity_;
        auto first = std::make_unique_for_overwrite<T[]>(grown);
        if (size_ > 0) std::memcpy(first.get(), blocks_[0].get(), size_ * sizeof(T));
        if (blocks_.empty())
            blocks_.push_back(std::move(first));
        else
            blocks_[0] = std::move(first);
        capacity_ = grown;
    }

    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace Unit1
