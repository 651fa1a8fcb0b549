// crossrect-cli cancel: what the window's Cancel does, through the window's
// own sequence. Nothing was emitted, so the exchange file (or --out)
// receives the single line "hq"; the settings file is not touched.
#include "app/command_session.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/write_back.hpp"
#include "exchange/JwwGaibu.hpp"

namespace CrossrectCli {

int RunCancel(const TCancelOptions& options) {
    const std::filesystem::path exchange = ExchangeFileIn(options.Dir);
    Unit1::TSessionFiles files{exchange, {}, options.Out ? PathFromUtf8(*options.Out) : exchange};
    Unit1::TCommandSession session(JwwGaibu::ExchangeState(), files);
    Unit1::TRectSettings settings;
    session.Open(settings);
    return CloseAndReport(session);
}

} // namespace CrossrectCli
