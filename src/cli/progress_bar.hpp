// crossrect-cli: a one-line progress bar on a terminal, driven by the
// command run's status steps. Redraws at most every 50 ms and once at the
// end; the fraction follows the pairs tested, not the outer steps, since
// early outer steps test more pairs than late ones.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "app/command_run.hpp"

namespace CrossrectCli {

class TProgressBar {
  public:
    explicit TProgressBar(std::FILE* stream) : stream_(stream) {}

    void Show(const Unit1::TStatus& status);
    // Draws the completed bar and ends its line; nothing if never shown.
    void Finish();

  private:
    void Draw(double fraction, int32_t step, int32_t count);

    using TClock = std::chrono::steady_clock;
    std::FILE* stream_;
    TClock::time_point last_draw_{};
    bool drawn_ = false;
    int32_t step_ = 0;
    int32_t count_ = 0;
};

// Share of the sweep's pairs tested before outer step `step` (1-based) of a
// sweep over `count` segments; 0 .. 1.
double SweepFraction(int32_t step, int32_t count);

} // namespace CrossrectCli
