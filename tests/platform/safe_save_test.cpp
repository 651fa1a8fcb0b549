#include "platform/safe_save.hpp"

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
using namespace Platform;
constexpr TFallback kOld{};
constexpr TFallback kHq{"hq\r\n"};

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Writes "part one " and then fails, as a producer out of memory would.
const TContent kFailing{20, [](TByteSink& sink) {
                            sink.Put("part one ");
                            return false;
                        }};

TEST(SafeSave, ReplacesOrCreatesAndLeavesNoTemporary) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old content");
    EXPECT_EQ(SaveFile(target, ContentOf("new content"), kOld), TSaveResult::Replaced);
    EXPECT_EQ(ReadBytes(target), "new content");

    const fs::path fresh = folder.path() / "fresh.dat";
    EXPECT_EQ(SaveFile(fresh, ContentOf(""), kOld), TSaveResult::Replaced);
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"JWC_TEMP.TXT", "fresh.dat"}));
}

TEST(SafeSave, AFailingProducerLeavesTheOldContent) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    EXPECT_EQ(SaveFile(target, kFailing, kOld), TSaveResult::FellBack);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Names(folder.path()).size(), 1u);
    EXPECT_EQ(SaveFile(target, kFailing, kHq), TSaveResult::FellBack);
    EXPECT_EQ(ReadBytes(target), "hq\r\n");
}

TEST(SafeSave, NothingCanBeWrittenInAMissingFolder) {
    test_support::ScratchDir folder;
    const fs::path target = folder.path() / "missing" / "JWC_TEMP.TXT";
    EXPECT_EQ(SaveFile(target, ContentOf("x"), kOld), TSaveResult::FellBack);
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

    EXPECT_EQ(SaveFile(target, ContentOf("new"), kOld), TSaveResult::Replaced);
    EXPECT_EQ(Names(folder.path()), kept);
    EXPECT_EQ(ReadBytes(target), "new");
}

#ifndef _WIN32
TEST(SafeSave, ATemporaryOfARunningProcessStays) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    const fs::path busy = TemporaryPathFor(target, static_cast<uint64_t>(getppid()));
    folder.Write(busy.filename().string(), "being written");
    EXPECT_EQ(SaveFile(target, ContentOf("new"), kOld), TSaveResult::Replaced);
    EXPECT_TRUE(fs::exists(busy));
}

TEST(SafeSave, KeepsPermissionsAndLinks) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(SaveFile(target, ContentOf("one"), kOld), TSaveResult::Replaced);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));

    // A hard link would be cut off by a replacement: rewritten in place.
    const fs::path other = folder.path() / "other-name.txt";
    fs::create_hard_link(target, other);
    EXPECT_EQ(SaveFile(target, ContentOf("two"), kOld), TSaveResult::Rewritten);
    EXPECT_EQ(ReadBytes(other), "two");
    EXPECT_EQ(SaveFile(target, ContentOf("a longer answer"), kHq), TSaveResult::Rewritten);
    EXPECT_EQ(ReadBytes(other), "a longer answer");
    EXPECT_EQ(fs::hard_link_count(target), 2u);

    // Through a symbolic link the file it names is replaced; the link stays.
    const fs::path link = folder.path() / "link.txt";
    fs::create_symlink(other, link);
    fs::remove(target);
    EXPECT_EQ(SaveFile(link, ContentOf("three"), kOld), TSaveResult::Replaced);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(other), "three");
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"other-name.txt", "link.txt"}));
}

// A file size limit makes every write past it fail for real: the temporary
// file cannot be completed, nor the room for a rewrite in place reserved.
TEST(SafeSave, AContentTooLargeLeavesWhatTheCallerNames) {
    test_support::ScratchDir folder;
    const fs::path target = folder.Write("JWC_TEMP.TXT", "old");
    const std::string big(4096, 'x');
    for (const auto& [fallback, left] : {std::pair{kOld, "old"}, std::pair{kHq, "hq\r\n"}}) {
        TSaveResult result;
        {
            test_support::FileSizeLimit limit(1000);
            result = SaveFile(target, ContentOf(big), fallback);
        }
        EXPECT_EQ(result, TSaveResult::FellBack);
        EXPECT_EQ(ReadBytes(target), left);
        EXPECT_EQ(Names(folder.path()).size(), 1u);
    }
}
#endif

} // namespace
