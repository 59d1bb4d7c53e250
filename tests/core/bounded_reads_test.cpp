#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "console/console_commands.h"
#include "link/port_operations.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

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

TEST(BoundedReads, FirmwareQueryDuringNoiseEndsAtItsSizeBoundAtAnySpeed) {
    for (const double rate : {960.0, 0.0}) {
        VirtualProgram program;
        program.port.Attach(1, std::make_shared<NoiseDevice>(rate));
        program.Load();
        program.ctx.main.op1.Click();
        const double start = program.pump.Seconds();
        program.ctx.main.Command28.Click();
        EXPECT_EQ(program.ctx.main.Command28.Caption(),
                  "Firmware: " + std::string(kFirmwareReplyLimit, '\0'))
            << rate;
        EXPECT_LT(program.pump.Seconds() - start, kFirmwareReadSeconds) << rate;
        EXPECT_TRUE(program.dialogs.Messages().empty());
    }
}

// A tick takes at most its read limit; a line without a line feed stops
// growing at its longest and the next line is whole.
TEST(BoundedReads, ATickTakesItsLimitAndALineWithoutLineFeedStopsGrowing) {
    VirtualProgram program;
    auto feed = program.AttachFeed(1);
    program.Load();
    program.ctx.main.op1.Click();
    feed->Feed(std::string(3 * kTickReadLimit + 10, 'x'));
    PollInstrument(program.ctx);
    EXPECT_EQ(CharsWaiting(program.ctx), 2 * kTickReadLimit + 10);
    for (int tick = 0; tick < 3; ++tick) PollInstrument(program.ctx);
    const ProgramState& s = program.ctx.state;
    EXPECT_EQ(s.PacketTable[0][0].size(), static_cast<size_t>(kLongestLine));
    EXPECT_EQ(program.ctx.main.List1.Entry(0).size(), static_cast<size_t>(kLongestLine));
    feed->Feed("\r\n1\t2\r\n");
    PollInstrument(program.ctx);
    EXPECT_EQ(s.PacketTable[1][0], "1\t");
    EXPECT_EQ(s.PacketTable[1][1], "2");
    EXPECT_EQ(program.ctx.main.List1.Entry(1), "1\t2");
}

}  // namespace
}  // namespace zan
