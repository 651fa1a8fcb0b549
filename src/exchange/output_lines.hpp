// JwwGaibu: the output line buffer. Entries are short strings of at most 255
// bytes (longer text is cut), kept in append order and never changed. The
// text lives in a few large chunks and each entry costs one 32-bit offset on
// top of its own bytes, so millions of lines stay near the size of their
// text; the capacity still counts in whole blocks of 1000 entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/large_memory.hpp"

#include "exchange/figure_table.hpp"

namespace JwwGaibu {

inline constexpr std::size_t kShortStringMax = 255;

class TOutputLines;

// Takes over the entries a buffer holds, in order (see TOutputLines::SpillTo).
class TLineSpill {
  public:
    // Takes every entry lines holds now; false when it could not.
    virtual bool Take(const TOutputLines& lines) = 0;

  protected:
    ~TLineSpill() = default;
};

class TOutputLines {
  public:
    void Add(std::string_view text);
    int32_t Count() const { return count_; }
    // Entry index; an index outside FirstHeld() .. Count() - 1 gives an empty text.
    std::string_view operator[](int32_t index) const;

    // From now on, whenever the held text reaches held_limit bytes, the held
    // entries go to spill and are dropped here, so memory stays bounded. A
    // spill that fails is given up and the entries stay. Count() still
    // counts every entry; the others see only those held.
    void SpillTo(TLineSpill* spill, std::size_t held_limit);
    int32_t FirstHeld() const { return first_held_; }

    // Visits every held entry in order at constant cost per entry.
    template <class F> void ForEach(F&& visit) const {
        for (std::size_t chunk = 0; chunk < chunks_.size(); ++chunk) {
            const int32_t end = EndLine(chunk);
            for (int32_t index = chunks_[chunk].FirstLine; index < end; ++index)
                visit(Entry(chunk, index));
        }
    }

    void Clear();   // empty, count 0
    void Release(); // empty, count 0, storage freed

  private:
    // A run of whole entries, back to back; an entry never straddles two chunks.
    struct TTextChunk {
        Platform::TLargeBlock Bytes;
        uint32_t Size = 0;
        uint32_t Used = 0;
        int32_t FirstLine = 0;
    };
    // Chunks start small so that a short answer costs little, then grow.
    static constexpr uint32_t kFirstChunkBytes = uint32_t{1} << 16;
    static constexpr uint32_t kMaxChunkBytes = uint32_t{1} << 22;
    // Offsets live in fixed blocks, so growing never copies the old ones.
    static constexpr int kOffsetBlockShift = 14;
    static constexpr uint32_t kOffsetBlockMask = (uint32_t{1} << kOffsetBlockShift) - 1;

    uint32_t Offset(int32_t index) const {
        const auto i = static_cast<uint32_t>(index - first_held_);
        return offset_blocks_[i >> kOffsetBlockShift][i & kOffsetBlockMask];
    }
    int32_t EndLine(std::size_t chunk) const {
        return chunk + 1 < chunks_.size() ? chunks_[chunk + 1].FirstLine : count_;
    }
    // Entry index, which lies in chunk: it ends where the next one starts.
    std::string_view Entry(std::size_t chunk, int32_t index) const {
        const TTextChunk& c = chunks_[chunk];
        const uint32_t begin = Offset(index);
        const uint32_t end = index + 1 < EndLine(chunk) ? Offset(index + 1) : c.Used;
        return {c.Bytes.get() + begin, end - begin};
    }
    void StartChunk(std::size_t bytes_needed);
    void Spill();

    std::vector<TTextChunk> chunks_;
    std::vector<std::unique_ptr<uint32_t[]>> offset_blocks_;
    int32_t count_ = 0;
    int32_t first_held_ = 0; // entries before it went to the spill
    std::size_t held_bytes_ = 0;
    TLineSpill* spill_ = nullptr;
    std::size_t spill_limit_ = 0;
};

} // namespace JwwGaibu
