// Header, attribute, marker and point-number lines, and the matching order.

#include <string>

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using namespace JwwGaibu;
using test_support::Parse;

TEST(ReaderHeader, StoresHeaderValues) {
    const TExchangeState s = Parse({
        "hk 2.5",
        "hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 99",
        "hzs 420 297",
        "hcw 1 2 3 4 5 6 7 8 9 10",
        "hch 11 12 13 14 15 16 17 18 19 20",
        "hcd 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1.0",
        "hcc 1 2 3 4 5 6 7 8 9 10",
        "bz 1 2",
        "hn 1.5 2.5 3.5 4.5",
        "hrgb 1 2 3 4 5 6 7 8",
    });
    EXPECT_EQ(s.HkValue, 2.5);
    EXPECT_EQ(s.LayerGroupScale[0], 1.0);
    EXPECT_EQ(s.LayerGroupScale[15], 16.0);
    EXPECT_EQ(s.PaperWidth, 420.0);
    EXPECT_EQ(s.PaperHeight, 297.0);
    EXPECT_EQ(s.TextKindTable[0].CharWidth, 1.0);
    EXPECT_EQ(s.TextKindTable[9].CharHeight, 20.0);
    EXPECT_EQ(s.TextKindTable[4].CharSpacing, 0.5);
    EXPECT_EQ(s.TextKindTable[9].CharColor, 10);
    EXPECT_TRUE(s.PaperUnits);
    EXPECT_EQ(s.HnValues[3], 4.5);
    EXPECT_EQ(s.RgbTable, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(s.LineCount(), 0);
}

TEST(ReaderHeader, KeywordWithTooFewFieldsFallsThrough) {
    // Four fields become a segment from (0, first value); other counts do nothing.
    const struct {
        const char* line;
        int32_t lines;
    } cases[] = {
        {"hn 1 2 3", 1},     {"hs 1 2 3", 1},         {"pt 1 2 3", 1},
        {"ch 1 2 3", 1},     {"sl 1 2 3", 1},         {"hrgb 1 2 3", 1},
        {"ci 1 2 3 ", 0},    {"ch 1 2 3 4", 0},       {"pt 1 2 3 4", 0},
        {"sl 1 2 3 4 5", 0}, {"sc 1 2 3 4 5 6 7", 0}, {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", 0},
        {"unknown", 0},
    };
    for (const auto& c : cases) {
        const TExchangeState s = Parse({c.line});
        ASSERT_EQ(s.LineCount(), c.lines) << c.line;
        EXPECT_EQ(s.FigureOrder.Count(), c.lines) << c.line;
        EXPECT_EQ(s.HnValues[0], 0.0) << c.line;
        EXPECT_EQ(s.LayerGroupScale[0], 1.0) << c.line;
        EXPECT_TRUE(s.RgbTable.empty()) << c.line;
        if (c.lines == 1) {
            const TJwwEntLine& line = s.Lines[0];
            EXPECT_EQ(line.X1, 0.0) << c.line;
            EXPECT_EQ(line.Y1, 1.0) << c.line;
            EXPECT_EQ(line.Y2, 3.0) << c.line;
        }
    }
}

TEST(ReaderHeader, RgbTableKeepsItsCapacity) {
    std::string line = "hrgb";
    for (int i = 1; i <= 300; ++i)
        line.append(" ").append(std::to_string(i));
    // A shorter line later overwrites only its own entries.
    const TExchangeState s = Parse({line, "hrgb 0 0 0 0 0 0 0 0"});
    ASSERT_EQ(static_cast<int>(s.RgbTable.size()), kRgbTableMax);
    EXPECT_EQ(s.RgbTable[7], 0);
    EXPECT_EQ(s.RgbTable[8], 9);
    EXPECT_EQ(s.RgbTable[255], 256);
}

TEST(ReaderHeader, FileAndLayerNames) {
    const TExchangeState s = Parse({
        "file=C:\\my drawings\\plan 1.cad",
        "lg3",
        "lgn A  B",
        "lg2",
        "ly5",
        "lyn Name",
        "lynX",
    });
    EXPECT_EQ(s.DrawingFileName, "C:\\my drawings\\plan 1.cad");
    EXPECT_EQ(s.LayerGroupName[3], " A B");
    EXPECT_EQ(s.LayerName[2 * 16 + 5], "X");
    EXPECT_EQ(Parse({"xfile=a b"}).DrawingFileName, "=a b");
    EXPECT_EQ(Parse({"lgnX Y"}).LayerGroupName[0], "X Y");
}

TEST(ReaderAttributes, SingleCharacterArguments) {
    const struct {
        const char* line;
        int32_t value;
    } digits[] = {{"0", 0}, {"a", 10}, {"F", 15}, {"G", 0}, {"", 0}, {"12", 1}, {"-1", 0}};
    for (const auto& d : digits) {
        std::string group = "lg", layer = "ly";
        group.append(d.line);
        layer.append(d.line);
        EXPECT_EQ(Parse({group}).Running.CurLayerGroup, d.value) << d.line;
        EXPECT_EQ(Parse({layer}).Running.CurLayer, d.value) << d.line;
    }
    const struct {
        const char* line;
        int32_t code;
    } codes[] = {{"cc12", 1}, {"cc9", 0}, {"cc8", 8}, {"cc", 0}, {"cc-1", 0}, {"ccx", 0}};
    for (const auto& c : codes)
        EXPECT_EQ(Parse({c.line}).Running.CurTextColorCode, c.code) << c.line;
}

TEST(ReaderAttributes, FirstLineOfEachKindSetsTheHostValue) {
    const TExchangeState s = Parse({
        "lg3 1",
        "ly4 7",
        "lc5",
        "lt6",
        "lw7",
        "cn0 1.5 2.5 0.5 4",
        "cn$<font a>",
        "lgF",
        "ly2",
        "lc8",
        "lt9",
        "lw0",
        "cn0 9 9 9 9",
        "cn$<fontB>",
    });
    EXPECT_EQ(s.HostLayerGroup, 3);
    EXPECT_EQ(s.HostLayer, 4);
    EXPECT_EQ(s.HostColor, 5);
    EXPECT_EQ(s.HostLineType, 6);
    EXPECT_EQ(s.HostLineWidth, 7);
    EXPECT_EQ(s.HostCharWidth, 1.5);
    EXPECT_EQ(s.HostCharColor, 4);
    EXPECT_EQ(s.HostFontName, "<font"); // an unquoted name ends at a blank
    EXPECT_EQ(s.Running.CurLayerGroup, 15);
    EXPECT_EQ(s.Running.CurLayer, 2);
    EXPECT_EQ(s.Running.CurColor, 8);
    EXPECT_EQ(s.Running.CurLineType, 9);
    EXPECT_EQ(s.Running.CurLineWidth, 0);
    EXPECT_EQ(s.Running.CurCharWidth, 9.0);
    EXPECT_EQ(s.Running.CurCharColor, 9);
    EXPECT_EQ(s.Running.CurFontName, "<fontB>");
    EXPECT_EQ(s.LayerGroupValue[3], 1);
    EXPECT_EQ(s.LayerValue[3 * 16 + 4], 7);
    EXPECT_TRUE(s.LineWidthSeen);
    EXPECT_FALSE(s.Running.FreshLg || s.Running.FreshLy || s.Running.FreshLc || s.Running.FreshLt ||
                 s.Running.FreshLw || s.Running.FreshCn);

    // A text kind other than 0 leaves the host's character size alone.
    const TExchangeState k = Parse({"cn3 9 9 9 9"});
    EXPECT_EQ(k.HostTextKind, 3);
    EXPECT_EQ(k.HostCharWidth, 2.0);
    EXPECT_EQ(k.Running.CurCharWidth, 2.0);
}

TEST(ReaderAttributes, ExtendedColourOnlyWithColourTen) {
    EXPECT_EQ(Parse({"lc10 7"}).Running.ExtColor, 7);
    EXPECT_EQ(Parse({"lc9 7"}).Running.ExtColor, 0);
    EXPECT_EQ(Parse({"lc10"}).Running.ExtColor, 0);
    EXPECT_EQ(Parse({"pn5"}).Running.PointColor, 5);
}

TEST(ReaderMarkers, CurveAndDimensionFlags) {
    const struct {
        std::initializer_list<std::string_view> lines;
        bool in_curve, in_dimension;
        int32_t counter;
    } cases[] = {
        {{"pl"}, true, false, 1},
        {{"pl", "pl"}, true, false, 2},
        {{"msg", "pl"}, true, false, 1},
        {{"pl", "msg"}, false, true, 1},
        {{"pl", "msg", "#"}, false, false, 1},
        {{"pl", "lc3"}, false, false, 1},
        {{"pl", "z3", "hp5 1 2", "hhp3", "hk 1", "unknown"}, true, false, 1},
        {{"msg", "lc3"}, false, true, 0},
    };
    for (const auto& c : cases) {
        const TExchangeState s = Parse(c.lines);
        EXPECT_EQ(s.InCurve, c.in_curve) << *c.lines.begin();
        EXPECT_EQ(s.InDimension, c.in_dimension) << *c.lines.begin();
        EXPECT_EQ(s.CurveCounter, c.counter) << *c.lines.begin();
    }
    EXPECT_EQ(Parse({"z1", "z3", "z3", "z5"}).FigureFlags, 1 | 4 | 16);
    EXPECT_EQ(Parse({"z6", "Z1"}).FigureFlags, 0);
}

TEST(ReaderPoints, NumberedPoints) {
    const struct {
        const char* line;
        int32_t number; // 0: nothing stored
        int32_t kind;
    } cases[] = {
        {"hp3ln 10 20", 3, 2}, {"hp5 10 20", 5, 0},   {"hp7- 10 20", 7, 1},  {"hp9ci 10 20", 9, 3},
        {"hp4ch 10 20", 4, 4}, {"hp99 10 20", 99, 0}, {"hp100 10 20", 0, 0}, {"hp0 10 20", 0, 0},
        {"hp5- 10", 0, 0},     {"hp-3 10 20", 0, 0},
    };
    for (const auto& c : cases) {
        const TExchangeState s = Parse({c.line});
        EXPECT_EQ(s.HpCount, c.number ? 1 : 0) << c.line;
        if (c.number == 0) continue;
        const TJwwHpPoint& p = s.HpTable[c.number];
        EXPECT_TRUE(p.Used) << c.line;
        EXPECT_EQ(p.X, 10.0) << c.line;
        EXPECT_EQ(p.Y, 20.0) << c.line;
        EXPECT_EQ(p.Kind, c.kind) << c.line;
    }
    EXPECT_EQ(Parse({"hp3 1 2", "hp3 3 4"}).HpCount, 2);
}

TEST(ReaderPoints, FigurePointNumber) {
    const struct {
        const char* line;
        int32_t number;
    } cases[] = {{"hhp12ci", 12}, {"hhp2", 2}, {"hhp7ln", 7},   {"hhp3ch", 3},
                 {"hhp", 0},      {"hhpx", 0}, {"hhp45ln9", 45}};
    for (const auto& c : cases)
        EXPECT_EQ(Parse({c.line}).HpNo, c.number) << c.line;

    const TExchangeState s = Parse({"hhp2", "0 0 1 1", "0 0 2 2"});
    EXPECT_EQ(s.Lines[0].HpNo, 2);
    EXPECT_EQ(s.Lines[1].HpNo, 0);
    EXPECT_EQ(s.HpNo, 0);
}

} // namespace
