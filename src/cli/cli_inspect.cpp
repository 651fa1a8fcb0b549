// crossrect-cli inspect: reads an exchange file as the window does when it
// is shown and prints the resulting state as JSON.
#include <filesystem>
#include <string>

#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "cli/inspect_json.hpp"
#include "exchange/JwwGaibu.hpp"
#include "platform/file_io.hpp"

namespace CrossrectCli {

int RunInspect(const TInspectOptions& options) {
    namespace fs = std::filesystem;
    fs::path file =
        options.File.empty() ? fs::path(JwwGaibu::kExchangeFileName) : PathFromUtf8(options.File);

    JwwGaibu::TExchangeState& state = JwwGaibu::ExchangeState();
    JwwGaibu::ResetExchangeState(state);
    bool read = JwwGaibu::ReadExchangeFile(state, file);
    JwwGaibu::RewindAttributes(state);

    // A missing file is an empty selection, as for the window; a file that
    // exists but cannot be read through is a failure worth telling.
    bool complete = read || !Platform::FileExists(file);

    // Compact for programs, indented for a person at a terminal.
    constexpr int kCompact = -1;
    constexpr int kTerminalIndent = 2;
    int indent = IsTerminal(stdout) ? kTerminalIndent : kCompact;
    std::string text =
        ExchangeStateJson(state).dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
    text += '\n';
    JwwGaibu::ReleaseExchangeState(state);

    bool printed = WriteText(stdout, text) && std::fflush(stdout) == 0;
    if (!printed) {
        PrintMessage("crossrect-cli: could not write to standard output");
        return kExitFailed;
    }
    if (!complete) {
        PrintMessage("crossrect-cli: " + PathToUtf8(file) +
                     " could not be read to its end; the state above is partial");
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace CrossrectCli
