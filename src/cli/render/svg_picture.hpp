// crossrect-cli render: the picture as SVG text (UTF-8). The drawing sits in
// one group whose transform turns drawing millimetres (y upward) into
// pixels, so every line keeps the exchange file's own coordinates: the
// selection in grey (segments left out by their dimension attribute dashed),
// dimension lines in blue with a slash at each end, the answer's rectangle
// sides in red, one <line> per line record. Beside it, when given, one
// crossing enlarged; below, a scale bar and a legend that counts each kind.
#pragma once

#include <optional>
#include <string>

#include "cli/render/picture.hpp"
#include "cli/render/picture_inset.hpp"
#include "cli/render/picture_view.hpp"

namespace CrossrectCli {

std::string SvgOfPicture(const TPicture& picture, const TPictureView& view,
                         const std::optional<TInset>& inset);

} // namespace CrossrectCli
