// crossrect-cli render: the picture as SVG text (UTF-8). The drawing sits in
// one group whose transform turns drawing millimetres (y upward) into
// pixels, so every line keeps the exchange file's own coordinates: the
// selection in grey (left-out segments dashed), the answer's rectangle sides
// in colour, one <line> per line record. Below it a scale bar and a legend.
#pragma once

#include <string>

#include "cli/picture.hpp"
#include "cli/picture_view.hpp"

namespace CrossrectCli {

std::string SvgOfPicture(const TPicture& picture, const TPictureView& view);

} // namespace CrossrectCli
