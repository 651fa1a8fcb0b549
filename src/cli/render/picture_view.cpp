#include "cli/render/picture_view.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace CrossrectCli {

namespace {

constexpr double kDrawingWidth = 800; // largest drawing area, pixels
constexpr double kDrawingHeight = 560;
constexpr double kMinPictureWidth = 520; // room for the legend
constexpr double kEmptyExtent = 100;     // millimetres shown when there is no extent
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

// Half the extent: the whole difference of two finite doubles can overflow.
double HalfSpan(double low, double high) {
    return high / 2 - low / 2;
}

// An empty drawing, a point or a flat one still gets an area to show.
void Widen(TBounds& b) {
    constexpr double kHalfEmpty = kEmptyExtent / 2;
    if (b.MinX > b.MaxX) b = TBounds{-kHalfEmpty, -kHalfEmpty, kHalfEmpty, kHalfEmpty};
    double half = std::max(HalfSpan(b.MinX, b.MaxX), HalfSpan(b.MinY, b.MaxY));
    double least_half = half > 0 ? half * kThinShare : kHalfEmpty;
    auto widen = [least_half](double& low, double& high) {
        if (HalfSpan(low, high) >= least_half) return;
        double centre = low / 2 + high / 2;
        low = centre - least_half;
        high = centre + least_half;
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

TPictureView FitView(const TPicture& picture, bool with_inset) {
    TBounds b;
    b.Add(picture.Segments);
    b.Add(picture.Excluded);
    b.Add(picture.Dimensions);
    b.Add(picture.Sides);
    Widen(b);
    double half_width = HalfSpan(b.MinX, b.MaxX);
    double half_height = HalfSpan(b.MinY, b.MaxY);

    TPictureView view;
    view.Scale = std::min(kDrawingWidth / 2 / half_width, kDrawingHeight / 2 / half_height);
    double drawn_width = half_width * view.Scale * 2;
    double drawn_height = half_height * view.Scale * 2;
    int drawing_area =
        static_cast<int>(std::ceil(std::max(drawn_width + 2 * kPictureMargin, kMinPictureWidth)));
    view.FooterTop = static_cast<int>(std::ceil(drawn_height)) + 2 * kPictureMargin;
    view.Width = drawing_area;
    if (with_inset) {
        view.Inset = true;
        view.InsetLeft = drawing_area;
        view.InsetTop = kPictureMargin;
        view.Width += kInsetBox + kPictureMargin;
        view.FooterTop = std::max(view.FooterTop, kInsetPanelHeight + 2 * kPictureMargin);
    }
    view.Height = view.FooterTop + kPictureFooter;
    view.OffsetX = (drawing_area - drawn_width) / 2 - view.Scale * b.MinX;
    view.OffsetY = (view.FooterTop - drawn_height) / 2 + view.Scale * b.MaxY;
    view.BarLength = RoundBarLength(half_width * (2 * kBarShare));
    return view;
}

} // namespace CrossrectCli
