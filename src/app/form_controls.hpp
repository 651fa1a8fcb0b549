// Unit1: the values of the rectangle window's controls, apart from any
// window system: list positions and edit texts (host code page bytes). The
// window and the command-line tool both fill them as the window does when
// shown and read them back as the OK button does, so a loaded value passes
// through the same list positions and edit texts in both.
#pragma once

#include <cstdint>
#include <string>

#include "app/rect_settings.hpp"

namespace Unit1 {

inline constexpr int32_t kColorListSize = 266;
inline constexpr int32_t kLineTypeListSize = 51;
inline constexpr int32_t kUnitListSize = 2;
inline constexpr int32_t kRefPointListSize = 10; // nine points and an empty item
inline constexpr int32_t kNoSelection = -1;

struct TFormControls {
    int32_t ComboBox1 = 0; // line colour list position
    int32_t ComboBox2 = 0; // line type list position
    int32_t ComboBox3 = 0; // width unit
    int32_t ComboBox4 = 0; // height unit
    int32_t ComboBox5 = 0; // reference point
    // Edit texts in Shift-JIS, as typed: full-width number characters are
    // read as their ASCII forms.
    std::string Edit1; // line width
    std::string Edit2; // width
    std::string Edit3; // height
    std::string Edit4; // angle
};

enum class TOkResult { Accepted, WidthRefused, HeightRefused };

// Messages of the two refusals (UTF-8).
extern const char* const kWidthMessage;  // "横幅の値を入力して下さい"
extern const char* const kHeightMessage; // "縦高の値を入力して下さい"
// The host's file could not be read to its end: nothing is drawn.
extern const char* const kReadFailedMessage;

// The controls as the window shows them for these settings.
TFormControls ControlsAtShow(const TRectSettings& settings);

// The OK button's reading of the controls into settings; the window position
// stays as it is. On a refusal the settings are left partly filled and must
// not be used.
TOkResult ReadControls(const TFormControls& controls, TRectSettings& settings);

} // namespace Unit1
