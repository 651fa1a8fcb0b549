#include "exchange/answer_writer.hpp"

#include <algorithm>
#include <cstring>

#include "exchange/exchange_state.hpp"
#include "platform/file_io.hpp"

namespace JwwGaibu {

namespace fs = std::filesystem;

namespace {

// A megabyte a block: millions of short lines cost a few hundred writes.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::string_view kLineEnd = "\r\n";
constexpr char kQuote = '"';
// An entry and its line end always fit behind the block's last one.
constexpr std::size_t kLineRoom = kShortStringMax + kLineEnd.size();

// Puts the first bytes of the file at path into sink; false unless all of
// them could be read.
bool CopyFilePrefix(const fs::path& path, uint64_t bytes, Platform::TByteSink& sink) {
    Platform::TFilePtr file = Platform::OpenFile(path, "rb");
    if (!file) return false;
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    while (bytes > 0) {
        const auto want = static_cast<std::size_t>(std::min<uint64_t>(bytes, kBlockBytes));
        if (std::fread(block.get(), 1, want, file.get()) != want) return false;
        if (!sink.Put(std::string_view(block.get(), want))) return false;
        bytes -= want;
    }
    return true;
}

// The host carries out whatever the file holds once we have ended: it must
// never find its own selection there again, nor half an answer. A file
// that begins with "hq" it takes as nothing to draw, so "hq" stands in for
// the answer until it is complete, and is what a failed save leaves.
constexpr Platform::TFallback kHandBack{kEmptyAnswer};

} // namespace

char* TAnswerWriter::LineSpace() {
    if (blocks_.empty() || kBlockBytes - blocks_.back().Used < kLineRoom) NextBlock();
    return blocks_.back().Bytes.get() + blocks_.back().Used;
}

void TAnswerWriter::CommitLine(std::size_t length) {
    if (abandoned_) return;
    if (count_ >= line_limit_) return Abandon(); // never a shortened answer
    TBlock& block = blocks_.back();
    char* const text = block.Bytes.get() + block.Used;
    // An entry ending in a double quote runs on into the next one, which
    // then ends the line whatever it ends with.
    const bool ends_line = joining_ || length == 0 || text[length - 1] != kQuote;
    joining_ = !ends_line;
    if (ends_line) {
        std::memcpy(text + length, kLineEnd.data(), kLineEnd.size());
        length += kLineEnd.size();
    }
    block.Used += length;
    ++count_;
}

void TAnswerWriter::Add(std::string_view text) {
    // The cut counts bytes and may split a double-byte character.
    const std::size_t length = std::min(text.size(), kShortStringMax);
    std::memcpy(LineSpace(), text.data(), length);
    CommitLine(length);
}

void TAnswerWriter::Abandon() {
    abandoned_ = true;
    blocks_.clear();
    stream_.reset();
}

void TAnswerWriter::NextBlock() {
    if (!blocks_.empty() && (abandoned_ || StreamHeld())) {
        blocks_.back().Used = 0; // written out, or not wanted: filled again
        return;
    }
    blocks_.push_back({std::make_unique_for_overwrite<char[]>(kBlockBytes), 0});
}

// Writes the held blocks to the temporary file and lets them go, all but
// the last one, emptied for reuse. A failed write keeps the rest in memory.
bool TAnswerWriter::StreamHeld() {
    if (!stream_ || stream_->Broken()) return false;
    std::size_t written = 0;
    for (; written < blocks_.size(); ++written) {
        const TBlock& block = blocks_[written];
        if (!stream_->File().Write(block.Bytes.get(), block.Used)) break;
        streamed_bytes_ += block.Used;
    }
    const bool all = written == blocks_.size();
    if (!all) stream_->Break(); // the rest stays in memory
    if (all && written > 0) {
        --written;
        blocks_.back().Used = 0;
    }
    blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(written));
    return all;
}

bool TAnswerWriter::StreamBeside(const fs::path& target) {
    // A second temporary file would lose the blocks already in the first.
    if (stream_asked_ || abandoned_) return false;
    stream_asked_ = true;
    stream_ = std::make_unique<Platform::TReplacement>();
    stream_target_ = target;
    if (!stream_->Start(target)) stream_.reset();
    return stream_ != nullptr;
}

bool TAnswerWriter::PutHeld(Platform::TByteSink& sink) const {
    for (const TBlock& block : blocks_)
        if (!sink.Put(std::string_view(block.Bytes.get(), block.Used))) return false;
    return true;
}

// The answer from the temporary file (what reached it) and memory.
Platform::TContent TAnswerWriter::Content() {
    uint64_t size = stream_ ? streamed_bytes_ : 0;
    for (const TBlock& block : blocks_)
        size += block.Used;
    return {size, [this](Platform::TByteSink& sink) {
                return (!stream_ || CopyFilePrefix(stream_->Temporary(), streamed_bytes_, sink)) &&
                       PutHeld(sink);
            }};
}

bool TAnswerWriter::WriteBack(const fs::path& path) {
    Platform::TSaveResult saved = Platform::TSaveResult::FellBack;
    if (abandoned_ || count_ == 0) {
        saved = Platform::SaveFile(path, Platform::ContentOf(kEmptyAnswer), kHandBack);
    } else {
        // The temporary file holds the answer once the rest has reached it;
        // one for another path is only read from.
        const bool ours = stream_ && path == stream_target_;
        if (ours) StreamHeld();
        saved = Platform::SaveFile(path, Content(), kHandBack, ours ? stream_.get() : nullptr);
    }
    *this = TAnswerWriter(line_limit_); // frees the blocks and the temporary file
    return Platform::Saved(saved);
}

void AddOutputLine(TExchangeState& state, std::string_view text) {
    state.Answer.Add(text);
}

bool WriteExchangeFile(TExchangeState& state, const fs::path& path) {
    return state.Answer.WriteBack(path);
}

bool ReplaceSelectionWithEmptyAnswer(const fs::path& path) {
    if (!Platform::FileExists(path)) return true; // nothing there to be drawn again
    return Platform::Saved(Platform::SaveFile(path, Platform::ContentOf(kEmptyAnswer), kHandBack));
}

} // namespace JwwGaibu
