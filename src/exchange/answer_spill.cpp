#include "exchange/answer_spill.hpp"

#include <algorithm>
#include <exception>
#include <memory>

#include "exchange/block_sink.hpp"
#include "platform/file_io.hpp"

namespace JwwGaibu {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kQuote = '"';

// Puts the first bytes of the file at path into sink; false unless all of
// them could be read.
bool CopyFilePrefix(const fs::path& path, uint64_t bytes, TByteSink& sink) {
    Platform::TFilePtr file = Platform::OpenFile(path, "rb");
    if (!file) return false;
    const auto block_size = static_cast<std::size_t>(std::min<uint64_t>(bytes, kWriteBlockBytes));
    const auto block = std::make_unique_for_overwrite<char[]>(block_size);
    while (bytes > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(bytes, block_size));
        if (std::fread(block.get(), 1, want, file.get()) != want) return false;
        if (!sink.Put(std::string_view(block.get(), want))) return false;
        bytes -= want;
    }
    return true;
}

} // namespace

bool WriteEntries(const TOutputLines& lines, TByteSink& sink, bool& joining) {
    bool ok = true;
    lines.ForEach([&](std::string_view entry) {
        if (!ok) return;
        ok = sink.Put(entry);
        if (!joining && !entry.empty() && entry.back() == kQuote) {
            joining = true;
            return;
        }
        ok = ok && sink.Put(kLineEnd);
        joining = false;
    });
    return ok;
}

TAnswerSpill::TAnswerSpill() = default;

TAnswerSpill::~TAnswerSpill() {
    sink_.reset();
    file_.Close();
    if (!temp_.empty()) RemoveFileQuietly(temp_);
}

bool TAnswerSpill::Start(const fs::path& target) {
    target_ = target;
    if (!ResolveSaveTarget(target, real_)) return false;
    RemoveAbandonedTemporaries(real_);
    const fs::path temp = TemporaryPathFor(real_, Platform::CurrentProcessId());
    if (!CreateTemporary(file_, temp)) return false;
    temp_ = temp;
    sink_ = std::make_unique<TBlockSink>(file_);
    return true;
}

bool TAnswerSpill::Take(const TOutputLines& lines) {
    if (broken_ || !sink_) return false;
    bool joining = good_joining_;
    try {
        if (!WriteEntries(lines, *sink_, joining) || !sink_->Flush()) broken_ = true;
    } catch (const std::exception&) {
        broken_ = true;
    }
    if (broken_) return false;
    good_bytes_ = sink_->Total();
    good_joining_ = joining;
    return true;
}

bool TAnswerSpill::CopyAnswer(const TOutputLines& lines, bool with_held, TByteSink& sink) const {
    if (!CopyFilePrefix(temp_, good_bytes_, sink)) return false;
    bool joining = good_joining_;
    return !with_held || WriteEntries(lines, sink, joining);
}

TSaveResult TAnswerSpill::Finish(const TOutputLines& lines, const fs::path& path) {
    const bool whole = Take(lines);
    const bool kept = whole && file_.AdoptIdentityOf(real_);
    sink_.reset();
    const bool closed = file_.Close();
    if (whole && kept && closed && path == target_ && Platform::ReplaceInOneStep(temp_, real_)) {
        temp_.clear();
        return TSaveResult::Replaced;
    }
    // The replacement was refused (or a write failed): the answer goes into
    // the file in place, from what the temporary file holds.
    const bool with_held = !whole;
    const TSaveResult result =
        RewriteInPlace(path, [&](TByteSink& sink) { return CopyAnswer(lines, with_held, sink); });
    RemoveFileQuietly(temp_);
    temp_.clear();
    return result;
}

} // namespace JwwGaibu
