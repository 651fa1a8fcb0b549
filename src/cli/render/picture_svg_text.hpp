// crossrect-cli render: pieces of SVG text the picture's parts share, and
// the colours and font that tie the drawing, the legend and the enlarged
// crossing together.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/render/picture.hpp"

namespace CrossrectCli {

inline constexpr const char* kSegmentColour = "#7f7f7f";
inline constexpr const char* kDimensionColour = "#1f6fb2";
inline constexpr const char* kRectangleColour = "#d62728";
inline constexpr const char* kNoteColour = "#222222"; // marks and labels of the enlargement
inline constexpr const char* kFont = "IPAPGothic, IPAGothic, 'MS PGothic', sans-serif";
inline constexpr int kFontPixels = 13;

// Shortest text that reads back as the same double.
std::string SvgNumber(double value);
// ` name="value"`
std::string SvgAttribute(const char* name, double value);
// <text> at (x, y) with the given UTF-8 content and extra attributes.
std::string SvgText(double x, double y, const std::string& utf8, const std::string& extra = "");
// <line> with the segment's own numbers.
std::string SvgLine(const TPictureSegment& s);

// One group, with its style, of the lines of a list that keep accepts by
// their index (all of them without keep).
template <typename TKeep>
void AppendLineGroup(std::string& svg, const char* id, const std::string& style,
                     const std::vector<TPictureSegment>& list, TKeep keep) {
    svg += std::string("<g id=\"") + id + "\"" + style + ">\n";
    for (std::size_t i = 0; i < list.size(); ++i)
        if (keep(i)) svg += SvgLine(list[i]);
    svg += "</g>\n";
}

inline void AppendLineGroup(std::string& svg, const char* id, const std::string& style,
                            const std::vector<TPictureSegment>& list) {
    AppendLineGroup(svg, id, style, list, [](std::size_t) { return true; });
}

} // namespace CrossrectCli
