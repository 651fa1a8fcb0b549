#include "exchange/output_commands.hpp"

#include <cmath>
#include <cstring>
#include <string_view>

#include "exchange/answer_writer.hpp"
#include "util/tolerance.hpp"

namespace JwwGaibu {

namespace {

// List positions of the window's colour and line-type lists.
constexpr int32_t kLastPlainIndex = 9;           // "線色9" / "線種9"
constexpr int32_t kSxfColorOffset = 91;          // index 10 = "SXF-1" = colour 101
constexpr int32_t kLastRandomOrDoubleIndex = 18; // "倍長線種4"
constexpr int32_t kRandomOrDoubleOffset = 1;     // index 10 = "ランダム線1" = line type 11
constexpr int32_t kSxfLineTypeOffset = 12;       // index 19 = "SXF-1" = line type 31

constexpr std::size_t kCommandTextMax = 24; // two letters and a 32-bit number

enum class TNumberForm { Decimal, Hex };

// Upper-case hexadecimal of the 32-bit pattern, at least one digit.
std::size_t HexText(uint32_t value, char* out) {
    char digits[8];
    std::size_t count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = digits[count - 1 - i];
    return count;
}

// Writes the command when the number changed or the attribute is fresh.
// Returns true when a line was written.
bool WriteOnChange(TExchangeState& state, std::string_view letters, TNumberForm form, int32_t n,
                   int32_t& current, bool& fresh) {
    if (n == current && !fresh) return false;
    char text[kCommandTextMax];
    std::memcpy(text, letters.data(), letters.size());
    char* digits = text + letters.size();
    const std::size_t length = form == TNumberForm::Hex ? HexText(static_cast<uint32_t>(n), digits)
                                                        : MyFunc::IntToText(n, digits);
    AddOutputLine(state, std::string_view(text, letters.size() + length));
    current = n;
    fresh = false;
    return true;
}

// Both coordinate differences strictly below the tolerance. Unlike
// MyFunc::SamePoint (at most the tolerance), a line exactly the tolerance
// long is still written.
bool SpansLessThanTolerance(double x1, double y1, double x2, double y2) {
    return std::fabs(x2 - x1) < MyFunc::kTolerance && std::fabs(y2 - y1) < MyFunc::kTolerance;
}

// Copies the whole fixed-size text buffer, which the compiler does in a few
// wide moves, and steps on by the text's length; a line record has room for
// four whole buffers, and the extra bytes are overwritten or lie past its end.
void AppendText(char*& out, const std::array<char, MyFunc::kRealTextMax>& text,
                std::size_t length) {
    std::memcpy(out, text.data(), text.size());
    out += length;
}

// Longest line record: four numbers and three spaces.
constexpr std::size_t kLineRecordMax = 4 * MyFunc::kRealTextMax + 3;

// Writes the line record from start to end into out (room for
// kLineRecordMax bytes) and returns its length; 0 for a segment of zero
// length, which is not written.
std::size_t FormatLineRecord(const TPointText& start, const TPointText& end, char* out) {
    if (SpansLessThanTolerance(start.X, start.Y, end.X, end.Y)) return 0; // dropped silently
    static_assert(kLineRecordMax <= kShortStringMax, "a line record must never be cut");
    char* const first = out;
    AppendText(out, start.XText, start.XLength);
    *out++ = ' ';
    AppendText(out, start.YText, start.YLength);
    *out++ = ' ';
    AppendText(out, end.XText, end.XLength);
    *out++ = ' ';
    AppendText(out, end.YText, end.YLength);
    return static_cast<std::size_t>(out - first);
}

} // namespace

int32_t MapLineColor(const TExchangeState& state, int32_t index) {
    if (index <= 0) return state.HostColor;
    if (index <= kLastPlainIndex) return index;
    return index + kSxfColorOffset;
}

int32_t MapLineType(const TExchangeState& state, int32_t index) {
    if (index <= 0) return state.HostLineType;
    if (index <= kLastPlainIndex) return index;
    if (index <= kLastRandomOrDoubleIndex) return index + kRandomOrDoubleOffset;
    return index + kSxfLineTypeOffset;
}

void PutLayerGroup(TExchangeState& state, int32_t n) {
    // A new layer group makes the layer that follows count again.
    if (WriteOnChange(state, "lg", TNumberForm::Hex, n, state.Running.CurLayerGroup,
                      state.Running.FreshLg))
        state.Running.FreshLy = true;
}

void PutLayer(TExchangeState& state, int32_t n) {
    WriteOnChange(state, "ly", TNumberForm::Hex, n, state.Running.CurLayer, state.Running.FreshLy);
}

void PutLineColor(TExchangeState& state, int32_t n, int32_t mode) {
    if (mode == kModeListIndex) n = MapLineColor(state, n);
    WriteOnChange(state, "lc", TNumberForm::Decimal, n, state.Running.CurColor,
                  state.Running.FreshLc);
}

void PutLineType(TExchangeState& state, int32_t n, int32_t mode) {
    if (mode == kModeListIndex) n = MapLineType(state, n);
    WriteOnChange(state, "lt", TNumberForm::Decimal, n, state.Running.CurLineType,
                  state.Running.FreshLt);
}

void PutLineWidth(TExchangeState& state, int32_t n) {
    // A host file without any "lw" line takes no line width either.
    if (!state.LineWidthSeen) return;
    if (n == kHostLineWidth) n = state.HostLineWidth;
    if (n < 0 || n > kMaxLineWidth) n = 0;
    WriteOnChange(state, "lw", TNumberForm::Decimal, n, state.Running.CurLineWidth,
                  state.Running.FreshLw);
}

TPointText MakePointText(double x, double y) {
    TPointText point;
    point.X = x;
    point.Y = y;
    point.XLength = static_cast<uint8_t>(MyFunc::RealToText(x, point.XText.data()));
    point.YLength = static_cast<uint8_t>(MyFunc::RealToText(y, point.YText.data()));
    return point;
}

void PutLine(TAnswerWriter& answer, const TPointText& start, const TPointText& end) {
    const std::size_t length = FormatLineRecord(start, end, answer.LineSpace());
    if (length > 0) answer.CommitLine(length);
}

void PutLine(TExchangeState& state, const TPointText& start, const TPointText& end) {
    PutLine(state.Answer, start, end);
}

void PutLine(TExchangeState& state, double x1, double y1, double x2, double y2) {
    if (SpansLessThanTolerance(x1, y1, x2, y2)) return; // not worth formatting
    PutLine(state, MakePointText(x1, y1), MakePointText(x2, y2));
}

} // namespace JwwGaibu
