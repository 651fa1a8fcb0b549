// Unit1: the status texts of a run (UTF-8).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Unit1 {

std::string SegmentCountText(int32_t line_count); // "線分：" + count
extern const char* const kStatusReading;          // "線分データ参照中です"
extern const char* const kStatusGenerating;       // "ファイル生成中です"

// Room for one progress text.
using TProgressText = std::array<char, 64>;
// "線分データ交点計算中(" step "／" count "), written into buffer: one comes
// per step of the sweep, and a string each time would cost more than the step.
std::string_view ProgressText(int32_t step, int32_t count, TProgressText& buffer);

} // namespace Unit1
