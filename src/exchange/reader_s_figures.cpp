// The s-family figures. "sl" lines with coinciding points are stored as the
// smallest record that still holds every distinct point, in file order.

#include <cmath>
#include <iterator>

#include "exchange/reader_lines.hpp"

namespace JwwGaibu::Reader {

namespace {

// Points of an "sl" line closer than this in x and y are one point. Finer
// than MyFunc::kTolerance on purpose: it only decides which record kind
// stores the figure, as the host itself decides it, and has nothing to do
// with where segments cross.
constexpr double kPointCoincidence = 1e-10;
constexpr int kSl2Fields = 5;
constexpr int kSl3Fields = 7;
constexpr int kSl4Fields = 9;
constexpr int kValueFields = 9; // "sc", "se", "so", "sg"

struct TPoint {
    double x = 0, y = 0;
};

// Point k (1..4) of an "sl" line: fields 2k and 2k + 1.
TPoint PointField(const TFieldSplitter& fields, int k) {
    return {RealField(fields, 2 * k), RealField(fields, 2 * k + 1)};
}

bool Coincide(TPoint a, TPoint b) {
    return std::fabs(a.x - b.x) <= kPointCoincidence && std::fabs(a.y - b.y) <= kPointCoincidence;
}

template <class T> T MakeSFigure(const TExchangeState& state) {
    T record;
    FillFigureHeader(state, record);
    record.ExtColor = state.Running.ExtColor;
    return record;
}

void StoreSl2(TExchangeState& state, TPoint p1, TPoint p2) {
    auto record = MakeSFigure<TJwwEntSl2>(state);
    record.X1 = p1.x, record.Y1 = p1.y;
    record.X2 = p2.x, record.Y2 = p2.y;
    AppendFigure(state, state.Sl2s, kKindSl2, record);
}

void StoreSl3(TExchangeState& state, TPoint p1, TPoint p2, TPoint p3) {
    auto record = MakeSFigure<TJwwEntSl3>(state);
    record.X1 = p1.x, record.Y1 = p1.y;
    record.X2 = p2.x, record.Y2 = p2.y;
    record.X3 = p3.x, record.Y3 = p3.y;
    AppendFigure(state, state.Sl3s, kKindSl3, record);
}

void StoreSl4(TExchangeState& state, TPoint p1, TPoint p2, TPoint p3, TPoint p4) {
    auto record = MakeSFigure<TJwwEntSl4>(state);
    record.X1 = p1.x, record.Y1 = p1.y;
    record.X2 = p2.x, record.Y2 = p2.y;
    record.X3 = p3.x, record.Y3 = p3.y;
    record.X4 = p4.x, record.Y4 = p4.y;
    AppendFigure(state, state.Sl4s, kKindSl4, record);
}

// Three points: P1 = P3 alone is deliberately left a three-point record.
void StoreSlOfThree(TExchangeState& state, TPoint p1, TPoint p2, TPoint p3) {
    if (Coincide(p1, p2)) {
        StoreSl2(state, p1, p3);
    } else if (Coincide(p2, p3)) {
        StoreSl2(state, p1, p2);
    } else {
        StoreSl3(state, p1, p2, p3);
    }
}

void StoreSlOfFour(TExchangeState& state, TPoint p1, TPoint p2, TPoint p3, TPoint p4) {
    const bool p12 = Coincide(p1, p2);
    const bool p23 = Coincide(p2, p3);
    const bool p34 = Coincide(p3, p4);
    if (p12 && Coincide(p1, p3)) {
        StoreSl2(state, p1, p4);
    } else if (p23 && Coincide(p2, p4)) {
        StoreSl2(state, p1, p2);
    } else if (p12 && p34) {
        StoreSl2(state, p1, p3);
    } else if (Coincide(p4, p1) || Coincide(p4, p2) || p34) {
        StoreSl3(state, p1, p2, p3);
    } else if (Coincide(p3, p1) || p23) {
        StoreSl3(state, p1, p2, p4);
    } else if (p12) {
        StoreSl3(state, p1, p3, p4);
    } else {
        StoreSl4(state, p1, p2, p3, p4);
    }
}

bool ParseSl(TExchangeState& state, const TFieldSplitter& fields) {
    const int n = fields.Count();
    if (n == kSl2Fields) {
        StoreSl2(state, PointField(fields, 1), PointField(fields, 2));
    } else if (n == kSl3Fields) {
        StoreSlOfThree(state, PointField(fields, 1), PointField(fields, 2), PointField(fields, 3));
    } else if (n >= kSl4Fields) {
        StoreSlOfFour(state, PointField(fields, 1), PointField(fields, 2), PointField(fields, 3),
                      PointField(fields, 4));
    } else {
        return false;
    }
    return true;
}

// "sc" and "se": seven reals and an integer code.
template <class T>
void StoreCoded(TExchangeState& state, const TFieldSplitter& fields, TJwwTable<T>& table,
                TFigureKind kind) {
    auto record = MakeSFigure<T>(state);
    double* const values[] = {&record.V1, &record.V2, &record.V3, &record.V4,
                              &record.V5, &record.V6, &record.V7};
    for (int i = 0; i < static_cast<int>(std::size(values)); ++i)
        *values[i] = RealField(fields, i + 2);
    record.Code = IntField(fields, kValueFields);
    AppendFigure(state, table, kind, record);
}

// "so" and "sg": eight reals.
template <class T>
void StoreEightValues(TExchangeState& state, const TFieldSplitter& fields, TJwwTable<T>& table,
                      TFigureKind kind) {
    auto record = MakeSFigure<T>(state);
    double* const values[] = {&record.V1, &record.V2, &record.V3, &record.V4,
                              &record.V5, &record.V6, &record.V7, &record.V8};
    for (int i = 0; i < static_cast<int>(std::size(values)); ++i)
        *values[i] = RealField(fields, i + 2);
    AppendFigure(state, table, kind, record);
}

bool ParseValueFigure(TExchangeState& state, const TFieldSplitter& fields) {
    if (fields.Count() < kValueFields) return false;
    const std::string_view key = fields.Field(1);
    if (key == "sc") {
        StoreCoded(state, fields, state.Scs, kKindSc);
    } else if (key == "se") {
        StoreCoded(state, fields, state.Ses, kKindSe);
    } else if (key == "so") {
        StoreEightValues(state, fields, state.Sos, kKindSo);
    } else if (key == "sg") {
        StoreEightValues(state, fields, state.Sgs, kKindSg);
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseSFigureLine(TExchangeState& state, const TFieldSplitter& fields) {
    const bool stored =
        fields.Field(1) == "sl" ? ParseSl(state, fields) : ParseValueFigure(state, fields);
    if (stored) FinishFigure(state, false);
    return stored;
}

} // namespace JwwGaibu::Reader
