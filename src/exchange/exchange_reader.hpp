// JwwGaibu: the reader of "JWC_TEMP.TXT" as the host writes it. Each line is
// split byte-wise (Shift-JIS pairs kept whole) and matched against the
// keywords in their fixed order; header, attribute and figure lines fill the
// exchange state.
#pragma once

#include <filesystem>
#include <string_view>

#include "exchange/exchange_state.hpp"

namespace JwwGaibu {

inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";

// True when the file existed and was read to its end. On failure what was
// read so far stays in the state.
bool ReadExchangeFile(TExchangeState& state, const std::filesystem::path& path);

// Applies one line (without its line end) to the state.
void ParseExchangeLine(TExchangeState& state, std::string_view line);

} // namespace JwwGaibu
