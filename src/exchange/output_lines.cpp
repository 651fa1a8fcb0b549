#include "exchange/output_lines.hpp"

#include <algorithm>
#include <limits>

#include "exchange/short_copy.hpp"

namespace JwwGaibu {

void TOutputLines::StartChunk(std::size_t bytes_needed) {
    uint32_t size = chunks_.empty() ? kFirstChunkBytes : chunks_.back().Size;
    if (!chunks_.empty() && size < kMaxChunkBytes) size *= 2;
    size = std::max(size, static_cast<uint32_t>(bytes_needed));
    TTextChunk chunk;
    chunk.Bytes = Platform::MakeLargeBlock(size);
    chunk.Size = size;
    chunk.FirstLine = count_;
    chunks_.push_back(std::move(chunk));
}

void TOutputLines::Add(std::string_view text) {
    if (count_ == std::numeric_limits<int32_t>::max()) return; // the count is 32-bit
    // The cut counts bytes and may split a double-byte character.
    const std::size_t length = std::min(text.size(), kShortStringMax);
    if (chunks_.empty() || chunks_.back().Size - chunks_.back().Used < length) StartChunk(length);

    const auto slot = static_cast<uint32_t>(count_ - first_held_);
    const std::size_t block = slot >> kOffsetBlockShift;
    if (block == offset_blocks_.size())
        offset_blocks_.push_back(
            std::make_unique_for_overwrite<uint32_t[]>(std::size_t{kOffsetBlockMask} + 1));

    TTextChunk& chunk = chunks_.back();
    offset_blocks_[block][slot & kOffsetBlockMask] = chunk.Used;
    CopyShort(chunk.Bytes.get() + chunk.Used, text.data(), length);
    chunk.Used += static_cast<uint32_t>(length);
    ++count_;
    held_bytes_ += length;
    if (spill_ && held_bytes_ >= spill_limit_) Spill();
}

void TOutputLines::SpillTo(TLineSpill* spill, std::size_t held_limit) {
    spill_ = spill;
    spill_limit_ = held_limit;
}

void TOutputLines::Spill() {
    if (!spill_->Take(*this)) {
        spill_ = nullptr;
        return;
    }
    // The newest chunk and the first offset block are used again.
    chunks_.erase(chunks_.begin(), chunks_.end() - 1);
    chunks_.front().Used = 0;
    chunks_.front().FirstLine = count_;
    offset_blocks_.resize(1);
    first_held_ = count_;
    held_bytes_ = 0;
}

std::string_view TOutputLines::operator[](int32_t index) const {
    if (index < first_held_ || index >= count_) return {};
    // The chunk holding the entry is the last one starting at or before it.
    const auto after = std::upper_bound(
        chunks_.begin(), chunks_.end(), index,
        [](int32_t line, const TTextChunk& chunk) { return line < chunk.FirstLine; });
    return Entry(static_cast<std::size_t>(after - chunks_.begin()) - 1, index);
}

void TOutputLines::Clear() {
    // Keep the first chunk and offset block for reuse; drop the rest.
    if (chunks_.size() > 1) chunks_.erase(chunks_.begin() + 1, chunks_.end());
    if (offset_blocks_.size() > 1)
        offset_blocks_.erase(offset_blocks_.begin() + 1, offset_blocks_.end());
    if (!chunks_.empty()) {
        chunks_.front().Used = 0;
        chunks_.front().FirstLine = 0;
    }
    count_ = first_held_ = 0;
    held_bytes_ = 0;
    spill_ = nullptr;
}

void TOutputLines::Release() {
    chunks_ = std::vector<TTextChunk>{};
    offset_blocks_ = std::vector<std::unique_ptr<uint32_t[]>>{};
    count_ = first_held_ = 0;
    held_bytes_ = 0;
    spill_ = nullptr;
}

} // namespace JwwGaibu
