// Unit1: the intersection sweep. Every pair of segments i < j is tested in
// order; a crossing on both segments is reported unless the two belong to
// the same curve and meet at an end point. Excluded segments take no part.
#pragma once

#include <cstdint>
#include <span>

#include "sweep/sweep_segment.hpp"

namespace Unit1 {

struct TCrossingPoint {
    double X, Y;
};

// Receives what the sweep finds, in the plain loop's order.
class TCrossingVisitor {
  public:
    virtual ~TCrossingVisitor() = default;
    // Before each outer step, also one whose segment is then skipped: step
    // is 1-based, count the number of segments.
    virtual void Progress(int32_t step, int32_t count) = 0;
    // The crossings of one outer step, in order. A point may repeat.
    virtual void Crossings(std::span<const TCrossingPoint> points) = 0;
};

// True when the crossing (x, y) of two crossing segments should get a rectangle.
bool QualifiesForRectangle(const TSweepSegment& outer, const TSweepSegment& inner, double x,
                           double y);

// The plain double loop over all pairs. Kept as the reference the indexed
// sweep is checked against.
void SweepPlain(std::span<const TSweepSegment> lines, TCrossingVisitor& visitor);

// The same crossings in the same order with the same progress steps,
// testing only pairs whose paths, widened by the tolerance, can meet. A
// point found again at once within one step is left out.
void SweepIndexed(std::span<const TSweepSegment> lines, TCrossingVisitor& visitor);

} // namespace Unit1
