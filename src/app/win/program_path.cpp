#include "app/win/program_path.hpp"

#include <windows.h>

#include <string>

namespace Unit1 {

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

} // namespace Unit1
