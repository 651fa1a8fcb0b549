// Unit1: text conversions at the window's edge. Window texts are UTF-16;
// the core reads numbers from Shift-JIS bytes (code page 932) and reports
// status texts in UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace Unit1 {

std::wstring Utf8ToWide(std::string_view text);
// Characters without a Shift-JIS form become '?', which no number contains.
std::string WideToShiftJis(std::wstring_view text);
std::wstring WindowText(HWND window);

} // namespace Unit1
