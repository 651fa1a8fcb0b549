#include "cli/write_back.hpp"

#include <string>
#include <system_error>

#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "exchange/answer_writer.hpp"
#include "platform/file_io.hpp"

namespace CrossrectCli {

namespace {

// What the host will find after a failed write-back.
std::string LeftBehind(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error) && !Platform::FileExists(path))
        return "it is still a symbolic link that leads to no file";
    if (!Platform::FileExists(path)) return "the file was removed";
    std::string bytes;
    if (Platform::ReadSmallFile(path, JwwGaibu::kEmptyAnswer.size(), bytes) &&
        bytes == JwwGaibu::kEmptyAnswer)
        return "it holds \"hq\" (nothing drawn)";
    return "it could be neither written nor removed and still holds its old content";
}

} // namespace

int CloseAndReport(Unit1::TCommandSession& session) {
    const std::filesystem::path path = session.Files().Answer;
    if (session.Close()) return kExitOk;
    PrintMessage("crossrect-cli: could not write " + PathToUtf8(path) + "; " + LeftBehind(path));
    return kExitFailed;
}

} // namespace CrossrectCli
