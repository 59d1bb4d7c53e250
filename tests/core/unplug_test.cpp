#include <gtest/gtest.h>

#include "core/settings_test_support.h"
#include "link/port_operations.h"
#include "link/port_watch.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// A line arrived on port 2, then the adapter was pulled.
struct Unplug : testing::Test {
    void SetUp() override {
        feed = program.AttachFeed(2);
        program.Load();
        m.op2.Click();
        feed->Feed("1\r\n");
        program.pump.RunFor(0.1);
        program.port.DropLine();
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    const std::vector<ScriptedDialogs::Message>& messages = program.dialogs.Messages();
    std::shared_ptr<FeedDevice> feed;
};

TEST_F(Unplug, OneMessageThenAReturningDeviceIsReopenedWithinTwoSecondsWithoutAWordToIt) {
    program.pump.RunFor(0.1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Port 2 (scripted feed) was lost: the serial adapter was "
              "disconnected. ZAN Host reopens it by itself when the device is "
              "back.");
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_FALSE(m.op2.Checked());
    EXPECT_FALSE(program.ctx.pollRunning);
    EXPECT_NE(m.PortStatus.Caption().find("Port 2 (scripted feed) lost"), std::string::npos);
    // Without a port a tick reads nothing.
    feed->Feed("lost\r\n");
    program.pump.RunFor(3);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_EQ(m.List1.Count(), 1);
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
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Unplug, TypingInTheTerminalBoxGivesOneMessageNotOnePerCharacter) {
    for (char c : std::string("hello")) m.Text9.TypeChar(c);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind("Port 2 (scripted feed) was lost", 0), 0u);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_EQ(m.Text9.Text(), "hello");
    program.pump.RunFor(1);
    EXPECT_EQ(messages.size(), 1u);
}
// The adapter is pulled half a second into each exchange: the loss is told
// once, and the exchange ends without a box of its own.
TEST(UnplugDuringExchange, EveryExchangeEndsQuietlyAfterTheOneMessage) {
    const struct {
        const char* button;
        bool tria;
    } cases[] = {{"Command3", false}, {"Command2", false}, {"Command12", true},
                 {"Command4", true},  {"Command13", true}, {"Command27", false}};
    for (const auto& c : cases) {
        test::SettingsBench bench;
        MainForm& m = bench.m;
        if (c.tria) m.inst6.Click();
        for (TextBox* box : {&m.Text1, &m.Text6, &m.Text7}) box->SetText("01");
        m.Text5.SetText("12");
        m.Text8.SetText("30");
        for (ComboBox* slot : {&m.Combo1, &m.Combo2, &m.Combo3}) slot->SetListIndex(0);
        bool pulled = false;
        bench.program.pump.AddTimer(0.5, [&] {
            if (!pulled && IsPortOpen(bench.program.ctx)) bench.program.port.DropLine();
            pulled = true;
        });
        ClickControl(*m.registry.Find(c.button));
        bench.program.pump.RunFor(1);
        const auto& messages = bench.program.dialogs.Messages();
        ASSERT_EQ(messages.size(), 1u) << c.button << ": " << messages[0].text;
        EXPECT_EQ(messages[0].text.rfind("Port 1 (simulated ", 0), 0u) << c.button;
        EXPECT_FALSE(bench.program.ctx.exchangeRunning) << c.button;
    }
}

}  // namespace
}  // namespace zan
