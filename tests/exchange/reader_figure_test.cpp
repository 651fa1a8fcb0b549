// Figure lines: what each stores, with which header, and in which order.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using namespace JwwGaibu;
using test_support::Parse;

std::vector<int32_t> CurveNumbers(const TExchangeState& s) {
    std::vector<int32_t> numbers;
    for (const TJwwEntLine& line : s.Lines)
        numbers.push_back(line.CurveNo);
    return numbers;
}

std::vector<int32_t> LineFlags(const TExchangeState& s) {
    std::vector<int32_t> flags;
    for (const TJwwEntLine& line : s.Lines)
        flags.push_back(line.Flags);
    return flags;
}

TEST(ReaderFigures, PlainLineTakesTheRunningAttributes) {
    const TExchangeState s = Parse({"lg2", "ly3", "lc4", "lt5", "lw6", "z3", "0 -1.5 10 2e1"});
    ASSERT_EQ(s.LineCount(), 1);
    const TJwwEntLine& line = s.Lines[0];
    EXPECT_EQ(line.LayerGroup, 2);
    EXPECT_EQ(line.Layer, 3);
    EXPECT_EQ(line.Color, 4);
    EXPECT_EQ(line.LineType, 5);
    EXPECT_EQ(line.LineWidth, 6);
    EXPECT_EQ(line.Flags, kFlagDimension);
    EXPECT_EQ(line.CurveNo, 0);
    EXPECT_EQ(line.X1, 0.0);
    EXPECT_EQ(line.Y1, -1.5);
    EXPECT_EQ(line.X2, 10.0);
    EXPECT_EQ(line.Y2, 20.0);
    ASSERT_EQ(s.FigureOrder.Count(), 1);
    EXPECT_EQ(s.FigureOrder[0].Kind, kKindLine);
    EXPECT_EQ(s.FigureOrder[0].Index, 0);
}

TEST(ReaderFigures, CurveNumbersAndFlags) {
    const struct {
        const char* name;
        std::initializer_list<std::string_view> lines;
        std::vector<int32_t> curves, flags;
    } cases[] = {
        {"curve group ended by #",
         {"pl", "0 0 1 1", "1 1 2 2", "2 2 3 3", "#", "3 3 4 4"},
         {1, 1, 1, 0},
         {0, 0, 0, 0}},
        {"each pl starts a new number", {"pl", "0 0 1 1", "pl", "0 0 1 1"}, {1, 2}, {0, 0}},
        {"attribute line ends the group", {"pl", "0 0 1 1", "lc3", "0 0 1 1"}, {1, 0}, {0, 0}},
        {"other figure ends the group", {"pl", "0 0 1 1", "ci 0 0 1", "0 0 1 1"}, {1, 0}, {0, 0}},
        {"flags apply to the next figure only", {"z3", "0 0 1 1", "0 0 1 1"}, {0, 0}, {4, 0}},
        {"flags combine", {"z1", "z3", "z3", "0 0 1 1"}, {0}, {5}},
        {"ignored line keeps flags", {"z3", "what is this", "0 0 1 1"}, {0}, {4}},
        {"another figure takes the flags", {"z3", "ci 0 0 1", "0 0 1 1"}, {0}, {0}},
    };
    for (const auto& c : cases) {
        const TExchangeState s = Parse(c.lines);
        EXPECT_EQ(CurveNumbers(s), c.curves) << c.name;
        EXPECT_EQ(LineFlags(s), c.flags) << c.name;
    }
}

TEST(ReaderFigures, CirclesArcsPointsAndBlocks) {
    const TExchangeState s = Parse({
        "ci 1 2 3",
        "ci 1 2 3 4 5 6 7 8 9",
        "lc6",
        "pn3",
        "pt 1 2",
        "pt 1 2 3 4 5.5",
        "BL 7 8 \"block name",
    });
    ASSERT_EQ(s.Circles.Count(), 1);
    EXPECT_EQ(s.Circles[0].R, 3.0);
    ASSERT_EQ(s.Arcs.Count(), 1);
    EXPECT_EQ(s.Arcs[0].CX, 1.0);
    EXPECT_EQ(s.Arcs[0].Extra4, 7.0); // field 8; the ninth is ignored
    ASSERT_EQ(s.Points.Count(), 1);
    EXPECT_EQ(s.Points[0].Color, 3);
    EXPECT_EQ(s.Points[0].Y, 2.0);
    ASSERT_EQ(s.PointExs.Count(), 1);
    EXPECT_EQ(s.PointExs[0].Color, 3);
    EXPECT_EQ(s.PointExs[0].Param2, 4.0);
    EXPECT_EQ(s.PointExs[0].Param3, 0); // "5.5" is no integer
    ASSERT_EQ(s.Blocks.Count(), 1);
    EXPECT_EQ(s.Blocks[0].Color, 6);
    EXPECT_EQ(s.Blocks[0].Name, "block name");

    const int32_t kinds[] = {kKindCircle, kKindArc, kKindPoint, kKindPointEx, kKindBlk};
    ASSERT_EQ(s.FigureOrder.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.FigureOrder[i].Kind, kinds[i]);
        EXPECT_EQ(s.FigureOrder[i].Index, 0);
    }
}

TEST(ReaderFigures, TextsTakeTheirSizeFromTheTextKind) {
    const TExchangeState s = Parse({
        "hcw 1 2 3 4 5 6 7 8 9 10",
        "hcc 11 12 13 14 15 16 17 18 19 20",
        "cn2",
        "cc3",
        "lc5",
        "ch 1 2 3 4 \"hello  world",
        "cn0 1.5 2.5 0.5 6",
        "cn$<font>",
        "c2 1 2 3 4 x extra",
        "cn11",
        "cs 1 2 3 4 y",
    });
    ASSERT_EQ(s.Texts.Count(), 3);
    const TJwwEntText& kind2 = s.Texts[0];
    EXPECT_EQ(kind2.SubKind, 0);
    EXPECT_EQ(kind2.TextKind, 2);
    EXPECT_EQ(kind2.ColorCode, 3);
    EXPECT_EQ(kind2.CharWidth, 2.0);
    EXPECT_EQ(kind2.CharHeight, 3.0); // the reset table's default
    EXPECT_EQ(kind2.Color, 12);
    EXPECT_EQ(kind2.DY, 4.0);
    EXPECT_EQ(kind2.Text, "hello  world");
    EXPECT_EQ(kind2.FontName, "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>");

    const TJwwEntText& own = s.Texts[1];
    EXPECT_EQ(own.SubKind, 9);
    EXPECT_EQ(own.CharWidth, 1.5);
    EXPECT_EQ(own.CharSpacing, 0.5);
    EXPECT_EQ(own.Color, 6);
    EXPECT_EQ(own.Text, "x");
    EXPECT_EQ(own.FontName, "<font>");

    // Kind 11 is outside the table: the running size applies.
    EXPECT_EQ(s.Texts[2].SubKind, 2);
    EXPECT_EQ(s.Texts[2].CharHeight, 2.5);
}

TEST(ReaderFigures, ShortStringsAreCut) {
    const std::string long_text(300, 'a');
    const TExchangeState s = Parse({"cn$" + long_text, "ch 0 0 1 0 " + long_text});
    EXPECT_EQ(s.Texts[0].Text.size(), kShortStringMax);
    EXPECT_EQ(s.Texts[0].FontName.size(), kShortStringMax);
    EXPECT_EQ(s.Running.CurFontName.size(), 300u);

    // A double-byte character is never cut in half.
    const std::string split = std::string(254, 'a') + "\x82\xA0" + "b";
    const TExchangeState d = Parse({"ch 0 0 1 0 " + split});
    EXPECT_EQ(d.Texts[0].Text, std::string(254, 'a'));
}

TEST(ReaderFigures, DimensionTakesTheHeldLine) {
    const TExchangeState s = Parse({"msg", "lc4", "1 2 3 4", "cs 0 0 1 0 50", "5 6 7 8"});
    EXPECT_EQ(s.Texts.Count(), 0);
    ASSERT_EQ(s.Dims.Count(), 1);
    const TJwwEntDim& dim = s.Dims[0];
    EXPECT_EQ(dim.Color, 4);
    EXPECT_EQ(dim.Line.X1, 1.0);
    EXPECT_EQ(dim.Line.Y2, 4.0);
    EXPECT_EQ(dim.Line.Color, 4);
    EXPECT_EQ(dim.Text.SubKind, 2);
    EXPECT_EQ(dim.Text.Text, "50");
    // The dimension closes it: the next segment is an ordinary one.
    ASSERT_EQ(s.LineCount(), 1);
    EXPECT_EQ(s.Lines[0].X1, 5.0);
    ASSERT_EQ(s.FigureOrder.Count(), 2);
    EXPECT_EQ(s.FigureOrder[0].Kind, kKindDim);
    EXPECT_EQ(s.FigureOrder[1].Kind, kKindLine);

    // Without a held line the reset one is used.
    const TExchangeState bare = Parse({"msg", "cs 0 0 1 0 50"});
    ASSERT_EQ(bare.Dims.Count(), 1);
    EXPECT_EQ(bare.Dims[0].Line.X2, 1.0);
    EXPECT_EQ(bare.Dims[0].Line.Color, 1);

    // Another text ends the dimension; its held line is in no table.
    const TExchangeState other = Parse({"msg", "1 2 3 4", "ch 0 0 1 0 t", "cs 0 0 1 0 u"});
    EXPECT_EQ(other.LineCount(), 0);
    EXPECT_EQ(other.Dims.Count(), 0);
    ASSERT_EQ(other.Texts.Count(), 2);
    EXPECT_EQ(other.Texts[1].SubKind, 2);
}

TEST(ReaderFigures, SlReducesCoincidingPoints) {
    const struct {
        const char* line;
        int32_t kind;
        std::vector<double> xs; // x of the stored points; y = x + 100
    } cases[] = {
        {"sl 1 101 2 102", kKindSl2, {1, 2}},
        {"sl 1 101 1.00000000001 101 3 103", kKindSl2, {1, 3}},
        {"sl 1 101 1.000001 101.000001 3 103", kKindSl3, {1, 1.000001, 3}},
        {"sl 1 101 2 102 2 102", kKindSl2, {1, 2}},
        {"sl 1 101 2 102 1 101", kKindSl3, {1, 2, 1}},
        {"sl 1 101 1 101 1 101 4 104", kKindSl2, {1, 4}},
        {"sl 1 101 2 102 2 102 2 102", kKindSl2, {1, 2}},
        {"sl 1 101 1 101 3 103 3 103", kKindSl2, {1, 3}},
        {"sl 1 101 2 102 3 103 1 101", kKindSl3, {1, 2, 3}},
        {"sl 1 101 2 102 3 103 3 103", kKindSl3, {1, 2, 3}},
        {"sl 1 101 2 102 1 101 4 104", kKindSl3, {1, 2, 4}},
        {"sl 1 101 1 101 3 103 4 104", kKindSl3, {1, 3, 4}},
        {"sl 1 101 2 102 3 103 4 104 9", kKindSl4, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        const TExchangeState s = Parse({"lc10 7", c.line});
        ASSERT_EQ(s.FigureOrder.Count(), 1) << c.line;
        ASSERT_EQ(s.FigureOrder[0].Kind, c.kind) << c.line;
        std::vector<double> xs, ys;
        int32_t ext = 0;
        if (c.kind == kKindSl2) {
            const auto& r = s.Sl2s[0];
            xs = {r.X1, r.X2}, ys = {r.Y1, r.Y2}, ext = r.ExtColor;
        } else if (c.kind == kKindSl3) {
            const auto& r = s.Sl3s[0];
            xs = {r.X1, r.X2, r.X3}, ys = {r.Y1, r.Y2, r.Y3}, ext = r.ExtColor;
        } else {
            const auto& r = s.Sl4s[0];
            xs = {r.X1, r.X2, r.X3, r.X4}, ys = {r.Y1, r.Y2, r.Y3, r.Y4}, ext = r.ExtColor;
        }
        EXPECT_EQ(ext, 7) << c.line;
        ASSERT_EQ(xs.size(), c.xs.size()) << c.line;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_DOUBLE_EQ(xs[i], c.xs[i]) << c.line;
            EXPECT_NEAR(ys[i], c.xs[i] + 100, 1e-6) << c.line;
        }
    }
}

TEST(ReaderFigures, EightValueSFigures) {
    const TExchangeState s = Parse({
        "lc10 5",
        "sc 1 2 3 4 5 6 7 8",
        "se 1 2 3 4 5 6 7 9 ignored",
        "so 1 2 3 4 5 6 7 8",
        "sg 1 2 3 4 5 6 7 8.5",
    });
    ASSERT_EQ(s.FigureOrder.Count(), 4);
    EXPECT_EQ(s.Scs[0].V7, 7.0);
    EXPECT_EQ(s.Scs[0].Code, 8);
    EXPECT_EQ(s.Ses[0].Code, 9);
    EXPECT_EQ(s.Ses[0].ExtColor, 5);
    EXPECT_EQ(s.Sos[0].V8, 8.0);
    EXPECT_EQ(s.Sgs[0].V8, 8.5);
    EXPECT_EQ(s.FigureOrder[3].Kind, kKindSg);
}

TEST(ReaderFigures, TablesGrowInBlocksOfAThousand) {
    TExchangeState s;
    ResetExchangeState(s);
    for (int i = 0; i < 1000; ++i)
        ParseExchangeLine(s, std::to_string(i) + " 0 1 1");
    EXPECT_EQ(s.Lines.Length(), 1000);
    EXPECT_EQ(s.FigureOrder.Length(), 1000);
    ParseExchangeLine(s, "1000 0 1 1");
    EXPECT_EQ(s.LineCount(), 1001);
    EXPECT_EQ(s.Lines.Length(), 2000);
    EXPECT_EQ(s.FigureOrder.Length(), 2000);
    EXPECT_EQ(s.Lines[1000].X1, 1000.0);
    EXPECT_EQ(s.FigureOrder[1000].Index, 1000);
}

} // namespace
