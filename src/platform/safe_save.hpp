// Platform: the one way a file is saved so that no reader ever sees it
// half-written, whenever the process is killed. First the content goes into
// a temporary file beside the target that replaces it in one step. Where
// that is refused (no right to create or rename an entry, no inodes left,
// the file held open by a program that does not share deletion, a hard
// link or an owner a new file could not keep), the file is rewritten in
// place, in an order that never shows a torn content: with a placeholder,
// the placeholder stands at the file's start until the last small write;
// without one, the new content goes over the old in one write and only then
// is the length cut. What cannot be saved leaves what the caller names: the
// placeholder (failing that, no file), or the old file.
// Temporary files of processes that have ended are removed by the next save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/write_file.hpp"

namespace Platform {

// Receives the content a piece at a time; false once writing has failed.
class TByteSink {
  public:
    virtual bool Put(std::string_view bytes) = 0;

  protected:
    ~TByteSink() = default;
};

// The content to save: exactly Size bytes, put by Write (false when that
// failed). Write may be called more than once.
struct TContent {
    uint64_t Size = 0;
    std::function<bool(TByteSink&)> Write;
};
// The content of bytes at hand.
TContent ContentOf(std::string_view bytes);

// What a save that cannot be completed leaves behind: Placeholder's bytes
// (a few, for a reader the sign of "nothing here"), or, when empty, the
// old file. The in-place rewrite of content that is not small needs one.
struct TFallback {
    std::string_view Placeholder;
};

enum class TSaveResult {
    Replaced,  // the complete content took the file's place in one step
    Rewritten, // the complete content was written into the file in place
    FellBack,  // the file holds what the fallback names (or, at worst, is gone)
};
inline bool Saved(TSaveResult result) {
    return result != TSaveResult::FellBack;
}

class TReplacement;

// ready, where given, already holds the whole content and is the only
// replacement tried; otherwise a new one is made.
TSaveResult SaveFile(const std::filesystem::path& path, const TContent& content, TFallback fallback,
                     TReplacement* ready = nullptr);

// A temporary file beside path's real file (the file a symbolic link at
// path names, so that the link stays) that takes that file's place in one
// step; removed unless it did.
class TReplacement {
  public:
    TReplacement() = default;
    ~TReplacement();
    TReplacement(const TReplacement&) = delete;
    TReplacement& operator=(const TReplacement&) = delete;

    // False where no temporary file can be made there (or the link leads
    // nowhere): such a path can only be written in place.
    bool Start(const std::filesystem::path& path);
    TWriteFile& File() { return file_; }
    const std::filesystem::path& Temporary() const { return temp_; }
    // A write into it failed: it never replaces anything.
    void Break() { broken_ = true; }
    bool Broken() const { return broken_; }
    // Closes the file, gives it the real file's permissions and owner and
    // puts it in its place; false where any of that is refused.
    bool Replace();

  private:
    std::filesystem::path real_;
    std::filesystem::path temp_;
    TWriteFile file_;
    bool broken_ = false;
};

// Removes a file (never a folder); a failure is ignored.
void RemoveFileQuietly(const std::filesystem::path& path) noexcept;

// The name under which the process process_id prepares path's content.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path, uint64_t process_id);

} // namespace Platform
