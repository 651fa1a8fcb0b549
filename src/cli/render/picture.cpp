#include "cli/render/picture.hpp"

#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace CrossrectCli {

namespace {

constexpr int kRecordFields = 4;

bool IsFinite(const TPictureSegment& s) {
    return std::isfinite(s.X1) && std::isfinite(s.Y1) && std::isfinite(s.X2) && std::isfinite(s.Y2);
}

void Add(TPicture& picture, std::vector<TPictureSegment>& list, const TPictureSegment& segment) {
    if (IsFinite(segment))
        list.push_back(segment);
    else
        ++picture.NonFinite;
}

TPictureSegment SegmentOf(const JwwGaibu::TJwwEntLine& line) {
    return {line.X1, line.Y1, line.X2, line.Y2};
}

std::optional<double> NumberField(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A line record: exactly four numbers separated by spaces.
std::optional<TPictureSegment> LineRecord(std::string_view line) {
    double values[kRecordFields];
    int count = 0;
    while (!line.empty()) {
        std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        std::size_t stop = std::min(line.find(' '), line.size());
        std::optional<double> value = NumberField(line.substr(0, stop));
        if (!value || count == kRecordFields) return std::nullopt;
        values[count++] = *value;
        line.remove_prefix(stop);
    }
    if (count != kRecordFields) return std::nullopt;
    return TPictureSegment{values[0], values[1], values[2], values[3]};
}

} // namespace

TPicture PictureOfSelection(const JwwGaibu::TExchangeState& state) {
    TPicture picture;
    picture.PaperUnits = state.PaperUnits;
    if (state.HostLayerGroup >= 0 && state.HostLayerGroup < JwwGaibu::kLayerGroups)
        picture.LayerScale = state.LayerGroupScale[state.HostLayerGroup];
    for (int32_t i = 0; i < state.Lines.Count(); ++i) {
        const JwwGaibu::TJwwEntLine& line = state.Lines[i];
        Add(picture, JwwGaibu::HasDimensionAttribute(line) ? picture.Excluded : picture.Segments,
            SegmentOf(line));
    }
    for (int32_t i = 0; i < state.Dims.Count(); ++i)
        Add(picture, picture.Dimensions, SegmentOf(state.Dims[i].Line));
    return picture;
}

bool ReadAnswerSides(const std::filesystem::path& path, TPicture& picture) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (std::optional<TPictureSegment> side = LineRecord(line))
            Add(picture, picture.Sides, *side);
    }
    return file.eof() && !file.bad();
}

std::vector<std::size_t> RectangleStarts(const std::vector<TPictureSegment>& sides) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        bool continues = !starts.empty() && i - starts.back() < kSidesPerRectangle &&
                         sides[i].X1 == sides[i - 1].X2 && sides[i].Y1 == sides[i - 1].Y2;
        if (!continues) starts.push_back(i);
    }
    return starts;
}

} // namespace CrossrectCli
