// Unit1: the command run. Saves the settings, converts the rectangle size to
// the exchange file's unit, writes the pen commands and one rectangle (four
// line records) at every point where two selected segments cross or touch.
// Progress goes to a status sink supplied by the caller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/rect_settings.hpp"
#include "app/status_sink.hpp"
#include "app/status_texts.hpp"
#include "exchange/exchange_state.hpp"
#include "sweep/sweep_segment.hpp"

namespace Unit1 {

struct TRunReport {
    int64_t RectanglesDrawn = 0;
    int64_t NonFiniteSkipped = 0; // rectangles whose corners were not finite numbers
    bool SettingsSaved = false;
    bool Completed = true; // false: the answer was abandoned and becomes "hq"
};

// How the pairs are found: Indexed tests only pairs whose paths can meet;
// Plain tests every pair and scans every drawn point (the reference).
// Both produce the same output, byte for byte.
enum class TSweepMethod { Indexed, Plain };

// The selected segments as the sweep sees them: those carrying the
// dimension attribute are excluded.
std::vector<TSweepSegment> SweepSegmentsOf(const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines);

TRunReport DrawAtIntersections(JwwGaibu::TExchangeState& state, const TRectSettings& settings,
                               const std::filesystem::path& settings_path,
                               const TStatusSink& status,
                               TSweepMethod method = TSweepMethod::Indexed);

} // namespace Unit1
