#include "app/win/app_window.hpp"

#include <cwchar>

namespace Unit1 {

namespace {

constexpr const wchar_t* kClassName = L"crossrect_application";
// Posted to itself: activation of the application window is handed on to
// the form (or its open message box) once the activation has settled.
constexpr UINT kMsgActivatePopup = WM_APP + 1;
constexpr const wchar_t* kMessageBoxClass = L"#32770";
constexpr const wchar_t* kCentredMark = L"crossrect.centred";
constexpr int kClassNameRoom = 16;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;

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

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon,
                         HICON small_icon, HBRUSH background) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = proc;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hIconSm = small_icon;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = background;
    window_class.lpszClassName = name;
    return RegisterClassExW(&window_class) != 0;
}

TAppWindow::~TAppWindow() {
    if (handle_) DestroyWindow(handle_);
}

bool TAppWindow::Create(HINSTANCE instance, HICON icon, HICON small_icon) {
    if (!RegisterWindowClass(instance, kClassName, &TAppWindow::WndProc, icon, small_icon, nullptr))
        return false;
    // Zero size in the middle of the screen: it shows in the task bar but
    // never on the desktop.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExW(0, kClassName, kApplicationTitle, kStyle, x, y, 0, 0, nullptr,
                              nullptr, instance, this);
    return handle_ != nullptr;
}

void TAppWindow::Show() const {
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
}

// The form goes with it (WM_SIZE below), whoever minimises the application.
void TAppWindow::Minimize() const {
    ShowWindow(handle_, SW_MINIMIZE);
}

// Owned windows are not hidden by every way of minimising their owner, so
// the form is hidden and shown here.
void TAppWindow::OnSize(WPARAM kind) {
    if (!main_form_) return;
    if (kind == SIZE_MINIMIZED && IsWindowVisible(main_form_)) {
        ShowWindow(main_form_, SW_HIDE);
        form_hidden_ = true;
    } else if (kind == SIZE_RESTORED && form_hidden_) {
        form_hidden_ = false;
        ShowWindow(main_form_, SW_SHOW);
        PostMessageW(handle_, kMsgActivatePopup, 0, 0);
    }
}

void TAppWindow::ShowMessage(HWND owner, const wchar_t* text) const {
    // The hook sees the box's activation before it is drawn and centres it.
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CentreBoxHook, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, text, kApplicationTitle, MB_OK);
    if (hook) UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK TAppWindow::WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TAppWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TAppWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    return self->HandleMessage(message, wparam, lparam);
}

LRESULT TAppWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam))
            PostMessageW(handle_, kMsgActivatePopup, 0, 0);
        return 0;
    case WM_SIZE:
        OnSize(wparam);
        return 0;
    case kMsgActivatePopup:
        ActivateLastPopup();
        return 0;
    case WM_CLOSE:
        // Closing from the task bar is the form's Cancel; while a message
        // box is open the form is disabled and the box must be answered.
        if (main_form_ && IsWindowEnabled(main_form_)) SendMessageW(main_form_, WM_CLOSE, 0, 0);
        return 0;
    case WM_NCDESTROY: {
        HWND window = handle_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        handle_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    default:
        return DefWindowProcW(handle_, message, wparam, lparam);
    }
}

void TAppWindow::ActivateLastPopup() const {
    if (IsIconic(handle_)) return;
    // The open message box if there is one, else the form (hiding the form
    // makes the system forget it as the last active one).
    HWND popup = GetLastActivePopup(handle_);
    if (!popup || popup == handle_) popup = main_form_;
    if (popup && IsWindowVisible(popup)) SetActiveWindow(popup);
}

} // namespace Unit1
