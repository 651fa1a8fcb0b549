#include "cli/progress_bar.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "cli/console_text.hpp"

namespace CrossrectCli {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(50);
constexpr int kBarWidth = 30;

} // namespace

double SweepFraction(int32_t step, int32_t count) {
    if (count < 2 || step < 1) return 0.0;
    // Outer step k tests count - k pairs; steps 1 .. step-1 are done.
    double n = count;
    double done = step - 1.0;
    double pairs_done = done * n - done * (done + 1.0) / 2.0;
    double pairs_total = n * (n - 1.0) / 2.0;
    return std::clamp(pairs_done / pairs_total, 0.0, 1.0);
}

void TProgressBar::Show(const Unit1::TStatus& status) {
    if (status.Count <= 0) return; // only the sweep's steps move the bar
    step_ = status.Step;
    count_ = status.Count;
    TClock::time_point now = TClock::now();
    if (drawn_ && now - last_draw_ < kRedrawInterval) return;
    last_draw_ = now;
    Draw(SweepFraction(step_, count_), step_, count_);
}

void TProgressBar::Finish() {
    if (!drawn_) return;
    Draw(1.0, count_, count_);
    WriteText(stream_, "\n");
    std::fflush(stream_);
}

void TProgressBar::Draw(double fraction, int32_t step, int32_t count) {
    int filled = static_cast<int>(fraction * kBarWidth);
    std::string line = "\r[";
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    std::array<char, 64> numbers{};
    std::snprintf(numbers.data(), numbers.size(), "] %3d%%  %d/%d",
                  static_cast<int>(fraction * 100.0), static_cast<int>(step),
                  static_cast<int>(count));
    line += numbers.data();
    WriteText(stream_, line);
    std::fflush(stream_);
    drawn_ = true;
}

} // namespace CrossrectCli
