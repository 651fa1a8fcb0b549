#include "cli/svg_picture.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "util/number_text.hpp"

namespace CrossrectCli {

namespace {

constexpr const char* kGrey = "#8c8c8c";
constexpr const char* kRectangleColour = "#d62728";
constexpr const char* kFont = "IPAGothic, 'MS Gothic', sans-serif";
constexpr double kSegmentPixels = 1.2; // stroke widths and dashes, in pixels
constexpr double kSidePixels = 1.6;
constexpr double kDashPixels = 6;
constexpr double kGapPixels = 4;
constexpr int kFontPixels = 13;
constexpr int kBarTick = 5;
constexpr int kLegendLeft = 220;
constexpr int kLegendSample = 28; // length of a legend's sample line
constexpr int kLegendRow = 18;

// Shortest text that reads back as the same double.
std::string Number(double value) {
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc{} ? std::string(text, end) : std::string("0");
}

std::string Attribute(const char* name, double value) {
    return std::string(" ") + name + "=\"" + Number(value) + "\"";
}

void AppendLines(std::string& svg, const std::vector<TPictureSegment>& list) {
    for (const TPictureSegment& s : list) {
        svg += "<line" + Attribute("x1", s.X1) + Attribute("y1", s.Y1) + Attribute("x2", s.X2) +
               Attribute("y2", s.Y2) + "/>\n";
    }
}

// One group of lines; widths and dashes are given in pixels and turned into
// drawing millimetres, as the group's scale applies to them too.
void AppendGroup(std::string& svg, const char* id, const char* colour, double width_px, bool dashed,
                 const TPictureView& view, const std::vector<TPictureSegment>& list) {
    svg += std::string("<g id=\"") + id + "\" stroke=\"" + colour + "\"" +
           Attribute("stroke-width", width_px / view.Scale);
    if (dashed)
        svg += " stroke-dasharray=\"" + Number(kDashPixels / view.Scale) + " " +
               Number(kGapPixels / view.Scale) + "\"";
    svg += ">\n";
    AppendLines(svg, list);
    svg += "</g>\n";
}

void AppendDrawing(std::string& svg, const TPicture& picture, const TPictureView& view) {
    svg += "<g id=\"drawing\" fill=\"none\" stroke-linecap=\"round\" transform=\"matrix(" +
           Number(view.Scale) + " 0 0 " + Number(-view.Scale) + " " + Number(view.OffsetX) + " " +
           Number(view.OffsetY) + ")\">\n";
    AppendGroup(svg, "segments", kGrey, kSegmentPixels, false, view, picture.Segments);
    AppendGroup(svg, "excluded", kGrey, kSegmentPixels, true, view, picture.Excluded);
    AppendGroup(svg, "dimensions", kGrey, kSegmentPixels, true, view, picture.Dimensions);
    AppendGroup(svg, "rectangles", kRectangleColour, kSidePixels, false, view, picture.Sides);
    svg += "</g>\n";
}

std::string Text(int x, int y, const std::string& utf8) {
    return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\">" + utf8 +
           "</text>\n";
}

void AppendScaleBar(std::string& svg, const TPicture& picture, const TPictureView& view) {
    int y = view.FooterTop + kLegendRow;
    double left = kPictureMargin;
    double right = left + view.BarLength * view.Scale;
    svg += "<g id=\"scale-bar\" stroke=\"black\" stroke-width=\"1.5\" fill=\"none\">\n";
    svg += "<path d=\"M" + Number(left) + " " + std::to_string(y - kBarTick) + "V" +
           std::to_string(y) + "H" + Number(right) + "V" + std::to_string(y - kBarTick) + "\"/>\n";
    svg += "</g>\n";
    std::string unit = picture.PaperUnits ? " mm（図寸）" : " mm（実寸）";
    svg += Text(kPictureMargin, y + kLegendRow, MyFunc::RealToText(view.BarLength) + unit);
}

void AppendLegendRow(std::string& svg, int row, const TPictureView& view, const char* colour,
                     bool dashed, const std::string& label) {
    int y = view.FooterTop + kLegendRow * (row + 1) - kFontPixels / 3;
    svg += "<line x1=\"" + std::to_string(kLegendLeft) + "\" y1=\"" + std::to_string(y) +
           "\" x2=\"" + std::to_string(kLegendLeft + kLegendSample) + "\" y2=\"" +
           std::to_string(y) + "\" stroke=\"" + colour + "\" stroke-width=\"1.6\"" +
           (dashed ? " stroke-dasharray=\"6 4\"" : "") + "/>\n";
    svg += Text(kLegendLeft + kLegendSample + 8, y + kFontPixels / 3, label);
}

void AppendLegend(std::string& svg, const TPicture& picture, const TPictureView& view) {
    svg += "<g id=\"legend\" font-family=\"" + std::string(kFont) + "\" font-size=\"" +
           std::to_string(kFontPixels) + "\" fill=\"black\">\n";
    AppendScaleBar(svg, picture, view);
    std::size_t left_out = picture.Excluded.size() + picture.Dimensions.size();
    AppendLegendRow(svg, 0, view, kGrey, false,
                    "交点を調べる線分 " + std::to_string(picture.Segments.size()) + " 本");
    AppendLegendRow(svg, 1, view, kGrey, true,
                    "対象外の線分（寸法・寸法属性） " + std::to_string(left_out) + " 本");
    AppendLegendRow(svg, 2, view, kRectangleColour, false,
                    "作図される矩形の辺 " + std::to_string(picture.Sides.size()) + " 本");
    svg += "</g>\n";
}

} // namespace

std::string SvgOfPicture(const TPicture& picture, const TPictureView& view) {
    std::string w = std::to_string(view.Width);
    std::string h = std::to_string(view.Height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    AppendDrawing(svg, picture, view);
    AppendLegend(svg, picture, view);
    svg += "</svg>\n";
    return svg;
}

} // namespace CrossrectCli
