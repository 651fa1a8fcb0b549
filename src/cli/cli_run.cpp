// crossrect-cli run: the rectangle window from showing to closing after OK,
// without a window. The exchange file and the settings load as at show, the
// options act as the user's changes to the controls, OK validates and runs
// the command, and closing writes the exchange file back.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/command_run.hpp"
#include "app/form_controls.hpp"
#include "app/rect_settings.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "cli/run_status.hpp"
#include "cli/write_back.hpp"
#include "exchange/JwwGaibu.hpp"
#include "platform/file_io.hpp"
#include "platform/program_path.hpp"

namespace CrossrectCli {

namespace fs = std::filesystem;
using Unit1::ControlsAtShow;
using Unit1::ReadControls;
using Unit1::TFormControls;
using Unit1::TOkResult;

namespace {

std::optional<fs::path> SettingsPath(const TRunOptions& options) {
    if (options.Settings) return PathFromUtf8(*options.Settings);
    fs::path folder = Platform::ProgramFilePath().parent_path();
    if (folder.empty()) return std::nullopt;
    return folder / kSettingsFileName;
}

// The options change the controls the way the user would.
void ApplyOptions(const TRunOptions& o, TFormControls& c) {
    if (o.ColorIndex) c.ComboBox1 = *o.ColorIndex;
    if (o.LineTypeIndex) c.ComboBox2 = *o.LineTypeIndex;
    if (o.WidthUnit) c.ComboBox3 = *o.WidthUnit;
    if (o.HeightUnit) c.ComboBox4 = *o.HeightUnit;
    if (o.RefPoint) c.ComboBox5 = *o.RefPoint;
    if (o.LineWidth) c.Edit1 = *o.LineWidth;
    if (o.Width) c.Edit2 = *o.Width;
    if (o.Height) c.Edit3 = *o.Height;
    if (o.Angle) c.Edit4 = *o.Angle;
}

// Loads the exchange file as the window does when shown.
void ReadExchange(JwwGaibu::TExchangeState& state, const fs::path& exchange) {
    JwwGaibu::ResetExchangeState(state);
    bool read = JwwGaibu::ReadExchangeFile(state, exchange);
    JwwGaibu::RewindAttributes(state);
    // Missing means an empty selection; existing but unreadable is news.
    if (!read && Platform::FileExists(exchange)) {
        PrintMessage("crossrect-cli: warning: " + PathToUtf8(exchange) +
                     " could not be read to its end; using the lines read before the failure");
    }
}

// OK pressed on the controls as the options leave them; kExitOk or the
// refusal's exit code, with the window's message.
int ValidateControls(const TRunOptions& options, Unit1::TRectSettings& settings) {
    TFormControls controls = ControlsAtShow(settings);
    ApplyOptions(options, controls);
    switch (ReadControls(controls, settings)) {
    case TOkResult::WidthRefused:
        PrintMessage(Unit1::kWidthMessage);
        return kExitUsage;
    case TOkResult::HeightRefused:
        PrintMessage(Unit1::kHeightMessage);
        return kExitUsage;
    case TOkResult::Accepted:
        break;
    }
    return kExitOk;
}

void ReportRun(const Unit1::TRunReport& report, const fs::path& settings_path) {
    if (!report.SettingsSaved) {
        PrintMessage("crossrect-cli: warning: could not save the settings to " +
                     PathToUtf8(settings_path));
    }
    if (report.NonFiniteSkipped > 0) {
        PrintMessage("crossrect-cli: " + std::to_string(report.NonFiniteSkipped) +
                     " rectangle(s) not written: their corners are not finite numbers "
                     "(check the width and height against the drawing's scale)");
    }
}

// Seconds since the previous call (or construction).
class TStageClock {
  public:
    double Lap() {
        const auto now = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(now - last_).count();
        last_ = now;
        return seconds;
    }

  private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

void PrintTimings(int32_t segments, int64_t rectangles, double read, double sweep, double write) {
    std::fprintf(stderr, "timings: segments=%d rectangles=%lld read=%.3f sweep=%.3f write=%.3f\n",
                 segments, static_cast<long long>(rectangles), read, sweep, write);
}

} // namespace

int RunRectangles(const TRunOptions& options) {
    const fs::path exchange = ExchangeFileIn(options.Dir);
    const std::optional<fs::path> settings_path = SettingsPath(options);
    if (!settings_path) {
        PrintMessage("crossrect-cli: cannot find the executable's folder for the settings "
                     "file; give --settings FILE");
        return kExitFailed;
    }

    TStageClock clock;
    JwwGaibu::TExchangeState& state = JwwGaibu::ExchangeState();
    ReadExchange(state, exchange);
    Unit1::TRectSettings settings;
    Unit1::LoadSettings(settings, *settings_path);
    // A refusal leaves every file as it was, as the window's message box does.
    if (const int refused = ValidateControls(options, settings); refused != kExitOk) return refused;
    // From here on a kill or a crash must leave "hq", never the selection.
    if (!options.Out && Platform::FileExists(exchange)) JwwGaibu::WriteEmptyAnswer(exchange);

    const std::optional<fs::path> log_path =
        options.StatusLog ? std::optional(PathFromUtf8(*options.StatusLog)) : std::nullopt;
    TRunStatus status;
    const bool log_opened = status.Open(log_path, IsTerminal(stderr));
    if (!log_opened)
        PrintMessage("crossrect-cli: could not create " + PathToUtf8(*log_path) +
                     "; the answer is written all the same");
    status.Show({Unit1::SegmentCountText(state.LineCount())});
    const double read_seconds = clock.Lap();
    const fs::path target = options.Out ? PathFromUtf8(*options.Out) : exchange;
    JwwGaibu::SpillAnswerBeside(state, target); // bounded memory for any answer
    const auto method = options.Plain ? Unit1::TSweepMethod::Plain : Unit1::TSweepMethod::Indexed;
    const Unit1::TRunReport report =
        Unit1::DrawAtIntersections(state, settings, *settings_path, status.Sink(), method);
    const double sweep_seconds = clock.Lap();
    const int32_t segments = state.LineCount();
    const bool log_written = status.Close();
    if (log_opened && !log_written)
        PrintMessage("crossrect-cli: could not write " + PathToUtf8(*log_path) +
                     "; the answer is written all the same");
    ReportRun(report, *settings_path);

    int code = WriteBackAndRelease(state, target);
    if (options.Timings)
        PrintTimings(segments, report.RectanglesDrawn, read_seconds, sweep_seconds, clock.Lap());
    return log_written ? code : kExitFailed;
}

} // namespace CrossrectCli
