#include "exchange/output_commands.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using namespace JwwGaibu;
using TLines = std::vector<std::string>;

// The state right after the host's file was read and rewound.
class OutputCommands : public testing::Test {
  protected:
    void SetUp() override {
        ResetExchangeState(state_);
        state_.LineWidthSeen = true;
        RewindAttributes(state_);
    }
    TLines Lines() { return test_support::OutputOf(state_); }
    TExchangeState state_;
};

TEST_F(OutputCommands, LayerCommandsAreHexAndWrittenOnChange) {
    PutLayerGroup(state_, 10);
    PutLayer(state_, 15);
    PutLayerGroup(state_, 10); // unchanged: nothing
    PutLayer(state_, 15);      // unchanged: nothing
    PutLayerGroup(state_, 0);
    PutLayer(state_, 15); // a new layer group makes the same layer count again
    PutLayer(state_, 9);
    PutLayerGroup(state_, -1); // taken as unsigned 32-bit
    EXPECT_EQ(Lines(), (TLines{"lgA", "lyF", "lg0", "lyF", "ly9", "lgFFFFFFFF"}));
    EXPECT_EQ(state_.Running.CurLayerGroup, -1);
    EXPECT_EQ(state_.Running.CurLayer, 9);
}

TEST_F(OutputCommands, FreshFlagsForceTheFirstCommandOfEachKind) {
    // Every value equals the rewound one, yet each first command is written.
    PutLayerGroup(state_, 0);
    PutLayer(state_, 0);
    PutLineColor(state_, 1, 0);
    PutLineType(state_, 1, 0);
    PutLineWidth(state_, 0);
    EXPECT_EQ(Lines(), (TLines{"lg0", "ly0", "lc1", "lt1", "lw0"}));
    EXPECT_FALSE(state_.Running.FreshLg || state_.Running.FreshLy || state_.Running.FreshLc ||
                 state_.Running.FreshLt || state_.Running.FreshLw);
}

TEST_F(OutputCommands, ColourAndLineTypeIndexesMapToHostNumbers) {
    state_.HostColor = 5;
    state_.HostLineType = 7;
    const struct {
        int32_t index;
        int32_t color;
        int32_t line_type;
    } cases[] = {
        {-1, 5, 7},    {0, 5, 7},     {1, 1, 1},     {9, 9, 9},     {10, 101, 11},   {14, 105, 15},
        {15, 106, 16}, {18, 109, 19}, {19, 110, 31}, {50, 141, 62}, {265, 356, 277},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapLineColor(state_, c.index), c.color) << "index " << c.index;
        EXPECT_EQ(MapLineType(state_, c.index), c.line_type) << "index " << c.index;
    }
}

TEST_F(OutputCommands, PenCommandsMapInListModeOnlyAndSkipRepeats) {
    state_.HostColor = 3;
    PutLineColor(state_, 3, kModeListIndex);
    PutLineColor(state_, 0, kModeListIndex); // the host's colour 3 again: dropped
    PutLineColor(state_, 10, kModeListIndex);
    PutLineColor(state_, 4, 0); // a host number, not mapped
    PutLineType(state_, 10, kModeListIndex);
    PutLineType(state_, 11, 2); // same final number: dropped
    PutLineType(state_, -1, kModeListIndex);
    EXPECT_EQ(Lines(), (TLines{"lc3", "lc101", "lc4", "lt11", "lt1"}));
}

TEST_F(OutputCommands, LineWidthIsKeptWithinRange) {
    state_.HostLineWidth = 50;
    const struct {
        int32_t host;
        int32_t n;
        const char* line;
    } cases[] = {
        {50, -1, "lw50"}, {50, 0, "lw0"},  {50, 30000, "lw30000"}, {50, 30001, "lw0"},
        {50, -5, "lw0"},  {-7, -1, "lw0"}, {40000, -1, "lw0"},     {50, 25, "lw25"},
    };
    for (const auto& c : cases) {
        SetUp();
        state_.HostLineWidth = c.host;
        PutLineWidth(state_, c.n);
        EXPECT_EQ(Lines(), TLines{c.line}) << "host " << c.host << " n " << c.n;
    }
}

TEST_F(OutputCommands, NoLineWidthWithoutAnLwLineInTheHostFile) {
    state_.LineWidthSeen = false;
    for (int32_t n : {-1, 0, 25, 30001})
        PutLineWidth(state_, n);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(state_.Running.FreshLw);
}

TEST_F(OutputCommands, PutLineWritesFourNumbersOrDropsZeroLength) {
    PutLine(state_, 0, 0, 12.5, -3);
    PutLine(state_, 1, 1, 1.000000005, 1);     // within the tolerance: dropped
    PutLine(state_, 1, 1, 1, 1 - 0.000000005); // on y as well
    PutLine(state_, 1, 1, 1.00000002, 1);
    PutLine(state_, 0.00001, 0.0001, 0, 0);
    PutLine(state_, 5, 5, 5, 5);
    PutLine(state_, -1e20, 2.5e-7, 12.3456789012345678, 0);
    EXPECT_EQ(Lines(), (TLines{"0 0 12.5 -3", "1 1 1.00000002 1", "1E-5 0.0001 0 0",
                               "-1E20 2.5E-7 12.3456789012346 0"}));
}

TEST_F(OutputCommands, PreformattedCornersGiveTheSameLines) {
    const TPointText a = MakePointText(0, 0);
    const TPointText b = MakePointText(10, 0);
    const TPointText c = MakePointText(10, 1e-9);
    PutLine(state_, a, b);
    PutLine(state_, b, c); // zero length
    PutLine(state_, b, a);
    EXPECT_EQ(Lines(), (TLines{"0 0 10 0", "10 0 0 0"}));
}

} // namespace
