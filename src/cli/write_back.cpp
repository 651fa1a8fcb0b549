#include "cli/write_back.hpp"

#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "exchange/output_buffer.hpp"

namespace CrossrectCli {

int WriteBackAndRelease(JwwGaibu::TExchangeState& state, const std::filesystem::path& path) {
    bool written = JwwGaibu::WriteExchangeFile(state, path);
    JwwGaibu::ReleaseExchangeState(state);
    if (written) return kExitOk;
    PrintMessage("crossrect-cli: could not write " + PathToUtf8(path));
    return kExitFailed;
}

} // namespace CrossrectCli
