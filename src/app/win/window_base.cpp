#include "app/win/window_base.hpp"

namespace Unit1 {

TWindowBase::~TWindowBase() {
    // A window the derived class left alive must not reach a dead object.
    if (handle_) SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
}

bool TWindowBase::RegisterWindowClass(HINSTANCE instance, const wchar_t* name, HICON icon,
                                      HICON small_icon, HBRUSH background) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &TWindowBase::WndProc;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hIconSm = small_icon;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = background;
    window_class.lpszClassName = name;
    return RegisterClassExW(&window_class) != 0;
}

bool TWindowBase::CreateHandle(const wchar_t* class_name, const wchar_t* caption, DWORD style,
                               RECT place, HWND owner, HINSTANCE instance) {
    CreateWindowExW(0, class_name, caption, style, place.left, place.top, place.right - place.left,
                    place.bottom - place.top, owner, nullptr, instance, this);
    return handle_ != nullptr;
}

LRESULT CALLBACK TWindowBase::WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    try {
        return self->HandleMessage(message, wparam, lparam);
    } catch (...) {
    }
    self->HandleFailure();
    return 0;
}

} // namespace Unit1
