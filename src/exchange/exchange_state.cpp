#include "exchange/exchange_state.hpp"

namespace JwwGaibu {

namespace {

const char* const kDefaultFontName =
    "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>"; // <ＭＳ ゴシック>

} // namespace

TExchangeState& ExchangeState() {
    static TExchangeState state;
    return state;
}

int32_t TExchangeState::FigureCount(int kind) const {
    switch (kind) {
    case kKindLine:
        return Lines.Count();
    case kKindCircle:
        return Circles.Count();
    case kKindArc:
        return Arcs.Count();
    case kKindText:
        return Texts.Count();
    case kKindPoint:
        return Points.Count();
    case kKindPointEx:
        return PointExs.Count();
    case kKindDim:
        return Dims.Count();
    case kKindBlk:
        return Blocks.Count();
    case kKindSl2:
        return Sl2s.Count();
    case kKindSl3:
        return Sl3s.Count();
    case kKindSl4:
        return Sl4s.Count();
    case kKindSc:
        return Scs.Count();
    case kKindSe:
        return Ses.Count();
    case kKindSo:
        return Sos.Count();
    case kKindSg:
        return Sgs.Count();
    default:
        return 0;
    }
}

template <class F> static void ForEachTable(TExchangeState& s, F&& f) {
    f(s.Lines), f(s.Circles), f(s.Arcs), f(s.Texts), f(s.Points), f(s.PointExs), f(s.Dims);
    f(s.Blocks), f(s.Sl2s), f(s.Sl3s), f(s.Sl4s), f(s.Scs), f(s.Ses), f(s.Sos), f(s.Sgs);
    f(s.FigureOrder);
}

void ResetExchangeState(TExchangeState& state) {
    // Everything goes back to its initial value except the colour table,
    // which the host's files never expect to be cleared between reads.
    std::vector<int32_t> rgb = std::move(state.RgbTable);
    state = TExchangeState{};
    state.RgbTable = std::move(rgb);

    state.LayerGroupScale.fill(1.0);
    state.PaperWidth = 1189.0;
    state.PaperHeight = 841.0;
    state.CurFontName = kDefaultFontName;
    state.PendingDimLine.Color = 1;
    state.PendingDimLine.LineType = 1;
    state.PendingDimLine.X2 = 1.0;
    state.HpTable.assign(kHpTableLength, TJwwHpPoint{});
    state.LayerGroupValue.assign(kLayerGroups, 0);
    state.LayerGroupName.assign(kLayerGroups, std::string{});
    state.LayerValue.assign(kLayerGroups * kLayersPerGroup, 0);
    state.LayerName.assign(kLayerGroups * kLayersPerGroup, std::string{});
}

void RewindAttributes(TExchangeState& state) {
    state.FreshLg = state.FreshLy = state.FreshLc = true;
    state.FreshLt = state.FreshLw = state.FreshCn = true;
    state.CurLayerGroup = 0;
    state.CurLayer = 0;
    state.CurColor = 1;
    state.CurLineType = 1;
    state.CurLineWidth = 0;
    state.CurTextKind = 1;
    state.CurCharWidth = 2.0;
    state.CurCharHeight = 2.0;
    state.CurCharSpacing = 0.0;
    state.CurCharColor = 1;
    state.CurTextColorCode = 0;
    state.CurFontName = kDefaultFontName;
    state.PointColor = 1;
    state.ExtColor = 0;
}

void ReleaseExchangeState(TExchangeState& state) {
    ForEachTable(state, [](auto& table) { table.Release(); });
    state.OutputLines.Release();
    state.AnswerSpill.reset();
    state.HpTable = {};
    state.LayerGroupValue = {};
    state.LayerGroupName = {};
    state.LayerValue = {};
    state.LayerName = {};
}

void AppendFigureOrder(TExchangeState& state, int32_t kind, int32_t index) {
    TJwwOrderItem& item = state.FigureOrder.Append();
    item.Kind = kind;
    item.Index = index;
}

void FillFigureHeader(const TExchangeState& state, TJwwEntHeader& record) {
    record.HpNo = state.HpNo;
    record.LayerGroup = state.CurLayerGroup;
    record.Layer = state.CurLayer;
    record.Color = state.CurColor;
    record.LineType = state.CurLineType;
    record.LineWidth = state.CurLineWidth;
    record.Flags = state.FigureFlags;
}

} // namespace JwwGaibu
