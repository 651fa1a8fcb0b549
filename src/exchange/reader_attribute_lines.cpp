// Layer, pen and text attributes, figure flags and group markers. The first
// line of each attribute kind also records the host's current setting.

#include <iterator>
#include <string>

#include "exchange/reader_lines.hpp"

namespace JwwGaibu::Reader {

namespace {

constexpr std::size_t kKeyLength = 2;     // "lg", "ly", "lc", "lt", "lw", "cn", "cc", "pn"
constexpr std::size_t kFontKeyLength = 3; // "cn$"
constexpr int32_t kExtColorMarker = 10;   // "lc" colour that carries an extended colour
constexpr int32_t kMaxTextColorCode = 8;
constexpr int kCharFields = 5; // "cn" of kind 0: width, height, spacing, colour

// The argument of an attribute keyword: the rest of field 1.
std::string_view Argument(std::string_view key, std::size_t key_length) {
    return key.substr(key_length);
}

// The single character after the keyword (empty when there is none).
std::string_view FirstCharacter(std::string_view key, std::size_t key_length) {
    return key.substr(key_length, 1);
}

// "lg" and "ly": one hexadecimal digit, 0 when it is none.
int32_t HexDigit(std::string_view key) {
    const std::string_view digit = FirstCharacter(key, kKeyLength);
    if (digit.empty()) return 0;
    const char text[2] = {'$', digit[0]};
    return MyFunc::TextToInt(std::string_view(text, 2));
}

// The first line of a kind sets the host value and clears the Fresh flag.
void TakeHostValue(bool& fresh, int32_t& host, int32_t value) {
    if (!fresh) return;
    host = value;
    fresh = false;
}

template <class T> void StoreAt(std::vector<T>& table, int32_t index, T value) {
    if (index >= 0 && index < static_cast<int32_t>(table.size())) table[index] = value;
}

void ParseLayerGroup(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t group = HexDigit(fields.Field(1));
    TakeHostValue(state.Running.FreshLg, state.HostLayerGroup, group);
    state.Running.CurLayerGroup = group;
    if (fields.Count() >= 2) StoreAt(state.LayerGroupValue, group, IntField(fields, 2));
}

void ParseLayer(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t layer = HexDigit(fields.Field(1));
    TakeHostValue(state.Running.FreshLy, state.HostLayer, layer);
    state.Running.CurLayer = layer;
    if (fields.Count() >= 2)
        StoreAt(state.LayerValue, state.Running.CurLayerGroup * kLayersPerGroup + layer,
                IntField(fields, 2));
}

void ParseColor(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t color = MyFunc::TextToInt(Argument(fields.Field(1), kKeyLength));
    TakeHostValue(state.Running.FreshLc, state.HostColor, color);
    state.Running.CurColor = color;
    if (color == kExtColorMarker && fields.Count() >= 2)
        state.Running.ExtColor = IntField(fields, 2);
}

void ParseLineType(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t type = MyFunc::TextToInt(Argument(fields.Field(1), kKeyLength));
    TakeHostValue(state.Running.FreshLt, state.HostLineType, type);
    state.Running.CurLineType = type;
}

void ParseLineWidth(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t width = MyFunc::TextToInt(Argument(fields.Field(1), kKeyLength));
    TakeHostValue(state.Running.FreshLw, state.HostLineWidth, width);
    state.Running.CurLineWidth = width;
    state.LineWidthSeen = true;
}

void ParseFontName(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view name = Argument(fields.Field(1), kFontKeyLength);
    if (state.HostFontName.empty()) state.HostFontName = name;
    state.Running.CurFontName = name;
}

void ParseTextKind(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t kind = MyFunc::TextToInt(Argument(fields.Field(1), kKeyLength));
    // Kind 0 carries its own character size and colour.
    const bool own_size = kind == 0 && fields.Count() >= kCharFields;
    if (state.Running.FreshCn) {
        state.HostTextKind = kind;
        if (own_size) {
            state.HostCharWidth = RealField(fields, 2);
            state.HostCharHeight = RealField(fields, 3);
            state.HostCharSpacing = RealField(fields, 4);
            state.HostCharColor = IntField(fields, 5);
        }
        state.Running.FreshCn = false;
    }
    state.Running.CurTextKind = kind;
    if (own_size) {
        state.Running.CurCharWidth = RealField(fields, 2);
        state.Running.CurCharHeight = RealField(fields, 3);
        state.Running.CurCharSpacing = RealField(fields, 4);
        state.Running.CurCharColor = IntField(fields, 5);
    }
}

void ParseTextColorCode(TExchangeState& state, const TFieldSplitter& fields) {
    const int32_t code = MyFunc::TextToInt(FirstCharacter(fields.Field(1), kKeyLength));
    state.Running.CurTextColorCode = code >= 0 && code <= kMaxTextColorCode ? code : 0;
}

// Attribute keywords in matching order ("cn$" before "cn").
struct TAttributeKeyword {
    std::string_view key;
    void (*parse)(TExchangeState&, const TFieldSplitter&);
};
constexpr TAttributeKeyword kAttributeKeywords[] = {
    {"lg", ParseLayerGroup}, {"ly", ParseLayer},         {"lc", ParseColor},
    {"lt", ParseLineType},   {"lw", ParseLineWidth},     {"cn$", ParseFontName},
    {"cn", ParseTextKind},   {"cc", ParseTextColorCode},
};

bool ParseFigureFlag(TExchangeState& state, std::string_view key) {
    static constexpr std::string_view kFlagKeys[] = {"z1", "z2", "z3", "z4", "z5"};
    for (int bit = 0; bit < static_cast<int>(std::size(kFlagKeys)); ++bit) {
        if (key != kFlagKeys[bit]) continue;
        state.FigureFlags |= int32_t{1} << bit;
        return true;
    }
    return false;
}

bool ParseGroupMarker(TExchangeState& state, std::string_view key) {
    if (key == "pl") {
        ++state.CurveCounter;
        state.InCurve = true;
        state.InDimension = false;
    } else if (key == "msg") {
        state.InDimension = true;
        state.InCurve = false;
    } else if (key == "#") {
        state.InCurve = false;
        state.InDimension = false;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseAttributeLine(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view key = fields.Field(1);
    for (const TAttributeKeyword& keyword : kAttributeKeywords) {
        if (!StartsWith(key, keyword.key)) continue;
        keyword.parse(state, fields);
        state.InCurve = false; // every attribute line ends a curve group
        return true;
    }
    if (ParseFigureFlag(state, key)) return true;
    if (StartsWith(key, "pn")) {
        state.Running.PointColor = MyFunc::TextToInt(Argument(key, kKeyLength));
        state.InCurve = false;
        return true;
    }
    return ParseGroupMarker(state, key);
}

} // namespace JwwGaibu::Reader
