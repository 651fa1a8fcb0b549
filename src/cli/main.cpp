// crossrect-cli: command-line wiring only. Subcommands inspect, run, cancel
// and render; the work is in cli_inspect.cpp, cli_run.cpp, cli_cancel.cpp
// and cli_render.cpp. An option given twice takes its last value, as on
// most command lines.
#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/form_controls.hpp"
#include "cli/cli_commands.hpp"
#include "cli/console_text.hpp"
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
                "Line colour list position: 0 the host's current colour, 1-9 colours 1-9, "
                "10-265 SXF-1 to SXF-256");
    AddPosition(*run, "--linetype-index", o.LineTypeIndex, kLineTypeListSize,
                "Line type list position: 0 the host's current line type, 1-9 types 1-9, "
                "10-14 random 1-5, 15-18 double-length 1-4, 19-50 SXF-1 to SXF-32");
    AddPosition(*run, "--width-unit", o.WidthUnit, kUnitListSize,
                "Unit of --width: 0 paper mm (図寸mm), 1 real mm (実寸mm)");
    AddPosition(*run, "--height-unit", o.HeightUnit, kUnitListSize,
                "Unit of --height: 0 paper mm (図寸mm), 1 real mm (実寸mm)");
    AddPosition(*run, "--ref", o.RefPoint, kRefPointListSize,
                "Reference point placed on the crossing: 0 左下, 1 中下, 2 右下, 3 左中, 4 中中, "
                "5 右中, 6 左上, 7 中上, 8 右上 (lower left to upper right); 9 the list's empty "
                "item, which acts as 0");
    AddText(*run, "--line-width", o.LineWidth, "TEXT",
            "Line width in 1/100 mm, a whole number 0-30000; -1 the host's current width");
    AddText(*run, "--width", o.Width, "TEXT", "Rectangle width (横幅) in the --width-unit");
    AddText(*run, "--height", o.Height, "TEXT", "Rectangle height (縦高) in the --height-unit");
    AddText(*run, "--angle", o.Angle, "TEXT",
            "Rectangle angle in decimal degrees, counter-clockwise (22°30' is 22.5)");
    run->footer("Every control left out keeps what the window would show: the value the last\n"
                "run saved in the settings file, or the window's defaults without one. Number\n"
                "texts are read as the window reads what is typed, full-width digits included.");
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
        // Through the console writer, so the help's Japanese shows on Windows.
        std::ostringstream out, err;
        int code = app.exit(error, out, err);
        WriteText(stdout, out.str());
        WriteText(stderr, err.str());
        return code == 0 ? kExitOk : kExitUsage;
    }

    if (app.got_subcommand("inspect")) return RunInspect(inspect);
    if (app.got_subcommand("run")) return RunRectangles(run);
    if (app.got_subcommand("render")) return RunRender(render);
    return RunCancel(cancel);
}
