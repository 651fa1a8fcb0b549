#include "platform/file_io.hpp"

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "exchange/reader_test_support.hpp"

namespace {

namespace fs = std::filesystem;
using namespace Platform;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FileIo, FileExistsOnlyForFiles) {
    reader_test::ScratchFolder folder;
    EXPECT_TRUE(FileExists(folder.Write("a.txt", "x")));
    EXPECT_FALSE(FileExists(folder.path()));
    EXPECT_FALSE(FileExists(folder.path() / "missing.txt"));
    EXPECT_FALSE(FileExists(folder.path() / "missing" / "deeper.txt"));
}

TEST(FileIo, OpenFileTakesNonAsciiPaths) {
    reader_test::ScratchFolder folder;
    const fs::path path = folder.path() / fs::path(u8"矩形.txt");
    {
        TFilePtr out = OpenFile(path, "wb");
        ASSERT_TRUE(out);
        ASSERT_EQ(std::fwrite("abc", 1, 3, out.get()), 3u);
    }
    EXPECT_EQ(ReadAll(path), "abc");
    EXPECT_FALSE(OpenFile(folder.path() / "missing.txt", "rb"));
}

TEST(FileIo, ReadSmallFileKeepsToItsLimit) {
    reader_test::ScratchFolder folder;
    const fs::path path = folder.Write("a.dat", std::string(5000, 'x'));
    std::string bytes;
    EXPECT_TRUE(ReadSmallFile(path, 5000, bytes));
    EXPECT_EQ(bytes.size(), 5000u);
    EXPECT_FALSE(ReadSmallFile(path, 4999, bytes));
    EXPECT_FALSE(ReadSmallFile(folder.path() / "missing.dat", 10, bytes));
}

} // namespace
