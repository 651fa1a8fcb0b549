#include "sweep/segment_index.hpp"

#include <algorithm>
#include <cmath>

#include "sweep/mix.hpp"

namespace Unit1 {

namespace {

bool FiniteBox(const TSegmentBox& b) {
    return std::isfinite(b.MinX) && std::isfinite(b.MinY) && std::isfinite(b.MaxX) &&
           std::isfinite(b.MaxY);
}

bool ByIndex(const TSegmentEnds& a, const TSegmentEnds& b) {
    return a.Index < b.Index;
}

// A fixed sequence, so that every run chooses alike.
uint64_t NextRandom(uint64_t& state) {
    return Mix64(state += 0x9E3779B97F4A7C15ull);
}

} // namespace

TSegmentIndex::TSegmentIndex(std::span<const TSweepSegment> lines, const TSearchBudget& budget)
    : lines_(lines) {
    paths_.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        paths_.push_back(PathOf(lines[i]));
        if (!lines[i].Excluded) indexed_.push_back(static_cast<int32_t>(i));
    }
    ChooseMethod(budget);
}

// The levels where they are cheap; else every later segment where a sample
// shows that nearly every pair can meet; else the tree.
void TSegmentIndex::ChooseMethod(const TSearchBudget& budget) {
    const std::size_t level_work =
        std::max(budget.LeastLevelWork, budget.LevelWorkPerSegment * indexed_.size());
    // The rows of a pair table count in 32 bits.
    const std::size_t most_pairs = std::min<std::size_t>(budget.MostKeptPairs, UINT32_MAX);
    if (level_grid_.Build(lines_, paths_, indexed_, level_work, most_pairs)) {
        const auto unplaced = level_grid_.Unplaced();
        loose_.assign(unplaced.begin(), unplaced.end());
        method_ = TMethod::Levels;
        return;
    }
    ends_.reserve(lines_.size());
    for (std::size_t j = 0; j < lines_.size(); ++j)
        ends_.push_back(Unit1::EndsOf(lines_[j], static_cast<int32_t>(j)));
    if (NearlyAllPairsMeet(budget.DirectShare)) {
        method_ = TMethod::Direct;
        return;
    }
    std::vector<int32_t> members;
    for (int32_t i : indexed_) {
        const TSegmentPath& p = Path(i);
        (FiniteBox(p.Box) && std::isfinite(p.Reach) ? members : loose_).push_back(i);
    }
    tree_.Build(paths_, members);
    most_kept_pairs_ = most_pairs;
    method_ = TMethod::Tree;
}

bool TSegmentIndex::NearlyAllPairsMeet(double share) const {
    constexpr int kSamples = 1024;
    const uint64_t count = indexed_.size();
    if (count < 2) return share <= 0;
    uint64_t state = 1;
    int meet = 0;
    for (int k = 0; k < kSamples; ++k) {
        const uint64_t a = NextRandom(state) % count, b = NextRandom(state) % (count - 1);
        const int32_t i = indexed_[a], j = indexed_[b < a ? b : b + 1]; // two different ones
        meet += PathsCanMeet(Path(i), Path(j)) ? 1 : 0;
    }
    return meet >= share * kSamples;
}

void TSegmentIndex::CandidatesAfter(int32_t i, std::vector<TSegmentEnds>& out) {
    out.clear();
    if (method_ == TMethod::Levels) return LevelsAfter(i, out);
    TreeAfter(i, out);
}

void TSegmentIndex::LevelsAfter(int32_t i, std::vector<TSegmentEnds>& out) const {
    if (!level_grid_.Placed(i)) return AppendLaterMeeting(i, indexed_, out);
    level_grid_.AppendAfter(i, out);
    AppendLaterMeeting(i, loose_, out);
    // From one cell alone they come in order already.
    if (!std::is_sorted(out.begin(), out.end(), ByIndex))
        std::sort(out.begin(), out.end(), ByIndex);
}

void TSegmentIndex::TreeAfter(int32_t i, std::vector<TSegmentEnds>& out) {
    if (std::binary_search(loose_.begin(), loose_.end(), i))
        return AppendLaterMeeting(i, indexed_, out);
    if (i >= pairs_high_) FindTreePairsFrom(i);
    if (method_ == TMethod::Direct || !pairs_kept_) return AppendLaterMeeting(i, indexed_, out);
    for (int32_t j : tree_pairs_.Row(i))
        out.push_back(EndsOf(j));
    const auto from_tree = static_cast<std::ptrdiff_t>(out.size());
    AppendLaterMeeting(i, loose_, out);
    std::inplace_merge(out.begin(), out.begin() + from_tree, out.end(), ByIndex);
}

// The pairs of the next range of lower indices, from low on: the whole
// rest at first, then as long a range as the last one's pairs say would
// fill three quarters of the table, at most twice as long; shortened until
// it fits.
void TSegmentIndex::FindTreePairsFrom(int32_t low) {
    if (RangesCostMoreThanAll(low)) {
        tree_ = TSegmentTree{};
        tree_pairs_.Clear();
        method_ = TMethod::Direct;
        return;
    }
    const auto count = static_cast<int64_t>(lines_.size());
    int64_t span = count;
    if (pairs_high_ > 0) {
        const int64_t last = pairs_high_ - pairs_low_;
        const double fill = 0.75 * static_cast<double>(most_kept_pairs_) /
                            static_cast<double>(std::max<std::size_t>(tree_pairs_.Size(), 1));
        span = static_cast<int64_t>(
            std::clamp(static_cast<double>(last) * fill, 1.0, 2.0 * static_cast<double>(last)));
    }
    for (;;) {
        tree_pairs_.Clear();
        const auto high = static_cast<int32_t>(std::min(count, low + span));
        const TSegmentTree::TFound found =
            tree_.FindPairs(low, high, most_kept_pairs_, tree_pairs_);
        pairs_kept_ = found.Kept;
        if (pairs_kept_ || span == 1) {
            checked_in_range_ = found.Checked;
            tree_pairs_.Group(low, high);
            pairs_low_ = low, pairs_high_ = high;
            return;
        }
        span = std::max<int64_t>(1, span / 4);
    }
}

// Each range walks the tree again, and where the segments' order says
// little of where they lie, nearly the whole of it: once a range checked
// more pairs a segment than there are later segments, each check a small
// part of a test, testing every later one costs less.
bool TSegmentIndex::RangesCostMoreThanAll(int32_t low) const {
    if (pairs_high_ == 0) return false;
    const double per_segment =
        static_cast<double>(checked_in_range_) / static_cast<double>(pairs_high_ - pairs_low_);
    return per_segment > static_cast<double>(lines_.size() - static_cast<std::size_t>(low));
}

} // namespace Unit1
