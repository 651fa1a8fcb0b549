// MyFunc: the geometric tolerance. The reader's test for coinciding points
// of an "sl" figure has its own, finer bound (reader_s_figures.cpp).
#pragma once

namespace MyFunc {

// Crossings, coinciding points, slopes, lines too short to write and the
// window's width and height check all compare against this.
inline constexpr double kTolerance = 1e-8;

} // namespace MyFunc
