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
bool CopyFilePrefix(const fs::path& path, uint64_t bytes, TByteSink& sink) {
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
// never find its own selection there again, nor half an answer. So where
// the answer cannot be saved, "hq" is written in place, and failing that
// the file goes.
bool HandBack(TSaveResult saved, const fs::path& path) {
    if (Saved(saved)) return true;
    if (!Saved(RewriteInPlace(path, ContentOf(kEmptyAnswer)))) RemoveFileQuietly(path);
    return false;
}

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
    if (!stream_ || stream_broken_) return false;
    std::size_t written = 0;
    for (; written < blocks_.size(); ++written) {
        const TBlock& block = blocks_[written];
        if (!stream_->File().Write(block.Bytes.get(), block.Used)) break;
        streamed_bytes_ += block.Used;
    }
    const bool all = written == blocks_.size();
    stream_broken_ = !all;
    if (all && written > 0) {
        --written;
        blocks_.back().Used = 0;
    }
    blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(written));
    return all;
}

bool TAnswerWriter::StreamBeside(const fs::path& target) {
    stream_ = std::make_unique<TReplacement>();
    stream_target_ = target;
    streamed_bytes_ = 0;
    stream_broken_ = false;
    if (!stream_->Start(target)) stream_.reset();
    return stream_ != nullptr;
}

bool TAnswerWriter::PutHeld(TByteSink& sink) const {
    for (const TBlock& block : blocks_)
        if (!sink.Put(std::string_view(block.Bytes.get(), block.Used))) return false;
    return true;
}

TSaveResult TAnswerWriter::FinishStream(const fs::path& path) {
    if (StreamHeld() && path == stream_target_ && stream_->Replace()) return TSaveResult::Replaced;
    // The replacement was refused (or a write failed): the answer goes into
    // the file in place, from the temporary file and what memory holds.
    stream_->File().Close();
    return RewriteInPlace(path, [this](TByteSink& sink) {
        return CopyFilePrefix(stream_->Temporary(), streamed_bytes_, sink) && PutHeld(sink);
    });
}

bool TAnswerWriter::WriteBack(const fs::path& path) {
    TSaveResult saved = TSaveResult::Untouched;
    if (abandoned_ || count_ == 0)
        saved = SaveFileSafely(path, ContentOf(kEmptyAnswer));
    else if (stream_)
        saved = FinishStream(path);
    else
        saved = SaveFileSafely(path, [this](TByteSink& sink) { return PutHeld(sink); });
    *this = TAnswerWriter(line_limit_); // frees the blocks and the temporary file
    return HandBack(saved, path);
}

void AddOutputLine(TExchangeState& state, std::string_view text) {
    state.Answer.Add(text);
}

bool WriteExchangeFile(TExchangeState& state, const fs::path& path) {
    return state.Answer.WriteBack(path);
}

bool ReplaceSelectionWithEmptyAnswer(const fs::path& path) {
    if (!Platform::FileExists(path)) return true; // nothing there to be drawn again
    return HandBack(SaveFileSafely(path, ContentOf(kEmptyAnswer)), path);
}

} // namespace JwwGaibu
