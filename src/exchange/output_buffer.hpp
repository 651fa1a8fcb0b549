// JwwGaibu: appending to the output line buffer and writing it back into
// the exchange file (CR LF line ends, an entry ending in a double quote joins
// the next one, the single line "hq" when nothing was appended).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "exchange/exchange_state.hpp"

namespace JwwGaibu {

void AddOutputLine(TExchangeState& state, std::string_view text);

// Rewrites the file from the buffer: a complete new file replaces the old
// one in one step, or, where the folder refuses that, the file is rewritten
// in place. When the answer cannot be written completely, the file is left
// holding "hq" or, failing that, removed: the host must never carry out its
// own selection or half an answer. True when the whole answer was written.
bool WriteExchangeFile(TExchangeState& state, const std::filesystem::path& path);

// The file's content when there is nothing to draw.
inline constexpr std::string_view kEmptyAnswer = "hq\r\n";

// The same with nothing to draw ("hq"), where the file exists: called as
// soon as the host's file has been read, so that a run that is killed or
// crashes from then on leaves an answer the host can carry out harmlessly.
bool ReplaceSelectionWithEmptyAnswer(const std::filesystem::path& path);

// Before a run: from now on the buffer hands its text, in order, to a
// temporary file beside path whenever it holds more than a working set, and
// WriteExchangeFile(state, path) makes that file the answer. Memory then
// stays bounded however large the answer (held_limit: the text held
// before it is handed on). False (the text stays in memory)
// where no file can be made there.
inline constexpr std::size_t kSpillBytes = std::size_t{16} << 20;
bool SpillAnswerBeside(TExchangeState& state, const std::filesystem::path& path,
                       std::size_t held_limit = kSpillBytes);

} // namespace JwwGaibu
