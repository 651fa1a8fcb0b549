#include "cli/utf8_args.hpp"

#ifdef _WIN32
// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <processenv.h>
#include <shellapi.h>
// clang-format on

#include "platform/text_encoding.hpp"
#endif

namespace CrossrectCli {

#ifdef _WIN32

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    args.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        args.push_back(Platform::WideToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

#endif

} // namespace CrossrectCli
