// Unit1: the rectangle settings and their file (the program's path with
// ".dat"). Eleven lines, CR LF, ASCII; loading never fails (missing lines
// read as 0), saving replaces the file only when the new one is complete.
#pragma once

#include <cstdint>
#include <filesystem>

namespace Unit1 {

struct TRectSettings {
    int32_t FormLeft = 0;
    int32_t FormTop = 0;
    int32_t RectColorIndex = 0;
    int32_t RectLineTypeIndex = 0;
    int32_t RectLineWidth = 0;
    int32_t RectWidthUnit = 0;  // 0 paper mm, 1 real mm
    int32_t RectHeightUnit = 0; // 0 paper mm, 1 real mm
    int32_t RectRefPoint = 0;   // reference point index 0..8
    double RectWidth = 10.0;
    double RectHeight = 10.0;
    double RectAngle = 0.0; // degrees, counter-clockwise
};

inline constexpr int32_t kUnitPaper = 0;
inline constexpr int32_t kUnitReal = 1;

// Defaults first, then whatever the file holds.
void LoadSettings(TRectSettings& settings, const std::filesystem::path& path);
// False when the file could not be written; the old file then stays.
bool SaveSettings(const TRectSettings& settings, const std::filesystem::path& path);

// The settings file of a program file: same folder and name, ".dat".
std::filesystem::path SettingsPathFor(const std::filesystem::path& program_file);

} // namespace Unit1
