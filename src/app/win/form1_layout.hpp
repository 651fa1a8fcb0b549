// Unit1: what TForm1 is made of. The control handles in declaration order,
// the table that creates them (kind, position, size, caption, tab order) and
// the fixed contents: notes, line-colour, line-type, unit and reference-point
// lists. Positions are client pixels, not scaled to the screen's text size.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace Unit1 {

struct TForm1Controls {
    HWND Button1 = nullptr;
    HWND Button2 = nullptr;
    HWND LabelA1 = nullptr;
    HWND Memo1 = nullptr;
    HWND Label3 = nullptr;
    HWND ComboBox2 = nullptr;
    HWND Label1 = nullptr;
    HWND ComboBox1 = nullptr;
    HWND Label2 = nullptr;
    HWND Edit1 = nullptr;
    HWND Label5 = nullptr;
    HWND Edit2 = nullptr;
    HWND Label7 = nullptr;
    HWND Edit3 = nullptr;
    HWND Label9 = nullptr;
    HWND Label10 = nullptr;
    HWND ComboBox3 = nullptr;
    HWND ComboBox4 = nullptr;
    HWND ComboBox5 = nullptr;
    HWND Label4 = nullptr;
    HWND Edit4 = nullptr;
    HWND Label6 = nullptr;
};

enum class TControlKind {
    Label,
    StatusLine,
    DropDownList,
    Edit,
    Notes,
    DefaultButton,
    CancelButton
};

struct TControlLayout {
    HWND TForm1Controls::*Field;
    TControlKind Kind;
    int Id;
    int Left, Top, Width, Height;
    const wchar_t* Caption;
};

inline constexpr int kClientWidth = 472;
inline constexpr int kClientHeight = 247;
inline constexpr int kFontHeight = 13;
inline constexpr const wchar_t* kFontName = L"ＭＳ ゴシック";
inline constexpr COLORREF kFormColor = RGB(255, 255, 255);
inline constexpr COLORREF kNotesColor = RGB(187, 235, 244);
inline constexpr COLORREF kStatusColor = RGB(231, 231, 231);
inline constexpr int kDropDownRows = 8; // items shown by an opened list

// Every control, in creation order: the tab-order controls first, in tab
// order, because the Tab key follows creation order.
std::span<const TControlLayout> FormControls();

// The 25 notes lines joined by CR LF.
const std::wstring& NotesText();

const std::vector<std::wstring>& LineColorItems();      // 266 items
const std::vector<std::wstring>& LineTypeItems();       // 51 items
const std::vector<std::wstring>& SizeUnitItems();       // "図寸mm", "実寸mm"
const std::vector<std::wstring>& ReferencePointItems(); // nine points and an empty tenth

} // namespace Unit1
