#include "exchange/output_buffer.hpp"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "common/file_size_limit.hpp"

namespace {

namespace fs = std::filesystem;
using namespace JwwGaibu;

class OutputBuffer : public testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = fs::temp_directory_path() / ("crossrect-out-" + std::to_string(seed()));
        fs::create_directories(folder_);
        path_ = folder_ / "JWC_TEMP.TXT";
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    static std::string ReadAll(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteText(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
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

    fs::path folder_;
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
        state_.OutputLines.Clear();
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

} // namespace
