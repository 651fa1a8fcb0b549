#include <algorithm>
#include <string>

#include "app/command_run.hpp"
#include "util/number_text.hpp"

namespace Unit1 {

const char* const kStatusReading = "線分データ参照中です";
const char* const kStatusGenerating = "ファイル生成中です";

std::string SegmentCountText(int32_t line_count) {
    return "線分：" + MyFunc::IntToText(line_count);
}

std::string_view ProgressText(int32_t step, int32_t count, char (&buffer)[kProgressTextMax]) {
    static constexpr std::string_view kHead = "線分データ交点計算中(", kSlash = "／";
    char* p = buffer;
    p = std::copy(kHead.begin(), kHead.end(), p);
    p += MyFunc::IntToText(step, p);
    p = std::copy(kSlash.begin(), kSlash.end(), p);
    p += MyFunc::IntToText(count, p);
    *p++ = ')';
    return {buffer, static_cast<std::size_t>(p - buffer)};
}

std::string ProgressText(int32_t step, int32_t count) {
    char buffer[kProgressTextMax];
    return std::string(ProgressText(step, count, buffer));
}

} // namespace Unit1
