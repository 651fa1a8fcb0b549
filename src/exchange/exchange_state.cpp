#include "exchange/exchange_state.hpp"

namespace JwwGaibu {

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
    TExchangeState fresh;
    fresh.RgbTable = std::move(state.RgbTable);
    state = std::move(fresh);
}

void RewindAttributes(TExchangeState& state) {
    TRunningAttributes fresh;
    state.Running = std::move(fresh);
}

void ReleaseExchangeState(TExchangeState& state) {
    ForEachTable(state, [](auto& table) { table.Release(); });
    state.Answer = TAnswerWriter();
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
    record.LayerGroup = state.Running.CurLayerGroup;
    record.Layer = state.Running.CurLayer;
    record.Color = state.Running.CurColor;
    record.LineType = state.Running.CurLineType;
    record.LineWidth = state.Running.CurLineWidth;
    record.Flags = state.FigureFlags;
}

} // namespace JwwGaibu
