// JwwGaibu: splitting an exchange file line into fields. Blanks and tabs
// separate fields; a double quote or an equals sign makes the rest of the
// line one field; a Shift-JIS lead byte keeps its trail byte; control bytes,
// 0xFE and 0xFF are dropped. At most 400 fields; later ones are dropped.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace JwwGaibu {

inline constexpr int kMaxFields = 400;

class TFieldSplitter {
  public:
    // Splits line; the fields stay valid until the next call.
    void Split(std::string_view line);
    // Number of fields n (a trailing blank counts one empty field).
    int Count() const { return count_; }
    // Field 1..n; empty for a number beyond n.
    std::string_view Field(int number) const;

  private:
    std::string bytes_; // the kept bytes of all fields, back to back
    std::array<uint32_t, kMaxFields + 1> ends_{};
    int count_ = 0;
};

} // namespace JwwGaibu
