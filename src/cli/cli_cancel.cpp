// crossrect-cli cancel: what the window's Cancel does. Nothing was emitted,
// so the exchange file receives the single line "hq"; the settings file is
// not touched.
#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/write_back.hpp"
#include "exchange/JwwGaibu.hpp"

namespace CrossrectCli {

int RunCancel(const TCancelOptions& options) {
    std::filesystem::path target =
        options.Out ? PathFromUtf8(*options.Out) : ExchangeFileIn(options.Dir);
    JwwGaibu::TExchangeState& state = JwwGaibu::ExchangeState();
    JwwGaibu::ResetExchangeState(state);
    return WriteBackAndRelease(state, target);
}

} // namespace CrossrectCli
