#include "cli/picture_view.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace CrossrectCli {

namespace {

constexpr double kDrawingWidth = 800; // largest drawing area, pixels
constexpr double kDrawingHeight = 560;
constexpr double kMinPictureWidth = 520; // room for the legend
constexpr double kEmptyExtent = 100;     // millimetres shown around a lone point
constexpr double kThinShare = 0.05;      // a flat drawing keeps some height
constexpr double kBarShare = 0.25;       // scale bar: up to a quarter of the width

struct TBounds {
    double MinX = std::numeric_limits<double>::infinity();
    double MinY = MinX;
    double MaxX = -MinX;
    double MaxY = -MinX;

    void Add(double x, double y) {
        MinX = std::min(MinX, x);
        MinY = std::min(MinY, y);
        MaxX = std::max(MaxX, x);
        MaxY = std::max(MaxY, y);
    }
    void Add(const std::vector<TPictureSegment>& list) {
        for (const TPictureSegment& s : list) {
            Add(s.X1, s.Y1);
            Add(s.X2, s.Y2);
        }
    }
};

// An empty drawing, a point or a flat one still gets an area to show.
void Widen(TBounds& b) {
    if (b.MinX > b.MaxX) b = TBounds{-kEmptyExtent / 2, -kEmptyExtent / 2, 0, 0};
    double extent = std::max(b.MaxX - b.MinX, b.MaxY - b.MinY);
    double least = extent > 0 ? extent * kThinShare : kEmptyExtent;
    auto widen = [least](double& low, double& high) {
        if (high - low >= least) return;
        double centre = low / 2 + high / 2;
        low = centre - least / 2;
        high = centre + least / 2;
    };
    widen(b.MinX, b.MaxX);
    widen(b.MinY, b.MaxY);
}

} // namespace

double RoundBarLength(double at_most) {
    double power = std::pow(10.0, std::floor(std::log10(at_most)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= at_most) return step * power;
    return power / 2; // pow() rounded above the length: 5 of the decade below
}

TPictureView FitView(const TPicture& picture) {
    TBounds b;
    b.Add(picture.Segments);
    b.Add(picture.Excluded);
    b.Add(picture.Dimensions);
    b.Add(picture.Sides);
    Widen(b);
    // Differences of finite doubles can overflow: halve before subtracting.
    double width = (b.MaxX / 2 - b.MinX / 2) * 2;
    double height = (b.MaxY / 2 - b.MinY / 2) * 2;

    TPictureView view;
    view.Scale = std::min(kDrawingWidth / width, kDrawingHeight / height);
    double drawn_width = width * view.Scale;
    double drawn_height = height * view.Scale;
    view.Width =
        static_cast<int>(std::ceil(std::max(drawn_width + 2 * kPictureMargin, kMinPictureWidth)));
    view.FooterTop = static_cast<int>(std::ceil(drawn_height)) + 2 * kPictureMargin;
    view.Height = view.FooterTop + kPictureFooter;
    view.OffsetX = (view.Width - drawn_width) / 2 - view.Scale * b.MinX;
    view.OffsetY = kPictureMargin + view.Scale * b.MaxY;
    view.BarLength = RoundBarLength(width * kBarShare);
    return view;
}

} // namespace CrossrectCli
