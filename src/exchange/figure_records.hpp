// JwwGaibu: the figure record types read from the exchange file.
// Every record starts with the same seven-field header; kind codes 1..15
// name the tables the records live in.
#pragma once

#include <cstdint>
#include <string>

namespace JwwGaibu {

enum TFigureKind : int32_t {
    kKindLine = 1,
    kKindCircle = 2,
    kKindArc = 3,
    kKindText = 4,
    kKindPoint = 5,
    kKindPointEx = 6,
    kKindDim = 7,
    kKindBlk = 8,
    kKindSl2 = 9,
    kKindSl3 = 10,
    kKindSl4 = 11,
    kKindSc = 12,
    kKindSe = 13,
    kKindSo = 14,
    kKindSg = 15,
};
inline constexpr int kFigureKindCount = 15;

// Bit of Flags set by "z3": the dimension attribute, excluded from the sweep.
inline constexpr int32_t kFlagDimension = 4;

struct TJwwEntHeader {
    int32_t HpNo = 0;
    int32_t LayerGroup = 0;
    int32_t Layer = 0;
    int32_t Color = 0;
    int32_t LineType = 0;
    int32_t LineWidth = 0;
    int32_t Flags = 0;
};

struct TJwwEntLine : TJwwEntHeader {
    int32_t CurveNo = 0;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// Segments carrying the dimension attribute take no part in the sweep.
inline bool HasDimensionAttribute(const TJwwEntLine& line) {
    return (line.Flags & kFlagDimension) != 0;
}

struct TJwwEntCircle : TJwwEntHeader {
    double CX = 0, CY = 0, R = 0;
};

struct TJwwEntArc : TJwwEntHeader {
    double CX = 0, CY = 0, R = 0, Extra1 = 0, Extra2 = 0, Extra3 = 0, Extra4 = 0;
};

struct TJwwEntText : TJwwEntHeader {
    int32_t SubKind = 0;
    int32_t ColorCode = 0;
    int32_t TextKind = 0;
    double CharWidth = 0, CharHeight = 0, CharSpacing = 0;
    double X = 0, Y = 0, DX = 0, DY = 0;
    std::string FontName; // short string: at most 255 bytes
    std::string Text;     // short string: at most 255 bytes
};

struct TJwwEntPoint : TJwwEntHeader {
    double X = 0, Y = 0;
};

struct TJwwEntPointEx : TJwwEntHeader {
    double X = 0, Y = 0, Param1 = 0, Param2 = 0;
    int32_t Param3 = 0;
};

struct TJwwEntDim : TJwwEntHeader {
    TJwwEntLine Line;
    TJwwEntText Text;
};

struct TJwwEntBlk : TJwwEntHeader {
    double X = 0, Y = 0;
    std::string Name;
};

struct TJwwEntSl2 : TJwwEntHeader {
    int32_t ExtColor = 0;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TJwwEntSl3 : TJwwEntHeader {
    int32_t ExtColor = 0;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0;
};

struct TJwwEntSl4 : TJwwEntHeader {
    int32_t ExtColor = 0;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
};

// "sc" and "se": seven reals and a code.
struct TJwwEntSc : TJwwEntHeader {
    int32_t ExtColor = 0;
    double V1 = 0, V2 = 0, V3 = 0, V4 = 0, V5 = 0, V6 = 0, V7 = 0;
    int32_t Code = 0;
};
struct TJwwEntSe : TJwwEntSc {};

// "so" and "sg": eight reals.
struct TJwwEntSo : TJwwEntHeader {
    int32_t ExtColor = 0;
    double V1 = 0, V2 = 0, V3 = 0, V4 = 0, V5 = 0, V6 = 0, V7 = 0, V8 = 0;
};
struct TJwwEntSg : TJwwEntSo {};

struct TJwwOrderItem {
    int32_t Kind = 0;
    int32_t Index = 0;
};

struct TJwwTextKind {
    double CharWidth = 3.0;
    double CharHeight = 3.0;
    double CharSpacing = 0.0;
    int32_t CharColor = 2;
};

struct TJwwHpPoint {
    bool Used = false;
    double X = 0, Y = 0;
    int32_t Kind = 0; // 0 plain, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

} // namespace JwwGaibu
