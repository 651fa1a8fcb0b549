#include "app/form_controls.hpp"

#include "util/number_text.hpp"
#include "util/tolerance.hpp"

namespace Unit1 {

const char* const kWidthMessage = "横幅の値を入力して下さい";
const char* const kHeightMessage = "縦高の値を入力して下さい";

namespace {

// A list keeps a stored position only when the position is one of its items.
int32_t ListSelection(int32_t position, int32_t list_size) {
    return position >= 0 && position < list_size ? position : kNoSelection;
}

int32_t UnitSelection(int32_t unit) {
    return unit == kUnitReal ? kUnitReal : kUnitPaper;
}

// The empty tenth item is never restored.
int32_t RefPointSelection(int32_t ref_point) {
    constexpr int32_t kLastPoint = 8;
    return ref_point >= 0 && ref_point <= kLastPoint ? ref_point : 0;
}

// A size must be a number above the tolerance; NaN fails too.
bool AcceptableSize(double value) {
    return value > MyFunc::kTolerance;
}

} // namespace

TFormControls ControlsAtShow(const TRectSettings& settings) {
    TFormControls controls;
    controls.ComboBox1 = ListSelection(settings.RectColorIndex, kColorListSize);
    controls.ComboBox2 = ListSelection(settings.RectLineTypeIndex, kLineTypeListSize);
    controls.Edit1 = MyFunc::IntToText(settings.RectLineWidth);
    controls.Edit2 = MyFunc::RealToText(settings.RectWidth);
    controls.Edit3 = MyFunc::RealToText(settings.RectHeight);
    controls.Edit4 = MyFunc::RealToText(settings.RectAngle);
    controls.ComboBox3 = UnitSelection(settings.RectWidthUnit);
    controls.ComboBox4 = UnitSelection(settings.RectHeightUnit);
    controls.ComboBox5 = RefPointSelection(settings.RectRefPoint);
    return controls;
}

TOkResult ReadControls(const TFormControls& controls, TRectSettings& settings) {
    settings.RectColorIndex = controls.ComboBox1;
    settings.RectLineTypeIndex = controls.ComboBox2;
    settings.RectLineWidth = MyFunc::TextToInt(controls.Edit1);
    settings.RectWidth = MyFunc::TextToDouble(controls.Edit2);
    if (!AcceptableSize(settings.RectWidth)) return TOkResult::WidthRefused;
    settings.RectHeight = MyFunc::TextToDouble(controls.Edit3);
    if (!AcceptableSize(settings.RectHeight)) return TOkResult::HeightRefused;
    settings.RectAngle = MyFunc::TextToDouble(controls.Edit4);
    settings.RectWidthUnit = controls.ComboBox3;
    settings.RectHeightUnit = controls.ComboBox4;
    settings.RectRefPoint = controls.ComboBox5;
    return TOkResult::Accepted;
}

} // namespace Unit1
