// JwwGaibu: guarded file access shared by the exchange and settings files.
// Paths are std::filesystem paths so that folders with Japanese names work
// on Windows (wide-character API) as well as on Linux.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

namespace JwwGaibu {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

// fopen with a filesystem path; mode as for fopen ("rb", "wb").
TFilePtr OpenFile(const std::filesystem::path& path, const char* mode);

// True when a regular file (or anything that is not a folder) exists there.
bool FileExists(const std::filesystem::path& path);

// A file written beside its target and moved over it only when complete.
class TReplacingFile {
  public:
    explicit TReplacingFile(std::filesystem::path target);
    ~TReplacingFile(); // removes the temporary file unless committed
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    bool Open();
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and moves the temporary file over the target.
    bool Commit();

  private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    TFilePtr file_;
    bool failed_ = false;
    bool committed_ = false;
};

} // namespace JwwGaibu
