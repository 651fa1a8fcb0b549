// crossrect-cli: the closing write-back of the exchange file, with the
// failure told on standard error (the window stays silent; a tool must not).
#pragma once

#include <filesystem>

#include "exchange/exchange_state.hpp"

namespace CrossrectCli {

// Writes the output buffer (or "hq") to path and releases the state.
// Returns the exit code: kExitOk, or kExitFailed with a message.
int WriteBackAndRelease(JwwGaibu::TExchangeState& state, const std::filesystem::path& path);

} // namespace CrossrectCli
