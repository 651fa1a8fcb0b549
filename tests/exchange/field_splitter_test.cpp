#include "exchange/field_splitter.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using JwwGaibu::TFieldSplitter;

std::vector<std::string> Fields(const TFieldSplitter& splitter) {
    std::vector<std::string> fields;
    for (int i = 1; i <= splitter.Count(); ++i)
        fields.emplace_back(splitter.Field(i));
    return fields;
}

TEST(FieldSplitter, SplitsLikeTheHost) {
    const struct {
        const char* name;
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"empty line", "", {""}},
        {"blanks only", "   ", {""}},
        {"plain numbers", "0 0 10 10", {"0", "0", "10", "10"}},
        {"runs and leading blanks", "  1   2", {"1", "2"}},
        {"trailing blank adds an empty field", "ci 1 2 3 ", {"ci", "1", "2", "3", ""}},
        {"tab splits like a blank", "1\t2 \t3", {"1", "2", "3"}},
        {"quote keeps the rest whole", "ch 1 \"a b", {"ch", "1", "a b"}},
        {"tab after a quote is dropped", "ch \"a\tb\"c", {"ch", "ab\"c"}},
        {"quote inside a field", "ab\"c d", {"abc d"}},
        {"equals sign is kept and ends splitting",
         "file=C:\\my dir\\a.cad",
         {"file=C:\\my dir\\a.cad"}},
        {"equals sign in a later field", "x y=1 \"2", {"x", "y=1 \"2"}},
        {"double-byte pair keeps a blank or quote trail byte",
         "\x82\x20\x82\x22 1",
         {"\x82\x20\x82\x22", "1"}},
        {"lead byte as last byte is dropped", "ab\x82", {"ab"}},
        {"lead byte after the last blank", "a \x82", {"a", ""}},
        {"single-byte kana are kept", "\xB1\xB2 \xDF", {"\xB1\xB2", "\xDF"}},
        {"control bytes, 0xFE and 0xFF are dropped",
         std::string("1\x01"
                     "2\0"
                     "3\xFE\xFF\x7F",
                     8),
         {"123\x7F"}},
        {"quote alone gives an empty line", "\"", {""}},
    };
    TFieldSplitter splitter;
    for (const auto& c : cases) {
        splitter.Split(c.line);
        EXPECT_EQ(Fields(splitter), c.fields) << c.name;
    }
}

TEST(FieldSplitter, KeepsAtMostFourHundredFields) {
    const auto numbers = [](int count, const char* tail) {
        std::string line;
        for (int i = 1; i <= count; ++i)
            line += std::to_string(i) + (i < count ? " " : tail);
        return line;
    };
    TFieldSplitter splitter;

    splitter.Split(numbers(405, ""));
    EXPECT_EQ(splitter.Count(), JwwGaibu::kMaxFields);
    EXPECT_EQ(splitter.Field(400), "400");
    EXPECT_EQ(splitter.Field(401), "");

    splitter.Split(numbers(400, " "));
    EXPECT_EQ(splitter.Count(), 400);
    EXPECT_EQ(splitter.Field(400), "400");

    splitter.Split(numbers(399, " "));
    EXPECT_EQ(splitter.Count(), 400);
    EXPECT_EQ(splitter.Field(400), "");
}

TEST(FieldSplitter, ReuseLeavesNothingOfTheLongerLineBefore) {
    TFieldSplitter splitter;
    splitter.Split(std::string(1 << 20, 'x') + " tail");
    EXPECT_EQ(splitter.Field(1).size(), std::size_t{1} << 20);
    EXPECT_EQ(splitter.Field(2), "tail");

    splitter.Split("ab c");
    EXPECT_EQ(Fields(splitter), (std::vector<std::string>{"ab", "c"}));
    EXPECT_EQ(splitter.Field(0), "");
    EXPECT_EQ(splitter.Field(3), "");
}

} // namespace
