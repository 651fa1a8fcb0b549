#include "exchange/output_lines.hpp"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/short_copy.hpp"

namespace {

using JwwGaibu::TOutputLines;

TEST(OutputLines, ShortCopyCopiesExactlyTheLengthAtAnyAlignment) {
    char from[320];
    for (std::size_t i = 0; i < sizeof from; ++i)
        from[i] = static_cast<char>('A' + i % 53);
    for (std::size_t offset = 0; offset < 3; ++offset) {
        for (std::size_t length = 0; length <= 300; ++length) {
            char to[320];
            std::memset(to, '.', sizeof to);
            JwwGaibu::CopyShort(to + offset, from + offset, length);
            for (std::size_t i = 0; i < sizeof to; ++i) {
                const bool inside = i >= offset && i < offset + length;
                ASSERT_EQ(to[i], inside ? from[i] : '.')
                    << "length " << length << ", offset " << offset << ", byte " << i;
            }
        }
    }
}

TEST(OutputLines, CutsTextAtTheShortStringLimitByBytes) {
    const std::string sjis_pair = "\x82\xa0"; // one double-byte character
    const struct {
        std::string text;
        std::size_t stored;
    } cases[] = {
        {"", 0},
        {std::string(254, 'a'), 254},
        {std::string(255, 'a'), 255},
        {std::string(256, 'a'), 255},
        {std::string(300, 'a'), 255},
        // The cut falls inside the last double-byte character.
        {std::string(254, 'a') + sjis_pair, 255},
    };
    TOutputLines lines;
    for (const auto& c : cases)
        lines.Add(c.text);
    ASSERT_EQ(lines.Count(), static_cast<int32_t>(std::size(cases)));
    for (int32_t i = 0; i < lines.Count(); ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(lines[i], std::string_view(c.text).substr(0, c.stored)) << "case " << i;
    }
}

// Enough text to fill several chunks and offset blocks: every entry must
// still read back as appended, by index and in order.
TEST(OutputLines, KeepsEveryEntryAcrossChunkAndBlockBoundaries) {
    std::vector<std::string> expected;
    TOutputLines lines;
    for (int i = 0; i < 50000; ++i) {
        // Lengths cycle through 0..255, including empty entries.
        std::string text(static_cast<std::size_t>(i % 256), static_cast<char>('a' + i % 26));
        if (!text.empty()) text.front() = static_cast<char>('0' + i % 10);
        lines.Add(text);
        expected.push_back(text.substr(0, 255));
    }
    ASSERT_EQ(lines.Count(), static_cast<int32_t>(expected.size()));
    for (int32_t i = 0; i < lines.Count(); ++i)
        ASSERT_EQ(lines[i], expected[static_cast<std::size_t>(i)]) << "entry " << i;
    std::size_t visited = 0;
    lines.ForEach([&](std::string_view entry) { ASSERT_EQ(entry, expected[visited++]); });
    EXPECT_EQ(visited, expected.size());
}

TEST(OutputLines, ClearAndReleaseEmptyTheBufferForReuse) {
    TOutputLines lines;
    for (int i = 0; i < 70000; ++i)
        lines.Add("0 0 12.5 -3");
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(lines[0], "");
    lines.Add("lg0");
    lines.Add("ly1");
    EXPECT_EQ(lines[0], "lg0");
    EXPECT_EQ(lines[1], "ly1");

    lines.Release();
    EXPECT_EQ(lines.Count(), 0);
    lines.Add("hq");
    EXPECT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines[0], "hq");
    EXPECT_EQ(lines[-1], "");
    EXPECT_EQ(lines[1], "");
}

} // namespace

namespace {

// "e0000", "e0001", ...: five bytes each.
std::string SpillEntry(int i) {
    std::string text = std::to_string(10000 + i);
    text[0] = 'e';
    return text;
}

// Takes entries until it has taken limit of them, then refuses.
class RecordingSpill final : public JwwGaibu::TLineSpill {
  public:
    explicit RecordingSpill(std::size_t limit) : limit_(limit) {}
    bool Take(const JwwGaibu::TOutputLines& lines) override {
        if (taken.size() >= limit_) return false;
        lines.ForEach([this](std::string_view entry) { taken.emplace_back(entry); });
        return true;
    }
    std::vector<std::string> taken;

  private:
    std::size_t limit_;
};

TEST(OutputLines, SpillTakesHeldEntriesInOrderUntilItRefuses) {
    JwwGaibu::TOutputLines lines;
    RecordingSpill spill(40);
    lines.SpillTo(&spill, 25); // five entries of five bytes
    for (int i = 0; i < 100; ++i)
        lines.Add(SpillEntry(i));
    ASSERT_EQ(spill.taken.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(spill.taken[i], SpillEntry(i));
    // Refused at the ninth spill: everything from entry 40 on stays held.
    EXPECT_EQ(lines.Count(), 100);
    EXPECT_EQ(lines.FirstHeld(), 40);
    EXPECT_EQ(lines[39], "");
    EXPECT_EQ(lines[40], "e0040");
    EXPECT_EQ(lines[99], "e0099");
    int held = 0;
    lines.ForEach([&held](std::string_view) { ++held; });
    EXPECT_EQ(held, 60);
}

} // namespace
