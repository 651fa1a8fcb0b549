#include "cli/render/svg_picture.hpp"

#include <cmath>

#include "cli/render/picture_inset_svg.hpp"
#include "cli/render/picture_svg_text.hpp"
#include "util/number_text.hpp"

namespace CrossrectCli {

namespace {

// Stroke widths, dashes and marks, in pixels.
constexpr double kSegmentPixels = 1.2;
constexpr double kDimensionPixels = 1.2;
constexpr double kSidePixels = 0.9;
constexpr double kSideOpacity = 0.8; // stacked squares darken instead of merging
constexpr double kDashPixels = 6;
constexpr double kGapPixels = 4;
constexpr double kTickPixels = 11; // the slash across each end of a dimension line
constexpr int kBarTick = 5;
constexpr int kLegendLeft = 220;
constexpr int kLegendSample = 28; // length of a legend's sample line
constexpr int kLegendSquare = 10;
constexpr int kLegendRow = 18;

// Widths and dashes are given in pixels and turned into drawing millimetres,
// as the drawing's scale applies to them too.
std::string Stroke(const char* colour, double width_px, const TPictureView& view) {
    return std::string(" stroke=\"") + colour + "\"" +
           SvgAttribute("stroke-width", width_px / view.Scale);
}

// The slash across one end of a dimension line, turned 45 degrees from it.
std::string Tick(double x, double y, double ux, double uy, double half) {
    double tx = (ux - uy) * half / std::sqrt(2.0), ty = (ux + uy) * half / std::sqrt(2.0);
    return std::string("M") + SvgNumber(x - tx) + " " + SvgNumber(y - ty) + "L" +
           SvgNumber(x + tx) + " " + SvgNumber(y + ty);
}

// Dimension lines end in slashes, as on a drawing, so that they read as
// dimensions and not as a line type.
void AppendDimensionTicks(std::string& svg, const TPicture& picture, const TPictureView& view) {
    svg += "<g id=\"dimension-ticks\"" + Stroke(kDimensionColour, kDimensionPixels, view) + ">\n";
    double half = kTickPixels / 2 / view.Scale;
    for (const TPictureSegment& s : picture.Dimensions) {
        double dx = s.X2 / 2 - s.X1 / 2, dy = s.Y2 / 2 - s.Y1 / 2; // halves cannot overflow
        double length = std::hypot(dx, dy);
        if (!(length > 0 && std::isfinite(length))) continue;
        double ux = dx / length, uy = dy / length;
        svg += "<path d=\"" + Tick(s.X1, s.Y1, ux, uy, half) + Tick(s.X2, s.Y2, ux, uy, half) +
               "\"/>\n";
    }
    svg += "</g>\n";
}

void AppendDrawing(std::string& svg, const TPicture& picture, const TPictureView& view) {
    svg += "<g id=\"drawing\" fill=\"none\" stroke-linecap=\"round\" transform=\"matrix(" +
           SvgNumber(view.Scale) + " 0 0 " + SvgNumber(-view.Scale) + " " +
           SvgNumber(view.OffsetX) + " " + SvgNumber(view.OffsetY) + ")\">\n";
    AppendLineGroup(svg, "segments", Stroke(kSegmentColour, kSegmentPixels, view),
                    picture.Segments);
    AppendLineGroup(svg, "excluded",
                    Stroke(kSegmentColour, kSegmentPixels, view) + " stroke-dasharray=\"" +
                        SvgNumber(kDashPixels / view.Scale) + " " +
                        SvgNumber(kGapPixels / view.Scale) + "\"",
                    picture.Excluded);
    AppendLineGroup(svg, "dimensions", Stroke(kDimensionColour, kDimensionPixels, view),
                    picture.Dimensions);
    AppendDimensionTicks(svg, picture, view);
    AppendLineGroup(svg, "rectangles",
                    Stroke(kRectangleColour, kSidePixels, view) +
                        SvgAttribute("stroke-opacity", kSideOpacity),
                    picture.Sides);
    svg += "</g>\n";
}

void AppendScaleBar(std::string& svg, const TPicture& picture, const TPictureView& view) {
    int y = view.FooterTop + kLegendRow;
    double left = kPictureMargin;
    double right = left + view.BarLength * view.Scale;
    svg += "<g id=\"scale-bar\" stroke=\"black\" stroke-width=\"1.5\" fill=\"none\">\n";
    svg += "<path d=\"M" + SvgNumber(left) + " " + std::to_string(y - kBarTick) + "V" +
           std::to_string(y) + "H" + SvgNumber(right) + "V" + std::to_string(y - kBarTick) +
           "\"/>\n";
    svg += "</g>\n";
    std::string unit = picture.PaperUnits ? " mm（図寸）" : " mm（実寸）";
    svg += SvgText(kPictureMargin, y + kLegendRow, MyFunc::RealToText(view.BarLength) + unit);
}

enum class TSample { Line, Dashed, Dimension, Square };

// The sample of one legend row, in the colour and form the drawing uses.
std::string LegendSample(TSample sample, int y) {
    int left = kLegendLeft, right = kLegendLeft + kLegendSample;
    if (sample == TSample::Square)
        return "<rect" + SvgAttribute("x", left + (kLegendSample - kLegendSquare) / 2) +
               SvgAttribute("y", y - kLegendSquare / 2) + SvgAttribute("width", kLegendSquare) +
               SvgAttribute("height", kLegendSquare) + " fill=\"none\" stroke=\"" +
               kRectangleColour + "\" stroke-width=\"1.2\"/>\n";
    const char* colour = sample == TSample::Dimension ? kDimensionColour : kSegmentColour;
    std::string d = std::string("M") + std::to_string(left) + " " + std::to_string(y) + "H" +
                    std::to_string(right);
    if (sample == TSample::Dimension)
        for (int x : {left, right})
            d += std::string("M") + std::to_string(x - 4) + " " + std::to_string(y + 4) + "l8 -8";
    return "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1.4\"" +
           (sample == TSample::Dashed ? " stroke-dasharray=\"6 4\"" : "") + "/>\n";
}

void AppendLegendRow(std::string& svg, int row, const TPictureView& view, TSample sample,
                     const std::string& label) {
    int y = view.FooterTop + kLegendRow * (row + 1) - kFontPixels / 3;
    svg += LegendSample(sample, y);
    svg += SvgText(kLegendLeft + kLegendSample + 8, y + kFontPixels / 3, label);
}

void AppendLegend(std::string& svg, const TPicture& picture, const TPictureView& view) {
    svg += "<g id=\"legend\" font-family=\"" + std::string(kFont) + "\" font-size=\"" +
           std::to_string(kFontPixels) + "\" fill=\"black\">\n";
    AppendScaleBar(svg, picture, view);
    auto count = [](std::size_t n) { return std::to_string(n); };
    AppendLegendRow(svg, 0, view, TSample::Line,
                    "交点を調べる線分 " + count(picture.Segments.size()) + " 本");
    AppendLegendRow(svg, 1, view, TSample::Dashed,
                    "寸法属性の線分（対象外） " + count(picture.Excluded.size()) + " 本");
    AppendLegendRow(svg, 2, view, TSample::Dimension,
                    "寸法線（対象外） " + count(picture.Dimensions.size()) + " 本");
    AppendLegendRow(svg, 3, view, TSample::Square,
                    "作図される矩形 " + count(RectangleStarts(picture.Sides).size()) + " 個（辺 " +
                        count(picture.Sides.size()) + " 本）");
    svg += "</g>\n";
}

} // namespace

std::string SvgOfPicture(const TPicture& picture, const TPictureView& view,
                         const std::optional<TInset>& inset) {
    std::string w = std::to_string(view.Width);
    std::string h = std::to_string(view.Height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    AppendDrawing(svg, picture, view);
    if (inset && view.Inset) AppendInset(svg, picture, *inset, view);
    AppendLegend(svg, picture, view);
    svg += "</svg>\n";
    return svg;
}

} // namespace CrossrectCli
