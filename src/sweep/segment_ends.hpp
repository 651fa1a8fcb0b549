// Unit1: a candidate segment: what the crossing test needs of it, copied
// out of the search so that the sweep need not look the segment up.
#pragma once

#include <cstdint>

#include "sweep/sweep_segment.hpp"
#include "util/geometry.hpp"

namespace Unit1 {

struct TSegmentEnds {
    MyFunc::TSegmentLine Line;
    int32_t CurveNo;
    int32_t Index;
};

inline TSegmentEnds EndsOf(const TSweepSegment& s, int32_t index) {
    return TSegmentEnds{MyFunc::LineOf(s.X1, s.Y1, s.X2, s.Y2), s.CurveNo, index};
}

} // namespace Unit1
