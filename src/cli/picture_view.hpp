// crossrect-cli render: fitting the drawing into the picture. Drawing
// coordinates (y upward) map to picture pixels (y downward) by one uniform
// scale and an offset; below the drawing a footer holds the scale bar and
// the legend.
#pragma once

#include "cli/picture.hpp"

namespace CrossrectCli {

struct TPictureView {
    double Scale = 1;          // pixels per drawing millimetre
    double OffsetX = 0;        // pixel x = OffsetX + Scale * x
    double OffsetY = 0;        // pixel y = OffsetY - Scale * y
    int Width = 0, Height = 0; // the whole picture, footer included
    int FooterTop = 0;         // pixel y where the footer starts
    double BarLength = 1;      // scale bar, in drawing millimetres
};

inline constexpr int kPictureMargin = 24;
inline constexpr int kPictureFooter = 64;

TPictureView FitView(const TPicture& picture);

// The longest 1, 2 or 5 times a power of ten not above the given length.
double RoundBarLength(double at_most);

} // namespace CrossrectCli
