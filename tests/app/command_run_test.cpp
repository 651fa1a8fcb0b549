#include "app/command_run.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "exchange/exchange_state.hpp"
#include "test_support.hpp"

using JwwGaibu::TExchangeState;
using test_support::OutputOf;
using test_support::ScratchDir;
using Lines = std::vector<std::string>;

namespace {

struct Seg {
    double x1, y1, x2, y2;
    int32_t curve = 0;
    int32_t flags = 0;
};

// A state as the window has it after reading "lg0 ly1 lc2 lt1 lw0" and the
// segments, and rewinding.
TExchangeState StateWith(const std::vector<Seg>& segs) {
    TExchangeState state;
    JwwGaibu::ResetExchangeState(state);
    state.HostLayer = 1;
    state.HostColor = 2;
    state.LineWidthSeen = true;
    for (const Seg& s : segs) {
        JwwGaibu::TJwwEntLine& line = state.Lines.Append();
        line.X1 = s.x1, line.Y1 = s.y1, line.X2 = s.x2, line.Y2 = s.y2;
        line.CurveNo = s.curve;
        line.Flags = s.flags;
    }
    JwwGaibu::RewindAttributes(state);
    return state;
}

Unit1::TRectSettings Settings(double w, double h, double angle, int ref) {
    Unit1::TRectSettings s;
    s.RectWidth = w;
    s.RectHeight = h;
    s.RectAngle = angle;
    s.RectRefPoint = ref;
    return s;
}

struct RunResult {
    Lines output;
    std::vector<std::string> status;
    Unit1::TRunReport report;
};

// A fresh state with the same input as one not yet run.
TExchangeState Twin(const TExchangeState& state) {
    TExchangeState twin;
    JwwGaibu::ResetExchangeState(twin);
    twin.Lines = state.Lines;
    twin.PaperUnits = state.PaperUnits;
    twin.LayerGroupScale = state.LayerGroupScale;
    twin.HostLayerGroup = state.HostLayerGroup;
    twin.HostLayer = state.HostLayer;
    twin.HostColor = state.HostColor;
    twin.LineWidthSeen = state.LineWidthSeen;
    return twin;
}

RunResult RunOnce(TExchangeState& state, const Unit1::TRectSettings& settings,
                  Unit1::TSweepMethod method) {
    ScratchDir dir;
    RunResult run;
    run.report = Unit1::DrawAtIntersections(
        state, settings, dir.path() / "crossrect.dat",
        [&](const Unit1::TStatus& st) { run.status.emplace_back(st.Text); }, method);
    run.output = OutputOf(state);
    return run;
}

// Runs the indexed sweep, and checks that the plain reference agrees.
RunResult RunWith(TExchangeState& state, const Unit1::TRectSettings& settings) {
    TExchangeState twin = Twin(state);
    const RunResult run = RunOnce(state, settings, Unit1::TSweepMethod::Indexed);
    const RunResult plain = RunOnce(twin, settings, Unit1::TSweepMethod::Plain);
    EXPECT_EQ(run.output, plain.output);
    EXPECT_EQ(run.status, plain.status);
    return run;
}

const Lines kPen{"lg0", "ly1", "lc2", "lt1", "lw0"};

Lines Rects(const Lines& output) {
    return Lines(output.begin() + kPen.size(), output.end());
}

} // namespace

TEST(CommandRun, TwoCrossingSegmentsGiveOneCentredRectangle) {
    TExchangeState state = StateWith({{0, 0, 10, 10}, {0, 10, 10, 0}});
    const RunResult run = RunWith(state, Settings(10, 10, 0, 4));
    EXPECT_EQ(run.output, (Lines{"lg0", "ly1", "lc2", "lt1", "lw0", "0 0 10 0", "10 0 10 10",
                                 "10 10 0 10", "0 10 0 0"}));
    EXPECT_EQ(run.report.RectanglesDrawn, 1);
}

TEST(CommandRun, ReferencePointAndAngleShapeTheRectangle) {
    // Two segments crossing at (100, 50).
    const std::vector<Seg> cross{{90, 50, 110, 50}, {100, 40, 100, 60}};
    TExchangeState centred = StateWith(cross);
    EXPECT_EQ(Rects(RunWith(centred, Settings(10, 6, 0, 4)).output),
              (Lines{"95 47 105 47", "105 47 105 53", "105 53 95 53", "95 53 95 47"}));

    TExchangeState turned = StateWith(cross);
    const Lines sides = Rects(RunWith(turned, Settings(10, 6, 90, 0)).output);
    ASSERT_EQ(sides.size(), 4u);
    EXPECT_EQ(sides[0].substr(0, 8), "100 50 1"); // corner 0 is the anchor itself
    // Out-of-list reference points act as the lower-left corner.
    for (int ref : {9, -1}) {
        TExchangeState odd = StateWith(cross);
        EXPECT_EQ(Rects(RunWith(odd, Settings(10, 6, 0, ref)).output).front(), "100 50 110 50");
    }
}

struct SweepCase {
    const char* name;
    std::vector<Seg> segs;
    size_t rectangles;
};

class SweepRules : public ::testing::TestWithParam<SweepCase> {};

TEST_P(SweepRules, CountsRectangles) {
    TExchangeState state = StateWith(GetParam().segs);
    const RunResult run = RunWith(state, Settings(2, 2, 0, 4));
    EXPECT_EQ(Rects(run.output).size(), 4 * GetParam().rectangles) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SweepRules,
    ::testing::Values(
        SweepCase{"none", {}, 0}, SweepCase{"one segment", {{0, 0, 1, 1}}, 0},
        SweepCase{"three through one point", {{0, 0, 10, 10}, {0, 10, 10, 0}, {5, 0, 5, 10}}, 1},
        SweepCase{"T junction touches", {{0, 0, 10, 0}, {5, 0, 5, 10}}, 1},
        SweepCase{"shared end point", {{0, 0, 10, 0}, {10, 0, 10, 10}}, 1},
        SweepCase{"parallel", {{0, 0, 10, 0}, {0, 1, 10, 1}}, 0},
        SweepCase{"collinear overlap", {{0, 0, 10, 0}, {5, 0, 15, 0}}, 0},
        SweepCase{"two verticals", {{0, 0, 0, 10}, {0, 5, 0, 15}}, 0},
        SweepCase{"lines cross outside", {{0, 0, 1, 0}, {5, -1, 5, 1}}, 0},
        SweepCase{"excluded outer", {{0, 0, 10, 10, 0, 4}, {0, 10, 10, 0}}, 0},
        SweepCase{"excluded inner", {{0, 0, 10, 10}, {0, 10, 10, 0, 0, 4}}, 0},
        SweepCase{"other flag bits do not exclude",
                  {{0, 0, 10, 10, 0, 1 | 2 | 8 | 16}, {0, 10, 10, 0}},
                  1},
        SweepCase{"same curve joint", {{0, 0, 10, 0, 1}, {10, 0, 10, 10, 1}}, 0},
        SweepCase{"same curve interior crossing", {{0, 0, 10, 10, 2}, {0, 10, 10, 0, 2}}, 1},
        SweepCase{
            "other curve at joint", {{0, 0, 10, 0, 1}, {10, 0, 10, 10, 1}, {5, -5, 15, 5, 2}}, 1},
        SweepCase{
            "no curve at joint", {{0, 0, 10, 0, 1}, {10, 0, 10, 10, 1}, {5, -5, 15, 5, 0}}, 1},
        SweepCase{"same curve end on interior", {{0, 0, 10, 0, 3}, {5, 0, 5, 10, 3}}, 0}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(CommandRun, DuplicateToleranceIsASquareAndTheFirstWins) {
    // A vertical at 5 + 0.9e-8 meets both diagonals within the square around
    // (5, 5) (though more than 1e-8 away from it): nothing more is drawn.
    const double d = 0.9e-8;
    TExchangeState near = StateWith({{0, 0, 10, 10}, {0, 10, 10, 0}, {5 + d, 0, 5 + d, 10}});
    const Lines near_sides = Rects(RunWith(near, Settings(2, 2, 0, 0)).output);
    ASSERT_EQ(near_sides.size(), 4u);
    EXPECT_EQ(near_sides[0], "5 5 7 5"); // the first pair's point wins

    // At 2e-8 the same vertical makes two new places.
    TExchangeState apart = StateWith({{0, 0, 10, 10}, {0, 10, 10, 0}, {5 + 2e-8, 0, 5 + 2e-8, 10}});
    const Lines apart_sides = Rects(RunWith(apart, Settings(2, 2, 0, 0)).output);
    ASSERT_EQ(apart_sides.size(), 12u);
    EXPECT_EQ(apart_sides[4], "5.00000002 5.00000002 7.00000002 5.00000002");
}

TEST(CommandRun, SizesConvertIntoTheFileUnit) {
    const std::vector<Seg> cross{{0, 0, 10, 10}, {0, 10, 10, 0}};
    struct Case {
        bool paper;
        int w_unit, h_unit;
        double w, h, scale;
        const char* bottom; // first side of the rectangle placed at its lower left
    } cases[] = {
        {true, 1, 0, 500, 3, 100, "5 5 10 5"}, // real mm on a paper-unit file: / scale
        {false, 0, 0, 3, 3, 100, "5 5 305 5"}, // paper mm on a real-unit file: * scale
        {false, 1, 1, 7, 7, 100, "5 5 12 5"},  // already in the file's unit
        {true, 0, 0, 7, 7, 100, "5 5 12 5"},   // already in the file's unit
        {true, 1, 1, 7, 7, 0, "5 5 12 5"},     // scale 0 cannot divide: as entered
    };
    for (const Case& c : cases) {
        TExchangeState state = StateWith(cross);
        state.PaperUnits = c.paper;
        state.LayerGroupScale[0] = c.scale;
        Unit1::TRectSettings s = Settings(c.w, c.h, 0, 0);
        s.RectWidthUnit = c.w_unit;
        s.RectHeightUnit = c.h_unit;
        const RunResult run = RunWith(state, s);
        EXPECT_EQ(run.output.front(), c.paper ? "bz" : "lg0");
        EXPECT_EQ(run.output[c.paper ? 6 : 5], c.bottom) << c.w << " scale " << c.scale;
    }
}

TEST(CommandRun, ScaleOfTheHostLayerGroupApplies) {
    TExchangeState state = StateWith({{0, 0, 10, 10}, {0, 10, 10, 0}});
    state.HostLayerGroup = 10;
    state.LayerGroupScale[10] = 2;
    const RunResult run = RunWith(state, Settings(3, 3, 0, 0));
    EXPECT_EQ(run.output[0], "lgA");
    EXPECT_EQ(run.output[5], "5 5 11 5");
}

TEST(CommandRun, StatusTextsFollowTheSweep) {
    TExchangeState state =
        StateWith({{0, 0, 1, 1}, {5, 5, 6, 6}, {9, 9, 9, 8}, {0, 3, 1, 3, 0, 4}});
    const RunResult run = RunWith(state, Settings(1, 1, 0, 0));
    EXPECT_EQ(run.status,
              (std::vector<std::string>{"線分データ参照中です", "線分データ交点計算中(1／4)",
                                        "線分データ交点計算中(2／4)", "線分データ交点計算中(3／4)",
                                        "ファイル生成中です"}));
    EXPECT_EQ(run.output, kPen); // pen commands even without any crossing
}

TEST(CommandRun, NonFiniteCornersAreNeverWritten) {
    TExchangeState state = StateWith({{0, 0, 10, 10}, {0, 10, 10, 0}});
    state.LayerGroupScale[0] = 1e300;
    const RunResult run = RunWith(state, Settings(1e300, 1, 0, 0));
    EXPECT_EQ(run.output, kPen);
    EXPECT_EQ(run.report.NonFiniteSkipped, 1);
    EXPECT_EQ(run.report.RectanglesDrawn, 0);
}

TEST(CommandRun, SettingsAreSavedAsEnteredBeforeConversion) {
    ScratchDir dir;
    TExchangeState state = StateWith({});
    state.LayerGroupScale[0] = 50;
    Unit1::TRectSettings s = Settings(4, 6, 15, 4);
    const auto path = dir.path() / "crossrect.dat";
    const auto report = Unit1::DrawAtIntersections(state, s, path, [](const Unit1::TStatus&) {});
    EXPECT_TRUE(report.SettingsSaved);
    Unit1::TRectSettings back;
    Unit1::LoadSettings(back, path);
    EXPECT_EQ(back.RectWidth, 4);
    EXPECT_EQ(back.RectHeight, 6);
    EXPECT_EQ(back.RectAngle, 15);
}
