#include "app/form_controls.hpp"

#include <array>

#include "exchange/shift_jis.hpp"
#include "util/number_text.hpp"
#include "util/tolerance.hpp"

namespace Unit1 {

const char* const kWidthMessage = "横幅の値を入力して下さい";
const char* const kHeightMessage = "縦高の値を入力して下さい";
const char* const kReadFailedMessage = "選択図形を最後まで読み込めませんでした。作図は行いません。";

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

// What Japanese input gives for the characters of a number: the full-width
// forms, and in kana mode "。" and "ー" for the two keys a number needs. The
// Shift-JIS form of U+2212 is that of "－".
struct TNarrowForm {
    unsigned char Lead, Trail;
    char Ascii;
};
constexpr std::array<TNarrowForm, 9> kNarrowSingles{{
    {0x81, 0x40, ' '}, // ideographic space
    {0x81, 0x42, '.'}, // 。
    {0x81, 0x44, '.'}, // ．
    {0x81, 0x5B, '-'}, // ー
    {0x81, 0x7B, '+'}, // ＋
    {0x81, 0x7C, '-'}, // － and −
    {0x81, 0x90, '$'}, // ＄
    {0x82, 0x77, 'X'}, // Ｘ
    {0x82, 0x98, 'x'}, // ｘ
}};

// A run of consecutive codes that maps onto consecutive ASCII characters.
struct TNarrowRun {
    unsigned char Trail, Last;
    char First;
};
constexpr std::array<TNarrowRun, 3> kNarrowRuns{{
    {0x4F, 0x58, '0'}, // ０-９
    {0x60, 0x65, 'A'}, // Ａ-Ｆ
    {0x81, 0x86, 'a'}, // ａ-ｆ
}};

// The ASCII form of one double-byte character, or 0 when it has none here.
char NarrowForm(unsigned char lead, unsigned char trail) {
    for (const TNarrowForm& f : kNarrowSingles)
        if (f.Lead == lead && f.Trail == trail) return f.Ascii;
    if (lead != 0x82) return 0;
    for (const TNarrowRun& r : kNarrowRuns)
        if (trail >= r.Trail && trail <= r.Last)
            return static_cast<char>(r.First + (trail - r.Trail));
    return 0;
}

// The text with every full-width number character in its ASCII form; all
// else, whatever it is, stays for the number reader to judge.
std::string NarrowNumberText(const std::string& sjis) {
    std::string out;
    out.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto lead = static_cast<unsigned char>(sjis[i]);
        if (!JwwGaibu::IsShiftJisLeadByte(lead) || i + 1 == sjis.size()) {
            out += sjis[i];
            continue;
        }
        const auto trail = static_cast<unsigned char>(sjis[i + 1]);
        const char ascii = NarrowForm(lead, trail);
        if (ascii != 0) {
            out += ascii;
        } else {
            out.append(sjis, i, 2);
        }
        ++i;
    }
    return out;
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
    settings.RectLineWidth = MyFunc::TextToInt(NarrowNumberText(controls.Edit1));
    settings.RectWidth = MyFunc::TextToDouble(NarrowNumberText(controls.Edit2));
    if (!AcceptableSize(settings.RectWidth)) return TOkResult::WidthRefused;
    settings.RectHeight = MyFunc::TextToDouble(NarrowNumberText(controls.Edit3));
    if (!AcceptableSize(settings.RectHeight)) return TOkResult::HeightRefused;
    settings.RectAngle = MyFunc::TextToDouble(NarrowNumberText(controls.Edit4));
    settings.RectWidthUnit = controls.ComboBox3;
    settings.RectHeightUnit = controls.ComboBox4;
    settings.RectRefPoint = controls.ComboBox5;
    return TOkResult::Accepted;
}

} // namespace Unit1
