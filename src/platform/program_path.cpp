#include "platform/program_path.hpp"

#include <string>
#include <system_error>

#ifdef _WIN32
// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <libloaderapi.h>
// clang-format on
#endif

namespace Platform {

#ifdef _WIN32

namespace {

constexpr DWORD kFirstGuess = MAX_PATH;
constexpr DWORD kLongestPath = 32768; // the longest path the system allows

} // namespace

std::filesystem::path ProgramFilePath() {
    // The result is cut off silently when the buffer is too small: grow it.
    for (DWORD size = kFirstGuess; size <= kLongestPath; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
    }
    return {};
}

#else

std::filesystem::path ProgramFilePath() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self;
}

#endif

} // namespace Platform
