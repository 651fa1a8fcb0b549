// JwwGaibu: the answer, from the moment the host's file has been read to the
// close. Each line is kept at once in the file's own form (an entry of at
// most 255 bytes, then CR LF, except that an entry ending in a double quote
// runs on into the next one) in blocks of a megabyte. Once StreamBeside has
// made a temporary file beside the exchange file, every full block goes
// there, so memory stays one block however large the answer; at close that
// file takes the exchange file's place in one step, or, where that is
// refused, the answer is written into the file in place, its first line
// reading "hq" until the last write. Where no temporary file can be had, or
// writing to it fails, the blocks stay in memory.
// An answer that cannot be completed (Abandon, or the line limit reached)
// becomes "hq": the host never gets a shortened answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/safe_save.hpp"

namespace JwwGaibu {

struct TExchangeState;

inline constexpr std::size_t kShortStringMax = 255;
// The file's content when there is nothing to draw.
inline constexpr std::string_view kEmptyAnswer = "hq\r\n";
// The line count is a signed 32-bit number.
inline constexpr int64_t kOutputLineLimit = std::numeric_limits<int32_t>::max();

class TAnswerWriter {
  public:
    explicit TAnswerWriter(int64_t line_limit = kOutputLineLimit) : line_limit_(line_limit) {}

    // Appends one entry (cut to 255 bytes, by bytes).
    void Add(std::string_view text);
    // Room for one entry and its line end, straight in the block: the
    // caller writes up to kShortStringMax bytes there, then commits them.
    char* LineSpace();
    void CommitLine(std::size_t length);

    int32_t Count() const { return static_cast<int32_t>(count_); }
    // The answer cannot be completed: it becomes "hq" at close.
    void Abandon();
    bool Abandoned() const { return abandoned_; }

    // From now on full blocks go to a temporary file beside target; false
    // (the blocks stay in memory) where none can be made there. Only the
    // first call streams: a later one keeps every block and reports false.
    bool StreamBeside(const std::filesystem::path& target);
    // Writes the answer (or "hq" when there is none) to path and frees
    // everything. Where the answer cannot be saved, "hq" is written in
    // place, and failing that the file is removed. True when the whole
    // answer (or "hq" for an empty one) is there.
    bool WriteBack(const std::filesystem::path& path);

  private:
    struct TBlock {
        std::unique_ptr<char[]> Bytes;
        std::size_t Used = 0;
    };
    void NextBlock();
    bool StreamHeld();
    bool PutHeld(Platform::TByteSink& sink) const;
    Platform::TContent Content();

    std::vector<TBlock> blocks_; // the last one is being filled
    // The temporary file the blocks go to, removed with it unless it became
    // the answer.
    std::unique_ptr<Platform::TReplacement> stream_;
    std::filesystem::path stream_target_;
    uint64_t streamed_bytes_ = 0; // the answer's bytes safely in it
    bool stream_asked_ = false;   // StreamBeside was called
    int64_t count_ = 0;
    int64_t line_limit_;
    bool joining_ = false; // the last entry ended in a double quote
    bool abandoned_ = false;
};

// The Part's names over the program's state.
void AddOutputLine(TExchangeState& state, std::string_view text);
bool WriteExchangeFile(TExchangeState& state, const std::filesystem::path& path);

// "hq" in place of the host's selection, where the file exists: called as
// soon as the file has been read, so that a run that is killed or crashes
// from then on leaves an answer the host can carry out harmlessly.
bool ReplaceSelectionWithEmptyAnswer(const std::filesystem::path& path);

} // namespace JwwGaibu
