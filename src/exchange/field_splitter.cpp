#include "exchange/field_splitter.hpp"

#include <algorithm>

#include "exchange/shift_jis.hpp"

namespace JwwGaibu {

namespace {

// Bytes kept in a field; control bytes, 0xFE and 0xFF are dropped.
constexpr bool IsKeptByte(unsigned char byte) {
    return byte >= 0x20 && byte <= 0xFD;
}

} // namespace

void TFieldSplitter::Split(std::string_view line) {
    // A field never holds more bytes than the line, so one buffer as long as
    // the longest line seen so far serves every later call.
    // Field offsets are 32-bit: a line beyond 4 GiB keeps its first 4 GiB.
    const std::size_t length = std::min<std::size_t>(line.size(), UINT32_MAX);
    if (bytes_.size() < length) bytes_.resize(length);
    char* const out = bytes_.data();
    const auto* const in = reinterpret_cast<const unsigned char*>(line.data());

    uint32_t size = 0;
    int count = 1;
    ends_[0] = 0;
    bool splitting = true;

    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = in[i];
        if (IsShiftJisLeadByte(byte)) {
            if (i + 1 == length) break; // half a character at the end
            out[size++] = static_cast<char>(byte);
            out[size++] = static_cast<char>(in[++i]);
            continue;
        }
        if (splitting) {
            if (byte == '"') {
                splitting = false;
                continue;
            }
            if (byte == '=') {
                out[size++] = '=';
                splitting = false;
                continue;
            }
            if (byte == ' ' || byte == '\t') {
                if (size == ends_[count - 1]) continue; // no empty fields from runs of blanks
                if (count == kMaxFields) break;         // fields beyond the last are dropped
                ends_[count++] = size;
                continue;
            }
        }
        if (IsKeptByte(byte)) out[size++] = static_cast<char>(byte);
    }
    ends_[count] = size;
    count_ = count;
}

std::string_view TFieldSplitter::Field(int number) const {
    if (number < 1 || number > count_) return {};
    const uint32_t begin = ends_[number - 1];
    return std::string_view(bytes_.data() + begin, ends_[number] - begin);
}

} // namespace JwwGaibu
