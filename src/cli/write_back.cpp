#include "cli/write_back.hpp"

#include <string>

#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "exchange/answer_writer.hpp"
#include "platform/file_io.hpp"

namespace CrossrectCli {

namespace {

// What the host will find after a failed write-back.
std::string LeftBehind(const std::filesystem::path& path) {
    if (!Platform::FileExists(path)) return "the file was removed";
    std::string bytes;
    if (Platform::ReadSmallFile(path, JwwGaibu::kEmptyAnswer.size(), bytes) &&
        bytes == JwwGaibu::kEmptyAnswer)
        return "it holds \"hq\" (nothing drawn)";
    return "it could be neither written nor removed and still holds its old content";
}

} // namespace

int WriteBackAndRelease(JwwGaibu::TExchangeState& state, const std::filesystem::path& path) {
    bool written = JwwGaibu::WriteExchangeFile(state, path);
    JwwGaibu::ReleaseExchangeState(state);
    if (written) return kExitOk;
    PrintMessage("crossrect-cli: could not write " + PathToUtf8(path) + "; " + LeftBehind(path));
    return kExitFailed;
}

} // namespace CrossrectCli
