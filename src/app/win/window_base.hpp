// Unit1: what the program's two windows share. The window class is
// registered with the program's icons and the arrow cursor; one window
// procedure finds the object behind a handle, hands it every message, keeps
// exceptions out of the system's code, and forgets the object once the
// system has destroyed the window (WM_NCDESTROY).
#pragma once

#include <windows.h>

namespace Unit1 {

class TWindowBase {
  public:
    TWindowBase(const TWindowBase&) = delete;
    TWindowBase& operator=(const TWindowBase&) = delete;

    HWND Handle() const { return handle_; }

  protected:
    TWindowBase() = default;
    // Not virtual and not destroying: the derived destructor destroys the
    // window while its own part, which handles the last messages, still lives.
    ~TWindowBase();

    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, HICON icon,
                                    HICON small_icon, HBRUSH background);
    // The window of a registered class, with this object behind it; true
    // when it was created (handle_ is set from WM_NCCREATE on).
    bool CreateHandle(const wchar_t* class_name, const wchar_t* caption, DWORD style, RECT place,
                      HWND owner, HINSTANCE instance);

    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
    // Called after HandleMessage threw; the message then counts as handled.
    virtual void HandleFailure() noexcept {}
    LRESULT DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam) const {
        return DefWindowProcW(handle_, message, wparam, lparam);
    }

    HWND handle_ = nullptr;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

} // namespace Unit1
