// Unit1: turning drawn rectangles into line records. Large batches are
// formatted by several threads, each into its own buffer, and appended to
// the output in order, so the output is the same as formatting one by one.
#pragma once

#include <array>
#include <span>

#include "exchange/exchange_state.hpp"

namespace Unit1 {

// Corners in drawing order: lower left, lower right, upper right, upper left.
struct TRectCorners {
    std::array<double, 4> X;
    std::array<double, 4> Y;
};

// Appends the four sides of each rectangle (a side of zero length is left
// out), counter-clockwise from the lower-left corner. threads 0 uses every
// core for a large batch.
void AppendRectangles(JwwGaibu::TExchangeState& state, std::span<const TRectCorners> rects,
                      unsigned threads = 0);

} // namespace Unit1
