// JwwGaibu: a byte sink that hands its bytes to a file in blocks of about a
// megabyte, so that millions of short lines cost a few hundred system calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/safe_save.hpp"
#include "platform/write_file.hpp"

namespace JwwGaibu {

inline constexpr std::size_t kWriteBlockBytes = std::size_t{1} << 20;

class TBlockSink final : public TByteSink {
  public:
    // The block grows with what is put, so a short file costs no megabyte.
    explicit TBlockSink(Platform::TWriteFile& file) : file_(file) {}

    bool Put(std::string_view bytes) override {
        if (!ok_) return false;
        if (block_.size() + bytes.size() > kWriteBlockBytes) Flush();
        if (bytes.size() >= kWriteBlockBytes)
            ok_ = ok_ && file_.Write(bytes.data(), bytes.size());
        else
            block_.append(bytes);
        total_ += bytes.size();
        return ok_;
    }
    bool Flush() {
        if (ok_ && !block_.empty()) ok_ = file_.Write(block_.data(), block_.size());
        block_.clear();
        return ok_;
    }
    bool Ok() const { return ok_; }
    // Bytes put so far; after a successful Flush all of them are in the file.
    uint64_t Total() const { return total_; }

  private:
    Platform::TWriteFile& file_;
    std::string block_;
    uint64_t total_ = 0;
    bool ok_ = true;
};

} // namespace JwwGaibu
