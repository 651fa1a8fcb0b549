#include "app/win/form1.hpp"

#include <string>

#include "app/form_controls.hpp"
#include "app/win/app_window.hpp"
#include "exchange/JwwGaibu.hpp"
#include "platform/file_io.hpp"
#include "platform/program_path.hpp"
#include "platform/text_encoding.hpp"

namespace Unit1 {

namespace {

constexpr const wchar_t* kClassName = L"TForm1";
constexpr const wchar_t* kCaption = L"線分交点に矩形を作図";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Showing a text costs a fraction of a millisecond; once per screen refresh
// is enough for a progress text that changes once per segment.
constexpr auto kRepaintInterval = std::chrono::milliseconds(16);
constexpr WPARAM kSysCommandMask = 0xFFF0; // the low four bits are the system's own

} // namespace

TForm1::TForm1(HINSTANCE instance, const TAppWindow& application)
    : instance_(instance), application_(application) {}

TForm1::~TForm1() {
    if (handle_) DestroyWindow(handle_);
    if (font_) DeleteObject(font_);
    if (notes_brush_) DeleteObject(notes_brush_);
    if (status_brush_) DeleteObject(status_brush_);
}

bool TForm1::Create(HICON icon, HICON small_icon) {
    const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!RegisterWindowClass(instance_, kClassName, icon, small_icon, white)) return false;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const RECT place{0, 0, frame.right - frame.left, frame.bottom - frame.top};
    if (!CreateHandle(kClassName, kCaption, kStyle, place, application_.Handle(), instance_))
        return false;
    FitClientArea();
    return true;
}

void TForm1::Show() {
    FormShow();
    application_.Show();
    ShowWindow(handle_, SW_SHOW);
    UpdateWindow(handle_);
    if (!read_failed_) return;
    // Told, then closed as on Cancel: the host gets "hq".
    application_.ShowMessage(handle_, Platform::Utf8ToWide(kReadFailedMessage).c_str());
    Close();
}

// --- Event handlers ---

void TForm1::FormShow() {
    ProgramFile = Platform::ProgramFilePath();
    session_.emplace(JwwGaibu::ExchangeState(), FilesBesideProgram(ProgramFile));
    read_failed_ = !session_->Open(Settings);
    PlaceWindow();
    FillControls();
    const std::string count_text = SegmentCountText(JwwGaibu::ExchangeState().LineCount());
    ShowStatus(TStatus{count_text});
}

void TForm1::FormClose() {
    session_->Close();
}

void TForm1::Button1Click() {
    if (running_ || form_closed_) return;
    if (!ReadSettingsFromControls()) return;
    running_ = true;
    session_->RunOk(Settings, [this](const TStatus& status) { ShowStatus(status); });
    running_ = false;
    Close();
}

void TForm1::Button2Click() {
    Close();
}

void TForm1::ShowStatus(const TStatus& status) {
    // Texts other than the sweep's progress, and its first and last step,
    // always show; the steps between at most once per interval. A skipped
    // text is not even set: a text replaced before the next paint is never
    // seen, and setting one costs as much as painting it.
    const bool always = status.Step == 0 || status.Step == 1 || status.Step == status.Count - 1;
    const auto now = std::chrono::steady_clock::now();
    if (!always && now - last_repaint_ < kRepaintInterval) return;
    last_repaint_ = now;
    SetWindowTextW(LabelA1, Platform::Utf8ToWide(status.Text).c_str());
    RedrawWindow(LabelA1, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// --- Closing ---

void TForm1::Close() {
    RunFormCloseOnce();
    if (handle_) DestroyWindow(handle_);
}

void TForm1::RunFormCloseOnce() {
    if (!session_ || form_closed_) return;
    form_closed_ = true;
    FormClose();
}

void TForm1::HandleFailure() noexcept {
    running_ = false;
    if (!session_) { // the answer goes beside the program, never elsewhere
        ProgramFile = Platform::ProgramFilePath();
        session_.emplace(JwwGaibu::ExchangeState(), FilesBesideProgram(ProgramFile));
    }
    session_->Abandon();
    Close();
}

// --- Message dispatch ---

LRESULT TForm1::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        return CreateControls() ? 0 : -1;
    case WM_COMMAND:
        OnCommand(LOWORD(wparam), HIWORD(wparam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
        OnActivate(wparam);
        return 0;
    case WM_NEXTDLGCTL:
        OnNextDlgCtl(wparam, lparam);
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(default_button_, DC_HASDEFID);
    case WM_SYSCOMMAND:
        // The application window carries the task-bar button: it minimises.
        if ((wparam & kSysCommandMask) == SC_MINIMIZE) {
            application_.Minimize();
            return 0;
        }
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ENDSESSION:
        if (wparam) RunFormCloseOnce();
        return 0;
    case WM_DESTROY:
        RunFormCloseOnce();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefaultHandling(message, wparam, lparam);
}

void TForm1::OnCommand(int id, int code) {
    if (id == kIdButton1 && code == BN_CLICKED)
        Button1Click();
    else if (id == kIdButton2 && code == BN_CLICKED)
        Button2Click();
    else if (id == kIdButton2 && code == BN_SETFOCUS)
        SetDefaultButton(kIdButton2);
    else if (id == kIdButton2 && code == BN_KILLFOCUS)
        SetDefaultButton(kIdButton1);
}

} // namespace Unit1
