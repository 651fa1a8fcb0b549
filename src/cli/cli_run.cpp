// crossrect-cli run: the rectangle window from showing to closing after OK,
// without a window. The exchange file and the settings load as at show, the
// options act as the user's changes to the controls, OK validates and runs
// the command, and closing writes the exchange file back.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/command_session.hpp"
#include "app/form_controls.hpp"
#include "app/rect_settings.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"
#include "cli/run_status.hpp"
#include "cli/write_back.hpp"
#include "exchange/JwwGaibu.hpp"
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

struct TRunOutcome {
    Unit1::TRunReport Report;
    bool LogWritten = false;
    int32_t Segments = 0;
    double ReadSeconds = 0;
    double SweepSeconds = 0;
};

// What OK runs, with the status texts going to the log and the terminal.
TRunOutcome RunCommand(const TRunOptions& options, const TRunFiles& files,
                       Unit1::TCommandSession& session, const Unit1::TRectSettings& settings,
                       TStageClock& clock) {
    TRunStatus status;
    const bool log_opened = status.Open(files.StatusLog, IsTerminal(stderr));
    if (!log_opened)
        PrintMessage("crossrect-cli: could not create " + PathToUtf8(*files.StatusLog) +
                     "; the answer is written all the same");
    const int32_t segments = JwwGaibu::ExchangeState().LineCount();
    status.Show({Unit1::SegmentCountText(segments)});
    TRunOutcome outcome;
    outcome.ReadSeconds = clock.Lap();
    const auto method = options.Plain ? Unit1::TSweepMethod::Plain : Unit1::TSweepMethod::Indexed;
    outcome.Report = session.RunOk(settings, status.Sink(), method);
    outcome.SweepSeconds = clock.Lap();
    outcome.Segments = segments;
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
    if (!report.Completed) {
        PrintMessage("crossrect-cli: the answer could not be completed (out of memory, or more "
                     "lines or rectangles than can be counted); nothing is drawn");
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
    Unit1::TCommandSession session(JwwGaibu::ExchangeState(),
                                   {files->Exchange, files->Settings, files->Target});
    Unit1::TRectSettings settings;
    // As the window is shown, except that the host's file is answered only
    // once the values have been accepted.
    if (!session.Open(settings, Unit1::THandBack::Later)) {
        PrintMessage("crossrect-cli: warning: " + PathToUtf8(files->Exchange) +
                     " could not be read to its end; using the lines read before the failure");
    }
    // A refusal leaves every file as it was, as the window's message box does.
    if (const int refused = ValidateControls(options, settings); refused != kExitOk) return refused;
    session.HandBackNothing();

    const TRunOutcome outcome = RunCommand(options, *files, session, settings, clock);
    ReportRun(outcome.Report, files->Settings);
    const int code = CloseAndReport(session);
    if (options.Timings) {
        PrintTimings(outcome.Segments, outcome.Report.RectanglesDrawn, outcome.ReadSeconds,
                     outcome.SweepSeconds, clock.Lap());
    }
    return outcome.LogWritten && outcome.Report.Completed ? code : kExitFailed;
}

} // namespace CrossrectCli
