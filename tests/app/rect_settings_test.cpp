#include "app/rect_settings.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

using test_support::ReadBytes;
using test_support::ScratchDir;
using test_support::WriteBytes;
using Unit1::TRectSettings;

namespace {

TRectSettings Loaded(const std::string& bytes) {
    ScratchDir dir;
    WriteBytes(dir.path() / "s.dat", bytes);
    TRectSettings settings;
    settings.RectWidth = 99; // must be overwritten by the defaults first
    Unit1::LoadSettings(settings, dir.path() / "s.dat");
    return settings;
}

} // namespace

TEST(RectSettings, MissingFileGivesDefaults) {
    ScratchDir dir;
    TRectSettings settings;
    settings.FormLeft = 7;
    settings.RectWidth = 3;
    Unit1::LoadSettings(settings, dir.path() / "none.dat");
    EXPECT_EQ(settings.FormLeft, 0);
    EXPECT_EQ(settings.RectWidth, 10.0);
    EXPECT_EQ(settings.RectHeight, 10.0);
    EXPECT_EQ(settings.RectAngle, 0.0);
    EXPECT_EQ(settings.RectRefPoint, 0);
}

TEST(RectSettings, FileLinesLandInTheirFields) {
    // The file order differs from the field order: reals come before the units.
    const TRectSettings s =
        Loaded("11\r\n22\r\n33\r\n44\r\n55\r\n6.5\r\n7.5\r\n-30\r\n1\r\n0\r\n8\r\n");
    EXPECT_EQ(s.FormLeft, 11);
    EXPECT_EQ(s.FormTop, 22);
    EXPECT_EQ(s.RectColorIndex, 33);
    EXPECT_EQ(s.RectLineTypeIndex, 44);
    EXPECT_EQ(s.RectLineWidth, 55);
    EXPECT_EQ(s.RectWidth, 6.5);
    EXPECT_EQ(s.RectHeight, 7.5);
    EXPECT_EQ(s.RectAngle, -30.0);
    EXPECT_EQ(s.RectWidthUnit, 1);
    EXPECT_EQ(s.RectHeightUnit, 0);
    EXPECT_EQ(s.RectRefPoint, 8);
}

TEST(RectSettings, MissingAndInvalidLinesReadAsZero) {
    const TRectSettings empty = Loaded("");
    EXPECT_EQ(empty.RectWidth, 0.0);
    EXPECT_EQ(empty.RectHeight, 0.0);

    // Five lines with LF only and no final line end: the rest reads as 0.
    const TRectSettings five = Loaded("1\n2\n3\n4\n5");
    EXPECT_EQ(five.RectLineWidth, 5);
    EXPECT_EQ(five.RectWidth, 0.0);
    EXPECT_EQ(five.RectAngle, 0.0);
    EXPECT_EQ(five.RectRefPoint, 0);

    const TRectSettings odd = Loaded("0\r\n0\r\n0\r\n0\r\n12.5\r\n12,5\r\n-5\r\n1E400\r\n");
    EXPECT_EQ(odd.RectLineWidth, 0); // not an integer
    EXPECT_EQ(odd.RectWidth, 0.0);   // comma is no decimal separator
    EXPECT_EQ(odd.RectHeight, 5.0);  // sizes load as absolute values
    EXPECT_EQ(odd.RectAngle, 0.0);   // beyond a double: invalid, not a crash
}

TEST(RectSettings, SaveWritesElevenCrLfLinesInFileOrder) {
    ScratchDir dir;
    TRectSettings s;
    s.FormLeft = -12;
    s.FormTop = 34;
    s.RectColorIndex = 265;
    s.RectLineTypeIndex = 50;
    s.RectLineWidth = 25;
    s.RectWidth = 12.3456789012345678;
    s.RectHeight = 0.00001;
    s.RectAngle = -30;
    s.RectWidthUnit = 1;
    s.RectHeightUnit = 0;
    s.RectRefPoint = 9;
    ASSERT_TRUE(Unit1::SaveSettings(s, dir.path() / "s.dat"));
    EXPECT_EQ(ReadBytes(dir.path() / "s.dat"),
              "-12\r\n34\r\n265\r\n50\r\n25\r\n12.3456789012346\r\n1E-5\r\n-30\r\n1\r\n0\r\n9\r\n");

    TRectSettings back;
    Unit1::LoadSettings(back, dir.path() / "s.dat");
    EXPECT_EQ(back.RectWidth, 12.3456789012346);
    EXPECT_EQ(back.RectHeight, 0.00001);
    EXPECT_EQ(back.RectRefPoint, 9);
    EXPECT_EQ(back.FormLeft, -12);
}

TEST(RectSettings, FailedSaveKeepsThePreviousFile) {
    ScratchDir dir;
    // A folder where the file should be: it can be neither written nor replaced.
    const auto blocked = dir.path() / "blocked.dat";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_FALSE(Unit1::SaveSettings(TRectSettings{}, blocked));
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));

    // A parent that is a file: nothing can be created, and nothing is left behind.
    WriteBytes(dir.path() / "plain", "x");
    EXPECT_FALSE(Unit1::SaveSettings(TRectSettings{}, dir.path() / "plain" / "s.dat"));
    EXPECT_EQ(ReadBytes(dir.path() / "plain"), "x");
}

#ifndef _WIN32
// Writes that break off part-way, in the temporary file and in place alike:
// the old settings must come back whole.
TEST(RectSettings, ASaveBrokenOffKeepsTheOldSettings) {
    ScratchDir dir;
    const auto path = dir.path() / "s.dat";
    ASSERT_TRUE(Unit1::SaveSettings(TRectSettings{}, path));
    const std::string old_bytes = ReadBytes(path);
    TRectSettings changed;
    changed.RectWidth = changed.RectHeight = changed.RectAngle = 1.23456789012345e-7;
    bool saved = true;
    {
        test_support::FileSizeLimit limit(old_bytes.size() + 2);
        saved = Unit1::SaveSettings(changed, path);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(path), old_bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}
#endif

TEST(RectSettings, SettingsPathReplacesTheExtension) {
    EXPECT_EQ(Unit1::SettingsPathFor("/opt/cad/crossrect.exe"),
              std::filesystem::path("/opt/cad/crossrect.dat"));
    EXPECT_EQ(Unit1::SettingsPathFor("/opt/cad/crossrect"),
              std::filesystem::path("/opt/cad/crossrect.dat"));
}
