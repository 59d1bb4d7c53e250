#include <gtest/gtest.h>

#include "link/port_operations.h"
#include "link/port_watch.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

class Replug : public ::testing::Test {
  protected:
    void SetUp() override {
        feed = program.AttachFeed(2);
        program.Load();
        m.op2.Click();
        feed->Feed("1\r\n");
        program.pump.RunFor(0.1);
        program.port.DropLine();
        program.pump.RunFor(0.1);
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<FeedDevice> feed;
};

TEST_F(Replug, AReturningDeviceIsReopenedWithinTwoSecondsWithoutAWordToTheSensor) {
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_NE(m.PortStatus.Caption().find("Port 2 (scripted feed) lost"), std::string::npos);
    program.pump.RunFor(3);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    program.port.Replug();
    const double back = program.pump.Seconds();
    while (!IsPortOpen(program.ctx) && program.pump.Seconds() - back < 2)
        program.pump.DispatchPending();
    EXPECT_LE(program.pump.Seconds() - back, kReopenInterval + 0.02);
    EXPECT_TRUE(m.op2.Checked());
    EXPECT_NE(m.PortStatus.Caption().find("Port 2 reopened: scripted feed"), std::string::npos);
    feed->Feed("2\r\n");
    program.pump.RunFor(0.1);
    EXPECT_EQ(m.Label43.Caption(), "1");
    EXPECT_EQ(feed->Written(), "");
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

}  // namespace
}  // namespace zan
