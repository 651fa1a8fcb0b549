// crossrect-cli render: the enlarged crossing as SVG. A circle marks the
// crossing in the drawing; the panel beside it shows the rectangle there
// with the segments around it, its 横幅 and 縦高 as dimensions, its nine
// possible reference points with the one on the crossing filled, and below
// the enlargement the sizes in the window's units.
#pragma once

#include <string>

#include "cli/render/picture.hpp"
#include "cli/render/picture_inset.hpp"
#include "cli/render/picture_view.hpp"

namespace CrossrectCli {

void AppendInset(std::string& svg, const TPicture& picture, const TInset& inset,
                 const TPictureView& view);

} // namespace CrossrectCli
