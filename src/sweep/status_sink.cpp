#include "sweep/status_sink.hpp"

#include <algorithm>

#include "util/number_text.hpp"

namespace Unit1 {

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

} // namespace Unit1
