// JwwGaibu (private to the reader): the groups of line handlers of the
// exchange file reader and the small helpers they share. Each handler gets
// the split line and returns true when it claimed it; the dispatcher tries
// the groups in the fixed matching order.
#pragma once

#include <string_view>
#include <utility>

#include "exchange/exchange_state.hpp"
#include "exchange/field_splitter.hpp"
#include "util/number_text.hpp"

namespace JwwGaibu::Reader {

// Header lines and layer names: "file=", "hk", "hs", "hzs", "hcw".."hcc",
// "bz", "hn", "hrgb", "lgn", "lyn".
bool ParseHeaderLine(TExchangeState& state, const TFieldSplitter& fields);

// Layer, pen and text attributes, figure flags and group markers: "lg" to
// "pn", "z1".."z5", "pl", "msg", "#".
bool ParseAttributeLine(TExchangeState& state, const TFieldSplitter& fields);

// Numbered points "hp" and the figure point number "hhp".
bool ParsePointNumberLine(TExchangeState& state, const TFieldSplitter& fields);

// Circles, arcs, texts and dimensions, points and blocks.
bool ParseFigureLine(TExchangeState& state, const TFieldSplitter& fields);

// "sl", "sc", "se", "so", "sg".
bool ParseSFigureLine(TExchangeState& state, const TFieldSplitter& fields);

// A line of exactly four fields that nothing else claimed.
void StorePlainLine(TExchangeState& state, const TFieldSplitter& fields);

inline bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

inline double RealField(const TFieldSplitter& fields, int number) {
    return MyFunc::TextToDouble(fields.Field(number));
}

inline int32_t IntField(const TFieldSplitter& fields, int number) {
    return MyFunc::TextToInt(fields.Field(number));
}

// Appends a complete record to its table and lists it in the figure order.
// The record is built first and moved in, so running out of memory never
// leaves a half-filled record or an order entry without its record.
template <class T>
void AppendFigure(TExchangeState& state, TJwwTable<T>& table, TFigureKind kind, T record) {
    const int32_t index = table.Count();
    table.Append() = std::move(record);
    AppendFigureOrder(state, kind, index);
}

// After a stored figure: the one-figure values are used up, and every
// figure but a plain line segment ends a curve group and a dimension.
inline void FinishFigure(TExchangeState& state, bool plain_line) {
    state.FigureFlags = 0;
    state.HpNo = 0;
    if (!plain_line) {
        state.InCurve = false;
        state.InDimension = false;
    }
}

} // namespace JwwGaibu::Reader
