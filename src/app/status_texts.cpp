#include "app/status_texts.hpp"

#include <algorithm>

#include "util/number_text.hpp"

namespace Unit1 {

const char* const kStatusReading = "線分データ参照中です";
const char* const kStatusGenerating = "ファイル生成中です";

std::string SegmentCountText(int32_t line_count) {
    return "線分：" + MyFunc::IntToText(line_count);
}

std::string_view ProgressText(int32_t step, int32_t count, TProgressText& buffer) {
    static constexpr std::string_view kHead = "線分データ交点計算中(", kSlash = "／";
    char* p = std::copy(kHead.begin(), kHead.end(), buffer.data());
    p += MyFunc::IntToText(step, p);
    p = std::copy(kSlash.begin(), kSlash.end(), p);
    p += MyFunc::IntToText(count, p);
    *p++ = ')';
    return {buffer.data(), static_cast<std::size_t>(p - buffer.data())};
}

} // namespace Unit1
