#include "app/win/message_box.hpp"

#include <cwchar>

namespace Unit1 {

namespace {

constexpr const wchar_t* kMessageBoxClass = L"#32770";
constexpr const wchar_t* kCentredMark = L"crossrect.centred";
constexpr int kClassNameRoom = 16;

// Centres a message box on the screen it is on, whatever the owner's place.
void CentreOnScreen(HWND box) {
    RECT box_rect;
    if (!GetWindowRect(box, &box_rect)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& screen = monitor.rcMonitor;
    const int width = box_rect.right - box_rect.left;
    const int height = box_rect.bottom - box_rect.top;
    SetWindowPos(box, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sees every activation on this thread while the box is open: only the box
// is centred, and only the first time, so a box the user moved stays put.
LRESULT CALLBACK CentreBoxHook(int code, WPARAM wparam, LPARAM lparam) {
    HWND window = reinterpret_cast<HWND>(wparam);
    wchar_t class_name[kClassNameRoom] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, class_name, kClassNameRoom) &&
        wcscmp(class_name, kMessageBoxClass) == 0 && !GetPropW(window, kCentredMark)) {
        CentreOnScreen(window);
        SetPropW(window, kCentredMark, window);
    } else if (code == HCBT_DESTROYWND) {
        RemovePropW(window, kCentredMark);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

} // namespace

void ShowCentredMessage(HWND owner, const wchar_t* text, const wchar_t* caption) {
    // The hook sees the box's activation before it is drawn and centres it.
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CentreBoxHook, nullptr, GetCurrentThreadId());
    // The warning icon and its sound tell at a glance that an entry was refused.
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONWARNING);
    if (hook) UnhookWindowsHookEx(hook);
}

} // namespace Unit1
