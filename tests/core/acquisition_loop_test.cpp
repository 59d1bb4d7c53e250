#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "console/console_commands.h"
#include "core/colour.h"
#include "core/test_support.h"
#include "link/port_operations.h"
#include "shell/instrument_profiles.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

using test::Lines;

// What a packet handler saw of the completed packet.
struct Seen {
    int row;
    float count;
    Lines fields;
};

class AcquisitionLoop : public test::LoadedWithFeed {
  protected:
    void SetUp() override {
        m.op1.Click();
        ctx.packetHandlers = {};
        ctx.packetHandlers.Register([this](const DecodedRecord& record) {
            const auto& fields = record.packet.fields;
            seen.push_back({static_cast<int>(s.PacketRow), static_cast<float>(record.packet.count),
                            Lines(fields.begin(), fields.end())});
        });
    }
    void Tick() { Timer1_Timer(ctx); }
    // Plays the text as a raw log, Play pressed.
    void Play(std::string text) {
        s.PlaybackFile = std::make_unique<FieldStream>(
            std::make_unique<std::istringstream>(std::move(text)), "raw.txt");
        s.PlaybackState = PlaybackMode::Playing;
        m.Command17.SetCaption("Stop Playing");
    }
    void Receive(const std::string& text) {
        feed->Feed(text);
        Tick();
    }
    // The packet's fields up to the last non-empty one and one more.
    static Lines Fields(const Seen& packet, size_t count) {
        return Lines(packet.fields.begin(), packet.fields.begin() + count);
    }
    // Nothing was ever written outside rows 0..1999 and fields 0..19.
    void ExpectTableBounds() const {
        for (int row = 0; row <= kRingRows; ++row)
            for (int field = 0; field < kPacketFields; ++field)
                if (row == kRingRows || field == kPacketFields - 1) {
                    ASSERT_TRUE(s.PacketTable[row][field].empty()) << row << " " << field;
                }
        for (int row = 0; row <= kRingRows; ++row)
            ASSERT_LE(s.PacketColumnCount[row], row < kRingRows ? kSeparatorLimit : 0) << row;
        EXPECT_TRUE(s.PacketColumn >= 0 && s.PacketColumn < kSeparatorLimit);
    }

    Context& ctx = program.ctx;
    std::vector<Seen> seen;
};

struct Split {
    Lines chunks, fields;
    float count;
    Lines list1;
};
struct LineSplitting : AcquisitionLoop, ::testing::WithParamInterface<Split> {};

TEST_P(LineSplitting, KeepsTheTabsAndAssemblesALineAcrossTicks) {
    for (const auto& chunk : GetParam().chunks) Receive(chunk);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(Fields(seen[0], GetParam().fields.size()), GetParam().fields);
    EXPECT_EQ(seen[0].count, GetParam().count);
    EXPECT_EQ(m.List1.Entries(), GetParam().list1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineSplitting,
    ::testing::Values(Split{{"1\t2\t3\r\n"}, {"1\t", "2\t", "3", ""}, 3, {"1\t2\t3"}},
                      // A line feed alone ends the line one separator short.
                      Split{{"1\t2\n"}, {"1\t", "2", ""}, 1, {"1\t2"}},
                      Split{
                          {"1\t2", "\t3\r", "\n5"}, {"1\t", "2\t", "3", ""}, 3, {"1\t2\t3", "5"}}));

TEST_F(AcquisitionLoop, CountersShowTheLastLineAndTheNewestEntryIsSelectedFromTheEleventh) {
    for (int k = 0; k < 10; ++k) Receive("1\t2\r\n");
    EXPECT_EQ(m.List1.ListIndex(), -1);
    Receive("x");
    EXPECT_EQ(m.List1.ListIndex(), 10);
    EXPECT_EQ(m.Label43.Caption() + "/" + m.Label44.Caption(), "9/2");
}

TEST_F(AcquisitionLoop, TheTwentiethSeparatorRestartsTheRowAndFloodsStayInsideTheTable) {
    inst6_Click(ctx);
    std::string line;
    Lines expected{"f20", ""};
    for (int k = 0; k < 20; ++k) {
        line += "f" + std::to_string(k) + "\t";
        if (k >= 2) expected.push_back("f" + std::to_string(k) + "\t");
    }
    expected.push_back("");
    Receive(line + "f20\r\n");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].count, 1);
    EXPECT_EQ(seen[0].fields, expected);
    Receive(std::string(5000, '\t'));
    Receive(std::string(3001, '\r'));
    EXPECT_EQ(s.PacketColumnCount[1], kSeparatorLimit);
    Receive(std::string(100000, 'x') + "\r\n" + std::string(41, '\t') + "\n");
    Tick();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].count, 1);
    ExpectTableBounds();
    EXPECT_EQ(m.List1.Entry(1).size(), static_cast<size_t>(kLongestLine));
    // TRIA's List2 splits entries at 58 characters.
    for (const auto& entry : m.List2.Entries()) EXPECT_LE(entry.size(), 58u);
    EXPECT_EQ(m.List2.Entries()[0], line.substr(0, 58));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AcquisitionLoop, After2000LinesTheRingRestartsTheCountContinuesAndTheListsStartEmpty) {
    std::string text;
    for (int k = 0; k < kRingRows; ++k) text += std::to_string(k) + "\r\n";
    Receive(text);
    // List2 is written for TRIA only.
    EXPECT_EQ(m.List2.Count(), 0);
    inst6_Click(ctx);
    Receive(text);
    EXPECT_EQ(m.Label43.Caption(), "3999");
    EXPECT_EQ(s.PacketRow, 0);
    EXPECT_EQ(s.PacketWraps, 2);
    EXPECT_EQ(m.List1.Count() + m.List2.Count(), 0);
    EXPECT_EQ(m.List1.ListIndex(), -1);
    Receive("4000\r\n4001\r\n");
    EXPECT_EQ(m.Label43.Caption(), "4001");
    EXPECT_EQ(seen.back().row, 1);
    EXPECT_EQ(m.List1.Entries(), (Lines{"4000", "4001"}));
    EXPECT_EQ(m.List2.Entries(), (Lines{"4000", "4001"}));
}

TEST_F(AcquisitionLoop, AFailingHandlerShowsTheErrorResetsPlayAndLosesTheRestOfTheTick) {
    int calls = 0;
    ctx.packetHandlers.consumers = {[&](const DecodedRecord&) {
        if (++calls == 1) throw std::runtime_error("Overflow");
    }};
    m.Command17.SetCaption("Stop");
    m.Command17.SetBackColour(kLightRed);
    Receive("1\r\n2\r\n");
    EXPECT_EQ(Messages(), Lines{"Error: Overflow"});
    EXPECT_EQ(m.Command17.Caption(), "Play");
    EXPECT_EQ(m.Command17.BackColour(), kLightGreen);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(ctx.pollRunning);
    Receive("3\r\n");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(AcquisitionLoop, PlaybackReadsOneLinePerTickDiscardingThePortUntilTheMarker) {
    Play("a\tb\r\nc\td\r\nlast eof line\r\nnever\r\n");
    Receive("port junk");
    Receive("more junk");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(Fields(seen[0], 3), (Lines{"a\t", "b", ""}));
    // The marker ends playback in any letter case; its line is still a packet.
    Tick();
    EXPECT_TRUE(s.PlaybackState == PlaybackMode::Idle && !s.PlaybackFile);
    Receive("live\r\n");
    EXPECT_EQ(m.List1.Entries(), (Lines{"a\tb", "c\td", "last eof line", "live"}));
    // A file without its marker ends playback at its end, once and without an error.
    Play("one\r\n");
    for (int tick = 0; tick < 3; ++tick) Tick();
    EXPECT_EQ(seen.back().fields[0], "one");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(s.PlaybackState == PlaybackMode::Idle && !s.PlaybackFile);
    EXPECT_EQ(m.Command17.Caption(), "Play");
}

// The virtual port cannot tell whether its device has sent something, so an
// open one always makes work.
// A playback pace paces playback only.
TEST(Timer1WouldIdle, OnlyAQuietPortWithoutPlaybackLetsTheTickSleep) {
    constexpr auto Idle = PlaybackMode::Idle, Playing = PlaybackMode::Playing,
                   OneLine = PlaybackMode::OneLine;
    const struct {
        bool portOpen;
        PlaybackMode playbackState;
        float playbackDelay;
        bool idle;
    } cases[] = {{false, Idle, 0, true},
                 {false, Playing, 0, false},
                 {false, OneLine, 0, false},
                 {false, Idle, 5, true},
                 {true, Idle, 0, false}};
    for (const auto& c : cases) {
        VirtualProgram program;
        program.AttachFeed(1);
        if (c.portOpen) program.port.Open(1);
        program.ctx.state.PlaybackState = c.playbackState;
        program.ctx.state.PlaybackDelay = c.playbackDelay;
        EXPECT_EQ(Timer1WouldIdle(program.ctx), c.idle)
            << c.portOpen << " " << static_cast<int>(c.playbackState) << " " << c.playbackDelay;
    }
}

// Line noise: NUL bytes at a given rate, or a block at every look (a
// pseudo-terminal at full speed) when the rate is 0.
class NoiseDevice : public Device {
  public:
    explicit NoiseDevice(double bytesPerSecond) : rate_(bytesPerSecond) {}
    std::string Produce(double now) override {
        if (rate_ == 0) return std::string(4096, '\0');
        const auto due = static_cast<size_t>((now - start_) * rate_);
        std::string out(due - sent_, '\0');
        sent_ = due;
        return out;
    }
    void OnOpen(double now) override { start_ = now; }
    std::string Describe() const override { return "noise"; }

  private:
    double rate_;
    double start_ = 0;
    size_t sent_ = 0;
};

TEST(BoundedReads, FirmwareQueryDuringNoiseEndsAtItsSizeBoundAtAnySpeedAndSaysSo) {
    for (const double rate : {960.0, 0.0}) {
        VirtualProgram program;
        program.port.Attach(1, std::make_shared<NoiseDevice>(rate));
        program.Load();
        program.ctx.main.op1.Click();
        const double start = program.pump.Seconds();
        program.ctx.main.Command28.Click();
        EXPECT_EQ(program.ctx.main.Command28.Caption(), "Firmware: CLICK TO GET INFO") << rate;
        EXPECT_LT(program.pump.Seconds() - start, kFirmwareReadSeconds) << rate;
        EXPECT_TRUE(test::OneMessageWith(program, "Firmware: Zan Sensor sent no firmware line"));
    }
}

// A tick takes at most its read limit; a line without a line feed stops
// growing at its longest and the next line is whole.
TEST_F(AcquisitionLoop, ATickTakesItsReadLimitAndALineWithoutLineFeedStopsGrowing) {
    feed->Feed(std::string(3 * kTickReadLimit + 10, 'x'));
    PollInstrument(ctx);
    EXPECT_EQ(CharsWaiting(ctx), 2 * kTickReadLimit + 10);
    for (int tick = 0; tick < 3; ++tick) PollInstrument(ctx);
    EXPECT_EQ(s.PacketTable[0][0].size(), static_cast<size_t>(kLongestLine));
    EXPECT_EQ(m.List1.Entry(0).size(), static_cast<size_t>(kLongestLine));
    feed->Feed("\r\n1\t2\r\n");
    PollInstrument(ctx);
    EXPECT_EQ(s.PacketTable[1][0] + "|" + s.PacketTable[1][1], "1\t|2");
    EXPECT_EQ(m.List1.Entry(1), "1\t2");
}

}  // namespace
}  // namespace zan
