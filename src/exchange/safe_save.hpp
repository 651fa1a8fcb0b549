// JwwGaibu: saving a file so that no reader ever sees it half-written and a
// killed process leaves the old content in place. The content goes into a
// temporary file beside the target that replaces it in one step; where that
// is refused (no right to create or rename an entry, no inodes left, the
// file held open by a program that does not share deletion, a hard link or
// an owner a new file could not keep), the file is rewritten in place.
// Temporary files of processes that have ended are removed by the next save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/write_file.hpp"

namespace JwwGaibu {

// Receives the content a piece at a time; false once writing has failed.
class TByteSink {
  public:
    virtual bool Put(std::string_view bytes) = 0;

  protected:
    ~TByteSink() = default;
};
// Writes the whole content into the sink; false when that failed.
using TContentWriter = std::function<bool(TByteSink&)>;

enum class TSaveResult {
    Replaced,  // the complete content took the file's place in one step
    Rewritten, // the complete content was written into the file in place
    Untouched, // nothing could be written; the file is as it was
    Torn,      // the rewrite in place failed part-way: the file is damaged
};
inline bool Saved(TSaveResult result) {
    return result == TSaveResult::Replaced || result == TSaveResult::Rewritten;
}

TSaveResult SaveFileSafely(const std::filesystem::path& path, const TContentWriter& content);
// Only the in-place step: the file created, or emptied and written again.
TSaveResult RewriteInPlace(const std::filesystem::path& path, const TContentWriter& content);
// A content writer for bytes at hand.
TContentWriter ContentOf(std::string_view bytes);

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
    Platform::TWriteFile& File() { return file_; }
    const std::filesystem::path& Temporary() const { return temp_; }
    // Closes the file, gives it the real file's permissions and owner and
    // puts it in its place; false where any of that is refused.
    bool Replace();

  private:
    std::filesystem::path real_;
    std::filesystem::path temp_;
    Platform::TWriteFile file_;
};

// Removes a file (never a folder); a failure is ignored.
void RemoveFileQuietly(const std::filesystem::path& path) noexcept;

// The name under which the process process_id prepares path's content.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path, uint64_t process_id);

} // namespace JwwGaibu
