// JwwGaibu: the exchange state, the one record of what the host handed over
// in "JWC_TEMP.TXT" (header values, the host's current layer and pen, the
// running attributes, one table per figure kind) plus the answer being written.
// Operations take the state by reference; ExchangeState() is the program's
// single instance, used by the window and the command-line tool.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/answer_writer.hpp"
#include "exchange/figure_records.hpp"
#include "exchange/figure_table.hpp"

namespace JwwGaibu {

inline constexpr int kLayerGroups = 16;
inline constexpr int kLayersPerGroup = 16;
inline constexpr int kTextKinds = 10;
inline constexpr int kHpTableLength = 100;
inline constexpr int kRgbTableMax = 256;
inline constexpr int kLayerSlots = kLayerGroups * kLayersPerGroup;

// The paper until the file names another: the A0 sheet, in millimetres.
inline constexpr double kA0Width = 1189.0;
inline constexpr double kA0Height = 841.0;
inline constexpr double kUnitScale = 1.0; // a layer group at 1:1
inline constexpr const char* kDefaultFontName =
    "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>"; // <ＭＳ ゴシック>

// Values after reset and after RewindAttributes.
inline constexpr int32_t kDefaultColor = 1;
inline constexpr int32_t kDefaultLineType = 1;
inline constexpr int32_t kDefaultTextKind = 1;
inline constexpr double kDefaultCharSize = 2.0;

// The attributes that each attribute line sets and each following figure
// takes, with the Fresh flags. While reading, a Fresh flag means no line of
// that kind has been seen yet; after RewindAttributes (which puts this whole
// record back to its initial values) it means the next output command of
// that kind is written whatever its value, and the first five Cur values are
// the last ones the output commands wrote.
struct TRunningAttributes {
    bool FreshLg = true, FreshLy = true, FreshLc = true, FreshLt = true, FreshLw = true,
         FreshCn = true;
    int32_t CurLayerGroup = 0;
    int32_t CurLayer = 0;
    int32_t CurColor = kDefaultColor;
    int32_t CurLineType = kDefaultLineType;
    int32_t CurLineWidth = 0;
    int32_t CurTextKind = kDefaultTextKind;
    double CurCharWidth = kDefaultCharSize, CurCharHeight = kDefaultCharSize, CurCharSpacing = 0.0;
    int32_t CurCharColor = kDefaultColor;
    int32_t CurTextColorCode = 0;
    std::string CurFontName = kDefaultFontName;
    int32_t PointColor = kDefaultColor;
    int32_t ExtColor = 0;
};

// The line a dimension takes when no plain line came before its text: a
// unit line along the x axis in the default pen.
inline TJwwEntLine DefaultDimLine() {
    TJwwEntLine line;
    line.Color = kDefaultColor;
    line.LineType = kDefaultLineType;
    line.X2 = 1.0;
    return line;
}

// A default-constructed state is the state after reset (with an empty
// colour table).

struct TExchangeState {
    // Header values.
    double HkValue = 0.0;
    std::string DrawingFileName;
    std::array<double, kLayerGroups> LayerGroupScale = UnitScales();
    double PaperWidth = kA0Width;
    double PaperHeight = kA0Height;
    std::array<TJwwTextKind, kTextKinds> TextKindTable{}; // index 0 = text kind 1
    std::vector<int32_t> RgbTable;                        // not cleared by reset
    bool PaperUnits = false;
    std::array<double, 4> HnValues{};

    // The host's settings: the first line of each kind wins.
    int32_t HostLayerGroup = 0;
    int32_t HostLayer = 0;
    int32_t HostColor = kDefaultColor;
    int32_t HostLineType = kDefaultLineType;
    int32_t HostLineWidth = 0;
    int32_t HostTextKind = kDefaultTextKind;
    double HostCharWidth = kDefaultCharSize, HostCharHeight = kDefaultCharSize,
           HostCharSpacing = 0.0;
    int32_t HostCharColor = kDefaultColor;
    std::string HostFontName;

    TRunningAttributes Running;
    bool LineWidthSeen = false; // not rewound

    // Values for the next figure, or a run of figures.
    int32_t HpNo = 0;
    int32_t FigureFlags = 0;
    int32_t CurveCounter = 0;
    bool InCurve = false;
    bool InDimension = false;
    TJwwEntLine PendingDimLine = DefaultDimLine();

    // Numbered points 1..99 (entry 0 unused).
    std::vector<TJwwHpPoint> HpTable = std::vector<TJwwHpPoint>(kHpTableLength);
    int32_t HpCount = 0;

    // Layer tables: groups by group number, layers by group * 16 + layer.
    std::vector<int32_t> LayerGroupValue = std::vector<int32_t>(kLayerGroups);
    std::vector<std::string> LayerGroupName = std::vector<std::string>(kLayerGroups);
    std::vector<int32_t> LayerValue = std::vector<int32_t>(kLayerSlots);
    std::vector<std::string> LayerName = std::vector<std::string>(kLayerSlots);

    // Figure tables by kind, and every stored figure in file order.
    TJwwTable<TJwwEntLine> Lines;
    TJwwTable<TJwwEntCircle> Circles;
    TJwwTable<TJwwEntArc> Arcs;
    TJwwTable<TJwwEntText> Texts;
    TJwwTable<TJwwEntPoint> Points;
    TJwwTable<TJwwEntPointEx> PointExs;
    TJwwTable<TJwwEntDim> Dims;
    TJwwTable<TJwwEntBlk> Blocks;
    TJwwTable<TJwwEntSl2> Sl2s;
    TJwwTable<TJwwEntSl3> Sl3s;
    TJwwTable<TJwwEntSl4> Sl4s;
    TJwwTable<TJwwEntSc> Scs;
    TJwwTable<TJwwEntSe> Ses;
    TJwwTable<TJwwEntSo> Sos;
    TJwwTable<TJwwEntSg> Sgs;
    TJwwTable<TJwwOrderItem> FigureOrder;

    // The output line buffer: the answer, kept in the file's form.
    TAnswerWriter Answer;

    int32_t LineCount() const { return Lines.Count(); }
    // Record count of figure kind 1..15.
    int32_t FigureCount(int kind) const;

  private:
    static constexpr std::array<double, kLayerGroups> UnitScales() {
        std::array<double, kLayerGroups> scales{};
        scales.fill(kUnitScale);
        return scales;
    }
};

// The program's one exchange state.
TExchangeState& ExchangeState();

void ResetExchangeState(TExchangeState& state);
void RewindAttributes(TExchangeState& state);
void ReleaseExchangeState(TExchangeState& state);
void AppendFigureOrder(TExchangeState& state, int32_t kind, int32_t index);
void FillFigureHeader(const TExchangeState& state, TJwwEntHeader& record);

} // namespace JwwGaibu
