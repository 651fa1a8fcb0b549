// crossrect-cli render: the crossing the picture shows enlarged. One
// rectangle of the answer, chosen where it stands clear of the others, with
// its reference point found again as the one of its nine points (0 左下 …
// 8 右上) on which two segments of the selection cross.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "cli/render/picture.hpp"

namespace CrossrectCli {

struct TPicturePoint {
    double X = 0, Y = 0;
};

struct TInset {
    std::size_t FirstSide = 0; // its four sides in TPicture::Sides
    // Lower left, lower right, upper right and upper left, before rotation.
    std::array<TPicturePoint, 4> Corners;
    int RefPoint = 0;             // 0..8 in the order of the window's list
    double Width = 0, Height = 0; // in the exchange file's unit
    TPicturePoint Centre;         // the area shown: a square around Centre
    double Half = 0;              // of half this side
};

// Side of the area shown, in extents of the rectangle.
inline constexpr double kInsetZoom = 2.0;

// Names of the reference points as the window's list shows them.
inline constexpr const char* kRefPointNames[9] = {"左下", "中下", "右下", "左中", "中中",
                                                  "右中", "左上", "中上", "右上"};

// The clearest rectangle whose reference point is unambiguous; none when
// the answer holds no such rectangle.
std::optional<TInset> ChooseInset(const TPicture& picture);

// Point k (0..8, column k mod 3, row k div 3) of the inset's rectangle.
TPicturePoint InsetPoint(const TInset& inset, int k);

// Whether an index of TPicture::Sides is one of the inset rectangle's sides.
bool IsInsetSide(const TInset& inset, std::size_t side);

// Whether a segment reaches into the square the inset shows.
bool InsetShows(const TInset& inset, const TPictureSegment& segment);

} // namespace CrossrectCli
