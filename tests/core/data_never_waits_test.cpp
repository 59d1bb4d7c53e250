#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/numbered_stream.h"
#include "core/test_support.h"
#include "link/port_operations.h"
#include "link/port_watch.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

// A tick of the acquisition timer and a step of the virtual pump.
constexpr double kTick = 0.01;
constexpr double kStep = 0.001;
using test::kLinesPerSecond;
using test::Measurements;
using test::Stream;
using test::Unbroken;

// The stream on port 1 of a loaded VSF program, recording and logging raw
// data, with every message box left open until the test presses OK.
struct Unattended : testing::Test {
    Unattended() {
        program.port.Attach(1, stream);
        program.Load();
        m.inst2.Click();
        program.ctx.state.GraphView = kViewVsfCounts;
        m.op1.Click();
        for (auto [button, file] : {std::pair{&m.Command18, recording}, {&m.Command19, raw}}) {
            program.dialogs.AnswerFile(file.string());
            button->Click();
        }
        program.dialogs.HoldBoxes();
    }
    // Runs a minute with a box open; the packet counter and the receive list
    // move every second of it.
    void RunAMinuteWithTheBoxOpen() {
        for (int second = 0; second < 60; ++second) {
            const std::string count = m.Label43.Caption();
            const std::string newest = m.List1.Entry(m.List1.Count() - 1);
            program.pump.RunFor(1);
            EXPECT_NE(m.Label43.Caption(), count) << "second " << second;
            EXPECT_NE(m.List1.Entry(m.List1.Count() - 1), newest) << "second " << second;
        }
        EXPECT_EQ(program.dialogs.MessagesOpen(), 1);
    }

    test::TempFolder folder;
    const fs::path recording = folder / "recording.txt";
    const fs::path raw = folder / "raw.txt";
    std::shared_ptr<Stream> stream = std::make_shared<Stream>();
    VirtualProgram program;
    MainForm& m = program.ctx.main;
};

TEST_F(Unattended, AFullDiskBoxLeftOpenForAMinuteHoldsUpNoOtherFileAndNoRead) {
    program.pump.RunFor(1);
    ASSERT_TRUE(test::FillDiskUnder(raw));
    program.pump.RunFor(kTick);
    ASSERT_TRUE(test::OneMessageWith(program, "Raw logging has stopped."));
    EXPECT_EQ(test::Messages(program)[0].rfind("Error: ", 0), 0u);
    RunAMinuteWithTheBoxOpen();
    program.dialogs.PressOk();
    program.pump.RunFor(1);
    m.Command18.Click();
    const std::vector<long long> recorded = Measurements(recording);
    EXPECT_TRUE(Unbroken(recorded));
    EXPECT_EQ(recorded.front(), 0);
    EXPECT_GE(recorded.back(), 62 * kLinesPerSecond - kTick * kLinesPerSecond * 2);
    EXPECT_LE(stream->longestWait, kTick + kStep + 1e-9);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(Unattended, APortLostWhileItsBoxIsOpenComesBackWithinASecondOfItsDevice) {
    program.pump.RunFor(1);
    program.port.DropLine();
    program.pump.RunFor(10);
    ASSERT_EQ(program.dialogs.MessagesOpen(), 1);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_LE(test::SecondsToReopen(program), kReopenInterval + kTick);
    RunAMinuteWithTheBoxOpen();
    program.dialogs.PressOk();
    m.Command18.Click();
    m.Command19.Click();
    // Two runs of whole measurements, before the loss and after the return;
    // the line the unplug cut is in neither file.
    for (const fs::path& file : {recording, raw}) {
        const std::vector<long long> lines = Measurements(file);
        const auto gap = std::adjacent_find(lines.begin(), lines.end(),
                                            [](long long a, long long b) { return b != a + 1; });
        ASSERT_NE(gap, lines.end()) << file;
        EXPECT_TRUE(Unbroken({lines.begin(), gap + 1})) << file;
        EXPECT_TRUE(Unbroken({gap + 1, lines.end()})) << file;
        EXPECT_NEAR(static_cast<double>(*gap), 1 * kLinesPerSecond, kTick * kLinesPerSecond);
        EXPECT_GE(lines.back(), 70 * kLinesPerSecond);
    }
    EXPECT_LE(stream->longestWait, kTick + kStep + 1e-9);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

// A line cut by an unplug, by Close Port or by a port reopened: the part
// received before is shown as it came but is never a packet, and the first
// line after the reconnect starts clean in the lists and in both files.
TEST_F(Unattended, ACutLineIsNeverGluedToTheFirstLineAfterTheReconnect) {
    auto feed = program.AttachFeed(2);
    m.cp.Click();
    m.op2.Click();
    const std::string whole = Stream::Line(7);
    const auto cutThenWhole = [&](const std::function<void()>& cut, const std::string& head) {
        feed->Feed(Stream::Line(5) + head);
        program.pump.RunFor(kTick * 2);
        cut();
        program.pump.RunFor(1);
        ASSERT_TRUE(IsPortOpen(program.ctx));
        feed->Feed(whole);
        program.pump.RunFor(kTick * 2);
        const int n = m.List1.Count();
        const auto bare = [](const std::string& line) { return line.substr(0, line.size() - 2); };
        EXPECT_EQ(m.List1.Entry(n - 3) + "|" + m.List1.Entry(n - 2) + "|" + m.List1.Entry(n - 1),
                  bare(Stream::Line(5)) + "|" + head + "|" + bare(whole));
    };
    cutThenWhole(
        [&] {
            program.port.DropLine();
            program.pump.RunFor(kTick * 2);
            program.port.Replug();
        },
        "12/06/26\t000006\t00");
    cutThenWhole(
        [&] {
            m.cp.Click();
            m.op2.Click();
        },
        "12/06/26\t000006\t000006\t0000");
    m.Command18.Click();
    m.Command19.Click();
    for (const fs::path& file : {raw, recording})
        EXPECT_EQ(Measurements(file), (std::vector<long long>{5, 7, 5, 7})) << file;
    EXPECT_EQ(m.Label43.Caption(), "3");
}

}  // namespace
}  // namespace zan
