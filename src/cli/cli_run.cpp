// crossrect-cli run: the rectangle window from showing to closing after OK,
// without a window. The exchange file and the settings load as at show, the
// options act as the user's changes to the controls, OK validates and runs
// the command, and closing writes the exchange file back.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
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

// The files of one run; empty (after saying why) when the settings file has
// no place.
struct TRunFiles {
    fs::path Exchange;
    fs::path Settings;
    fs::path Target; // where the answer goes
    std::optional<fs::path> StatusLog;
};

std::optional<TRunFiles> RunFiles(const TRunOptions& options) {
    TRunFiles files;
    files.Exchange = ExchangeFileIn(options.Dir);
    if (options.Settings) {
        files.Settings = PathFromUtf8(*options.Settings);
    } else {
        const fs::path folder = Platform::ProgramFilePath().parent_path();
        if (folder.empty()) {
            PrintMessage("crossrect-cli: cannot find the executable's folder for the settings "
                         "file; give --settings FILE");
            return std::nullopt;
        }
        files.Settings = folder / kSettingsFileName;
    }
    files.Target = options.Out ? PathFromUtf8(*options.Out) : files.Exchange;
    if (options.StatusLog) files.StatusLog = PathFromUtf8(*options.StatusLog);
    return files;
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

// The exchange file and the settings, as the window loads them when shown.
void LoadAtShow(JwwGaibu::TExchangeState& state, Unit1::TRectSettings& settings,
                const TRunFiles& files) {
    ReadExchange(state, files.Exchange);
    Unit1::LoadSettings(settings, files.Settings);
}

struct TRunOutcome {
    Unit1::TRunReport Report;
    bool LogWritten = false;
    int32_t Segments = 0;
    double ReadSeconds = 0;
    double SweepSeconds = 0;
};

// What OK runs, with the status texts going to the log and the terminal.
TRunOutcome RunCommand(const TRunOptions& options, const TRunFiles& files,
                       JwwGaibu::TExchangeState& state, const Unit1::TRectSettings& settings,
                       TStageClock& clock) {
    TRunStatus status;
    const bool log_opened = status.Open(files.StatusLog, IsTerminal(stderr));
    if (!log_opened)
        PrintMessage("crossrect-cli: could not create " + PathToUtf8(*files.StatusLog) +
                     "; the answer is written all the same");
    status.Show({Unit1::SegmentCountText(state.LineCount())});
    TRunOutcome outcome;
    outcome.ReadSeconds = clock.Lap();
    JwwGaibu::SpillAnswerBeside(state, files.Target); // bounded memory for any answer
    const auto method = options.Plain ? Unit1::TSweepMethod::Plain : Unit1::TSweepMethod::Indexed;
    outcome.Report =
        Unit1::DrawAtIntersections(state, settings, files.Settings, status.Sink(), method);
    outcome.SweepSeconds = clock.Lap();
    outcome.Segments = state.LineCount();
    outcome.LogWritten = status.Close();
    if (log_opened && !outcome.LogWritten)
        PrintMessage("crossrect-cli: could not write " + PathToUtf8(*files.StatusLog) +
                     "; the answer is written all the same");
    return outcome;
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

} // namespace

int RunRectangles(const TRunOptions& options) {
    const std::optional<TRunFiles> files = RunFiles(options);
    if (!files) return kExitFailed;

    TStageClock clock;
    JwwGaibu::TExchangeState& state = JwwGaibu::ExchangeState();
    Unit1::TRectSettings settings;
    LoadAtShow(state, settings, *files);
    // A refusal leaves every file as it was, as the window's message box does.
    if (const int refused = ValidateControls(options, settings); refused != kExitOk) return refused;
    // From here on a kill or a crash must leave "hq", never the selection.
    if (!options.Out) JwwGaibu::ReplaceSelectionWithEmptyAnswer(files->Exchange);

    TRunOutcome outcome;
    try {
        outcome = RunCommand(options, *files, state, settings, clock);
    } catch (const std::bad_alloc&) {
        // As the window on any failure of the run: nothing is drawn.
        JwwGaibu::ResetExchangeState(state);
        const bool written = WriteBackAndRelease(state, files->Target) == kExitOk;
        PrintMessage("crossrect-cli: out of memory: the run was abandoned and nothing is drawn" +
                     (written ? "; " + PathToUtf8(files->Target) + " holds \"hq\"" : ""));
        return kExitFailed;
    }
    ReportRun(outcome.Report, files->Settings);
    const int code = WriteBackAndRelease(state, files->Target);
    if (options.Timings) {
        PrintTimings(outcome.Segments, outcome.Report.RectanglesDrawn, outcome.ReadSeconds,
                     outcome.SweepSeconds, clock.Lap());
    }
    return outcome.LogWritten ? code : kExitFailed;
}

} // namespace CrossrectCli
