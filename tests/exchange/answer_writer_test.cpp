#include "exchange/answer_writer.hpp"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/exchange_state.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using namespace JwwGaibu;

class OutputBuffer : public testing::Test {
  protected:
    void SetUp() override { path_ = folder_ / "JWC_TEMP.TXT"; }

    static std::string ReadAll(const fs::path& path) { return test_support::ReadBytes(path); }
    static void WriteText(const fs::path& path, const std::string& text) {
        test_support::WriteBytes(path, text);
    }
    // Only the exchange file is left behind, no temporary file.
    int FilesInFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder_), {}));
    }
    std::string WriteBack(std::initializer_list<std::string> entries) {
        for (const auto& entry : entries)
            AddOutputLine(state_, entry);
        EXPECT_TRUE(WriteExchangeFile(state_, path_));
        return ReadAll(path_);
    }

    test_support::ScratchDir scratch_;
    const fs::path& folder_ = scratch_.path();
    fs::path path_;
    TExchangeState state_;
};

TEST_F(OutputBuffer, EmptyBufferAnswersHq) {
    WriteText(path_, "lg0\r\nly1\r\n0 0 10 10\r\n"); // the host's question
    EXPECT_EQ(WriteBack({}), "hq\r\n");
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputBuffer, WritesEntriesWithExactBytes) {
    const struct {
        const char* name;
        std::initializer_list<std::string> entries;
        std::string file;
    } cases[] = {
        {"plain lines", {"lg0", "ly1", "0 0 10 0"}, "lg0\r\nly1\r\n0 0 10 0\r\n"},
        {"empty entry", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
        {"quote joins next", {"ch 0 0 \"ab\"", "cd", "e"}, "ch 0 0 \"ab\"cd\r\ne\r\n"},
        {"only the last byte counts", {"\"a", "a\"b"}, "\"a\r\na\"b\r\n"},
        {"quote-ended last entry", {"a", "b\""}, "a\r\nb\""},
        {"joined entry ends with quote", {"1\"", "2\"", "3\"", "4"}, "1\"2\"\r\n3\"4\r\n"},
        {"three quotes at the end", {"1\"", "2\"", "3\""}, "1\"2\"\r\n3\""},
        {"quote then empty entry", {"a\"", "", "b"}, "a\"\r\nb\r\n"},
        {"lone quote", {"\""}, "\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteBack(c.entries), c.file) << c.name;
    }
}

TEST_F(OutputBuffer, LongLineIsCutToItsFirst255Bytes) {
    const std::string long_line(300, '7');
    EXPECT_EQ(WriteBack({long_line}), long_line.substr(0, 255) + "\r\n");
}

// Several write blocks' worth: nothing lost or doubled at block seams.
TEST_F(OutputBuffer, LargeBufferIsWrittenWhole) {
    std::string expected;
    for (int i = 0; i < 60000; ++i) {
        const std::string line = std::to_string(i) + " 0 12.5 " + std::string(i % 50, '9');
        AddOutputLine(state_, line);
        expected += line + "\r\n";
    }
    ASSERT_TRUE(WriteExchangeFile(state_, path_));
    EXPECT_EQ(ReadAll(path_), expected);
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(OutputBuffer, UncreatableFileGivesFalse) {
    WriteText(folder_ / "plain-file", "x");
    AddOutputLine(state_, "lg0");
    EXPECT_FALSE(WriteExchangeFile(state_, folder_ / "plain-file" / "JWC_TEMP.TXT"));
    EXPECT_FALSE(WriteExchangeFile(state_, folder_ / "missing" / "JWC_TEMP.TXT"));
    EXPECT_EQ(ReadAll(folder_ / "plain-file"), "x");
    EXPECT_EQ(FilesInFolder(), 1);
}

#ifndef _WIN32
// A write that fails half-way (here: the file size limit) must leave neither
// the host's selection nor half an answer: "hq" still fits.
TEST_F(OutputBuffer, FailedWriteLeavesTheEmptyAnswer) {
    WriteText(path_, "lg0\r\n0 0 10 10\r\n");
    for (int i = 0; i < 100000; ++i)
        AddOutputLine(state_, "123.456789012345 -45.6789 1 2");

    bool written = true;
    {
        test_support::FileSizeLimit limit(1 << 20);
        written = WriteExchangeFile(state_, path_);
    }

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(path_), "hq\r\n");
    EXPECT_EQ(FilesInFolder(), 1);
}
#endif

// Entries of every kind the file's form treats apart: quote-ended ones that
// join the next (also in runs), empty ones, long ones cut at 255 bytes.
std::vector<std::string> MixedEntries(int count) {
    std::vector<std::string> entries;
    std::mt19937 random(7);
    for (int i = 0; i < count; ++i) {
        switch (random() % 6) {
        case 0:
            entries.emplace_back("ch 0 0 1 0 \"text" + std::to_string(i) + "\"");
            break;
        case 1:
            entries.emplace_back();
            break;
        case 2:
            entries.emplace_back(300, static_cast<char>('a' + i % 26));
            break;
        default:
            entries.push_back(std::to_string(i) + " 0.5 -12.25 " + std::to_string(i * 3));
        }
    }
    return entries;
}

class StreamedAnswer : public OutputBuffer {
  protected:
    // The file's form rendered in memory, apart from the writer, as the
    // reference: entries cut to 255 bytes, a quote-ended one joined to the next.
    static std::string InMemory(const std::vector<std::string>& entries) {
        std::string bytes;
        bool joining = false;
        for (const std::string& entry : entries) {
            const std::string cut = entry.substr(0, 255);
            bytes += cut;
            joining = !joining && !cut.empty() && cut.back() == '"';
            if (!joining) bytes += "\r\n";
        }
        return entries.empty() ? "hq\r\n" : bytes;
    }
    // The size of the one file beside the exchange file.
    std::size_t TemporaryBytes() const {
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path() != path_) return static_cast<std::size_t>(entry.file_size());
        return 0;
    }
    void Fill(const std::vector<std::string>& entries) {
        for (const auto& entry : entries)
            AddOutputLine(state_, entry);
    }
};

// Several blocks' worth, with joined lines falling across block boundaries
// (entries of 150 bytes, all quote-ended, end two of four blocks mid-line).
TEST_F(StreamedAnswer, GivesTheSameBytesAsTheBufferInMemory) {
    for (const auto& entries :
         {MixedEntries(0), MixedEntries(1), MixedEntries(3), MixedEntries(70000),
          std::vector<std::string>(30000, std::string(149, 'q') + '"')}) {
        const auto count = static_cast<int32_t>(entries.size());
        WriteText(path_, "lg0\r\n0 0 10 10\r\n");
        ASSERT_TRUE(state_.Answer.StreamBeside(path_));
        Fill(entries);
        // Every full block is in the temporary file already: memory holds one.
        EXPECT_LT(InMemory(entries).size(), TemporaryBytes() + (std::size_t{1} << 20));
        EXPECT_EQ(state_.Answer.Count(), count);
        ASSERT_TRUE(WriteExchangeFile(state_, path_));
        EXPECT_EQ(ReadAll(path_), InMemory(entries)) << count << " entries";
        EXPECT_EQ(FilesInFolder(), 1);
        ResetExchangeState(state_);
    }
}

// A replacement that would cut a hard link off: the answer is copied from
// the temporary file into the exchange file in place.
TEST_F(StreamedAnswer, IsCopiedInPlaceWhereItCannotReplace) {
#ifndef _WIN32
    const std::vector<std::string> entries = MixedEntries(30000);
    WriteText(path_, "selection\r\n");
    fs::create_hard_link(path_, folder_ / "second-name");
    ASSERT_TRUE(state_.Answer.StreamBeside(path_));
    Fill(entries);
    ASSERT_TRUE(WriteExchangeFile(state_, path_));
    EXPECT_EQ(ReadAll(folder_ / "second-name"), InMemory(entries));
    EXPECT_EQ(FilesInFolder(), 2);
#endif
}

TEST_F(StreamedAnswer, AbandonedRunLeavesNoTemporaryFile) {
    WriteText(path_, "hq\r\n");
    ASSERT_TRUE(state_.Answer.StreamBeside(path_));
    Fill(MixedEntries(1000));
    EXPECT_EQ(FilesInFolder(), 2);
    ResetExchangeState(state_); // as after a failure in the run
    EXPECT_EQ(FilesInFolder(), 1);
    EXPECT_EQ(ReadAll(path_), "hq\r\n");
}

#ifndef _WIN32
// The disk takes no more: the run goes on in memory, and since the answer
// cannot be written in place either, "hq" is left.
TEST_F(StreamedAnswer, BrokenOffLeavesTheEmptyAnswer) {
    const std::vector<std::string> entries = MixedEntries(20000);
    WriteText(path_, "selection\r\n");
    bool written = true;
    {
        test_support::FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(state_.Answer.StreamBeside(path_));
        Fill(entries);
        EXPECT_EQ(state_.Answer.Count(), 20000);
        written = WriteExchangeFile(state_, path_);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(path_), "hq\r\n");
    EXPECT_EQ(FilesInFolder(), 1);
}
#endif

TEST_F(StreamedAnswer, StaysInMemoryWhereNoFileCanBeMade) {
    const std::vector<std::string> entries = MixedEntries(30000);
    EXPECT_FALSE(state_.Answer.StreamBeside(folder_ / "missing" / "JWC_TEMP.TXT"));
    Fill(entries);
    EXPECT_EQ(FilesInFolder(), 0);
    ASSERT_TRUE(WriteExchangeFile(state_, path_));
    EXPECT_EQ(ReadAll(path_), InMemory(entries));
}

// One line past the limit must never give a shortened answer.
TEST_F(StreamedAnswer, LineLimitReachedLeavesTheEmptyAnswer) {
    for (const int count : {3, 4}) {
        WriteText(path_, "selection\r\n");
        state_.Answer = TAnswerWriter(3);
        ASSERT_TRUE(state_.Answer.StreamBeside(path_));
        Fill(std::vector<std::string>(count, "a"));
        EXPECT_EQ(state_.Answer.Abandoned(), count == 4) << count;
        EXPECT_TRUE(WriteExchangeFile(state_, path_)) << count;
        EXPECT_EQ(ReadAll(path_), count == 3 ? "a\r\na\r\na\r\n" : "hq\r\n") << count;
        EXPECT_EQ(FilesInFolder(), 1);
    }
}

} // namespace
