// Unit1: the application window. A captioned top-level window of zero size
// that carries the application title: it owns the form, so the task-bar
// button shows the application title, minimising the form minimises it, and
// the form's message boxes take their caption from it.
#pragma once

#include <windows.h>

#include "app/win/window_base.hpp"

namespace Unit1 {

inline constexpr const wchar_t* kApplicationTitle = L"r418_線分交点に矩形を作図";

class TAppWindow : public TWindowBase {
  public:
    TAppWindow() = default;
    ~TAppWindow();

    bool Create(HINSTANCE instance, HICON icon, HICON small_icon);
    // The window that activation and a close request from the task bar go to.
    void SetMainForm(HWND form) { main_form_ = form; }
    void Show() const;
    void Minimize() const;
    // Modal box with an OK button, the application title as caption, centred
    // on the screen.
    void ShowMessage(HWND owner, const wchar_t* text) const;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void ActivateLastPopup() const;
    void OnSize(WPARAM kind);

    HWND main_form_ = nullptr;
    bool form_hidden_ = false; // hidden by minimising, shown again on restore
};

} // namespace Unit1
