#include "exchange/file_io.hpp"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

namespace JwwGaibu {

namespace fs = std::filesystem;

namespace {

// Attempts at finding a temporary name nobody else uses.
constexpr int kTempNameTries = 16;

// A name beside the target that no other writer is likely to pick: the
// clock ticks and the object's address differ between processes and calls.
fs::path TempNameFor(const fs::path& target, const void* owner, int attempt) {
    const auto ticks =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const auto address = static_cast<uint64_t>(reinterpret_cast<std::uintptr_t>(owner));
    const uint64_t mix = ticks ^ (address << 16) ^ static_cast<uint64_t>(attempt);
    fs::path temp = target;
    temp += ".tmp" + std::to_string(mix);
    return temp;
}

} // namespace

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

bool FileExists(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) return false;
    return fs::exists(status) && !fs::is_directory(status);
}

TReplacingFile::TReplacingFile(fs::path target) : target_(std::move(target)) {}

TReplacingFile::~TReplacingFile() {
    file_.reset();
    if (!committed_ && !temp_.empty()) {
        std::error_code error;
        fs::remove(temp_, error);
    }
}

bool TReplacingFile::Open() {
    file_.reset();
    if (!committed_ && !temp_.empty()) {
        std::error_code error;
        fs::remove(temp_, error); // an earlier, abandoned attempt
    }
    temp_.clear();
    failed_ = false;
    committed_ = false;
    for (int attempt = 0; attempt < kTempNameTries; ++attempt) {
        fs::path candidate = TempNameFor(target_, this, attempt);
        std::error_code error;
        if (fs::exists(candidate, error) || error) continue;
        file_ = OpenFile(candidate, "wb");
        if (file_) {
            temp_ = std::move(candidate);
            return true;
        }
    }
    failed_ = true;
    return false;
}

bool TReplacingFile::Write(const void* data, std::size_t size) {
    if (!file_ || failed_) {
        failed_ = true;
        return false;
    }
    if (size != 0 && std::fwrite(data, 1, size, file_.get()) != size) failed_ = true;
    return !failed_;
}

bool TReplacingFile::Commit() {
    if (!file_ || failed_) return false;
    std::FILE* file = file_.release();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
        failed_ = true;
        return false;
    }
    // Replaces an existing target in one step (POSIX rename; MoveFileEx
    // with replacing on Windows).
    std::error_code error;
    fs::rename(temp_, target_, error);
    if (error) {
        failed_ = true;
        return false;
    }
    committed_ = true;
    return true;
}

} // namespace JwwGaibu
