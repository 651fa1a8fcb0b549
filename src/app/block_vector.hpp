// Unit1: an append-only sequence in fixed blocks. Growing never moves or
// copies what is stored, so millions of entries cost their own size and no
// doubling peak (a vector's growth holds the old and the new array at once).
#pragma once

#include <cstddef>
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
        if ((size_ & kMask) == 0 && (size_ >> BlockShift) == blocks_.size())
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(kMask + 1));
        (*this)[size_] = value;
        ++size_;
    }

  private:
    static constexpr std::size_t kMask = (std::size_t{1} << BlockShift) - 1;
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

} // namespace Unit1
