#include "cli/render/picture_svg_text.hpp"

#include <charconv>

namespace CrossrectCli {

std::string SvgNumber(double value) {
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc{} ? std::string(text, end) : std::string("0");
}

std::string SvgAttribute(const char* name, double value) {
    return std::string(" ") + name + "=\"" + SvgNumber(value) + "\"";
}

std::string SvgText(double x, double y, const std::string& utf8, const std::string& extra) {
    return "<text" + SvgAttribute("x", x) + SvgAttribute("y", y) + extra + ">" + utf8 + "</text>\n";
}

std::string SvgLine(const TPictureSegment& s) {
    return "<line" + SvgAttribute("x1", s.X1) + SvgAttribute("y1", s.Y1) +
           SvgAttribute("x2", s.X2) + SvgAttribute("y2", s.Y2) + "/>\n";
}

} // namespace CrossrectCli
