#include "cli/cli_paths.hpp"

#include <system_error>
#include <vector>

#include "exchange/exchange_reader.hpp"

#ifdef _WIN32
// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <libloaderapi.h>
// clang-format on
#endif

namespace CrossrectCli {

namespace fs = std::filesystem;

#ifdef _WIN32

fs::path ExecutableFolder() {
    // Long paths can exceed MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return fs::path(std::wstring(buffer.data(), length)).parent_path();
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

#else

fs::path ExecutableFolder() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self.parent_path();
}

#endif

fs::path ExchangeFileIn(std::string_view dir_utf8) {
    fs::path name(JwwGaibu::kExchangeFileName);
    return dir_utf8.empty() ? name : PathFromUtf8(dir_utf8) / name;
}

fs::path PathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string PathToUtf8(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

} // namespace CrossrectCli
