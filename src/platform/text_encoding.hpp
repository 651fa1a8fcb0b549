// Platform: text-encoding conversions at the program's edges. The core keeps
// the exchange file's Shift-JIS (code page 932) bytes; the console and JSON
// want UTF-8, and on Windows the window and the system calls want UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace Platform {

// A byte that starts no valid character becomes U+FFFD and decoding resumes
// right after it.
std::string ShiftJisToUtf8(std::string_view sjis);
// A character without a Shift-JIS form becomes '?', which no number contains.
std::string Utf8ToShiftJis(std::string_view utf8);

#ifdef _WIN32

inline constexpr unsigned kShiftJisCodePage = 932;

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Characters without a Shift-JIS form become '?', which no number contains.
std::string WideToShiftJis(std::wstring_view wide);

#endif

} // namespace Platform
