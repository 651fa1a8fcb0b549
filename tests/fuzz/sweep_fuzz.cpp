// The exchange file reader followed by both sweeps. After the first few
// bytes, which choose the window's controls, the input is the file. A
// selection of a few dozen segments at most is swept by the index and the
// file written back must hold exactly the buffer's lines in the file's form;
// a smaller one is also swept by the plain loop, and the output lines, the
// report and every status text must agree.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/command_run.hpp"
#include "app/form_controls.hpp"
#include "exchange_round_trip.hpp"

namespace {

using namespace fuzz_support;

// Each sweep saves the settings and each swept input writes the answer back,
// so sweeping costs several times the reading: only selections where the
// fuzzer finds geometry worth testing are swept, and the plain loop, which
// tests every pair and scans every drawn point, gets the smallest. Large
// selections are the unit tests' work.
constexpr int32_t kMaxSweptSegments = 64;
constexpr int32_t kMaxComparedSegments = 24;
constexpr std::size_t kControlBytes = 8;

constexpr std::array<const char*, 8> kSizes{"10",    "0.001", "1e-7", "2.5",
                                            "1e300", "-3",    "1E-8", "123456.789"};
constexpr std::array<const char*, 8> kAngles{"0",    "30",  "90",     "-45.5", "0.4476232774459556",
                                             "1e20", "180", "359.999"};

struct TRun {
    std::vector<std::string> Lines;
    std::vector<std::string> Statuses;
    Unit1::TRunReport Report;
};

// The controls as the user might leave them, from the first bytes.
bool SettingsFrom(const uint8_t* b, Unit1::TRectSettings& settings) {
    Unit1::TFormControls c = Unit1::ControlsAtShow(settings);
    c.ComboBox1 = b[0] % Unit1::kColorListSize;
    c.ComboBox2 = b[1] % Unit1::kLineTypeListSize;
    c.ComboBox3 = b[2] % Unit1::kUnitListSize;
    c.ComboBox4 = (b[2] >> 4) % Unit1::kUnitListSize;
    c.ComboBox5 = b[3] % Unit1::kRefPointListSize;
    c.Edit1 = std::to_string(static_cast<int>(b[4]) - 10);
    c.Edit2 = kSizes[b[5] % kSizes.size()];
    c.Edit3 = kSizes[b[6] % kSizes.size()];
    c.Edit4 = kAngles[b[7] % kAngles.size()];
    return Unit1::ReadControls(c, settings) == Unit1::TOkResult::Accepted;
}

TRun Sweep(JwwGaibu::TExchangeState& state, const Unit1::TRectSettings& settings,
           Unit1::TSweepMethod method) {
    TRun run;
    const auto sink = [&run](const Unit1::TStatus& s) { run.Statuses.emplace_back(s.Text); };
    run.Report = Unit1::DrawAtIntersections(state, settings, ScratchFolder() / "crossrect.dat",
                                            sink, method);
    run.Lines = WrittenLinesOf(state);
    return run;
}

bool SameReport(const Unit1::TRunReport& a, const Unit1::TRunReport& b) {
    return a.RectanglesDrawn == b.RectanglesDrawn && a.NonFiniteSkipped == b.NonFiniteSkipped &&
           a.SettingsSaved == b.SettingsSaved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static JwwGaibu::TExchangeState indexed;
    static JwwGaibu::TExchangeState plain;
    if (size < kControlBytes) return 0;
    const auto path =
        WriteInput(JwwGaibu::kExchangeFileName,
                   {reinterpret_cast<const char*>(data) + kControlBytes, size - kControlBytes});
    ReadInto(indexed, path);
    Unit1::TRectSettings settings;
    // Fewer than two segments cross nowhere.
    const int32_t segments = indexed.LineCount();
    if (segments < 2 || segments > kMaxSweptSegments || !SettingsFrom(data, settings)) return 0;

    const TRun a = Sweep(indexed, settings, Unit1::TSweepMethod::Indexed);
    if (segments <= kMaxComparedSegments) {
        ReadInto(plain, path);
        const TRun b = Sweep(plain, settings, Unit1::TSweepMethod::Plain);
        Require(a.Lines == b.Lines, "indexed and plain sweeps wrote different lines");
        Require(a.Statuses == b.Statuses, "indexed and plain sweeps showed different status texts");
        Require(SameReport(a.Report, b.Report), "indexed and plain sweeps reported differently");
    }
    return 0;
}
