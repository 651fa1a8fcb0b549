// crossrect-cli render: fitting the drawing into the picture. Drawing
// coordinates (y upward) map to picture pixels (y downward) by one uniform
// scale and an offset; to its right, when there is one, the panel of the
// enlarged crossing; below both a footer holds the scale bar and the legend.
#pragma once

#include "cli/render/picture.hpp"

namespace CrossrectCli {

struct TPictureView {
    double Scale = 1;          // pixels per drawing millimetre
    double OffsetX = 0;        // pixel x = OffsetX + Scale * x
    double OffsetY = 0;        // pixel y = OffsetY - Scale * y
    int Width = 0, Height = 0; // the whole picture, footer included
    int FooterTop = 0;         // pixel y where the footer starts
    double BarLength = 1;      // scale bar, in drawing millimetres
    bool Inset = false;        // the picture has the enlarged crossing's panel
    int InsetLeft = 0, InsetTop = 0;
};

inline constexpr int kPictureMargin = 24;
inline constexpr int kPictureFooter = 84;
// The panel: a title, the enlarged square, four lines of text below it.
inline constexpr int kInsetBox = 240;
inline constexpr int kInsetBoxTop = 26; // below the panel's top
inline constexpr int kInsetPanelHeight = kInsetBoxTop + kInsetBox + 84;

TPictureView FitView(const TPicture& picture, bool with_inset);

// The longest 1, 2 or 5 times a power of ten not above the given length.
double RoundBarLength(double at_most);

} // namespace CrossrectCli
