#include "platform/file_io.hpp"

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using namespace Platform;

TEST(FileIo, FileExistsOnlyForFiles) {
    test_support::ScratchDir folder;
    EXPECT_TRUE(FileExists(folder.Write("a.txt", "x")));
    EXPECT_FALSE(FileExists(folder.path()));
    EXPECT_FALSE(FileExists(folder.path() / "missing.txt"));
    EXPECT_FALSE(FileExists(folder.path() / "missing" / "deeper.txt"));
}

TEST(FileIo, OpenFileTakesNonAsciiPaths) {
    test_support::ScratchDir folder;
    const fs::path path = folder.path() / fs::path(u8"矩形.txt");
    {
        TFilePtr out = OpenFile(path, "wb");
        ASSERT_TRUE(out);
        ASSERT_EQ(std::fwrite("abc", 1, 3, out.get()), 3u);
    }
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_FALSE(OpenFile(folder.path() / "missing.txt", "rb"));
}

TEST(FileIo, ReadSmallFileKeepsToItsLimit) {
    test_support::ScratchDir folder;
    const fs::path path = folder.Write("a.dat", std::string(5000, 'x'));
    std::string bytes;
    EXPECT_TRUE(ReadSmallFile(path, 5000, bytes));
    EXPECT_EQ(bytes.size(), 5000u);
    EXPECT_FALSE(ReadSmallFile(path, 4999, bytes));
    EXPECT_FALSE(ReadSmallFile(folder.path() / "missing.dat", 10, bytes));
}

} // namespace
