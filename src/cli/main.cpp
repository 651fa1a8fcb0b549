// crossrect-cli: command-line wiring only. Subcommands inspect, run, cancel
// and render; the work is in cli_inspect.cpp, cli_run.cpp, cli_cancel.cpp
// and cli_render.cpp. An option given twice takes its last value, as on
// most command lines.
#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/form_controls.hpp"
#include "cli/cli_commands.hpp"
#include "cli/utf8_args.hpp"
#include "crossrect_version.hpp"

namespace {

using namespace CrossrectCli;
using Unit1::kColorListSize;
using Unit1::kLineTypeListSize;
using Unit1::kRefPointListSize;
using Unit1::kUnitListSize;

// A list position: plain decimal digits within [0, size).
std::optional<int32_t> ParsePosition(const std::string& text, int32_t size) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    if (value < 0 || value >= size) return std::nullopt;
    return value;
}

void AddPosition(CLI::App& command, const std::string& name, std::optional<int32_t>& target,
                 int32_t size, const std::string& help) {
    std::string range = "0.." + std::to_string(size - 1);
    CLI::Validator check(
        [size, range](std::string& text) {
            return ParsePosition(text, size) ? std::string{} : "expected a whole number " + range;
        },
        range);
    command
        .add_option_function<std::string>(
            name, [&target, size](const std::string& text) { target = ParsePosition(text, size); },
            help)
        ->check(check)
        ->type_name("N");
}

void AddText(CLI::App& command, const std::string& name, std::optional<std::string>& target,
             const std::string& type, const std::string& help) {
    command
        .add_option_function<std::string>(
            name, [&target](const std::string& text) { target = text; }, help)
        ->type_name(type);
}

void AddDir(CLI::App& command, std::string& target, const std::string& help) {
    command.add_option("--dir", target, help)->type_name("DIR");
}

void AddInspect(CLI::App& app, TInspectOptions& options) {
    CLI::App* inspect =
        app.add_subcommand("inspect", "Print the state read from an exchange file as JSON (UTF-8)");
    inspect->add_option("file", options.File, "Exchange file (default ./JWC_TEMP.TXT)")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

void AddRun(CLI::App& app, TRunOptions& o) {
    CLI::App* run = app.add_subcommand(
        "run", "Draw rectangles at the segment crossings, as the window does on OK");
    AddDir(*run, o.Dir, "Folder of JWC_TEMP.TXT (default: the current folder)");
    AddText(*run, "--settings", o.Settings, "FILE",
            "Settings file (default: crossrect.dat beside this program)");
    AddText(*run, "--out", o.Out, "FILE", "Write the result here and leave JWC_TEMP.TXT untouched");
    AddText(*run, "--status-log", o.StatusLog, "FILE", "Write every status text to this file");
    AddPosition(*run, "--color-index", o.ColorIndex, kColorListSize,
                "Line colour list position (0 = the host's current colour)");
    AddPosition(*run, "--linetype-index", o.LineTypeIndex, kLineTypeListSize,
                "Line type list position (0 = the host's current line type)");
    AddPosition(*run, "--width-unit", o.WidthUnit, kUnitListSize,
                "Width unit: 0 paper mm, 1 real mm");
    AddPosition(*run, "--height-unit", o.HeightUnit, kUnitListSize,
                "Height unit: 0 paper mm, 1 real mm");
    AddPosition(*run, "--ref", o.RefPoint, kRefPointListSize,
                "Reference point 0..8 (lower left .. upper right), 9 the empty item");
    AddText(*run, "--line-width", o.LineWidth, "TEXT", "Line width text, 1/100 mm");
    AddText(*run, "--width", o.Width, "TEXT", "Width text");
    AddText(*run, "--height", o.Height, "TEXT", "Height text");
    AddText(*run, "--angle", o.Angle, "TEXT", "Angle text, degrees counter-clockwise");
    run->add_flag("--plain", o.Plain,
                  "Test every pair and scan every drawn point (the slow reference; same output)");
    run->add_flag("--timings", o.Timings,
                  "Print the time of reading, the sweep and writing on standard error");
}

void AddCancel(CLI::App& app, TCancelOptions& o) {
    CLI::App* cancel =
        app.add_subcommand("cancel", "Hand back no drawing: write \"hq\" as Cancel does");
    AddDir(*cancel, o.Dir, "Folder of JWC_TEMP.TXT (default: the current folder)");
    AddText(*cancel, "--out", o.Out, "FILE", "Write here instead of JWC_TEMP.TXT");
}

void AddRender(CLI::App& app, TRenderOptions& o) {
    CLI::App* render = app.add_subcommand(
        "render", "Draw the selection and the rectangles of an answer as an SVG picture");
    AddDir(*render, o.Dir, "Folder of the selection's JWC_TEMP.TXT (default: here)");
    AddText(*render, "--answer", o.Answer, "FILE",
            "The rewritten exchange file whose rectangles to draw");
    render->add_option("--svg", o.Svg, "The picture to write")->type_name("OUT")->required();
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"crossrect-cli: rectangles at line-segment intersections, without a window"};
    app.require_subcommand(1);
    // Paths such as /tmp/x must stay values, also on Windows.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", std::string("crossrect-cli ") + CROSSRECT_VERSION_TEXT);
    // Subcommands take their option defaults from here.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    TInspectOptions inspect;
    TRunOptions run;
    TCancelOptions cancel;
    TRenderOptions render;
    AddInspect(app, inspect);
    AddRun(app, run);
    AddCancel(app, cancel);
    AddRender(app, render);

    std::vector<std::string> args = Utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& arg : args)
        pointers.push_back(arg.data());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& error) {
        int code = app.exit(error);
        return code == 0 ? kExitOk : kExitUsage;
    }

    if (app.got_subcommand("inspect")) return RunInspect(inspect);
    if (app.got_subcommand("run")) return RunRectangles(run);
    if (app.got_subcommand("render")) return RunRender(render);
    return RunCancel(cancel);
}
