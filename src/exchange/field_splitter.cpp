#include "exchange/field_splitter.hpp"

#include <algorithm>

#include "exchange/shift_jis.hpp"

namespace JwwGaibu {

namespace {

// What a byte does, looked up once per byte instead of a chain of tests.
enum class TByte : uint8_t {
    Kept,    // copied into the field
    Dropped, // control bytes, 0xFE and 0xFF
    Lead,    // a Shift-JIS lead byte: it and the next byte are copied
    Blank,   // splitting: ends a field
    Quote,   // splitting: dropped, the rest of the line is one field
    Equals,  // splitting: copied, the rest of the line is one field
};

constexpr uint8_t kFirstKept = 0x20;
constexpr uint8_t kLastKept = 0xFD;

constexpr TByte PlainClass(unsigned byte) {
    if (IsShiftJisLeadByte(static_cast<unsigned char>(byte))) return TByte::Lead;
    return byte >= kFirstKept && byte <= kLastKept ? TByte::Kept : TByte::Dropped;
}

constexpr TByte SplittingClass(unsigned byte) {
    switch (byte) {
    case ' ':
    case '\t':
        return TByte::Blank;
    case '"':
        return TByte::Quote;
    case '=':
        return TByte::Equals;
    default:
        return PlainClass(byte);
    }
}

struct ByteTable {
    TByte splitting[256];
    TByte plain[256];
    constexpr ByteTable() : splitting(), plain() {
        for (unsigned byte = 0; byte < 256; ++byte) {
            splitting[byte] = SplittingClass(byte);
            plain[byte] = PlainClass(byte);
        }
    }
};
constexpr ByteTable kBytes;

using FieldEnds = std::array<uint32_t, kMaxFields + 1>;

// Splits at blanks until a quote or an equals sign; returns where the rest
// of the line starts (length when nothing is left to copy).
std::size_t SplitFields(const unsigned char* in, std::size_t length, char* out, uint32_t& size,
                        FieldEnds& ends, int& count) {
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = in[i];
        switch (kBytes.splitting[byte]) {
        case TByte::Kept:
            out[size++] = static_cast<char>(byte);
            break;
        case TByte::Dropped:
            break;
        case TByte::Lead:
            if (i + 1 == length) return length; // half a character at the end
            out[size++] = static_cast<char>(byte);
            out[size++] = static_cast<char>(in[++i]);
            break;
        case TByte::Blank:
            if (size == ends[count - 1]) break;     // no empty fields from runs of blanks
            if (count == kMaxFields) return length; // fields beyond the last are dropped
            ends[count++] = size;
            break;
        case TByte::Equals:
            out[size++] = '=';
            return i + 1;
        case TByte::Quote:
            return i + 1;
        }
    }
    return length;
}

// After a quote or an equals sign: no more splitting, bytes kept as they are.
void CopyRest(const unsigned char* in, std::size_t length, char* out, uint32_t& size) {
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = in[i];
        const TByte kind = kBytes.plain[byte];
        if (kind == TByte::Dropped) continue;
        out[size++] = static_cast<char>(byte);
        if (kind != TByte::Lead) continue;
        if (i + 1 == length) { // half a character at the end
            --size;
            return;
        }
        out[size++] = static_cast<char>(in[++i]);
    }
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
    const std::size_t rest = SplitFields(in, length, out, size, ends_, count);
    if (rest < length) CopyRest(in + rest, length - rest, out, size);
    ends_[count] = size;
    count_ = count;
}

std::string_view TFieldSplitter::Field(int number) const {
    if (number < 1 || number > count_) return {};
    const uint32_t begin = ends_[number - 1];
    return std::string_view(bytes_.data() + begin, ends_[number] - begin);
}

} // namespace JwwGaibu
