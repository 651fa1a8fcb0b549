// MyFunc: the one geometric tolerance of the system.
#pragma once

namespace MyFunc {

// Coordinates, slopes, zero-length sides and the window's width and height
// check all compare against this.
inline constexpr double kTolerance = 1e-8;

} // namespace MyFunc
