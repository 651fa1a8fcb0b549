#include <string>

#include "app/command_run.hpp"
#include "util/number_text.hpp"

namespace Unit1 {

const char* const kStatusReading = "線分データ参照中です";
const char* const kStatusGenerating = "ファイル生成中です";

std::string SegmentCountText(int32_t line_count) {
    return "線分：" + MyFunc::IntToText(line_count);
}

} // namespace Unit1
