#include "cli/render/picture_inset_svg.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "cli/render/picture_svg_text.hpp"
#include "util/number_text.hpp"

namespace CrossrectCli {

namespace {

// In pixels.
constexpr double kMarkerLeast = 9; // radius of the circle in the drawing
constexpr double kMarkerMost = 16;
constexpr double kSizeOffset = 16; // dimension line from the rectangle's side
constexpr double kSizeGap = 3;     // extension line from the side
constexpr double kSizeOverrun = 4; // extension line beyond the dimension line
constexpr double kArrowLength = 7;
constexpr double kArrowHalf = 2.5;
constexpr double kLabelGap = 10; // label from the dimension line
// Labels sit a quarter along their dimension line: segments through a
// centred reference point cross the sides at their middles.
constexpr double kLabelAlong = 0.25;
constexpr double kPointRadius = 2.5; // the reference points not chosen
constexpr double kChosenRadius = 4.5;
constexpr double kRefLabelShift = 7; // label of the chosen point, up and left
constexpr int kRowHeight = 18;
constexpr int kSizeDigits = 7;
constexpr int kRowIndent = 14;
constexpr const char* kHalo =
    " stroke=\"white\" stroke-width=\"4\" stroke-linejoin=\"round\" paint-order=\"stroke\"";

TPicturePoint Plus(TPicturePoint p, TPicturePoint d, double times) {
    return {p.X + d.X * times, p.Y + d.Y * times};
}

TPicturePoint Towards(TPicturePoint from, TPicturePoint to) {
    double length = std::hypot(to.X - from.X, to.Y - from.Y);
    if (!(length > 0)) return {0, 0};
    return {(to.X - from.X) / length, (to.Y - from.Y) / length};
}

std::string Coordinates(TPicturePoint p) {
    return SvgNumber(p.X) + " " + SvgNumber(p.Y);
}

// Drawing coordinates (y upward) to the panel's pixels.
struct TInsetMap {
    double K = 1, OffsetX = 0, OffsetY = 0;
    TPicturePoint Pixel(TPicturePoint p) const { return {OffsetX + K * p.X, OffsetY - K * p.Y}; }
};

TInsetMap MapOf(const TInset& inset, const TPictureView& view) {
    double k = kInsetBox / (2 * inset.Half);
    return {k, view.InsetLeft - k * (inset.Centre.X - inset.Half),
            view.InsetTop + kInsetBoxTop + k * (inset.Centre.Y + inset.Half)};
}

std::string Arrow(TPicturePoint tip, TPicturePoint direction) {
    TPicturePoint base = Plus(tip, direction, -kArrowLength);
    TPicturePoint across{-direction.Y, direction.X};
    return std::string("M") + Coordinates(tip) + "L" + Coordinates(Plus(base, across, kArrowHalf)) +
           "L" + Coordinates(Plus(base, across, -kArrowHalf)) + "Z";
}

// Text placed beside a point on the side `out` points to.
std::string LabelAt(TPicturePoint p, TPicturePoint out, const std::string& utf8) {
    const char* anchor = out.X > 0.5 ? "start" : out.X < -0.5 ? "end" : "middle";
    double baseline = p.Y + kFontPixels / 3.0 + out.Y * kFontPixels / 2.0;
    return SvgText(p.X, baseline, utf8, std::string(" text-anchor=\"") + anchor + "\"" + kHalo);
}

// A dimension of the side from a to b, set off by `out` (away from the
// rectangle), with arrows at both ends and the window's name of the size.
void AppendSizeMark(std::string& svg, TPicturePoint a, TPicturePoint b, TPicturePoint out,
                    const std::string& name) {
    TPicturePoint from = Plus(a, out, kSizeOffset), to = Plus(b, out, kSizeOffset);
    TPicturePoint along = Towards(from, to);
    svg += "<path fill=\"none\" stroke=\"" + std::string(kNoteColour) + "\" d=\"M" +
           Coordinates(Plus(a, out, kSizeGap)) + "L" +
           Coordinates(Plus(a, out, kSizeOffset + kSizeOverrun)) + "M" +
           Coordinates(Plus(b, out, kSizeGap)) + "L" +
           Coordinates(Plus(b, out, kSizeOffset + kSizeOverrun)) + "M" + Coordinates(from) + "L" +
           Coordinates(to) + "\"/>\n";
    svg += "<path fill=\"" + std::string(kNoteColour) + "\" d=\"" +
           Arrow(from, {-along.X, -along.Y}) + Arrow(to, along) + "\"/>\n";
    TPicturePoint at{from.X + kLabelAlong * (to.X - from.X),
                     from.Y + kLabelAlong * (to.Y - from.Y)};
    svg += LabelAt(Plus(at, out, kLabelGap), out, name);
}

std::string Circle(TPicturePoint p, double radius, const std::string& paint) {
    return "<circle" + SvgAttribute("cx", p.X) + SvgAttribute("cy", p.Y) +
           SvgAttribute("r", radius) + paint + "/>\n";
}

std::string Filled() {
    return std::string(" fill=\"") + kNoteColour + "\"";
}

std::string Hollow() {
    return std::string(" fill=\"white\" stroke=\"") + kNoteColour + "\"";
}

// The enlargement itself: drawing coordinates, clipped to the square.
void AppendEnlarged(std::string& svg, const TPicture& picture, const TInset& inset,
                    const TInsetMap& map, double box_top, const TPictureView& view) {
    std::string box = SvgAttribute("x", view.InsetLeft) + SvgAttribute("y", box_top) +
                      SvgAttribute("width", kInsetBox) + SvgAttribute("height", kInsetBox);
    svg += "<clipPath id=\"inset-clip\"><rect" + box + "/></clipPath>\n";
    svg += "<rect" + box + " fill=\"white\" stroke=\"#b0b0b0\"/>\n";
    svg += "<g clip-path=\"url(#inset-clip)\">\n<g id=\"inset-drawing\" fill=\"none\" "
           "stroke-linecap=\"round\" transform=\"matrix(" +
           SvgNumber(map.K) + " 0 0 " + SvgNumber(-map.K) + " " + SvgNumber(map.OffsetX) + " " +
           SvgNumber(map.OffsetY) + ")\">\n";
    auto stroke = [&map](const char* colour, double pixels) {
        return std::string(" stroke=\"") + colour + "\"" +
               SvgAttribute("stroke-width", pixels / map.K);
    };
    AppendLineGroup(svg, "inset-segments", stroke(kSegmentColour, 1.5), picture.Segments,
                    [&](std::size_t i) { return InsetShows(inset, picture.Segments[i]); });
    AppendLineGroup(svg, "inset-others", stroke(kRectangleColour, 1) + " stroke-opacity=\"0.5\"",
                    picture.Sides, [&](std::size_t i) {
                        return !IsInsetSide(inset, i) && InsetShows(inset, picture.Sides[i]);
                    });
    AppendLineGroup(svg, "inset-rectangle", stroke(kRectangleColour, 2), picture.Sides,
                    [&inset](std::size_t i) { return IsInsetSide(inset, i); });
    svg += "</g>\n</g>\n";
}

void AppendMarks(std::string& svg, const TInset& inset, const TInsetMap& map) {
    TPicturePoint c[4];
    for (int k = 0; k < 4; ++k)
        c[k] = map.Pixel(inset.Corners[k]);
    AppendSizeMark(svg, c[0], c[1], Towards(c[3], c[0]), "横幅");
    AppendSizeMark(svg, c[1], c[2], Towards(c[0], c[1]), "縦高");
    for (int k = 0; k < 9; ++k)
        if (k != inset.RefPoint)
            svg += Circle(map.Pixel(InsetPoint(inset, k)), kPointRadius, Hollow());
    TPicturePoint chosen = map.Pixel(InsetPoint(inset, inset.RefPoint));
    svg += Circle(chosen, kChosenRadius, Filled());
    svg += SvgText(chosen.X - kRefLabelShift, chosen.Y - kRefLabelShift, "基準点",
                   std::string(" text-anchor=\"end\"") + kHalo);
}

// Seven significant digits: the size comes back from the corners of a
// turned rectangle with rounding in its last digits.
std::string SizeNumber(double size) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", kSizeDigits, size);
    return MyFunc::RealToText(std::strtod(text, nullptr));
}

// A size as the window takes it: paper millimetres ("図寸mm"), and what
// they make in real millimetres ("実寸mm") at the layer group's scale.
std::string SizeText(const char* name, double size, const TPicture& picture) {
    double scale = picture.LayerScale;
    std::string text = std::string(name) + " ";
    if (!(std::isfinite(scale) && scale > 0))
        return text + SizeNumber(size) + (picture.PaperUnits ? " 図寸mm" : " 実寸mm");
    double paper = picture.PaperUnits ? size : size / scale;
    double real = picture.PaperUnits ? size * scale : size;
    return text + SizeNumber(paper) + " 図寸mm（＝ " + SizeNumber(real) + " 実寸mm）";
}

void AppendRows(std::string& svg, const TPicture& picture, const TInset& inset, double top,
                const TPictureView& view) {
    double left = view.InsetLeft, y = top + kRowHeight;
    svg += Circle({left + 5, y - 4}, kChosenRadius, Filled());
    svg += SvgText(left + kRowIndent, y,
                   std::string("交点 ＝ 基準点「") + kRefPointNames[inset.RefPoint] + "」");
    y += kRowHeight;
    svg += Circle({left + 5, y - 4}, kPointRadius, Hollow());
    svg += SvgText(left + kRowIndent, y, "基準点に選べるほかの点");
    svg += SvgText(left, y + kRowHeight, SizeText("横幅", inset.Width, picture));
    svg += SvgText(left, y + 2 * kRowHeight, SizeText("縦高", inset.Height, picture));
}

} // namespace

void AppendInset(std::string& svg, const TPicture& picture, const TInset& inset,
                 const TPictureView& view) {
    TInsetMap map = MapOf(inset, view);
    double box_top = view.InsetTop + kInsetBoxTop;
    // The circle in the drawing: around the crossing, taking in a small
    // rectangle, never much larger than the crossing itself.
    TPicturePoint crossing = InsetPoint(inset, inset.RefPoint);
    TPicturePoint in_drawing{view.OffsetX + view.Scale * crossing.X,
                             view.OffsetY - view.Scale * crossing.Y};
    double half_extent = inset.Half / kInsetZoom * view.Scale;
    double radius = std::clamp(half_extent * std::sqrt(2.0) + 3, kMarkerLeast, kMarkerMost);
    svg += "<g id=\"inset\" font-family=\"" + std::string(kFont) + "\" font-size=\"" +
           std::to_string(kFontPixels) + "\" fill=\"black\">\n";
    svg += Circle(in_drawing, radius,
                  std::string(" id=\"inset-marker\" fill=\"none\" stroke-width=\"1.5\" stroke=\"") +
                      kNoteColour + "\"");
    svg += SvgText(view.InsetLeft, view.InsetTop + kFontPixels, "拡大図：○で囲んだ交点");
    AppendEnlarged(svg, picture, inset, map, box_top, view);
    AppendMarks(svg, inset, map);
    AppendRows(svg, picture, inset, box_top + kInsetBox, view);
    svg += "</g>\n";
}

} // namespace CrossrectCli
