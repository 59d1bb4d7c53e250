#include "link/port_operations.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/test_support.h"

namespace zan {
namespace {

using test::Lines;

class PortMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        program.AttachFeed(1);
        program.AttachFeed(2);
        program.Load();
    }
    std::array<bool, 4> Checks() const {
        return {m.op1.Checked(), m.op2.Checked(), m.op3.Checked(), m.op4.Checked()};
    }

    VirtualProgram program;
    Context& ctx = program.ctx;
    MainForm& m = program.ctx.main;
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

}  // namespace
}  // namespace zan
