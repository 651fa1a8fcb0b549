#include "app/win/app_window.hpp"

#include "app/win/message_box.hpp"

namespace Unit1 {

namespace {

constexpr const wchar_t* kClassName = L"crossrect_application";
// Posted to itself: activation of the application window is handed on to
// the form (or its open message box) once the activation has settled.
constexpr UINT kMsgActivatePopup = WM_APP + 1;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;

} // namespace

TAppWindow::~TAppWindow() {
    if (handle_) DestroyWindow(handle_);
}

bool TAppWindow::Create(HINSTANCE instance, HICON icon, HICON small_icon) {
    if (!RegisterWindowClass(instance, kClassName, icon, small_icon, nullptr)) return false;
    // Zero size in the middle of the screen: it shows in the task bar but
    // never on the desktop.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    return CreateHandle(kClassName, kApplicationTitle, kStyle, RECT{x, y, x, y}, nullptr, instance);
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
    ShowCentredMessage(owner, text, kApplicationTitle);
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
    default:
        return DefaultHandling(message, wparam, lparam);
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
