// Reading whole exchange files: line ends, long lines, missing files.

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using namespace JwwGaibu;
using namespace std::string_literals;

class ReaderFile : public testing::Test {
  protected:
    void SetUp() override { ResetExchangeState(state_); }

    test_support::ScratchDir folder_;
    TExchangeState state_;
};

TEST_F(ReaderFile, LineEnds) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"CR LF", "lc3\r\n0 0 10 10\r\n1 1 2 2\r\n"},
        {"LF", "lc3\n0 0 10 10\n1 1 2 2\n"},
        {"no final line end", "lc3\r\n0 0 10 10\n1 1 2 2"},
        {"blank lines and NUL bytes", "\n\r\nlc3\n  \n0 0\0 10 10\n1 1 2 2\r"s},
    };
    for (const auto& c : cases) {
        TExchangeState state;
        ResetExchangeState(state);
        const auto path = folder_.Write("JWC_TEMP.TXT", c.bytes);
        ASSERT_TRUE(ReadExchangeFile(state, path)) << c.name;
        ASSERT_EQ(state.LineCount(), 2) << c.name;
        EXPECT_EQ(state.HostColor, 3) << c.name;
        EXPECT_EQ(state.Lines[0].Y2, 10.0) << c.name;
        EXPECT_EQ(state.Lines[1].Y2, 2.0) << c.name;
    }
}

TEST_F(ReaderFile, LinesAcrossReadBlocks) {
    // Several megabytes, with one multi-megabyte text line, so lines straddle
    // the reader's block boundaries.
    std::string bytes = "hk 1\r\n";
    for (int i = 0; i < 100000; ++i)
        bytes += std::to_string(i) + " 12345.678 -9876.5 4321.25\r\n";
    bytes += "ch 0 0 1 0 \"" + std::string(3 << 20, 'x') + "\r\n";
    for (int i = 0; i < 100000; ++i)
        bytes += std::to_string(i) + " 1 2 3\n";
    const auto path = folder_.Write("big.txt", bytes);

    ASSERT_TRUE(ReadExchangeFile(state_, path));
    ASSERT_EQ(state_.LineCount(), 200000);
    for (int i : {0, 99999}) {
        EXPECT_EQ(state_.Lines[i].X1, i);
        EXPECT_EQ(state_.Lines[i].Y1, 12345.678);
        EXPECT_EQ(state_.Lines[i].Y2, 4321.25);
    }
    EXPECT_EQ(state_.Lines[199999].X1, 99999.0);
    EXPECT_EQ(state_.Lines[199999].Y2, 3.0);
    ASSERT_EQ(state_.Texts.Count(), 1);
    EXPECT_EQ(state_.Texts[0].Text, std::string(kShortStringMax, 'x'));
}

TEST_F(ReaderFile, MissingFileOrFolderReadsNothing) {
    EXPECT_FALSE(ReadExchangeFile(state_, folder_.path() / "JWC_TEMP.TXT"));
    EXPECT_FALSE(ReadExchangeFile(state_, folder_.path()));
    EXPECT_EQ(state_.LineCount(), 0);
    EXPECT_TRUE(state_.Running.FreshLc);
    EXPECT_EQ(state_.LayerGroupScale[0], 1.0);
}

TEST_F(ReaderFile, EmptyFileIsReadToItsEnd) {
    EXPECT_TRUE(ReadExchangeFile(state_, folder_.Write("empty.txt", "")));
    EXPECT_EQ(state_.LineCount(), 0);
}

TEST_F(ReaderFile, NumberOutOfRangeReadsAsZeroAndReadingGoesOn) {
    const auto path = folder_.Write("JWC_TEMP.TXT", "1E400 0 1 1\n2 2 3 3\n");
    ASSERT_TRUE(ReadExchangeFile(state_, path));
    ASSERT_EQ(state_.LineCount(), 2);
    EXPECT_EQ(state_.Lines[0].X1, 0.0);
    EXPECT_EQ(state_.Lines[1].X1, 2.0);
}

TEST_F(ReaderFile, JapaneseFolderName) {
    const auto sub = folder_.path() / std::filesystem::path(u8"交点 テスト");
    std::filesystem::create_directories(sub);
    { std::ofstream(sub / "JWC_TEMP.TXT", std::ios::binary) << "0 0 1 1\n"; }
    ASSERT_TRUE(ReadExchangeFile(state_, sub / "JWC_TEMP.TXT"));
    EXPECT_EQ(state_.LineCount(), 1);
}

} // namespace
