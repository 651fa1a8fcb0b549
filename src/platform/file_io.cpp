#include "platform/file_io.hpp"

#include <cstring>
#include <string>
#include <system_error>

namespace Platform {

namespace fs = std::filesystem;

TFilePtr OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    // The narrow fopen would go through the ANSI code page and lose any
    // character outside it; the wide call takes the path as it is.
    std::wstring wide_mode(mode, mode + std::strlen(mode));
    return TFilePtr(_wfopen(path.c_str(), wide_mode.c_str()));
#else
    return TFilePtr(std::fopen(path.c_str(), mode));
#endif
}

bool ReadSmallFile(const fs::path& path, std::size_t max_bytes, std::string& bytes) {
    bytes.clear();
    TFilePtr file = OpenFile(path, "rb");
    if (!file) return false;
    char block[4096];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file.get());
        if (bytes.size() + got > max_bytes) return false;
        bytes.append(block, got);
        if (got < sizeof block) return std::ferror(file.get()) == 0;
    }
}

bool FileExists(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) return false;
    return fs::exists(status) && !fs::is_directory(status);
}

} // namespace Platform
