#include "link/port_operations.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "virtual/virtual_program.h"

namespace zan {
namespace {

class PortMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        feed1 = program.AttachFeed(1);
        feed2 = program.AttachFeed(2);
        program.Load();
    }
    std::array<bool, 4> Checks() const {
        return {m.op1.Checked(), m.op2.Checked(), m.op3.Checked(), m.op4.Checked()};
    }

    VirtualProgram program;
    Context& ctx = program.ctx;
    MainForm& m = program.ctx.main;
    std::shared_ptr<FeedDevice> feed1, feed2;
};

TEST_F(PortMenu, OpeningAPortChecksOnlyItsItem) {
    m.op2.Click();
    EXPECT_TRUE(IsPortOpen(ctx));
    EXPECT_EQ(program.port.OpenPortNumber(), 2);
    EXPECT_EQ(Checks(), (std::array<bool, 4>{false, true, false, false}));
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(PortMenu, OpeningAnotherPortWhileOneIsOpenChangesNothing) {
    m.op1.Click();
    m.op2.Click();
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
    EXPECT_EQ(Checks(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(PortMenu, ClosingUnchecksAllFourItemsWhetherOrNotAPortWasOpen) {
    m.cp.Click();
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_TRUE(program.dialogs.Messages().empty());

    m.op1.Click();
    m.op3.SetChecked(true);
    m.cp.Click();
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_EQ(Checks(), (std::array<bool, 4>{false, false, false, false}));
    m.op2.Click();
    EXPECT_EQ(program.port.OpenPortNumber(), 2);
}

TEST_F(PortMenu, AFailingOpenShowsTheErrorBoxAndLeavesThePortClosedAndUnchecked) {
    m.op3.Click();  // nothing is connected to port 3
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Port 3 is not connected to a device");
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_FALSE(m.op3.Checked());

    program.port.FailNextOpen("Permission denied: /dev/ttyS0");
    m.op1.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 2u);
    EXPECT_EQ(program.dialogs.Messages()[1].text, "Permission denied: /dev/ttyS0");
    EXPECT_FALSE(IsPortOpen(ctx));
    EXPECT_EQ(Checks(), (std::array<bool, 4>{false, false, false, false}));

    // The failure does not stick: the next attempt opens.
    m.op1.Click();
    EXPECT_TRUE(m.op1.Checked());
    EXPECT_EQ(program.dialogs.Messages().size(), 2u);
}

TEST_F(PortMenu, TheBaudSubmenuIsDisabled) {
    EXPECT_FALSE(m.chbaud.Enabled());
    EXPECT_EQ(m.chbaud.Caption(), "Baud");
}

TEST_F(PortMenu, SendTextWritesTheTextUnchangedAndFailsOnAClosedPort) {
    EXPECT_THROW(SendText(ctx, "C"), PortError);
    m.op1.Click();
    SendText(ctx, "c");
    SendText(ctx, "STOPSYR\r");
    EXPECT_EQ(feed1->Written(), "cSTOPSYR\r");
}

TEST_F(PortMenu, ReadCharHonoursInputLenAndReadAvailableTakesEverything) {
    m.op1.Click();
    feed1->Feed("abc");
    ctx.portInputLen = 1;
    EXPECT_EQ(CharsWaiting(ctx), 3);
    EXPECT_EQ(ReadChar(ctx), "a");
    EXPECT_EQ(CharsWaiting(ctx), 2);
    EXPECT_EQ(ReadAvailable(ctx), "bc");
    EXPECT_EQ(ctx.portInputLen, 0);
    EXPECT_EQ(ReadChar(ctx), "");
}

TEST_F(PortMenu, DelayReturnsAfterTheTimeAndDispatchesTimerTicksMeanwhile) {
    m.op1.Click();
    feed1->Feed("1\t2\r\n");
    int ticks = 0;
    program.pump.AddTimer(0.01, [&ticks] { ++ticks; });
    const double start = program.pump.Seconds();
    Delay(ctx, 0.5);
    const double waited = program.pump.Seconds() - start;
    EXPECT_GE(waited, 0.5);
    EXPECT_LT(waited, 0.52);
    EXPECT_GE(ticks, 49);
    EXPECT_LE(ticks, 51);
    // The acquisition loop ran inside the wait.
    EXPECT_EQ(m.List1.Entry(0), "1\t2");
}

TEST_F(PortMenu, DelayDispatchesClicksThatArriveDuringTheWait) {
    program.pump.Post([this] { m.op2.Click(); });
    Delay(ctx, 0.1);
    EXPECT_EQ(program.port.OpenPortNumber(), 2);
}

TEST_F(PortMenu, DelayOfZeroOrLessReturnsAtOnce) {
    int ticks = 0;
    program.pump.AddTimer(0.001, [&ticks] { ++ticks; });
    const double start = program.pump.Seconds();
    Delay(ctx, 0);
    Delay(ctx, -3);
    EXPECT_EQ(program.pump.Seconds(), start);
    EXPECT_EQ(ticks, 0);
}

TEST_F(PortMenu, DelayIsMeasuredOnThePumpClockNotTheWallClock) {
    program.clock.now = {2026, 12, 6, 23, 59, 59};
    const double start = program.pump.Seconds();
    Delay(ctx, 1.5);
    EXPECT_GE(program.pump.Seconds() - start, 1.5);
    EXPECT_LT(program.pump.Seconds() - start, 1.51);
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
    EXPECT_FALSE(program.port.Dtr());
    ASSERT_GE(samples.size(), 9u);
    for (const auto& [time, dtr] : samples) EXPECT_TRUE(dtr) << "at " << time - start;
}

}  // namespace
}  // namespace zan
