// Unit1: a segment as the sweep sees it: its ends, the curve it belongs to
// (0 for none) and whether it is left out of the search. The command run
// builds these from the selection, so the sweep knows nothing of the file.
#pragma once

#include <cstdint>

namespace Unit1 {

struct TSweepSegment {
    double X1, Y1, X2, Y2;
    int32_t CurveNo;
    bool Excluded;
};

} // namespace Unit1
