// TForm1's controls: creating them from the layout table, placing the
// window, moving the settings into the controls and back, and colours.
#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/form_controls.hpp"
#include "app/win/app_window.hpp"
#include "app/win/form1.hpp"
#include "platform/text_encoding.hpp"

namespace Unit1 {

namespace {

// Stored positions beyond this are off every screen; keeps the arithmetic
// on window rectangles clear of overflow.
constexpr int64_t kPositionLimit = 1 << 28;
constexpr std::size_t kItemLengthGuess = 16; // characters, for reserving list storage

struct TKindStyle {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

TKindStyle StyleOf(TControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case TControlKind::Label:
        return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0};
    case TControlKind::StatusLine:
        return {L"STATIC", kChild | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case TControlKind::DropDownList:
        return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case TControlKind::Edit:
        return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TControlKind::Notes:
        // No tab stop and no ES_WANTRETURN: Tab passes it by, Enter means OK.
        return {L"EDIT",
                kChild | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL,
                WS_EX_CLIENTEDGE};
    case TControlKind::DefaultButton:
        return {L"BUTTON", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
    case TControlKind::CancelButton:
        // BS_NOTIFY: focus on Cancel makes it the button Enter presses.
        return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0};
    }
    return {L"STATIC", kChild, 0};
}

void FillList(HWND combo, const std::vector<std::wstring>& items) {
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    SendMessageW(combo, CB_INITSTORAGE, items.size(),
                 items.size() * kItemLengthGuess * sizeof(wchar_t));
    for (const std::wstring& item : items)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
}

// A position outside the list leaves no item selected.
void SelectIndex(HWND combo, int32_t index) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    const bool inside = index >= 0 && index < count;
    SendMessageW(combo, CB_SETCURSEL, inside ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1),
                 0);
}

int32_t SelectedIndex(HWND combo) {
    return static_cast<int32_t>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); // CB_ERR is -1
}

// The closed list keeps the height of the layout whatever the font makes it.
// Systems differ in how the selection field's height maps to the control's,
// so the request is corrected by what the control then measures.
void FitListHeight(HWND combo, int height) {
    constexpr int kAttempts = 3;
    LRESULT request = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < kAttempts && request != CB_ERR; ++attempt) {
        RECT rect;
        GetWindowRect(combo, &rect);
        const int difference = height - (rect.bottom - rect.top);
        if (difference == 0) break;
        request += difference;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
    }
    SendMessageW(combo, CB_SETMINVISIBLE, kDropDownRows, 0);
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string EditBytes(HWND edit) {
    return Platform::WideToShiftJis(WindowText(edit));
}

void SetEditBytes(HWND edit, const std::string& ascii) {
    SetWindowTextW(edit, Platform::Utf8ToWide(ascii).c_str()); // numbers only: ASCII
}

// The stored position, unless the window would then lie wholly off every
// screen: it then moves onto the work area of the nearest one.
POINT VisiblePlace(int32_t left, int32_t top, int width, int height) {
    const auto limit = [](int32_t value) {
        return static_cast<LONG>(std::clamp<int64_t>(value, -kPositionLimit, kPositionLimit));
    };
    const RECT wanted{limit(left), limit(top), limit(left) + width, limit(top) + height};
    if (MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) return {left, top};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor))
        return {0, 0};
    const RECT& work = monitor.rcWork;
    const LONG x = std::max(work.left, std::min(wanted.left, work.right - width));
    const LONG y = std::max(work.top, std::min(wanted.top, work.bottom - height));
    return {x, y};
}

} // namespace

bool TForm1::CreateControls() {
    font_ = CreateFontW(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, kFontName);
    notes_brush_ = CreateSolidBrush(kNotesColor);
    status_brush_ = CreateSolidBrush(kStatusColor);
    if (!font_ || !notes_brush_ || !status_brush_) return false;
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (const TControlLayout& layout : FormControls())
        if (!(this->*layout.Field = CreateControl(layout))) return false;

    SetWindowTextW(Memo1, NotesText().c_str());
    FillList(ComboBox3, SizeUnitItems());
    FillList(ComboBox4, SizeUnitItems());
    FillList(ComboBox5, ReferencePointItems());
    // The lists are chosen from, never typed into: no input method.
    ImmAssociateContext(ComboBox1, nullptr);
    ImmAssociateContext(ComboBox2, nullptr);
    return true;
}

HWND TForm1::CreateControl(const TControlLayout& layout) {
    const TKindStyle style = StyleOf(layout.Kind);
    // A drop-down list's height includes its opened list.
    const int height = layout.Kind == TControlKind::DropDownList
                           ? layout.Height * (kDropDownRows + 1)
                           : layout.Height;
    HWND control = CreateWindowExW(style.ExStyle, style.ClassName, layout.Caption, style.Style,
                                   layout.Left, layout.Top, layout.Width, height, handle_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.Id)),
                                   instance_, nullptr);
    if (!control) return nullptr;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (layout.Kind == TControlKind::DropDownList) FitListHeight(control, layout.Height);
    return control;
}

// The frame's metrics come from the system: correct the outer size until
// the client area is exactly the layout's.
void TForm1::FitClientArea() {
    RECT client, frame;
    GetClientRect(handle_, &client);
    GetWindowRect(handle_, &frame);
    const int extra_width = kClientWidth - (client.right - client.left);
    const int extra_height = kClientHeight - (client.bottom - client.top);
    if (extra_width == 0 && extra_height == 0) return;
    SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left + extra_width,
                 frame.bottom - frame.top + extra_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::PlaceWindow() {
    RECT frame;
    GetWindowRect(handle_, &frame);
    const POINT place = VisiblePlace(Settings.FormLeft, Settings.FormTop, frame.right - frame.left,
                                     frame.bottom - frame.top);
    SetWindowPos(handle_, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FillControls() {
    const TFormControls values = ControlsAtShow(Settings);
    FillList(ComboBox1, LineColorItems());
    SelectIndex(ComboBox1, values.ComboBox1);
    FillList(ComboBox2, LineTypeItems());
    SelectIndex(ComboBox2, values.ComboBox2);
    SetEditBytes(Edit1, values.Edit1);
    SetEditBytes(Edit2, values.Edit2);
    SetEditBytes(Edit3, values.Edit3);
    SetEditBytes(Edit4, values.Edit4);
    SelectIndex(ComboBox3, values.ComboBox3);
    SelectIndex(ComboBox4, values.ComboBox4);
    SelectIndex(ComboBox5, values.ComboBox5);
}

// OK's reading of the controls; false (after the message) when the width or
// the height is not above the tolerance. The width is checked first.
bool TForm1::ReadSettingsFromControls() {
    RECT frame;
    GetWindowRect(handle_, &frame);
    Settings.FormLeft = frame.left;
    Settings.FormTop = frame.top;
    TFormControls values;
    values.ComboBox1 = SelectedIndex(ComboBox1);
    values.ComboBox2 = SelectedIndex(ComboBox2);
    values.ComboBox3 = SelectedIndex(ComboBox3);
    values.ComboBox4 = SelectedIndex(ComboBox4);
    values.ComboBox5 = SelectedIndex(ComboBox5);
    values.Edit1 = EditBytes(Edit1);
    values.Edit2 = EditBytes(Edit2);
    values.Edit3 = EditBytes(Edit3);
    values.Edit4 = EditBytes(Edit4);
    switch (ReadControls(values, Settings)) {
    case TOkResult::WidthRefused:
        application_.ShowMessage(handle_, Platform::Utf8ToWide(kWidthMessage).c_str());
        return false;
    case TOkResult::HeightRefused:
        application_.ShowMessage(handle_, Platform::Utf8ToWide(kHeightMessage).c_str());
        return false;
    case TOkResult::Accepted:
        break;
    }
    return true;
}

LRESULT TForm1::OnCtlColorStatic(HDC dc, HWND control) const {
    // The read-only notes ask here too, as read-only edits do.
    if (control == Memo1) {
        SetBkColor(dc, kNotesColor);
        return reinterpret_cast<LRESULT>(notes_brush_);
    }
    if (control == LabelA1) {
        SetBkColor(dc, kStatusColor);
        return reinterpret_cast<LRESULT>(status_brush_);
    }
    SetBkColor(dc, kFormColor);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

} // namespace Unit1
