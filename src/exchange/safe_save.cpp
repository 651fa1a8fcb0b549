#include "exchange/safe_save.hpp"

#include <charconv>
#include <exception>
#include <string>
#include <system_error>

#include "platform/file_io.hpp"
#include "platform/write_file.hpp"

namespace JwwGaibu {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = ".tmp";
enum class TWriteStep { Done, FileFailed, ContentFailed };

// Hands each piece straight to the file: the writers put whole blocks.
class TFileSink final : public TByteSink {
  public:
    explicit TFileSink(Platform::TWriteFile& file) : file_(file) {}
    bool Put(std::string_view bytes) override {
        ok_ = ok_ && file_.Write(bytes.data(), bytes.size());
        return ok_;
    }
    bool Ok() const { return ok_; }

  private:
    Platform::TWriteFile& file_;
    bool ok_ = true;
};

// Writes the whole content. A content writer that gives up while the file
// still takes bytes (out of memory, say) is told apart: trying again in
// place would only destroy the old content.
TWriteStep WriteContent(Platform::TWriteFile& file, const TContentWriter& content) {
    bool produced = false;
    bool sink_ok = false;
    try {
        TFileSink sink(file);
        produced = content(sink);
        sink_ok = sink.Ok();
    } catch (const std::exception&) {
        produced = false;
        sink_ok = true;
    }
    if (produced && sink_ok) return TWriteStep::Done;
    return sink_ok ? TWriteStep::ContentFailed : TWriteStep::FileFailed;
}

// The process number of a temporary name of path's, or false for any other name.
bool TemporaryOwner(const std::string& name, const std::string& prefix, uint64_t& owner) {
    if (name.size() <= prefix.size() || !name.starts_with(prefix)) return false;
    const char* last = name.data() + name.size();
    const auto parsed = std::from_chars(name.data() + prefix.size(), last, owner);
    if (parsed.ec == std::errc::result_out_of_range) owner = 0; // no process number: abandoned
    return parsed.ptr == last;
}

// A save through a symbolic link replaces the file it points to, so the
// link stays a link. An unresolvable link is written through in place.
bool ResolveSaveTarget(const fs::path& path, fs::path& target) {
    std::error_code error;
    target = path;
    if (!fs::is_symlink(path, error)) return true;
    target = fs::canonical(path, error);
    return !error;
}

bool CreateTemporary(Platform::TWriteFile& file, const fs::path& temp) {
    if (file.Open(temp, Platform::TCreate::New)) return true;
    // Left by an earlier process that had our number.
    if (!Platform::FileExists(temp)) return false;
    RemoveFileQuietly(temp);
    return file.Open(temp, Platform::TCreate::New);
}

void RemoveAbandonedTemporaries(const fs::path& path) noexcept {
    try {
        const std::string prefix = path.filename().string() + std::string(kTemporaryMark);
        const uint64_t self = Platform::CurrentProcessId();
        std::error_code error;
        fs::directory_iterator entries(path.parent_path().empty() ? "." : path.parent_path(),
                                       error);
        for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
            uint64_t owner = 0;
            if (!TemporaryOwner(entries->path().filename().string(), prefix, owner)) continue;
            if (owner != self && Platform::ProcessIsRunning(owner)) continue; // a save in progress
            RemoveFileQuietly(entries->path());
        }
    } catch (const std::exception&) {
        // a folder that cannot be listed keeps its leftovers
    }
}

} // namespace

fs::path TemporaryPathFor(const fs::path& path, uint64_t process_id) {
    fs::path temp = path;
    temp += std::string(kTemporaryMark) + std::to_string(process_id);
    return temp;
}

TReplacement::~TReplacement() {
    file_.Close();
    if (!temp_.empty()) RemoveFileQuietly(temp_);
}

bool TReplacement::Start(const fs::path& path) {
    if (!ResolveSaveTarget(path, real_)) return false;
    RemoveAbandonedTemporaries(real_);
    const fs::path temp = TemporaryPathFor(real_, Platform::CurrentProcessId());
    if (!CreateTemporary(file_, temp)) return false;
    temp_ = temp;
    return true;
}

bool TReplacement::Replace() {
    const bool kept = file_.AdoptIdentityOf(real_);
    if (!file_.Close() || !kept || !Platform::ReplaceInOneStep(temp_, real_)) return false;
    temp_.clear();
    return true;
}

TSaveResult RewriteInPlace(const fs::path& path, const TContentWriter& content) {
    Platform::TWriteFile file;
    if (!file.Open(path, Platform::TCreate::OrTruncate)) return TSaveResult::Untouched;
    const bool written = WriteContent(file, content) == TWriteStep::Done;
    return file.Close() && written ? TSaveResult::Rewritten : TSaveResult::Torn;
}

// The temporary file is gone before any rewrite in place: a full disk gets its room back.
TSaveResult SaveFileSafely(const fs::path& path, const TContentWriter& content) {
    TWriteStep written = TWriteStep::FileFailed;
    if (TReplacement replacement; replacement.Start(path)) {
        written = WriteContent(replacement.File(), content);
        if (written == TWriteStep::Done && replacement.Replace()) return TSaveResult::Replaced;
    }
    return written == TWriteStep::ContentFailed ? TSaveResult::Untouched
                                                : RewriteInPlace(path, content);
}

TContentWriter ContentOf(std::string_view bytes) {
    return [bytes](TByteSink& sink) { return sink.Put(bytes); };
}

void RemoveFileQuietly(const fs::path& path) noexcept {
    try {
        if (!Platform::FileExists(path)) return;
        std::error_code error;
        fs::remove(path, error);
    } catch (const std::exception&) {
    }
}

} // namespace JwwGaibu
