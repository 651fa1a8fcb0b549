// crossrect-cli render: a picture of what the command does with a
// selection. Reads the selection's exchange file as the window does, adds
// the rectangle sides of an answer (a rewritten exchange file) when given,
// picks one of its rectangles to show enlarged, and writes the picture as SVG.
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "cli/render/picture.hpp"
#include "cli/render/picture_inset.hpp"
#include "cli/render/picture_view.hpp"
#include "cli/render/svg_picture.hpp"
#include "exchange/JwwGaibu.hpp"

namespace CrossrectCli {

namespace {

namespace fs = std::filesystem;

// The selection; false (with the message printed) when it cannot be read.
bool ReadSelection(const fs::path& file, TPicture& picture) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        PrintMessage("crossrect-cli: no exchange file " + PathToUtf8(file));
        return false;
    }
    JwwGaibu::TExchangeState& state = JwwGaibu::ExchangeState();
    JwwGaibu::ResetExchangeState(state);
    bool read = JwwGaibu::ReadExchangeFile(state, file);
    picture = PictureOfSelection(state);
    JwwGaibu::ReleaseExchangeState(state);
    if (!read) PrintMessage("crossrect-cli: " + PathToUtf8(file) + " could not be read to its end");
    return read;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file) return true;
    PrintMessage("crossrect-cli: could not write " + PathToUtf8(path));
    return false;
}

} // namespace

int RunRender(const TRenderOptions& options) {
    TPicture picture;
    if (!ReadSelection(ExchangeFileIn(options.Dir), picture)) return kExitFailed;
    if (options.Answer) {
        fs::path answer = PathFromUtf8(*options.Answer);
        if (!ReadAnswerSides(answer, picture)) {
            PrintMessage("crossrect-cli: could not read the answer " + PathToUtf8(answer));
            return kExitFailed;
        }
    }
    if (picture.NonFinite > 0)
        PrintMessage("crossrect-cli: " + std::to_string(picture.NonFinite) +
                     " segments beyond the range of numbers are not shown");
    std::optional<TInset> inset = ChooseInset(picture);
    std::string svg = SvgOfPicture(picture, FitView(picture, inset.has_value()), inset);
    return WriteFile(PathFromUtf8(options.Svg), svg) ? kExitOk : kExitFailed;
}

} // namespace CrossrectCli
