// Unit1: the intersection sweep. Every pair of selected segments i < j is
// tested in order; a crossing on both segments draws a rectangle unless the
// two belong to the same curve and meet at an end point. Segments carrying
// the dimension attribute take no part.
#pragma once

#include "exchange/exchange_state.hpp"
#include "sweep/rectangle_drawer.hpp"
#include "sweep/status_sink.hpp"

namespace Unit1 {

// True when the crossing (x, y) of two crossing segments should get a rectangle.
bool QualifiesForRectangle(const JwwGaibu::TJwwEntLine& outer, const JwwGaibu::TJwwEntLine& inner,
                           double x, double y);

// The plain double loop over all pairs, with one progress text per outer
// step. Kept as the reference the indexed sweep is checked against.
void SweepPlain(const JwwGaibu::TExchangeState& state, TRectangleDrawer& drawer,
                const TStatusSink& status);

// The same crossings, drawn in the same order with the same progress texts,
// testing only pairs whose paths, widened by the tolerance, can meet.
void SweepIndexed(const JwwGaibu::TExchangeState& state, TRectangleDrawer& drawer,
                  const TStatusSink& status);

} // namespace Unit1
