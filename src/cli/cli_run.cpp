// crossrect-cli run: the rectangle window from showing to closing after OK,
// without a window. The exchange file and the settings load as at show, the
// options act as the user's changes to the controls, OK validates and runs
// the command, and closing writes the exchange file back.
#include <array>
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
#include "platform/text_encoding.hpp"

namespace CrossrectCli {

namespace fs = std::filesystem;
using Unit1::ControlsAtShow;
using Unit1::ReadControls;
using Unit1::TFormControls;
using Unit1::TOkResult;

namespace {

// The files of one run; empty (after saying why) when the settings file has
// no place.
std::optional<Unit1::TSessionFiles> RunFiles(const TRunOptions& options) {
    Unit1::TSessionFiles files;
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
    files.Answer = options.Out ? PathFromUtf8(*options.Out) : files.Exchange;
    return files;
}

// The options change the controls the way the user would; their texts come
// in UTF-8 and the controls hold them as the window does, in Shift-JIS.
void ApplyOptions(const TRunOptions& o, TFormControls& c) {
    using Platform::Utf8ToShiftJis;
    if (o.ColorIndex) c.ComboBox1 = *o.ColorIndex;
    if (o.LineTypeIndex) c.ComboBox2 = *o.LineTypeIndex;
    if (o.WidthUnit) c.ComboBox3 = *o.WidthUnit;
    if (o.HeightUnit) c.ComboBox4 = *o.HeightUnit;
    if (o.RefPoint) c.ComboBox5 = *o.RefPoint;
    if (o.LineWidth) c.Edit1 = Utf8ToShiftJis(*o.LineWidth);
    if (o.Width) c.Edit2 = Utf8ToShiftJis(*o.Width);
    if (o.Height) c.Edit3 = Utf8ToShiftJis(*o.Height);
    if (o.Angle) c.Edit4 = Utf8ToShiftJis(*o.Angle);
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

using TClock = std::chrono::steady_clock;

// Stages: started, read, swept, written.
void PrintTimings(int32_t segments, int64_t rectangles,
                  const std::array<TClock::time_point, 4>& t) {
    const auto seconds = [&t](int i) {
        return std::chrono::duration<double>(t[i + 1] - t[i]).count();
    };
    std::fprintf(stderr, "timings: segments=%d rectangles=%lld read=%.3f sweep=%.3f write=%.3f\n",
                 segments, static_cast<long long>(rectangles), seconds(0), seconds(1), seconds(2));
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
    const std::optional<Unit1::TSessionFiles> files = RunFiles(options);
    if (!files) return kExitFailed;

    std::array<TClock::time_point, 4> stages{TClock::now()};
    Unit1::TCommandSession session(JwwGaibu::ExchangeState(), *files);
    Unit1::TRectSettings settings;
    // As the window is shown, except that the host's file is answered only
    // once the values have been accepted.
    if (!session.Open(settings, Unit1::THandBack::Later)) {
        PrintMessage("crossrect-cli: error: " + PathToUtf8(files->Exchange) +
                     " could not be read to its end; nothing drawn, the answer is \"hq\"");
        session.HandBackNothing();
        session.Close();
        return kExitFailed;
    }
    // A refusal leaves every file as it was, as the window's message box does.
    if (const int refused = ValidateControls(options, settings); refused != kExitOk) return refused;
    session.HandBackNothing();

    TRunStatus status;
    status.Open(options.StatusLog, IsTerminal(stderr));
    const int32_t segments = JwwGaibu::ExchangeState().LineCount();
    status.Show({Unit1::SegmentCountText(segments)});
    stages[1] = TClock::now();
    const auto method = options.Plain ? Unit1::TSweepMethod::Plain : Unit1::TSweepMethod::Indexed;
    const Unit1::TRunReport report = session.RunOk(settings, status.Sink(), method);
    stages[2] = TClock::now();
    const bool log_written = status.Close();
    ReportRun(report, files->Settings);
    const int code = CloseAndReport(session);
    stages[3] = TClock::now();
    if (options.Timings) PrintTimings(segments, report.RectanglesDrawn, stages);
    return log_written && report.Completed ? code : kExitFailed;
}

} // namespace CrossrectCli
