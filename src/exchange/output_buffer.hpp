// JwwGaibu: appending to the output line buffer and writing it back into
// the exchange file (CR LF line ends, an entry ending in a double quote joins
// the next one, the single line "hq" when nothing was appended).
#pragma once

#include <filesystem>
#include <string_view>

#include "exchange/exchange_state.hpp"

namespace JwwGaibu {

void AddOutputLine(TExchangeState& state, std::string_view text);

// Rewrites the file from the buffer. The new content goes to a temporary
// file beside it that replaces the old one only when complete; on failure
// the exchange file is removed so the host never reads half an answer.
bool WriteExchangeFile(const TExchangeState& state, const std::filesystem::path& path);

} // namespace JwwGaibu
