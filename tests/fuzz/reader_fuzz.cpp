// The exchange file reader on any bytes. Every figure it stores must appear
// once in the figure order, in table order; the host's pen from the file and
// the first segments of the selection then go back out through the output
// commands, and the answer written back from memory and the one streamed
// beside its file must be the same bytes. The sweeps on the same input are
// the sweep target's work.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "exchange_round_trip.hpp"

namespace {

using namespace fuzz_support;

// Enough segments to reach every line-record form; more only repeats them.
constexpr int32_t kMaxEchoedSegments = 64;
constexpr int kFigureKinds = JwwGaibu::kKindSg;
// Mode meaning "n is the number itself", as the header gives it.
constexpr int32_t kModeNumber = 0;

void RequireFigureOrder(const JwwGaibu::TExchangeState& state) {
    std::array<int32_t, kFigureKinds + 1> seen{};
    for (int32_t i = 0; i < state.FigureOrder.Count(); ++i) {
        const JwwGaibu::TJwwOrderItem& item = state.FigureOrder[i];
        Require(item.Kind >= 1 && item.Kind <= kFigureKinds, "figure order names no figure kind");
        Require(item.Index == seen[item.Kind]++, "figure order out of table order");
    }
    for (int kind = 1; kind <= kFigureKinds; ++kind)
        Require(seen[kind] == state.FigureCount(kind), "stored figure missing from the order");
}

// The file's form of lines that none ends in a quote.
std::string JoinLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return std::string(JwwGaibu::kEmptyAnswer);
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

void EchoSelection(JwwGaibu::TExchangeState& state) {
    JwwGaibu::PutLayerGroup(state, state.HostLayerGroup);
    JwwGaibu::PutLayer(state, state.HostLayer);
    JwwGaibu::PutLineColor(state, state.HostColor, kModeNumber);
    JwwGaibu::PutLineType(state, state.HostLineType, kModeNumber);
    JwwGaibu::PutLineWidth(state, state.HostLineWidth);
    const int32_t echoed = std::min(state.LineCount(), kMaxEchoedSegments);
    for (int32_t i = 0; i < echoed; ++i) {
        const JwwGaibu::TJwwEntLine& line = state.Lines[i];
        JwwGaibu::PutLine(state, line.X1, line.Y1, line.X2, line.Y2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static JwwGaibu::TExchangeState state, streamed;
    const auto path =
        WriteInput(JwwGaibu::kExchangeFileName, {reinterpret_cast<const char*>(data), size});
    ReadInto(state, path);
    RequireFigureOrder(state);
    EchoSelection(state);
    // The same answer streamed beside its file must be written back alike.
    ReadInto(streamed, path);
    const auto beside = ScratchFolder() / "streamed.txt";
    Require(streamed.Answer.StreamBeside(beside), "no temporary file beside the answer");
    EchoSelection(streamed);
    Require(JwwGaibu::WriteExchangeFile(streamed, beside), "streamed write-back failed");
    Require(ReadAll(beside) == JoinLines(WrittenLinesOf(state)),
            "streamed answer differs from the one held in memory");
    return 0;
}
