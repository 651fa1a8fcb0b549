// Unit1: a candidate segment: what the crossing test needs of it, copied
// out of the search so that the sweep need not look the segment up.
#pragma once

#include <cstdint>

#include "util/geometry.hpp"

namespace Unit1 {

struct TSegmentEnds {
    MyFunc::TSegmentLine Line;
    int32_t CurveNo;
    int32_t Index;
};

} // namespace Unit1
