#include "app/form_controls.hpp"

#include <gtest/gtest.h>

#include "platform/text_encoding.hpp"
#include "util/number_text.hpp"

namespace {

using namespace Unit1;

TEST(FormControls, ListsShowOnlyPositionsTheyHave) {
    const struct {
        int32_t stored;
        int32_t color, line_type, unit, ref_point;
    } cases[] = {
        {-1, kNoSelection, kNoSelection, kUnitPaper, 0},
        {0, 0, 0, kUnitPaper, 0},
        {1, 1, 1, kUnitReal, 1},
        {2, 2, 2, kUnitPaper, 2},
        {8, 8, 8, kUnitPaper, 8},
        {9, 9, 9, kUnitPaper, 0}, // the empty tenth point is never restored
        {50, 50, 50, kUnitPaper, 0},
        {51, 51, kNoSelection, kUnitPaper, 0},
        {265, 265, kNoSelection, kUnitPaper, 0},
        {266, kNoSelection, kNoSelection, kUnitPaper, 0},
    };
    for (const auto& c : cases) {
        TRectSettings settings;
        settings.RectColorIndex = settings.RectLineTypeIndex = c.stored;
        settings.RectWidthUnit = settings.RectHeightUnit = c.stored;
        settings.RectRefPoint = c.stored;
        const TFormControls controls = ControlsAtShow(settings);
        EXPECT_EQ(controls.ComboBox1, c.color) << "stored " << c.stored;
        EXPECT_EQ(controls.ComboBox2, c.line_type) << "stored " << c.stored;
        EXPECT_EQ(controls.ComboBox3, c.unit) << "stored " << c.stored;
        EXPECT_EQ(controls.ComboBox4, c.unit) << "stored " << c.stored;
        EXPECT_EQ(controls.ComboBox5, c.ref_point) << "stored " << c.stored;
    }
}

TEST(FormControls, ShownSettingsReadBackUnchanged) {
    TRectSettings settings;
    settings.FormLeft = 12;
    settings.RectColorIndex = 265;
    settings.RectLineTypeIndex = 7;
    settings.RectLineWidth = -35;
    settings.RectWidthUnit = kUnitReal;
    settings.RectRefPoint = 4;
    settings.RectWidth = 0.1;
    settings.RectHeight = 1234567.125;
    settings.RectAngle = -30.5;
    const TFormControls controls = ControlsAtShow(settings);
    EXPECT_EQ(controls.Edit1, "-35");
    TRectSettings read;
    ASSERT_EQ(ReadControls(controls, read), TOkResult::Accepted);
    EXPECT_EQ(read.FormLeft, TRectSettings{}.FormLeft); // OK does not move the window
    EXPECT_EQ(read.RectColorIndex, 265);
    EXPECT_EQ(read.RectLineTypeIndex, 7);
    EXPECT_EQ(read.RectLineWidth, -35);
    EXPECT_EQ(read.RectWidthUnit, kUnitReal);
    EXPECT_EQ(read.RectHeightUnit, kUnitPaper);
    EXPECT_EQ(read.RectRefPoint, 4);
    EXPECT_EQ(read.RectWidth, 0.1);
    EXPECT_EQ(read.RectHeight, 1234567.125);
    EXPECT_EQ(read.RectAngle, -30.5);
}

TEST(FormControls, OkRefusesSizesNotAboveTheTolerance) {
    const struct {
        const char* width;
        const char* height;
        TOkResult result;
    } cases[] = {
        {"10", "10", TOkResult::Accepted},
        {"1.1e-8", "2e-8", TOkResult::Accepted},
        {"1e-8", "10", TOkResult::WidthRefused},
        {"0", "10", TOkResult::WidthRefused},
        {"-5", "10", TOkResult::WidthRefused},
        {"", "10", TOkResult::WidthRefused},
        {"abc", "10", TOkResult::WidthRefused},
        {"0", "0", TOkResult::WidthRefused}, // the width is asked for first
        {"10", "1e-8", TOkResult::HeightRefused},
        {"10", "", TOkResult::HeightRefused},
        {"10", "-0.5", TOkResult::HeightRefused},
    };
    for (const auto& c : cases) {
        TFormControls controls;
        controls.Edit2 = c.width;
        controls.Edit3 = c.height;
        TRectSettings settings;
        EXPECT_EQ(ReadControls(controls, settings), c.result)
            << "width '" << c.width << "', height '" << c.height << "'";
    }
}

// Japanese input types full-width characters; the window hands them over
// in Shift-JIS. Each text must read as its ASCII form, nothing else changes.
TEST(FormControls, FullWidthNumbersReadAsTheirAsciiForms) {
    const struct {
        const char* typed;
        const char* ascii;
    } cases[] = {
        {"０１２３４５６７８９", "0123456789"},
        {"－２２．５", "-22.5"},
        {"＋１ｅ１", "+1e1"},
        {"−３０", "-30"},
        {"ー１２。５", "-12.5"},
        {"　３０", " 30"},
        {"１Ｅ－２", "1E-2"},
        {"＄１Ｆ", "$1F"},
        {"０ｘａｂ", "0xab"},
        {"０Ｘ１Ｃ", "0X1C"},
        {"ＡＢＣＤＥＦ", "ABCDEF"},
        {"ａｂｃ", "abc"},
        {"５　", "5 "},
        {"５度", "5度"},
        {"ｇ５", "ｇ5"},
    };
    for (const auto& c : cases) {
        TFormControls typed, ascii;
        typed.Edit1 = typed.Edit4 = Platform::Utf8ToShiftJis(c.typed);
        ascii.Edit1 = ascii.Edit4 = Platform::Utf8ToShiftJis(c.ascii);
        typed.Edit2 = typed.Edit3 = ascii.Edit2 = ascii.Edit3 = "10";
        TRectSettings from_typed, from_ascii;
        ASSERT_EQ(ReadControls(typed, from_typed), TOkResult::Accepted) << c.typed;
        ASSERT_EQ(ReadControls(ascii, from_ascii), TOkResult::Accepted) << c.ascii;
        EXPECT_EQ(from_typed.RectLineWidth, from_ascii.RectLineWidth) << c.typed;
        EXPECT_EQ(MyFunc::RealToText(from_typed.RectAngle),
                  MyFunc::RealToText(from_ascii.RectAngle))
            << c.typed;
    }
}

} // namespace
