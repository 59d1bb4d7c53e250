#include "acquisition/acquisition_loop.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/colour.h"
#include "link/port_operations.h"
#include "shell/instrument_profiles.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// What a packet handler saw of the completed packet.
struct Seen {
    int row;
    float count;
    std::array<std::string, kPacketFields> fields;
    std::string label43;
    double time;
};

class AcquisitionLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        feed = program.AttachFeed(1);
        program.Load();
        m.op1.Click();
        ctx.packetHandlers = {};
        ctx.packetHandlers.processPacket = [this] {
            const int row = static_cast<int>(s.PacketRow);
            seen.push_back({row, s.PacketColumnCount[row], s.PacketTable[row], m.Label43.Caption(),
                            program.pump.Seconds()});
        };
    }
    void Tick() { Timer1_Timer(ctx); }
    void Receive(const std::string& text) {
        feed->Feed(text);
        Tick();
    }
    static std::array<std::string, kPacketFields> Fields(std::vector<std::string> given) {
        std::array<std::string, kPacketFields> fields;
        for (size_t i = 0; i < given.size(); ++i) fields[i] = given[i];
        return fields;
    }
    // Nothing was ever written outside rows 0..1999 and fields 0..19.
    void ExpectTableBounds() const {
        for (int row = 0; row < kPacketRows; ++row) {
            EXPECT_TRUE(s.PacketTable[row][kPacketFields - 1].empty()) << "field 20 of row " << row;
            EXPECT_LE(s.PacketColumnCount[row], kSeparatorLimit) << "row " << row;
        }
        for (const auto& field : s.PacketTable[kRingRows]) EXPECT_TRUE(field.empty()) << "row 2000";
        EXPECT_EQ(s.PacketColumnCount[kRingRows], 0);
        EXPECT_GE(s.PacketColumn, 0);
        EXPECT_LT(s.PacketColumn, kSeparatorLimit);
    }
    const ScriptedDialogs::Message* OnlyMessage() const {
        return program.dialogs.Messages().size() == 1 ? &program.dialogs.Messages()[0] : nullptr;
    }

    VirtualProgram program;
    Context& ctx = program.ctx;
    ProgramState& s = program.ctx.state;
    MainForm& m = program.ctx.main;
    std::shared_ptr<FeedDevice> feed;
    std::vector<Seen> seen;
};

TEST_F(AcquisitionLoop, SplitsALineAtTabsAndCarriageReturnKeepingTheTabs) {
    m.Label43.SetCaption("before");
    Receive("1\t2\t3\r\n");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].fields, Fields({"1\t", "2\t", "3", ""}));
    EXPECT_EQ(seen[0].count, 3);
    EXPECT_EQ(seen[0].row, 0);
    // The counters are updated after the handlers.
    EXPECT_EQ(seen[0].label43, "before");
    EXPECT_EQ(m.Label43.Caption(), "0");
    EXPECT_EQ(m.Label44.Caption(), "3");
    EXPECT_EQ(s.PacketRow, 1);
    EXPECT_EQ(s.PacketColumn, 0);
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2\t3"}));

    Receive("4\r\n");
    EXPECT_EQ(m.Label43.Caption(), "1");
    EXPECT_EQ(m.Label44.Caption(), "1");
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2\t3", "4"}));
}

TEST_F(AcquisitionLoop, ALineEndedByALineFeedAloneCountsOneSeparatorLess) {
    Receive("1\t2\n");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].count, 1);
    EXPECT_EQ(seen[0].fields, Fields({"1\t", "2"}));
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2"}));
}

TEST_F(AcquisitionLoop, ALineSplitAcrossTicksIsAssembledAsIfItCameInOne) {
    Receive("1\t2");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2"}));
    Receive("\t3\r");
    Receive("\n5");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].fields, Fields({"1\t", "2\t", "3", ""}));
    EXPECT_EQ(seen[0].count, 3);
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2\t3", "5"}));
}

TEST_F(AcquisitionLoop, TheTwentiethSeparatorRestartsFillingAtFieldZeroOfTheSameRow) {
    std::string line;
    for (int k = 0; k < 20; ++k) line += "f" + std::to_string(k) + "\t";
    line += "f20\r\n";
    Receive(line);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].row, 0);
    EXPECT_EQ(seen[0].count, 1);
    EXPECT_EQ(seen[0].fields[0], "f20");
    EXPECT_EQ(seen[0].fields[1], "");
    EXPECT_EQ(seen[0].fields[2], "f2\t");
    EXPECT_EQ(seen[0].fields[19], "f19\t");
    EXPECT_EQ(seen[0].fields[20], "");
    EXPECT_EQ(s.PacketRow, 1);
}

TEST_F(AcquisitionLoop, AFloodOfSeparatorsAndAVeryLongLineNeverWriteOutsideTheTable) {
    inst6_Click(ctx);
    Receive(std::string(5000, '\t'));
    Receive(std::string(3001, '\r'));
    EXPECT_EQ(s.PacketColumnCount[0], kSeparatorLimit);
    ExpectTableBounds();
    const std::string longLine(100000, 'x');
    Receive(longLine + "\r\n" + std::string(41, '\t') + "\n");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].count, 1);
    ExpectTableBounds();
    ASSERT_EQ(m.List1.Count(), 2);
    EXPECT_EQ(m.List1.Entry(0).size(), 5000u + 100000u);
    for (const auto& entry : m.List2.Entries()) EXPECT_LE(entry.size(), 58u);
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(AcquisitionLoop, After2000LinesTheRingRestartsTheCountContinuesAndTheListsStartEmpty) {
    inst6_Click(ctx);
    std::string text;
    for (int k = 0; k < kRingRows; ++k) text += std::to_string(k) + "\r\n";
    Receive(text);
    EXPECT_EQ(m.Label43.Caption(), "1999");
    EXPECT_EQ(s.PacketRow, 0);
    EXPECT_EQ(s.PacketWraps, 1);
    EXPECT_EQ(m.List1.Count(), 0);
    EXPECT_EQ(m.List2.Count(), 0);
    EXPECT_EQ(m.List1.ListIndex(), -1);

    Receive("2000\r\n2001\r\n");
    EXPECT_EQ(m.Label43.Caption(), "2001");
    EXPECT_EQ(seen[kRingRows].row, 0);
    EXPECT_EQ(seen[kRingRows].fields[0], "2000");
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"2000", "2001"}));
    EXPECT_EQ(m.List2.Entries(), (std::vector<std::string>{"2000", "2001"}));
    ExpectTableBounds();
}

TEST_F(AcquisitionLoop, TheNewestEntryOfList1IsSelectedOnceThereAreElevenEntries) {
    for (int k = 0; k < 10; ++k) Receive("line\r\n");
    EXPECT_EQ(m.List1.Count(), 10);
    EXPECT_EQ(m.List1.ListIndex(), -1);
    Receive("x");
    EXPECT_EQ(m.List1.Count(), 11);
    EXPECT_EQ(m.List1.ListIndex(), 10);
    Receive("\r\ny");
    EXPECT_EQ(m.List1.ListIndex(), 11);
}

TEST_F(AcquisitionLoop, List2IsWrittenOnlyForTriaAndSplitsEntriesAt58Characters) {
    std::string line;
    for (int k = 0; k < 70; ++k) line += static_cast<char>('A' + k % 26);
    Receive(line + "\r\n");
    EXPECT_EQ(m.List2.Count(), 0);

    inst6_Click(ctx);
    Receive(line + "\r\nnext\r\n");
    ASSERT_EQ(m.List2.Count(), 3);
    EXPECT_EQ(m.List2.Entry(0), line.substr(0, 58));
    EXPECT_EQ(m.List2.Entry(1), line.substr(58));
    EXPECT_EQ(m.List2.Entry(2), "next");
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{line, line, "next"}));
}

TEST_F(AcquisitionLoop, HandlersRunInOrderOnlyForFlagsEqualToOneAndSeeTheCompletedRow) {
    std::vector<std::string> calls;
    auto record = [&](const char* name) {
        return [&, name] {
            calls.push_back(std::string(name) + "@" +
                            std::to_string(static_cast<int>(s.PacketRow)));
        };
    };
    ctx.packetHandlers.processPacket = record("process");
    ctx.packetHandlers.accumulateStatistics = record("statistics");
    ctx.packetHandlers.writeRecordedLine = record("record");
    ctx.packetHandlers.writeRawLogLine = record("raw");
    Receive("a\r\n");
    s.StatisticsRunning = 1;
    s.Recording = 1;
    s.RawLogging = 1;
    Receive("b\r\n");
    s.StatisticsRunning = 2;
    s.Recording = 0;
    Receive("c\r\n");
    EXPECT_EQ(calls, (std::vector<std::string>{"process@0", "process@1", "statistics@1", "record@1",
                                               "raw@1", "process@2", "raw@2"}));
}

TEST_F(AcquisitionLoop, AFailingHandlerShowsTheErrorResetsPlayAndLosesTheRestOfTheTick) {
    int calls = 0;
    ctx.packetHandlers.processPacket = [&] {
        if (++calls == 1) throw std::runtime_error("Overflow");
    };
    m.Command17.SetCaption("Stop");
    m.Command17.SetBackColour(kLightRed);
    Receive("1\r\n2\r\n");
    const auto* message = OnlyMessage();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->title, "Error");
    EXPECT_EQ(message->text, "Overflow");
    EXPECT_EQ(m.Command17.Caption(), "Play");
    EXPECT_EQ(m.Command17.BackColour(), kLightGreen);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(ctx.pollRunning);

    Receive("3\r\n");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(AcquisitionLoop, PlaybackReadsOneLinePerTickAndDiscardsWhatThePortDelivered) {
    s.PlaybackFile = std::make_unique<FieldReader>("a\tb\r\nc\td\r\nlast eof line\r\nnever\r\n");
    s.PlaybackState = 1;
    m.Label29.SetCaption("raw.txt");
    Receive("port junk");
    Receive("more junk");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].fields, Fields({"a\t", "b", ""}));
    EXPECT_EQ(seen[1].fields, Fields({"c\t", "d", ""}));

    // The marker ends playback in any letter case; its line is still a packet.
    Tick();
    EXPECT_EQ(s.PlaybackState, 0);
    EXPECT_EQ(m.Label29.Caption(), "raw.txt :EOF");
    EXPECT_EQ(s.PlaybackFile, nullptr);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].fields[0], "last eof line");

    Receive("live\r\n");
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[3].fields[0], "live");
    EXPECT_EQ(m.List1.Entries(),
              (std::vector<std::string>{"a\tb", "c\td", "last eof line", "live"}));
}

TEST_F(AcquisitionLoop, PlaybackStateTwoReadsExactlyOneLine) {
    s.PlaybackFile = std::make_unique<FieldReader>("one\r\ntwo\r\n");
    s.PlaybackState = 2;
    Tick();
    Tick();
    EXPECT_EQ(s.PlaybackState, 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].fields[0], "one");
}

TEST_F(AcquisitionLoop, ReadingPastTheEndOfAPlaybackFileStopsPlaybackWithAnError) {
    s.PlaybackFile = std::make_unique<FieldReader>("only\r\n");
    s.PlaybackState = 1;
    m.Command17.SetCaption("Stop");
    Tick();
    Tick();
    const auto* message = OnlyMessage();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text, "Input past end of file");
    EXPECT_EQ(s.PlaybackState, 0);
    EXPECT_EQ(m.Command17.Caption(), "Play");
    EXPECT_NE(s.PlaybackFile, nullptr);
    Tick();
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(AcquisitionLoop, APlaybackDelayPacesTicksAndATickDuringTheWaitIsDropped) {
    std::string lines;
    for (int k = 0; k < 10; ++k) lines += "p" + std::to_string(k) + "\r\n";
    s.PlaybackFile = std::make_unique<FieldReader>(lines);
    s.PlaybackState = 1;
    s.PlaybackDelay = 5;
    program.pump.RunFor(2.0);
    ASSERT_GE(seen.size(), 3u);
    ASSERT_LE(seen.size(), 4u);
    for (size_t k = 0; k < seen.size(); ++k) {
        EXPECT_EQ(seen[k].fields[0], "p" + std::to_string(k));
        if (k > 0) {
            EXPECT_GE(seen[k].time - seen[k - 1].time, 0.5 - 1e-9);
        }
    }
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(AcquisitionLoop, UserActionsRunDuringThePlaybackWait) {
    s.PlaybackDelay = 5;
    feed->Feed("x\r\n");
    program.pump.Post([this] { m.cp.Click(); });
    Tick();
    // The port was closed during the wait, before the read.
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(AcquisitionLoop, AnUnpluggedAdapterClosesThePortWithOneErrorAndTheProgramKeepsRunning) {
    Receive("1\r\n");
    program.port.DropLine();
    program.pump.RunFor(1.0);
    const auto* message = OnlyMessage();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->title, "Error");
    EXPECT_EQ(message->text, "The serial adapter was disconnected");
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_FALSE(m.op1.Checked());
    EXPECT_FALSE(ctx.pollRunning);

    m.op1.Click();
    feed->Feed("2\r\n");
    program.pump.RunFor(0.1);
    EXPECT_EQ(m.Label43.Caption(), "1");
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(AcquisitionLoop, AnInputLenOfOneLeftBySomeoneElseStillReadsEverythingWaiting) {
    ctx.portInputLen = 1;
    Receive("abc\r\ndef\r\n");
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(ctx.portInputLen, 0);
    EXPECT_EQ(CharsWaiting(ctx), 0);
}

TEST_F(AcquisitionLoop, WithNoPortAndNoPlaybackATickDoesNothing) {
    m.cp.Click();
    feed->Feed("lost\r\n");
    program.pump.RunFor(0.5);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(m.List1.Count(), 0);
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

}  // namespace
}  // namespace zan
