// Figure lines: plain line segments (and the line held for a dimension),
// circles and arcs, texts and dimensions, points and blocks.

#include <iterator>
#include <string>

#include "exchange/reader_lines.hpp"
#include "exchange/shift_jis.hpp"

namespace JwwGaibu::Reader {

namespace {

constexpr int kCircleFields = 4;
constexpr int kArcFields = 8;
constexpr int kTextFields = 6;
constexpr int kPointFields = 3;
constexpr int kPointExFields = 6;
constexpr int kBlockFields = 4;
constexpr int kFirstTextKind = 1;
constexpr int kDimensionTextSubKind = 2; // "cs"

// Text keywords; the position is the record's SubKind.
constexpr std::string_view kTextKeys[] = {"ch", "cv", "cs", "cr", "co",
                                          "cp", "ct", "ck", "cz", "c2"};

// Length of the longest prefix of text that fits a short string without
// splitting a double-byte character.
std::size_t ShortStringLength(std::string_view text) {
    if (text.size() <= kShortStringMax) return text.size();
    std::size_t length = 0;
    while (length < kShortStringMax) {
        const auto byte = static_cast<unsigned char>(text[length]);
        const std::size_t step = IsShiftJisLeadByte(byte) ? 2 : 1;
        if (length + step > kShortStringMax) break;
        length += step;
    }
    return length;
}

std::string ShortString(std::string_view text) {
    return std::string(text.substr(0, ShortStringLength(text)));
}

int TextSubKind(std::string_view key) {
    for (int sub_kind = 0; sub_kind < static_cast<int>(std::size(kTextKeys)); ++sub_kind)
        if (key == kTextKeys[sub_kind]) return sub_kind;
    return -1;
}

// A text record from the running text attributes and the line's fields.
TJwwEntText MakeText(const TExchangeState& state, const TFieldSplitter& fields, int sub_kind) {
    TJwwEntText text;
    FillFigureHeader(state, text);
    text.SubKind = sub_kind;
    text.ColorCode = state.Running.CurTextColorCode;
    text.TextKind = state.Running.CurTextKind;
    if (text.TextKind >= kFirstTextKind && text.TextKind < kFirstTextKind + kTextKinds) {
        const TJwwTextKind& entry = state.TextKindTable[text.TextKind - kFirstTextKind];
        text.CharWidth = entry.CharWidth;
        text.CharHeight = entry.CharHeight;
        text.CharSpacing = entry.CharSpacing;
        text.Color = entry.CharColor;
    } else {
        text.CharWidth = state.Running.CurCharWidth;
        text.CharHeight = state.Running.CurCharHeight;
        text.CharSpacing = state.Running.CurCharSpacing;
        text.Color = state.Running.CurCharColor;
    }
    text.X = RealField(fields, 2);
    text.Y = RealField(fields, 3);
    text.DX = RealField(fields, 4);
    text.DY = RealField(fields, 5);
    text.FontName = ShortString(state.Running.CurFontName);
    text.Text = ShortString(fields.Field(6));
    return text;
}

void StoreText(TExchangeState& state, const TFieldSplitter& fields, int sub_kind) {
    if (state.InDimension && sub_kind == kDimensionTextSubKind) {
        TJwwEntDim dim;
        FillFigureHeader(state, dim);
        dim.Line = state.PendingDimLine;
        dim.Line.CurveNo = 0;
        dim.Text = MakeText(state, fields, kDimensionTextSubKind);
        AppendFigure(state, state.Dims, kKindDim, std::move(dim));
    } else {
        AppendFigure(state, state.Texts, kKindText, MakeText(state, fields, sub_kind));
    }
    FinishFigure(state, false);
}

void StoreCircle(TExchangeState& state, const TFieldSplitter& fields) {
    TJwwEntCircle circle;
    FillFigureHeader(state, circle);
    circle.CX = RealField(fields, 2);
    circle.CY = RealField(fields, 3);
    circle.R = RealField(fields, 4);
    AppendFigure(state, state.Circles, kKindCircle, circle);
    FinishFigure(state, false);
}

void StoreArc(TExchangeState& state, const TFieldSplitter& fields) {
    TJwwEntArc arc;
    FillFigureHeader(state, arc);
    arc.CX = RealField(fields, 2);
    arc.CY = RealField(fields, 3);
    arc.R = RealField(fields, 4);
    arc.Extra1 = RealField(fields, 5);
    arc.Extra2 = RealField(fields, 6);
    arc.Extra3 = RealField(fields, 7);
    arc.Extra4 = RealField(fields, 8);
    AppendFigure(state, state.Arcs, kKindArc, arc);
    FinishFigure(state, false);
}

void StorePoint(TExchangeState& state, const TFieldSplitter& fields) {
    TJwwEntPoint point;
    FillFigureHeader(state, point);
    point.Color = state.Running.PointColor;
    point.X = RealField(fields, 2);
    point.Y = RealField(fields, 3);
    AppendFigure(state, state.Points, kKindPoint, point);
    FinishFigure(state, false);
}

void StorePointEx(TExchangeState& state, const TFieldSplitter& fields) {
    TJwwEntPointEx point;
    FillFigureHeader(state, point);
    point.Color = state.Running.PointColor;
    point.X = RealField(fields, 2);
    point.Y = RealField(fields, 3);
    point.Param1 = RealField(fields, 4);
    point.Param2 = RealField(fields, 5);
    point.Param3 = IntField(fields, 6);
    AppendFigure(state, state.PointExs, kKindPointEx, point);
    FinishFigure(state, false);
}

void StoreBlock(TExchangeState& state, const TFieldSplitter& fields) {
    TJwwEntBlk block;
    FillFigureHeader(state, block);
    block.X = RealField(fields, 2);
    block.Y = RealField(fields, 3);
    block.Name = std::string(fields.Field(4));
    AppendFigure(state, state.Blocks, kKindBlk, std::move(block));
    FinishFigure(state, false);
}

} // namespace

bool ParseFigureLine(TExchangeState& state, const TFieldSplitter& fields) {
    const std::string_view key = fields.Field(1);
    const int n = fields.Count();
    if (key == "ci") {
        if (n == kCircleFields) StoreCircle(state, fields);
        if (n >= kArcFields) StoreArc(state, fields);
        return n == kCircleFields || n >= kArcFields;
    }
    if (n >= kTextFields) {
        const int sub_kind = TextSubKind(key);
        if (sub_kind >= 0) {
            StoreText(state, fields, sub_kind);
            return true;
        }
    }
    if (key == "pt") {
        if (n == kPointFields) StorePoint(state, fields);
        if (n >= kPointExFields) StorePointEx(state, fields);
        return n == kPointFields || n >= kPointExFields;
    }
    if (key == "BL" && n >= kBlockFields) {
        StoreBlock(state, fields);
        return true;
    }
    return false;
}

void StorePlainLine(TExchangeState& state, const TFieldSplitter& fields) {
    TJwwEntLine line;
    FillFigureHeader(state, line);
    line.X1 = RealField(fields, 1);
    line.Y1 = RealField(fields, 2);
    line.X2 = RealField(fields, 3);
    line.Y2 = RealField(fields, 4);
    if (state.InDimension) {
        // Held for the dimension's text; not a figure of its own.
        state.PendingDimLine = line;
    } else {
        line.CurveNo = state.InCurve ? state.CurveCounter : 0;
        AppendFigure(state, state.Lines, kKindLine, line);
    }
    FinishFigure(state, true);
}

} // namespace JwwGaibu::Reader
