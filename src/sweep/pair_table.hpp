// Unit1: pairs of segments grouped by their lower index, for the sweep to
// read in order: the higher ones of segment i lie in Row(i), ascending.
// 4 bytes a pair once grouped; 8 while they are added, in a table that
// grows by doubling unless reserved.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace Unit1 {

class TPairTable {
  public:
    // Only what is used is touched, and nothing is copied while it grows.
    void Reserve(std::size_t pairs) { pairs_.reserve(pairs); }
    // The pairs held, added or grouped.
    std::size_t Size() const { return pairs_.size() + higher_.size(); }
    void Add(uint32_t a, uint32_t b) { pairs_.push_back(a < b ? TPair{a, b} : TPair{b, a}); }
    // Forgets every pair, grouped or not.
    void Clear() {
        pairs_.clear();
        std::vector<int32_t>().swap(higher_);
        start_.clear();
    }

    // Groups the pairs added, whose lower indices all lie in [low, high):
    // counting sort by the lower index, then each row in order.
    void Group(int32_t low, int32_t high) {
        low_ = low;
        start_.assign(static_cast<std::size_t>(high - low) + 1, 0);
        for (const TPair& p : pairs_)
            ++start_[p.Low - static_cast<uint32_t>(low) + 1];
        for (std::size_t k = 1; k < start_.size(); ++k)
            start_[k] += start_[k - 1];
        higher_.resize(pairs_.size());
        std::vector<uint32_t> fill(start_.begin(), start_.end() - 1);
        for (const TPair& p : pairs_)
            higher_[fill[p.Low - static_cast<uint32_t>(low)]++] = static_cast<int32_t>(p.High);
        std::vector<TPair>().swap(pairs_);
        for (std::size_t k = 0; k + 1 < start_.size(); ++k)
            std::sort(higher_.begin() + start_[k], higher_.begin() + start_[k + 1]);
    }

    // Empty for a segment outside the rows grouped.
    std::span<const int32_t> Row(int32_t i) const {
        if (i < low_ || static_cast<std::size_t>(i - low_) + 1 >= start_.size()) return {};
        const auto at = static_cast<std::size_t>(i - low_);
        return {higher_.data() + start_[at], higher_.data() + start_[at + 1]};
    }

  private:
    struct TPair {
        uint32_t Low, High;
    };
    std::vector<TPair> pairs_;    // while adding
    int32_t low_ = 0;             // the first row grouped
    std::vector<uint32_t> start_; // by lower index from low_, one more at the end
    std::vector<int32_t> higher_; // grouped
};

} // namespace Unit1
