// crossrect-cli: the subcommands and their options. `inspect` prints the
// exchange state read from a file as JSON; `run` does headless what the
// rectangle window does from showing to closing after OK; `cancel` does what
// its Cancel button does; `render` draws a selection and its answer as SVG.
// Each returns the process exit code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace CrossrectCli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a file could not be read or written
inline constexpr int kExitUsage = 2;  // bad options or refused values

// Paths are UTF-8 text as given on the command line.
struct TInspectOptions {
    std::string File; // empty: ./JWC_TEMP.TXT
};

struct TRunOptions {
    std::string Dir;                     // empty: the current folder
    std::optional<std::string> Settings; // default: beside the executable
    std::optional<std::string> Out;      // default: the exchange file itself
    std::optional<std::string> StatusLog;
    // List positions chosen as the user would; already range-checked.
    std::optional<int32_t> ColorIndex, LineTypeIndex, WidthUnit, HeightUnit, RefPoint;
    // Texts typed into the edit fields.
    std::optional<std::string> LineWidth, Width, Height, Angle;
    bool Plain = false;   // use the plain reference sweep (for checking)
    bool Timings = false; // report the stages' times on standard error
};

struct TCancelOptions {
    std::string Dir;
    std::optional<std::string> Out;
};

struct TRenderOptions {
    std::string Dir;                   // folder of the selection's exchange file
    std::optional<std::string> Answer; // a rewritten exchange file
    std::string Svg;                   // the picture to write
};

int RunInspect(const TInspectOptions& options);
int RunRectangles(const TRunOptions& options);
int RunCancel(const TCancelOptions& options);
int RunRender(const TRenderOptions& options);

} // namespace CrossrectCli
