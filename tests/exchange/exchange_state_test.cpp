#include "exchange/exchange_state.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using namespace JwwGaibu;
using test_support::Parse;

// A file that moves nearly every field of the state away from its initial value.
TExchangeState Busy() {
    return Parse({
        "hs 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2",
        "hzs 400 300",
        "hrgb 1 2 3 4 5 6 7 8",
        "bz",
        "lg3 1",
        "ly4 2",
        "lc10 7",
        "lt5",
        "lw6",
        "cn0 1 1 1 3",
        "cn$<font>",
        "pn4",
        "cc5",
        "0 0 5 5",
        "msg",
        "1 2 3 4",
    });
}

void ExpectRunningAtStart(const TRunningAttributes& r) {
    const TRunningAttributes start;
    EXPECT_TRUE(r.FreshLg && r.FreshLy && r.FreshLc && r.FreshLt && r.FreshLw && r.FreshCn);
    EXPECT_EQ(r.CurLayerGroup, start.CurLayerGroup);
    EXPECT_EQ(r.CurLayer, start.CurLayer);
    EXPECT_EQ(r.CurColor, start.CurColor);
    EXPECT_EQ(r.CurLineType, start.CurLineType);
    EXPECT_EQ(r.CurLineWidth, start.CurLineWidth);
    EXPECT_EQ(r.CurCharWidth, start.CurCharWidth);
    EXPECT_EQ(r.CurCharColor, start.CurCharColor);
    EXPECT_EQ(r.CurTextColorCode, start.CurTextColorCode);
    EXPECT_EQ(r.CurFontName, start.CurFontName);
    EXPECT_EQ(r.PointColor, start.PointColor);
    EXPECT_EQ(r.ExtColor, start.ExtColor);
}

TEST(ExchangeState, ResetGivesTheInitialStateButKeepsTheColourTable) {
    TExchangeState state = Busy();
    ResetExchangeState(state);

    const TExchangeState initial;
    EXPECT_EQ(state.PaperWidth, initial.PaperWidth);
    EXPECT_EQ(state.PaperHeight, initial.PaperHeight);
    EXPECT_EQ(state.LayerGroupScale, initial.LayerGroupScale);
    EXPECT_EQ(state.PaperUnits, initial.PaperUnits);
    EXPECT_EQ(state.HostColor, initial.HostColor);
    EXPECT_EQ(state.HostLayerGroup, initial.HostLayerGroup);
    EXPECT_EQ(state.LineWidthSeen, initial.LineWidthSeen);
    EXPECT_EQ(state.InDimension, initial.InDimension);
    EXPECT_EQ(state.PendingDimLine.X1, initial.PendingDimLine.X1);
    EXPECT_EQ(state.LineCount(), 0);
    EXPECT_EQ(state.FigureOrder.Count(), 0);
    EXPECT_EQ(state.HpTable.size(), initial.HpTable.size());
    EXPECT_EQ(state.LayerName.size(), initial.LayerName.size());
    ExpectRunningAtStart(state.Running);
    EXPECT_EQ(state.RgbTable, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(ExchangeState, InitialStateReadsLikeAFreshReset) {
    // A default-constructed state and a reset one read a file the same way:
    // the same scales, paper, held dimension line and layer tables.
    TExchangeState fresh;
    TExchangeState reset = Busy();
    ResetExchangeState(reset);
    for (const char* line : {"lg2", "lgn name", "ly3 4", "hp1 7 8", "msg", "cs 0 0 1 0 50"}) {
        ParseExchangeLine(fresh, line);
        ParseExchangeLine(reset, line);
    }
    ASSERT_EQ(fresh.Dims.Count(), 1);
    ASSERT_EQ(reset.Dims.Count(), 1);
    EXPECT_EQ(fresh.Dims[0].Line.X2, reset.Dims[0].Line.X2);
    EXPECT_EQ(fresh.Dims[0].Line.Color, reset.Dims[0].Line.Color);
    EXPECT_EQ(fresh.LayerGroupScale, reset.LayerGroupScale);
    EXPECT_EQ(fresh.PaperWidth, reset.PaperWidth);
    EXPECT_EQ(fresh.LayerGroupName, reset.LayerGroupName);
    EXPECT_EQ(fresh.LayerValue, reset.LayerValue);
    EXPECT_EQ(fresh.HpTable[1].Used, reset.HpTable[1].Used);
}

TEST(ExchangeState, RewindPutsBackOnlyTheRunningAttributes) {
    TExchangeState state = Busy();
    const int32_t lines = state.LineCount();
    const int32_t host_color = state.HostColor;
    RewindAttributes(state);
    ExpectRunningAtStart(state.Running);
    EXPECT_EQ(state.HostColor, host_color);
    EXPECT_EQ(state.LineCount(), lines);
    EXPECT_TRUE(state.LineWidthSeen);
    EXPECT_TRUE(state.InDimension);
    EXPECT_TRUE(state.PaperUnits);
}

} // namespace
