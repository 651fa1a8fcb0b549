// Unit1: the window's modal message box: an OK button, the given caption,
// centred on the screen it appears on whatever the owner's place.
#pragma once

#include <windows.h>

namespace Unit1 {

void ShowCentredMessage(HWND owner, const wchar_t* text, const wchar_t* caption);

} // namespace Unit1
