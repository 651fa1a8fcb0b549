// TForm1's keyboard interface: the dialog keys through IsDialogMessage, the
// focus kept across activation, the Tab requests of the notes field, and
// which button Enter presses.
#include <windows.h>

#include "app/win/form1.hpp"

namespace Unit1 {

bool TForm1::PreTranslateMessage(MSG& message) {
    if (!handle_) return false;
    // Alt+F4 closes the window whichever control has the focus: some
    // systems' drop-down lists swallow every system key they receive.
    const bool ours = message.hwnd == handle_ || IsChild(handle_, message.hwnd);
    if (ours && message.message == WM_SYSKEYDOWN && message.wParam == VK_F4) {
        PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    return IsDialogMessageW(handle_, &message);
}

void TForm1::OnActivate(WPARAM wparam) {
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) last_focus_ = focus;
        return;
    }
    if (HIWORD(wparam)) return; // minimised
    // First activation: the first control in tab order.
    SetFocus(last_focus_ && IsWindow(last_focus_) ? last_focus_ : ComboBox1);
}

// Sent by IsDialogMessage's relatives and by a multi-line edit for Tab, and
// for Enter before it presses the default button: lparam set means wparam
// is the control, otherwise wparam tells the direction (non-zero: back).
void TForm1::OnNextDlgCtl(WPARAM wparam, LPARAM lparam) {
    if (LOWORD(lparam)) {
        FocusControl(reinterpret_cast<HWND>(wparam));
        return;
    }
    HWND next = GetNextDlgTabItem(handle_, GetFocus(), wparam != 0);
    if (next) FocusControl(next);
}

void TForm1::FocusControl(HWND control) {
    if (!control || !IsChild(handle_, control)) return;
    SetFocus(control);
    // An edit reached from the keyboard has its text selected, ready to type over.
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
}

// Enter presses the Cancel button while it has the focus, OK otherwise; the
// default frame moves with it.
void TForm1::SetDefaultButton(int id) {
    default_button_ = id;
    // Some systems replace every button style bit: keep Cancel's BS_NOTIFY.
    SendMessageW(Button1, BM_SETSTYLE, id == kIdButton1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    SendMessageW(Button2, BM_SETSTYLE,
                 (id == kIdButton2 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
}

} // namespace Unit1
