#include "cli/console_text.hpp"

#include <string>

#ifdef _WIN32
// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <fcntl.h>
#include <io.h>
#include <windef.h>
#include <winbase.h>
#include <wingdi.h> // LF_FACESIZE, used by wincon.h
#include <wincon.h>
// clang-format on
#else
#include <unistd.h>
#endif

#include "platform/text_encoding.hpp"

namespace CrossrectCli {

#ifdef _WIN32

namespace {

HANDLE ConsoleOf(std::FILE* stream) {
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
    return handle;
}

bool WriteConsoleUtf8(HANDLE console, std::string_view utf8) {
    const std::wstring wide = Platform::Utf8ToWide(utf8);
    if (wide.empty()) return false;
    DWORD written = 0;
    return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) != 0;
}

} // namespace

bool WriteText(std::FILE* stream, std::string_view utf8) {
    if (utf8.empty()) return true;
    if (HANDLE console = ConsoleOf(stream)) {
        std::fflush(stream);
        return WriteConsoleUtf8(console, utf8);
    }
    _setmode(_fileno(stream), _O_BINARY);
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

bool IsTerminal(std::FILE* stream) {
    return ConsoleOf(stream) != nullptr;
}

#else

bool WriteText(std::FILE* stream, std::string_view utf8) {
    if (utf8.empty()) return true;
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

#endif

void PrintMessage(std::string_view utf8) {
    std::string line(utf8);
    line += '\n';
    WriteText(stderr, line);
    std::fflush(stderr);
}

} // namespace CrossrectCli
