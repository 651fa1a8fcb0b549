// JwwGaibu: the output commands. Attribute commands ("lg", "ly", "lc", "lt",
// "lw") are written only when their number changes or their Fresh flag is
// set; PutLine writes one line record unless the segment has zero length.
#pragma once

#include <array>
#include <cstdint>

#include "exchange/exchange_state.hpp"
#include "util/number_text.hpp"

namespace JwwGaibu {

// Mode meaning "n is a position in the window's list".
inline constexpr int32_t kModeListIndex = 1;
// Line width argument meaning "the host's current width".
inline constexpr int32_t kHostLineWidth = -1;
inline constexpr int32_t kMaxLineWidth = 30000;

int32_t MapLineColor(const TExchangeState& state, int32_t index);
int32_t MapLineType(const TExchangeState& state, int32_t index);

void PutLayerGroup(TExchangeState& state, int32_t n);
void PutLayer(TExchangeState& state, int32_t n);
void PutLineColor(TExchangeState& state, int32_t n, int32_t mode);
void PutLineType(TExchangeState& state, int32_t n, int32_t mode);
void PutLineWidth(TExchangeState& state, int32_t n);
void PutLine(TExchangeState& state, double x1, double y1, double x2, double y2);

// A point together with the text of its coordinates, so that a caller
// drawing several segments through the same corner formats it only once.
struct TPointText {
    double X = 0.0;
    double Y = 0.0;
    std::array<char, MyFunc::kRealTextMax> XText{};
    std::array<char, MyFunc::kRealTextMax> YText{};
    uint8_t XLength = 0;
    uint8_t YLength = 0;
};
TPointText MakePointText(double x, double y);
// Same as PutLine on the points' coordinates, formatted straight into the
// answer's block. The writer alone is all it needs, so a thread that
// formats line records is handed the answer and nothing else.
void PutLine(TAnswerWriter& answer, const TPointText& start, const TPointText& end);
void PutLine(TExchangeState& state, const TPointText& start, const TPointText& end);

} // namespace JwwGaibu
