#include "exchange/exchange_state.hpp"

namespace JwwGaibu {

TExchangeState& ExchangeState() {
    static TExchangeState state;
    return state;
}

namespace {

// The figure tables in the order of their kind codes 1 to 15.
template <class State, class F> void ForEachFigureTable(State& s, F&& f) {
    f(s.Lines), f(s.Circles), f(s.Arcs), f(s.Texts), f(s.Points), f(s.PointExs), f(s.Dims);
    f(s.Blocks), f(s.Sl2s), f(s.Sl3s), f(s.Sl4s), f(s.Scs), f(s.Ses), f(s.Sos), f(s.Sgs);
}

} // namespace

int32_t TExchangeState::FigureCount(int kind) const {
    int32_t count = 0;
    int table_kind = 0;
    ForEachFigureTable(*this, [&](const auto& table) {
        if (++table_kind == kind) count = table.Count();
    });
    return count;
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
    ForEachFigureTable(state, [](auto& table) { table.Release(); });
    state.FigureOrder.Release();
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
