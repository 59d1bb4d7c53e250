#include <gtest/gtest.h>

#include <string>

#include "core/settings_test_support.h"
#include "core/test_support.h"
#include "link/port_operations.h"
#include "link/port_watch.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// A line arrived on port 2, then the adapter was pulled.
struct Unplug : test::Loaded {
    void SetUp() override {
        feed = program.AttachFeed(2);
        m.op2.Click();
        feed->Feed("1\r\n");
        program.pump.RunFor(0.1);
        program.port.DropLine();
    }
    std::shared_ptr<FeedDevice> feed;
};

TEST_F(Unplug, OneMessageThenAReturningDeviceIsReopenedWithinTwoSecondsWithoutAWordToIt) {
    program.pump.RunFor(0.1);
    const test::Lines lost = {
        "Error: Port 2 (scripted feed) was lost: the serial adapter was disconnected. ZAN Host "
        "reopens it by itself when the device is back."};
    EXPECT_EQ(Messages(), lost);
    EXPECT_FALSE(IsPortOpen(program.ctx) || m.op2.Checked() || program.ctx.pollRunning);
    EXPECT_NE(m.PortStatus.Caption().find("Port 2 (scripted feed) lost"), std::string::npos);
    // Without a port a tick reads nothing.
    feed->Feed("lost\r\n");
    program.pump.RunFor(3);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_EQ(m.List1.Count(), 1);
    EXPECT_LE(test::SecondsToReopen(program), kReopenInterval + 0.02);
    EXPECT_TRUE(m.op2.Checked());
    EXPECT_NE(m.PortStatus.Caption().find("Port 2 reopened: scripted feed"), std::string::npos);
    feed->Feed("2\r\n");
    program.pump.RunFor(0.1);
    EXPECT_EQ(m.Label43.Caption(), "1");
    EXPECT_EQ(feed->Written(), "");
    EXPECT_EQ(Messages(), lost);
}

TEST_F(Unplug, TypingInTheTerminalBoxGivesOneMessageNotOnePerCharacter) {
    for (char c : std::string("hello")) m.Text9.TypeChar(c);
    EXPECT_TRUE(test::OneMessageWith(program, "Port 2 (scripted feed) was lost"));
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_EQ(m.Text9.Text(), "hello");
    program.pump.RunFor(1);
    EXPECT_EQ(Messages().size(), 1u);
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
    const auto enabled = [&](MainForm& m) {
        std::vector<bool> states;
        for (const char* name : starters) states.push_back(m.registry.Find(name)->Enabled());
        return states;
    };
    auto apply = [&](const char* intruder) {
        auto wire = std::make_shared<Wire>();
        test::SettingsBench bench(wire);
        MainForm& m = bench.m;
        test::TypeInto({&m.Text1, &m.Text6, &m.Text7}, {"7", "4", "2006"});
        const std::string caption = m.Command28.Caption();
        const std::vector<bool> enabledBefore = enabled(m);
        std::vector<bool> enabledDuring;
        bench.program.pump.Post([&] {
            enabledDuring = enabled(m);
            if (intruder) ClickControl(*m.registry.Find(intruder));
        });
        m.Command2.Click();
        EXPECT_EQ(enabledDuring, std::vector<bool>(std::size(starters), false)) << intruder;
        EXPECT_EQ(enabled(m), enabledBefore) << intruder;
        EXPECT_EQ(m.Command28.Caption(), caption);
        EXPECT_TRUE(bench.program.dialogs.Messages().empty());
        EXPECT_EQ(wire->dtrChanges, 0) << intruder;
        return wire->written;
    };
    const std::string alone = apply(nullptr);
    for (const char* intruder : starters) EXPECT_EQ(apply(intruder), alone) << intruder;
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
