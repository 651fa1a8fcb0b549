#include "exchange/safe_save.hpp"

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/write_file.hpp"
#include "test_support.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using namespace JwwGaibu;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Writes "part one " and then fails, as a producer out of memory would.
bool FailingContent(TByteSink& sink) {
    sink.Put("part one ");
    return false;
}

TEST(SafeSave, ReplacesOrCreatesAndLeavesNoTemporary) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old content");
    EXPECT_EQ(SaveFileSafely(target, ContentOf("new content")), TSaveResult::Replaced);
    EXPECT_EQ(ReadBytes(target), "new content");

    const fs::path fresh = folder.path() / "fresh.dat";
    EXPECT_EQ(SaveFileSafely(fresh, ContentOf("")), TSaveResult::Replaced);
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"JWC_TEMP.TXT", "fresh.dat"}));
}

TEST(SafeSave, AFailingProducerLeavesTheOldContent) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    EXPECT_EQ(SaveFileSafely(target, FailingContent), TSaveResult::Untouched);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Names(folder.path()).size(), 1u);
    EXPECT_EQ(RewriteInPlace(target, FailingContent), TSaveResult::Torn);
}

TEST(SafeSave, NothingCanBeWrittenInAMissingFolder) {
    test_support::ScratchDir folder;
    const fs::path target = folder.path() / "missing" / "JWC_TEMP.TXT";
    EXPECT_EQ(SaveFileSafely(target, ContentOf("x")), TSaveResult::Untouched);
    EXPECT_FALSE(fs::exists(target.parent_path()));
}

TEST(SafeSave, RemovesOnlyTemporariesOfEndedProcesses) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    const std::string live = std::to_string(Platform::CurrentProcessId());
    const std::set<std::string> kept{"JWC_TEMP.TXT", "JWC_TEMP.TXT.tmp", "JWC_TEMP.TXT.tmpx1",
                                     "OTHER.TXT.tmp12", "JWC_TEMP.TXT.tmp" + live + "x"};
    for (const std::string& name : kept)
        folder.Write(name, "keep");
    for (const char* name : {"JWC_TEMP.TXT.tmp0", "JWC_TEMP.TXT.tmp99999999999999999999999",
                             "JWC_TEMP.TXT.tmp4000000000"})
        folder.Write(name, "abandoned");
    folder.Write("JWC_TEMP.TXT.tmp" + live, "ours, from an earlier save");

    EXPECT_EQ(SaveFileSafely(target, ContentOf("new")), TSaveResult::Replaced);
    EXPECT_EQ(Names(folder.path()), kept);
    EXPECT_EQ(ReadBytes(target), "new");
}

#ifndef _WIN32
TEST(SafeSave, ATemporaryOfARunningProcessStays) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    const fs::path busy = TemporaryPathFor(target, static_cast<uint64_t>(getppid()));
    folder.Write(busy.filename().string(), "being written");
    EXPECT_EQ(SaveFileSafely(target, ContentOf("new")), TSaveResult::Replaced);
    EXPECT_TRUE(fs::exists(busy));
}

TEST(SafeSave, KeepsPermissionsAndLinks) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(SaveFileSafely(target, ContentOf("one")), TSaveResult::Replaced);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));

    // A hard link would be cut off by a replacement: rewritten in place.
    const fs::path other = folder.path() / "other-name.txt";
    fs::create_hard_link(target, other);
    EXPECT_EQ(SaveFileSafely(target, ContentOf("two")), TSaveResult::Rewritten);
    EXPECT_EQ(ReadBytes(other), "two");
    EXPECT_EQ(fs::hard_link_count(target), 2u);

    // Through a symbolic link the file it names is replaced; the link stays.
    const fs::path link = folder.path() / "link.txt";
    fs::create_symlink(other, link);
    fs::remove(target);
    EXPECT_EQ(SaveFileSafely(link, ContentOf("three")), TSaveResult::Replaced);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(other), "three");
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"other-name.txt", "link.txt"}));
}

// A file size limit makes every write past it fail for real: the temporary
// file cannot be completed, and neither can the rewrite in place.
TEST(SafeSave, AWriteBrokenOffIsReportedAsTorn) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    const std::string big(4096, 'x');
    TSaveResult result;
    {
        test_support::FileSizeLimit limit(1000);
        result = SaveFileSafely(target, ContentOf(big));
    }
    EXPECT_EQ(result, TSaveResult::Torn);
    EXPECT_EQ(ReadBytes(target).size(), 1000u);
    EXPECT_EQ(Names(folder.path()).size(), 1u);
}
#endif

} // namespace
