// JwwGaibu: the exchange state, the one record of what the host handed over
// in "JWC_TEMP.TXT" (header values, the host's current layer and pen, the
// running attributes, one table per figure kind) plus the output line buffer.
// Operations take the state by reference; ExchangeState() is the program's
// single instance, used by the window and the command-line tool.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "exchange/answer_spill.hpp"
#include "exchange/figure_records.hpp"
#include "exchange/figure_table.hpp"
#include "exchange/output_lines.hpp"

namespace JwwGaibu {

inline constexpr int kLayerGroups = 16;
inline constexpr int kLayersPerGroup = 16;
inline constexpr int kTextKinds = 10;
inline constexpr int kHpTableLength = 100;
inline constexpr int kRgbTableMax = 256;

struct TExchangeState {
    // Header values.
    double HkValue = 0.0;
    std::string DrawingFileName;
    std::array<double, kLayerGroups> LayerGroupScale{};
    double PaperWidth = 0.0;
    double PaperHeight = 0.0;
    std::array<TJwwTextKind, kTextKinds> TextKindTable{}; // index 0 = text kind 1
    std::vector<int32_t> RgbTable;                        // not cleared by reset
    bool PaperUnits = false;
    std::array<double, 4> HnValues{};

    // The host's settings: the first line of each kind wins.
    int32_t HostLayerGroup = 0;
    int32_t HostLayer = 0;
    int32_t HostColor = 1;
    int32_t HostLineType = 1;
    int32_t HostLineWidth = 0;
    int32_t HostTextKind = 1;
    double HostCharWidth = 2.0, HostCharHeight = 2.0, HostCharSpacing = 0.0;
    int32_t HostCharColor = 1;
    std::string HostFontName;

    // While reading: no line of this kind seen yet. After RewindAttributes:
    // the next output command of this kind is written whatever its value.
    bool FreshLg = true, FreshLy = true, FreshLc = true, FreshLt = true, FreshLw = true,
         FreshCn = true;

    // Running attributes; after reading, the first five are the last values
    // the output commands wrote.
    int32_t CurLayerGroup = 0;
    int32_t CurLayer = 0;
    int32_t CurColor = 1;
    int32_t CurLineType = 1;
    int32_t CurLineWidth = 0;
    int32_t CurTextKind = 1;
    double CurCharWidth = 2.0, CurCharHeight = 2.0, CurCharSpacing = 0.0;
    int32_t CurCharColor = 1;
    int32_t CurTextColorCode = 0;
    std::string CurFontName;
    int32_t PointColor = 1;
    int32_t ExtColor = 0;
    bool LineWidthSeen = false;

    // Values for the next figure, or a run of figures.
    int32_t HpNo = 0;
    int32_t FigureFlags = 0;
    int32_t CurveCounter = 0;
    bool InCurve = false;
    bool InDimension = false;
    TJwwEntLine PendingDimLine;

    // Numbered points 1..99 (entry 0 unused).
    std::vector<TJwwHpPoint> HpTable;
    int32_t HpCount = 0;

    // Layer tables: groups by group number, layers by group * 16 + layer.
    std::vector<int32_t> LayerGroupValue;
    std::vector<std::string> LayerGroupName;
    std::vector<int32_t> LayerValue;
    std::vector<std::string> LayerName;

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

    TOutputLines OutputLines;
    // Where a large answer goes while the run is still producing it.
    std::unique_ptr<TAnswerSpill> AnswerSpill;

    int32_t LineCount() const { return Lines.Count(); }
    int32_t OutputLineCount() const { return OutputLines.Count(); }
    // Record count of figure kind 1..15.
    int32_t FigureCount(int kind) const;
};

// The program's one exchange state.
TExchangeState& ExchangeState();

void ResetExchangeState(TExchangeState& state);
void RewindAttributes(TExchangeState& state);
void ReleaseExchangeState(TExchangeState& state);
void AppendFigureOrder(TExchangeState& state, int32_t kind, int32_t index);
void FillFigureHeader(const TExchangeState& state, TJwwEntHeader& record);

} // namespace JwwGaibu
