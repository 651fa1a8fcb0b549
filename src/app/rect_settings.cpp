#include "app/rect_settings.hpp"

#include <array>
#include <cmath>
#include <string>

#include "platform/file_io.hpp"
#include "platform/safe_save.hpp"
#include "util/number_text.hpp"

namespace Unit1 {

namespace {

constexpr int kSettingsLines = 11;

enum class TLineKind { Int, AbsReal, Real };

// One settings line: where its value goes and how it is read. The order is
// the file's, which differs from the order of the fields.
struct TSettingsLine {
    TLineKind Kind;
    int32_t TRectSettings::*IntField;
    double TRectSettings::*RealField;
};

constexpr std::array<TSettingsLine, kSettingsLines> kLines{{
    {TLineKind::Int, &TRectSettings::FormLeft, nullptr},
    {TLineKind::Int, &TRectSettings::FormTop, nullptr},
    {TLineKind::Int, &TRectSettings::RectColorIndex, nullptr},
    {TLineKind::Int, &TRectSettings::RectLineTypeIndex, nullptr},
    {TLineKind::Int, &TRectSettings::RectLineWidth, nullptr},
    {TLineKind::AbsReal, nullptr, &TRectSettings::RectWidth},
    {TLineKind::AbsReal, nullptr, &TRectSettings::RectHeight},
    {TLineKind::Real, nullptr, &TRectSettings::RectAngle},
    {TLineKind::Int, &TRectSettings::RectWidthUnit, nullptr},
    {TLineKind::Int, &TRectSettings::RectHeightUnit, nullptr},
    {TLineKind::Int, &TRectSettings::RectRefPoint, nullptr},
}};

enum class TReadResult { Line, End, Error };

// Reads one line without its LF (and a CR before it). At the end of the
// file an empty line is returned as End, so missing lines read as "".
TReadResult ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    for (;;) {
        const int c = std::fgetc(file);
        if (c == EOF) {
            if (std::ferror(file)) return TReadResult::Error;
            return line.empty() ? TReadResult::End : TReadResult::Line;
        }
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return TReadResult::Line;
}

void StoreLine(TRectSettings& settings, const TSettingsLine& spec, const std::string& text) {
    switch (spec.Kind) {
    case TLineKind::Int:
        settings.*spec.IntField = MyFunc::TextToInt(text);
        break;
    case TLineKind::AbsReal:
        settings.*spec.RealField = std::fabs(MyFunc::TextToDouble(text));
        break;
    case TLineKind::Real:
        settings.*spec.RealField = MyFunc::TextToDouble(text);
        break;
    }
}

std::string LineText(const TRectSettings& settings, const TSettingsLine& spec) {
    if (spec.Kind == TLineKind::Int) return MyFunc::IntToText(settings.*spec.IntField);
    return MyFunc::RealToText(settings.*spec.RealField);
}

} // namespace

void LoadSettings(TRectSettings& settings, const std::filesystem::path& path) {
    settings = TRectSettings{};
    if (!Platform::FileExists(path)) return;
    Platform::TFilePtr file = Platform::OpenFile(path, "rb");
    if (!file) return;
    std::string line;
    for (const TSettingsLine& spec : kLines) {
        // A failed read keeps the defaults of this and the following fields.
        if (ReadLine(file.get(), line) == TReadResult::Error) return;
        StoreLine(settings, spec, line);
    }
}

bool SaveSettings(const TRectSettings& settings, const std::filesystem::path& path) {
    std::string content;
    for (const TSettingsLine& spec : kLines) {
        content += LineText(settings, spec);
        content += "\r\n";
    }
    // Whatever fails, the file holds the complete old or the complete new
    // settings (only the first eleven lines are read).
    return Platform::Saved(Platform::SaveFile(path, Platform::ContentOf(content), {}));
}

std::filesystem::path SettingsPathFor(const std::filesystem::path& program_file) {
    std::filesystem::path result = program_file;
    result.replace_extension(".dat");
    return result;
}

} // namespace Unit1
