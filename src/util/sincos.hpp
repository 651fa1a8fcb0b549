// MyFunc: sine and cosine that give the same bits on every platform.
// The rotated corners are written to 15 significant digits, and the C
// libraries of the build targets disagree in the last bits (one is off by
// several digits next to multiples of pi/2), so the geometry uses this
// implementation instead: exact argument reduction over the whole double
// range and a double-double series, rounded once. The result is the
// correctly rounded value except in astronomically rare ties.
#pragma once

namespace MyFunc {

// sin(t) and cos(t) of t in radians. NaN or infinite t gives NaN for both;
// sin keeps the sign of a zero t.
void SinCos(double t, double& out_sin, double& out_cos);

} // namespace MyFunc
