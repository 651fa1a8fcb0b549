// Helpers shared by the reader tests: a fresh state fed with lines, and a
// scratch folder that is removed with the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "exchange/exchange_reader.hpp"
#include "exchange/exchange_state.hpp"

namespace reader_test {

// A reset state after the given lines.
inline JwwGaibu::TExchangeState Parse(std::initializer_list<std::string_view> lines) {
    JwwGaibu::TExchangeState state;
    JwwGaibu::ResetExchangeState(state);
    for (std::string_view line : lines)
        JwwGaibu::ParseExchangeLine(state, line);
    return state;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("crossrect-reader-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

  private:
    std::filesystem::path path_;
};

} // namespace reader_test
