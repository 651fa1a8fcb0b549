#include "platform/safe_save.hpp"

#include <algorithm>
#include <charconv>
#include <exception>
#include <string>
#include <system_error>

#include "platform/file_io.hpp"

namespace Platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = ".tmp";
enum class TWriteStep { Done, FileFailed, ContentFailed };

// Hands each piece to the file, all but the first head bytes, which are
// kept for the last write of a rewrite in place.
class TFileSink final : public TByteSink {
  public:
    TFileSink(TWriteFile& file, std::size_t head) : file_(file), head_room_(head) {}
    bool Put(std::string_view bytes) override {
        const std::size_t kept = std::min(bytes.size(), head_room_ - head_.size());
        head_.append(bytes.substr(0, kept));
        bytes.remove_prefix(kept);
        put_ += kept + bytes.size();
        ok_ = ok_ && (bytes.empty() || file_.Write(bytes.data(), bytes.size()));
        return ok_;
    }
    bool Ok() const { return ok_; }
    uint64_t PutBytes() const { return put_; }
    const std::string& Head() const { return head_; }

  private:
    TWriteFile& file_;
    std::size_t head_room_;
    std::string head_;
    uint64_t put_ = 0;
    bool ok_ = true;
};

// Writes the whole content. A content writer that gives up while the file
// still takes bytes (out of memory, say) is told apart: trying again in
// place would only destroy the old content.
TWriteStep WriteContent(TFileSink& sink, const TContent& content) {
    bool produced = false;
    bool sink_ok = false;
    try {
        produced = content.Write(sink) && sink.PutBytes() == content.Size;
        sink_ok = sink.Ok();
    } catch (const std::exception&) {
        produced = false;
        sink_ok = true;
    }
    if (produced && sink_ok) return TWriteStep::Done;
    return sink_ok ? TWriteStep::ContentFailed : TWriteStep::FileFailed;
}

bool WriteAt(TWriteFile& file, uint64_t offset, std::string_view bytes) {
    return file.Seek(offset) && file.Write(bytes.data(), bytes.size());
}

// The placeholder stands at the start from the first write to the last:
// room reserved, the placeholder written, everything after the first
// bytes, the length set, and then the first bytes in one small write. A
// kill at any moment leaves a file that begins with the placeholder, or
// the complete content.
TWriteStep RewriteBehindPlaceholder(TWriteFile& file, const TContent& content,
                                    std::string_view placeholder) {
    const std::size_t head =
        static_cast<std::size_t>(std::min<uint64_t>(placeholder.size(), content.Size));
    if (!file.Reserve(content.Size) || !WriteAt(file, 0, placeholder) || !file.Seek(head))
        return TWriteStep::FileFailed;
    TFileSink sink(file, head);
    const TWriteStep written = WriteContent(sink, content);
    if (written != TWriteStep::Done) return written;
    const bool done = file.SetLength(content.Size) && WriteAt(file, 0, sink.Head());
    return done ? TWriteStep::Done : TWriteStep::FileFailed;
}

// A small content goes over the old in one write, and only then is the
// length cut: the file's start always holds a complete content, and a
// reader of the first lines finds the old or the new. A write that fails
// puts the old bytes back.
TWriteStep RewriteInOneWrite(const fs::path& path, TWriteFile& file, const TContent& content) {
    std::string old_bytes(static_cast<std::size_t>(content.Size), '\0');
    const TFilePtr old = OpenFile(path, "rb"); // missing: nothing to put back
    old_bytes.resize(old ? std::fread(old_bytes.data(), 1, old_bytes.size(), old.get()) : 0);
    TWriteFile collector;
    TFileSink sink(collector, static_cast<std::size_t>(content.Size));
    const TWriteStep produced = WriteContent(sink, content);
    if (produced != TWriteStep::Done) return produced;
    if (!file.Reserve(content.Size)) return TWriteStep::FileFailed;
    if (WriteAt(file, 0, sink.Head()) && file.SetLength(content.Size)) return TWriteStep::Done;
    TWriteFile again;
    if (again.Open(path, TCreate::InPlace) && WriteAt(again, 0, old_bytes) &&
        old_bytes.size() < content.Size)
        again.SetLength(old_bytes.size()); // it was shorter
    return TWriteStep::FileFailed;
}

TWriteStep RewriteInPlace(const fs::path& path, const TContent& content, TFallback fallback) {
    TWriteFile file;
    if (!file.Open(path, TCreate::InPlace)) return TWriteStep::FileFailed;
    const TWriteStep written = fallback.Placeholder.empty()
                                   ? RewriteInOneWrite(path, file, content)
                                   : RewriteBehindPlaceholder(file, content, fallback.Placeholder);
    return file.Close() || written != TWriteStep::Done ? written : TWriteStep::FileFailed;
}

// The placeholder alone, in the same order; where even that fails, the
// file goes, so that no reader takes the rest for content.
void LeavePlaceholder(const fs::path& path, std::string_view placeholder) {
    TWriteFile file;
    const bool left = file.Open(path, TCreate::InPlace) && WriteAt(file, 0, placeholder) &&
                      file.SetLength(placeholder.size());
    if (!file.Close() || !left) RemoveFileQuietly(path);
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

bool CreateTemporary(TWriteFile& file, const fs::path& temp) {
    if (file.Open(temp, TCreate::New)) return true;
    // Left by an earlier process that had our number.
    if (!FileExists(temp)) return false;
    RemoveFileQuietly(temp);
    return file.Open(temp, TCreate::New);
}

void RemoveAbandonedTemporaries(const fs::path& path) noexcept {
    try {
        const std::string prefix = path.filename().string() + std::string(kTemporaryMark);
        const uint64_t self = CurrentProcessId();
        std::error_code error;
        fs::directory_iterator entries(path.parent_path().empty() ? "." : path.parent_path(),
                                       error);
        for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
            uint64_t owner = 0;
            if (!TemporaryOwner(entries->path().filename().string(), prefix, owner)) continue;
            if (owner != self && ProcessIsRunning(owner)) continue; // a save in progress
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
    const fs::path temp = TemporaryPathFor(real_, CurrentProcessId());
    if (!CreateTemporary(file_, temp)) return false;
    temp_ = temp;
    return true;
}

bool TReplacement::Replace() {
    if (broken_) return false;
    const bool kept = file_.AdoptIdentityOf(real_);
    if (!file_.Close() || !kept || !ReplaceInOneStep(temp_, real_)) return false;
    temp_.clear();
    return true;
}

TSaveResult SaveFile(const fs::path& path, const TContent& content, TFallback fallback,
                     TReplacement* ready) {
    TWriteStep written = TWriteStep::FileFailed;
    if (ready) {
        if (!ready->Broken() && ready->Replace()) return TSaveResult::Replaced;
        ready->File().Close(); // read back for the rewrite in place
        written = TWriteStep::Done;
    } else if (TReplacement replacement; replacement.Start(path)) {
        TFileSink sink(replacement.File(), 0);
        written = WriteContent(sink, content);
        if (written == TWriteStep::Done && replacement.Replace()) return TSaveResult::Replaced;
    } // the temporary file is gone before any rewrite in place: a full disk has the room back
    if (written != TWriteStep::ContentFailed) written = RewriteInPlace(path, content, fallback);
    if (written == TWriteStep::Done) return TSaveResult::Rewritten;
    if (!fallback.Placeholder.empty()) LeavePlaceholder(path, fallback.Placeholder);
    return TSaveResult::FellBack;
}

TContent ContentOf(std::string_view bytes) {
    return {bytes.size(), [bytes](TByteSink& sink) { return sink.Put(bytes); }};
}

void RemoveFileQuietly(const fs::path& path) noexcept {
    try {
        if (!FileExists(path)) return;
        std::error_code error;
        fs::remove(path, error);
    } catch (const std::exception&) {
    }
}

} // namespace Platform
