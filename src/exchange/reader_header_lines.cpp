// The drawing's header values and the layer names.

#include <algorithm>
#include <string>

#include "exchange/reader_lines.hpp"

namespace JwwGaibu::Reader {

namespace {

constexpr std::string_view kFileKey = "file=";
// Field counts (keyword included) a header line needs to be one.
constexpr int kHkFields = 2;
constexpr int kHsFields = 1 + kLayerGroups;
constexpr int kHzsFields = 3;
constexpr int kTextKindFields = 1 + kTextKinds;
constexpr int kHnValues = 4;
constexpr int kHnFields = 1 + kHnValues;
constexpr int kHrgbFields = 9;
constexpr std::size_t kNameKeyLength = 3; // "lgn", "lyn"

void StoreTextKindReals(TExchangeState& state, const TFieldSplitter& fields,
                        double TJwwTextKind::*member) {
    for (int kind = 0; kind < kTextKinds; ++kind)
        state.TextKindTable[kind].*member = RealField(fields, kind + 2);
}

bool ParseTextKindLine(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view key = fields.Field(1);
    if (fields.Count() < kTextKindFields) return false;
    if (key == "hcw") {
        StoreTextKindReals(state, fields, &TJwwTextKind::CharWidth);
    } else if (key == "hch") {
        StoreTextKindReals(state, fields, &TJwwTextKind::CharHeight);
    } else if (key == "hcd") {
        StoreTextKindReals(state, fields, &TJwwTextKind::CharSpacing);
    } else if (key == "hcc") {
        for (int kind = 0; kind < kTextKinds; ++kind)
            state.TextKindTable[kind].CharColor = IntField(fields, kind + 2);
    } else {
        return false;
    }
    return true;
}

// Values beyond the table's capacity are ignored; an earlier longer line's
// later entries stay.
void StoreRgbValues(TExchangeState& state, const TFieldSplitter& fields) {
    const int values = std::min(fields.Count() - 1, kRgbTableMax);
    if (static_cast<int>(state.RgbTable.size()) < values) state.RgbTable.resize(values);
    for (int i = 0; i < values; ++i)
        state.RgbTable[i] = IntField(fields, i + 2);
}

// The rest of field 1 after the keyword, then each further field after one
// blank.
std::string JoinName(const TFieldSplitter& fields, std::size_t key_length) {
    std::string name(fields.Field(1).substr(key_length));
    for (int number = 2; number <= fields.Count(); ++number) {
        name += ' ';
        name += fields.Field(number);
    }
    return name;
}

void StoreName(std::vector<std::string>& names, int32_t index, std::string name) {
    if (index >= 0 && index < static_cast<int32_t>(names.size())) names[index] = std::move(name);
}

} // namespace

bool ParseHeaderLine(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view key = fields.Field(1);
    const int n = fields.Count();

    if (key.find(kFileKey) != std::string_view::npos) {
        // Counted from the start of the field, wherever the key stands.
        state.DrawingFileName = std::string(key.substr(std::min(kFileKey.size(), key.size())));
        return true;
    }
    if (key == "hk" && n >= kHkFields) {
        state.HkValue = RealField(fields, 2);
        return true;
    }
    if (key == "hs" && n >= kHsFields) {
        for (int group = 0; group < kLayerGroups; ++group)
            state.LayerGroupScale[group] = RealField(fields, group + 2);
        return true;
    }
    if (key == "hzs" && n >= kHzsFields) {
        state.PaperWidth = RealField(fields, 2);
        state.PaperHeight = RealField(fields, 3);
        return true;
    }
    if (ParseTextKindLine(state, fields)) return true;
    if (key == "bz") {
        state.PaperUnits = true;
        return true;
    }
    if (key == "hn" && n >= kHnFields) {
        for (int i = 0; i < kHnValues; ++i)
            state.HnValues[i] = RealField(fields, i + 2);
        return true;
    }
    if (key == "hrgb" && n >= kHrgbFields) {
        StoreRgbValues(state, fields);
        return true;
    }
    if (StartsWith(key, "lgn")) {
        StoreName(state.LayerGroupName, state.Running.CurLayerGroup,
                  JoinName(fields, kNameKeyLength));
        return true;
    }
    if (StartsWith(key, "lyn")) {
        StoreName(state.LayerName,
                  state.Running.CurLayerGroup * kLayersPerGroup + state.Running.CurLayer,
                  JoinName(fields, kNameKeyLength));
        return true;
    }
    return false;
}

} // namespace JwwGaibu::Reader
