#include "exchange/file_io.hpp"

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "reader_test_support.hpp"

namespace {

namespace fs = std::filesystem;
using namespace JwwGaibu;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int FilesIn(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
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

TEST(FileIo, ReplacingFileReplacesTheTargetWhenCommitted) {
    reader_test::ScratchFolder folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old content");
    {
        TReplacingFile file(target);
        ASSERT_TRUE(file.Open());
        EXPECT_TRUE(file.Write("new ", 4));
        EXPECT_TRUE(file.Write("content", 7));
        EXPECT_EQ(ReadAll(target), "old content"); // untouched until committed
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadAll(target), "new content");
    EXPECT_EQ(FilesIn(folder.path()), 1);

    // A target that does not exist yet is created.
    const fs::path fresh = folder.path() / "fresh.txt";
    TReplacingFile file(fresh);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(FileExists(fresh));
    EXPECT_EQ(ReadAll(fresh), "");
}

TEST(FileIo, ReplacingFileLeavesNothingWhenAbandoned) {
    reader_test::ScratchFolder folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    {
        TReplacingFile file(target);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half", 4));
        EXPECT_EQ(FilesIn(folder.path()), 2);
    }
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_EQ(FilesIn(folder.path()), 1);

    TReplacingFile unopened(target);
    EXPECT_FALSE(unopened.Write("x", 1));
    EXPECT_FALSE(unopened.Commit());
    EXPECT_EQ(ReadAll(target), "old");
}

TEST(FileIo, ReplacingFileFailsInAMissingFolder) {
    reader_test::ScratchFolder folder;
    TReplacingFile file(folder.path() / "missing" / "JWC_TEMP.TXT");
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_FALSE(file.Commit());
}

} // namespace
