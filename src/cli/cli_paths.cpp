#include "cli/cli_paths.hpp"

#include "exchange/exchange_reader.hpp"

namespace CrossrectCli {

namespace fs = std::filesystem;

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
