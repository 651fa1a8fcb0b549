// The one sequence the window, the command-line tool and the program without
// a window share: what the host's file holds after each step.
#include "app/command_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "test_support.hpp"

using test_support::ReadBytes;
using test_support::ScratchDir;

namespace {

// A grid of n x n crossing segments: n * n rectangles.
std::string Grid(int n) {
    std::string text = "lg0\r\nly1\r\nlc2\r\nlt1\r\nlw0\r\n";
    for (int i = 0; i < n; ++i)
        text += "-1 " + std::to_string(i) + " " + std::to_string(n) + " " + std::to_string(i) +
                "\r\n" + std::to_string(i) + " -1 " + std::to_string(i) + " " + std::to_string(n) +
                "\r\n";
    return text;
}

struct Session {
    ScratchDir dir;
    std::filesystem::path exchange = dir.Write("JWC_TEMP.TXT", Grid(2));
    Unit1::TRectSettings settings;
    Unit1::TCommandSession session{JwwGaibu::ExchangeState(),
                                   {exchange, dir.path() / "crossrect.dat", exchange}};
    std::string Exchange() const { return ReadBytes(exchange); }
};

} // namespace

TEST(CommandSession, HandsBackHqAtOnceAndTheAnswerAtClose) {
    Session s;
    ASSERT_TRUE(s.session.Open(s.settings));
    EXPECT_EQ(s.Exchange(), "hq\r\n");
    EXPECT_TRUE(s.session.RunOk(s.settings, [](const Unit1::TStatus&) {}).Completed);
    ASSERT_TRUE(s.session.Close());
    const std::string answer = s.Exchange();
    EXPECT_EQ(answer.substr(0, 35), "lg0\r\nly1\r\nlc2\r\nlt1\r\nlw0\r\n0 0 10 0\r\n");
    EXPECT_EQ(std::count(answer.begin(), answer.end(), '\n'), 5 + 4 * 4);
}

TEST(CommandSession, LaterKeepsTheSelectionUntilHandedBack) {
    Session s;
    ASSERT_TRUE(s.session.Open(s.settings, Unit1::THandBack::Later));
    EXPECT_EQ(s.Exchange(), Grid(2));
    s.session.HandBackNothing();
    EXPECT_EQ(s.Exchange(), "hq\r\n");
    ASSERT_TRUE(s.session.Close()); // cancelled
    EXPECT_EQ(s.Exchange(), "hq\r\n");
}

// A failure on the sweep's thread while a batch is being formatted on the
// other: no thread may outlive it, and the host gets "hq", no half answer.
TEST(CommandSession, FailureDuringTheRunLeavesHq) {
    Session s;
    test_support::WriteBytes(s.exchange, Grid(400));
    ASSERT_TRUE(s.session.Open(s.settings));
    const auto failing = [](const Unit1::TStatus& status) {
        if (status.Step == 300) throw std::runtime_error("failed mid-run");
    };
    const Unit1::TRunReport report = s.session.RunOk(s.settings, failing);
    EXPECT_FALSE(report.Completed);
    EXPECT_TRUE(report.SettingsSaved); // saved before the run failed
    EXPECT_TRUE(s.session.Close());    // "hq" is written in full
    EXPECT_EQ(s.Exchange(), "hq\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.dir.path()), {}), 2);
}
