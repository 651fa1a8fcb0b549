// crossrect-cli render: what one picture shows. The selection's segments as
// the sweep sees them (taking part, excluded by the dimension flag, or
// dimension lines) and the rectangle sides the answer hands back, all in the
// exchange file's own coordinates; the answer's sides grouped into rectangles.
#pragma once

#include <filesystem>
#include <vector>

#include "exchange/exchange_state.hpp"

namespace CrossrectCli {

struct TPictureSegment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TPicture {
    std::vector<TPictureSegment> Segments;   // take part in the sweep
    std::vector<TPictureSegment> Excluded;   // segments whose flags exclude them
    std::vector<TPictureSegment> Dimensions; // the lines of dimension figures
    std::vector<TPictureSegment> Sides;      // the answer's line records, in order
    bool PaperUnits = false;                 // coordinates are paper millimetres
    double LayerScale = 1;                   // scale of the host's layer group (real / paper)
    int NonFinite = 0;                       // segments left out: beyond a double's range
};

// The selection as read into the exchange state.
TPicture PictureOfSelection(const JwwGaibu::TExchangeState& state);

// Adds the line records of a rewritten exchange file (four numbers to a
// line; command lines such as "lc2" or "hq" are passed over). False when the
// file cannot be opened or read to its end.
bool ReadAnswerSides(const std::filesystem::path& path, TPicture& picture);

// The answer writes each rectangle as its sides in a closed chain, each side
// starting where the one before ended; a side of zero length is not written,
// so a chain can be shorter than four. Where each chain starts.
inline constexpr std::size_t kSidesPerRectangle = 4;
std::vector<std::size_t> RectangleStarts(const std::vector<TPictureSegment>& sides);

} // namespace CrossrectCli
