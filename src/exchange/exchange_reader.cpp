#include "exchange/exchange_reader.hpp"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <system_error>

#include "exchange/field_splitter.hpp"
#include "exchange/reader_lines.hpp"
#include "platform/file_io.hpp"

namespace JwwGaibu {

namespace {

// The file is read in blocks of this size; lines are parsed in place and
// only a line that straddles two blocks is copied.
constexpr std::size_t kReadBlock = std::size_t{1} << 20;

void ParseFields(TExchangeState& state, const TFieldSplitter& fields) {
    if (fields.Count() == 1 && fields.Field(1).empty()) return; // empty or blank line
    if (Reader::ParseHeaderLine(state, fields)) return;
    if (Reader::ParseAttributeLine(state, fields)) return;
    if (Reader::ParsePointNumberLine(state, fields)) return;
    if (Reader::ParseFigureLine(state, fields)) return;
    if (Reader::ParseSFigureLine(state, fields)) return;
    if (fields.Count() == 4) Reader::StorePlainLine(state, fields);
}

// Splits and applies one line; the line end is LF with an optional CR.
void ParseLine(TExchangeState& state, TFieldSplitter& splitter, std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    splitter.Split(line);
    ParseFields(state, splitter);
}

// A block just larger than a small file (so that one read finds its end),
// at most kReadBlock: a small file costs no megabyte of memory.
std::size_t BlockSizeFor(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size >= kReadBlock) return kReadBlock;
    return static_cast<std::size_t>(size) + 1;
}

// Reads the open file to its end; false on a read error.
bool ReadLines(TExchangeState& state, std::FILE* file, std::size_t block_size) {
    const auto block = std::make_unique_for_overwrite<char[]>(block_size);
    std::string partial; // the start of a line that runs into the next block
    TFieldSplitter splitter;

    for (;;) {
        const std::size_t got = std::fread(block.get(), 1, block_size, file);
        std::string_view rest(block.get(), got);
        while (!rest.empty()) {
            const auto* newline =
                static_cast<const char*>(std::memchr(rest.data(), '\n', rest.size()));
            if (newline == nullptr) {
                partial.append(rest);
                break;
            }
            const std::string_view piece =
                rest.substr(0, static_cast<std::size_t>(newline - rest.data()));
            rest.remove_prefix(piece.size() + 1);
            if (partial.empty()) {
                ParseLine(state, splitter, piece);
            } else {
                partial.append(piece);
                ParseLine(state, splitter, partial);
                partial.clear();
            }
        }
        if (got < block_size) break;
    }
    if (std::ferror(file)) return false;
    if (!partial.empty()) ParseLine(state, splitter, partial); // last line without a line end
    return true;
}

} // namespace

bool ReadExchangeFile(TExchangeState& state, const std::filesystem::path& path) {
    if (!Platform::FileExists(path)) return false;
    Platform::TFilePtr file = Platform::OpenFile(path, "rb");
    if (!file) return false;
    try {
        return ReadLines(state, file.get(), BlockSizeFor(path));
    } catch (const std::bad_alloc&) {
        // Out of memory while a table or a long line grew: keep what was read.
        return false;
    }
}

void ParseExchangeLine(TExchangeState& state, std::string_view line) {
    TFieldSplitter splitter;
    splitter.Split(line);
    ParseFields(state, splitter);
}

} // namespace JwwGaibu
