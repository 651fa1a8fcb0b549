#include "exchange/output_buffer.hpp"

#include <string>
#include <system_error>

#include "exchange/file_io.hpp"

namespace JwwGaibu {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEmptyAnswer = "hq\r\n";
constexpr char kQuote = '"';
// The file is written in blocks of about this size, not line by line.
constexpr std::size_t kWriteBlockBytes = std::size_t{1} << 20;

// Collects the file's bytes and hands them to the file a block at a time.
class TBlockWriter {
  public:
    explicit TBlockWriter(TReplacingFile& file) : file_(file) { block_.reserve(kWriteBlockBytes); }

    void Append(std::string_view bytes) {
        if (block_.size() + bytes.size() > kWriteBlockBytes) Flush();
        block_.append(bytes);
    }
    bool Flush() {
        if (ok_ && !block_.empty()) ok_ = file_.Write(block_.data(), block_.size());
        block_.clear();
        return ok_;
    }
    bool Ok() const { return ok_; }

  private:
    TReplacingFile& file_;
    std::string block_;
    bool ok_ = true;
};

// An entry ending in a double quote runs on into the next entry, which ends
// the file line whatever it ends with; that is how a line longer than one
// entry is carried. A quote-ended last entry ends the file without CR LF.
void WriteEntries(const TOutputLines& lines, TBlockWriter& writer) {
    bool joining = false;
    lines.ForEach([&](std::string_view entry) {
        if (!writer.Ok()) return;
        writer.Append(entry);
        if (!joining && !entry.empty() && entry.back() == kQuote) {
            joining = true;
            return;
        }
        writer.Append(kLineEnd);
        joining = false;
    });
}

bool WriteAll(const TOutputLines& lines, const std::filesystem::path& path) {
    TReplacingFile file(path);
    if (!file.Open()) return false;
    TBlockWriter writer(file);
    if (lines.Count() == 0)
        writer.Append(kEmptyAnswer);
    else
        WriteEntries(lines, writer);
    return writer.Flush() && file.Commit();
}

// The host must never read a half-written answer; a folder is left alone.
void RemoveExchangeFile(const std::filesystem::path& path) noexcept {
    try {
        if (!FileExists(path)) return;
        std::error_code error;
        std::filesystem::remove(path, error); // a failing removal is ignored
    } catch (...) {
    }
}

} // namespace

void AddOutputLine(TExchangeState& state, std::string_view text) {
    state.OutputLines.Add(text);
}

bool WriteExchangeFile(const TExchangeState& state, const std::filesystem::path& path) {
    bool written = false;
    try {
        written = WriteAll(state.OutputLines, path);
    } catch (...) {
        written = false; // out of memory while writing: treated like a failed write
    }
    if (!written) RemoveExchangeFile(path);
    return written;
}

} // namespace JwwGaibu
