#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/settings_test_support.h"
#include "core/test_support.h"
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
    EXPECT_TRUE(test::OneMessageWith(program, "Port 2 (scripted feed) was lost"));
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

TEST_F(PortMenu, OpeningChecksOnlyItsItemAnotherOpenWaitsForCloseAndAFailureDoesNotStick) {
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
    // A failing open shows the error box and leaves the port closed and unchecked.
    m.cp.Click();
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

// The far end of the line, recording everything that reaches the wire:
// written text and every change of DTR (the firmware query's wake-up pulse).
// It echoes what it is sent, as a logger does.
class Wire : public Device {
  public:
    void OnWrite(const std::string& text, double) override {
        written += text;
        echo += text;
    }
    void OnDtr(bool, double) override { ++dtrChanges; }
    std::string Produce(double) override { return std::exchange(echo, {}); }
    std::string Describe() const override { return "wire"; }
    std::string written, echo;
    int dtrChanges = 0;
};

// Apply Settings with the named button clicked during its first wait: the
// wire carries what the application alone sends, and every button that
// starts an exchange is disabled meanwhile and restored after.
TEST(Exchange, AFirmwareQueryOrAnyOtherExchangeClickedDuringASettingsApplicationIsRefused) {
    const char* const starters[] = {"Command28",   "Command3",    "Command2", "Command27",
                                    "Command5(0)", "Command5(1)", "ddfe",     "Command12",
                                    "Command4",    "Command13"};
    auto apply = [&](const char* intruder, std::vector<bool>* enabledDuring) {
        auto wire = std::make_shared<Wire>();
        test::SettingsBench bench(wire);
        MainForm& m = bench.m;
        m.Text1.SetText("7");
        m.Text6.SetText("4");
        m.Text7.SetText("2006");
        const std::string caption = m.Command28.Caption();
        std::vector<bool> enabledBefore;
        for (const char* name : starters) enabledBefore.push_back(m.registry.Find(name)->Enabled());
        bench.program.pump.Post([&] {
            for (const char* name : starters)
                enabledDuring->push_back(m.registry.Find(name)->Enabled());
            if (intruder) ClickControl(*m.registry.Find(intruder));
        });
        m.Command2.Click();
        for (size_t i = 0; i < std::size(starters); ++i)
            EXPECT_EQ(m.registry.Find(starters[i])->Enabled(), enabledBefore[i]) << starters[i];
        EXPECT_EQ(m.Command28.Caption(), caption);
        EXPECT_TRUE(bench.program.dialogs.Messages().empty());
        EXPECT_EQ(wire->dtrChanges, 0) << intruder;
        return wire->written;
    };
    std::vector<bool> enabledDuring;
    const std::string alone = apply(nullptr, &enabledDuring);
    EXPECT_EQ(enabledDuring, std::vector<bool>(std::size(starters), false));
    for (const char* intruder : starters)
        EXPECT_EQ(apply(intruder, &enabledDuring), alone) << intruder;
}

// An instrument chosen during an exchange's wait reshapes the window; the
// exchange's end gives the starters the states that instrument wants.
TEST(Exchange, AnInstrumentChosenDuringAnExchangeKeepsItsEnabledStatesAfterIt) {
    auto wire = std::make_shared<Wire>();
    test::SettingsBench bench(wire);
    MainForm& m = bench.m;
    for (TextBox* box : {&m.Text1, &m.Text6, &m.Text7}) box->SetText("01");
    bench.program.pump.Post([&] { m.inst6.Click(); });
    m.Command2.Click();
    EXPECT_FALSE(m.Command28.Enabled());
    bench.program.pump.Post([&] { m.inst2.Click(); });
    for (ComboBox* slot : {&m.Combo1, &m.Combo2, &m.Combo3}) slot->SetListIndex(0);
    m.Command4.Click();
    EXPECT_TRUE(m.Command28.Enabled());
}

}  // namespace
}  // namespace zan
