#include "link/port_operations.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/test_support.h"

namespace zan {
namespace {

using test::Lines;

class PortMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        feed1 = program.AttachFeed(1);
        program.AttachFeed(2);
        program.Load();
    }
    std::array<bool, 4> Checks() const {
        return {m.op1.Checked(), m.op2.Checked(), m.op3.Checked(), m.op4.Checked()};
    }

    VirtualProgram program;
    Context& ctx = program.ctx;
    MainForm& m = program.ctx.main;
    std::shared_ptr<FeedDevice> feed1;
};

TEST_F(PortMenu, OpeningChecksOnlyItsItemAndAnotherOpenWaitsForClose) {
    EXPECT_FALSE(m.chbaud.Enabled());
    m.cp.Click();
    m.op2.Click();
    m.op1.Click();
    EXPECT_EQ(program.port.OpenPortNumber(), 2);
    EXPECT_EQ(Checks(), (std::array<bool, 4>{false, true, false, false}));
    // Close unchecks all four items.
    m.op3.SetChecked(true);
    m.cp.Click();
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_EQ(Checks(), (std::array<bool, 4>{}));
    m.op1.Click();
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(PortMenu, AFailingOpenShowsTheErrorBoxAndLeavesThePortClosedAndUnchecked) {
    m.op3.Click();  // nothing is connected to port 3
    program.port.FailNextOpen("Permission denied: /dev/ttyS0");
    m.op1.Click();
    EXPECT_EQ(test::Messages(program), (Lines{"Error: Port 3 is not connected to a device",
                                              "Error: Permission denied: /dev/ttyS0"}));
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_EQ(Checks(), (std::array<bool, 4>{}));
    // The failure does not stick: the next attempt opens.
    m.op1.Click();
    EXPECT_TRUE(m.op1.Checked());
    EXPECT_EQ(program.dialogs.Messages().size(), 2u);
}

TEST_F(PortMenu, SendAndReadPassTextUnchangedAndSendFailsOnAClosedPort) {
    EXPECT_THROW(SendText(ctx, "C"), PortError);
    m.op1.Click();
    SendText(ctx, "c");
    SendText(ctx, "STOPSYR\r");
    EXPECT_EQ(feed1->Written(), "cSTOPSYR\r");
    // ReadChar honours an input length of one; ReadAvailable takes everything.
    feed1->Feed("abc");
    ctx.portInputLen = 1;
    EXPECT_EQ(CharsWaiting(ctx), 3);
    EXPECT_EQ(ReadChar(ctx), "a");
    EXPECT_EQ(ReadAvailable(ctx), "bc");
    EXPECT_EQ(ctx.portInputLen, 0);
    EXPECT_EQ(ReadChar(ctx), "");
}

TEST_F(PortMenu, DelayWaitsOnThePumpClockDispatchingTicksAndClicks) {
    m.op1.Click();
    feed1->Feed("1\t2\r\n");
    program.clock.now = {2026, 12, 6, 23, 59, 59};
    int ticks = 0;
    program.pump.AddTimer(0.01, [&ticks] { ++ticks; });
    bool clicked = false;
    program.pump.Post([&clicked] { clicked = true; });
    const double start = program.pump.Seconds();
    Delay(ctx, 0);
    Delay(ctx, -3);
    EXPECT_EQ(program.pump.Seconds(), start);
    EXPECT_EQ(ticks, 0);
    Delay(ctx, 0.5);
    EXPECT_NEAR(program.pump.Seconds() - start, 0.51, 0.01);
    EXPECT_NEAR(ticks, 50, 1);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(m.List1.Entry(0), "1\t2");
}

TEST_F(PortMenu, PulseDtrRaisesDtrForHalfASecond) {
    m.op1.Click();
    std::vector<std::pair<double, bool>> samples;
    program.pump.AddTimer(0.05,
                          [&] { samples.emplace_back(program.pump.Seconds(), feed1->Dtr()); });
    const double start = program.pump.Seconds();
    PulseDtr(ctx);
    EXPECT_GE(program.pump.Seconds() - start, 0.5);
    EXPECT_FALSE(feed1->Dtr());
    ASSERT_GE(samples.size(), 9u);
    for (const auto& [time, dtr] : samples) EXPECT_TRUE(dtr) << "at " << time - start;
}

}  // namespace
}  // namespace zan
