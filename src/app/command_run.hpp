// Unit1: the command run. Saves the settings, converts the rectangle size to
// the exchange file's unit, writes the pen commands and one rectangle (four
// line records) at every point where two selected segments cross or touch.
// Progress goes to a status sink supplied by the caller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/rect_settings.hpp"
#include "exchange/exchange_state.hpp"
#include "sweep/status_sink.hpp"

namespace Unit1 {

struct TRunReport {
    int64_t RectanglesDrawn = 0;
    int64_t NonFiniteSkipped = 0; // rectangles whose corners were not finite numbers
    bool SettingsSaved = false;
    bool Completed = true; // false: the answer was abandoned and becomes "hq"
};

// Status texts (UTF-8).
std::string SegmentCountText(int32_t line_count); // "線分：" + count
extern const char* const kStatusReading;          // "線分データ参照中です"
extern const char* const kStatusGenerating;       // "ファイル生成中です"

// How the pairs are found: Indexed tests only pairs whose paths can meet;
// Plain tests every pair and scans every drawn point (the reference).
// Both produce the same output, byte for byte.
enum class TSweepMethod { Indexed, Plain };

TRunReport DrawAtIntersections(JwwGaibu::TExchangeState& state, const TRectSettings& settings,
                               const std::filesystem::path& settings_path,
                               const TStatusSink& status,
                               TSweepMethod method = TSweepMethod::Indexed);

} // namespace Unit1
