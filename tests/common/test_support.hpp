// Helpers shared by every test program: a scratch folder removed with the
// test, whole files as bytes, a fresh exchange state fed with lines, the
// output buffer as strings, and (POSIX) a real write failure.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "exchange/exchange_reader.hpp"
#include "exchange/exchange_state.hpp"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace test_support {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class ScratchDir {
  public:
    ScratchDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("crossrect-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // A file of the given bytes in the folder; its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / name;
        WriteBytes(file, bytes);
        return file;
    }

  private:
    std::filesystem::path path_;
};

// A reset state after the given lines.
inline JwwGaibu::TExchangeState Parse(std::initializer_list<std::string_view> lines) {
    JwwGaibu::TExchangeState state;
    JwwGaibu::ResetExchangeState(state);
    for (std::string_view line : lines)
        JwwGaibu::ParseExchangeLine(state, line);
    return state;
}

// The answer's lines (none of them joined by a quote), as written back into
// a file; the answer is empty afterwards.
inline std::vector<std::string> OutputOf(JwwGaibu::TExchangeState& state) {
    if (state.Answer.Count() == 0 && !state.Answer.Abandoned()) return {};
    const ScratchDir dir;
    const std::filesystem::path file = dir.path() / "answer.txt";
    if (!state.Answer.WriteBack(file)) return {"(not written back)"};
    const std::string text = ReadBytes(file);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

#ifndef _WIN32
// While an object lives, the process may not make any file larger than the
// limit: writes past it fail with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};
#endif

} // namespace test_support
