#include <gtest/gtest.h>

#include "link/port_operations.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

struct Unplug : testing::Test {
    void SetUp() override {
        feed = program.AttachFeed(1);
        program.Load();
        m.op1.Click();
        program.port.DropLine();
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<FeedDevice> feed;
};

TEST_F(Unplug, TypingInTheTerminalBoxGivesOneMessageNotOnePerCharacter) {
    for (char c : std::string("hello")) m.Text9.TypeChar(c);
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text.rfind("Port 1 (scripted feed) was lost", 0), 0u);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_EQ(m.Text9.Text(), "hello");
    program.pump.RunFor(1);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

}  // namespace
}  // namespace zan
