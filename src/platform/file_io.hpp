// Platform: guarded file reading shared by the exchange and settings files
// (saving them is platform/safe_save.hpp).
// Paths are std::filesystem paths so that folders with Japanese names work
// on Windows (wide-character API) as well as on Linux.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace Platform {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

// fopen with a filesystem path; mode as for fopen ("rb", "wb").
TFilePtr OpenFile(const std::filesystem::path& path, const char* mode);

// The whole file, when it exists, can be read and is at most max_bytes long.
bool ReadSmallFile(const std::filesystem::path& path, std::size_t max_bytes, std::string& bytes);

// True when a regular file (or anything that is not a folder) exists there.
bool FileExists(const std::filesystem::path& path);

} // namespace Platform
