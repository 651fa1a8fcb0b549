// Unit1: TForm1, the program's one window. Showing it reads the exchange
// file and the settings and fills the controls; OK checks the width and
// height and runs the command; every way the window ends (OK, Cancel, the
// close box, Alt+F4, the end of the session) writes the exchange file back
// exactly once, so the host always gets an answer.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "app/command_run.hpp"
#include "app/command_session.hpp"
#include "app/rect_settings.hpp"
#include "app/win/control_ids.hpp"
#include "app/win/form1_layout.hpp"
#include "app/win/window_base.hpp"

namespace Unit1 {

class TAppWindow;

class TForm1 : public TWindowBase, private TForm1Controls {
  public:
    TForm1(HINSTANCE instance, const TAppWindow& application);
    ~TForm1();

    // Creates the window and its controls, hidden.
    bool Create(HICON icon, HICON small_icon);
    // FormShow, then the window appears.
    void Show();
    // The keyboard interface (Tab, Enter, Escape, access keys) for one
    // queued message; true when the message was used up.
    bool PreTranslateMessage(MSG& message);
    // After an unexpected failure (no exception may unwind through the
    // system's code): drop whatever the run emitted so the host gets "hq"
    // rather than half an answer, and close.
    void HandleFailure() noexcept override;

    void FormShow();
    void FormClose();
    void Button1Click();
    void Button2Click();
    void ShowStatus(const TStatus& status);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    bool CreateControls();
    HWND CreateControl(const TControlLayout& layout);
    void FitClientArea();
    void PlaceWindow();
    void FillControls();
    bool ReadSettingsFromControls();
    void Close();
    void RunFormCloseOnce();

    void OnCommand(int id, int code);
    LRESULT OnCtlColorStatic(HDC dc, HWND control) const;
    void OnActivate(WPARAM wparam);
    void OnNextDlgCtl(WPARAM wparam, LPARAM lparam);
    void FocusControl(HWND control);
    void SetDefaultButton(int id);

    HINSTANCE instance_;
    const TAppWindow& application_;
    HFONT font_ = nullptr;
    HBRUSH notes_brush_ = nullptr;
    HBRUSH status_brush_ = nullptr;

    TRectSettings Settings;
    std::filesystem::path ProgramFile;
    std::optional<TCommandSession> session_; // from the first showing on

    HWND last_focus_ = nullptr;
    int default_button_ = kIdButton1;
    bool form_closed_ = false;
    bool running_ = false;
    bool read_failed_ = false; // the host's file could not be read to its end
    std::chrono::steady_clock::time_point last_repaint_{};
};

} // namespace Unit1
