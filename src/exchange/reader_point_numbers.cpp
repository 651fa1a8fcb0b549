// Numbered points ("hp") and the point number of the next figure ("hhp").
// Both carry the number inside field 1, followed by an optional suffix that
// tells what the point lies on.

#include <iterator>

#include "exchange/reader_lines.hpp"

namespace JwwGaibu::Reader {

namespace {

constexpr std::string_view kHpKey = "hp";
constexpr std::string_view kHhpKey = "hhp";
constexpr int kHpFields = 3;
constexpr int32_t kFirstHpNumber = 1;
constexpr int32_t kLastHpNumber = 99;

// Suffixes in the order they are tried; a later match wins.
struct TPointSuffix {
    std::string_view text;
    int32_t kind;
};
constexpr TPointSuffix kPointSuffixes[] = {{"-", 1}, {"ln", 2}, {"ci", 3}, {"ch", 4}};
// "hhp" knows no "-" suffix.
constexpr std::size_t kFirstHhpSuffix = 1;

void ParseNumberedPoint(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view key = fields.Field(1);
    std::size_t end = key.size();
    int32_t kind = 0;
    for (const TPointSuffix& suffix : kPointSuffixes) {
        const std::size_t at = key.find(suffix.text, kHpKey.size());
        if (at == std::string_view::npos) continue;
        end = at;
        kind = suffix.kind;
    }
    const int32_t number = MyFunc::TextToInt(key.substr(kHpKey.size(), end - kHpKey.size()));
    if (number < kFirstHpNumber || number > kLastHpNumber) return;
    if (number >= static_cast<int32_t>(state.HpTable.size())) return;
    TJwwHpPoint& point = state.HpTable[number];
    point.Used = true;
    point.X = RealField(fields, 2);
    point.Y = RealField(fields, 3);
    point.Kind = kind;
    ++state.HpCount;
}

void ParseFigurePointNumber(TExchangeState& state, std::string_view key) {
    std::size_t end = key.size();
    for (std::size_t i = kFirstHhpSuffix; i < std::size(kPointSuffixes); ++i) {
        // Only a first occurrence after the number's first character cuts it.
        const std::size_t at = key.find(kPointSuffixes[i].text);
        if (at != std::string_view::npos && at > kHhpKey.size()) end = at;
    }
    state.HpNo = MyFunc::TextToInt(key.substr(kHhpKey.size(), end - kHhpKey.size()));
}

} // namespace

bool ParsePointNumberLine(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view key = fields.Field(1);
    if (StartsWith(key, kHpKey) && fields.Count() >= kHpFields) {
        ParseNumberedPoint(state, fields);
        return true;
    }
    if (StartsWith(key, kHhpKey)) {
        ParseFigurePointNumber(state, key);
        return true;
    }
    return false;
}

} // namespace JwwGaibu::Reader
