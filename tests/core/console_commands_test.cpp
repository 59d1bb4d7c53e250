#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/console_commands.h"
#include "sim/simulated_sensor.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

using sim::SensorModel;
using sim::SimulatedSensor;
using Behaviour = SimulatedSensor::Behaviour;

const std::string kInterruptPrompt =
    "To Interupt autostart, please power off Zan sensor then press ok. The computer will then wait "
    "for 5 seconds to allow power discharge.";
const std::string kFirmwarePrompt =
    "To get Instrument Firmware version, please power off Zan sensor then press ok. The computer "
    "will then wait for 5 seconds to allow power discharge.";
const std::string kPowerOnPrompt = "Now press ok again and power on the Zan Sensor";

// A VSF on port 1, opened by the main window's load. The user answers every
// box at once; the power-off box makes them switch the sensor off, the
// power-on box makes them switch it on again.
struct ConsoleTest : testing::Test {
    void Start(Behaviour behaviour) {
        sensor = std::make_shared<SimulatedSensor>(SensorModel::Vsf, behaviour);
        program.port.Attach(1, sensor);
        program.ctx.state.InstrumentType = kQuickVsf;
        program.ctx.state.QuickSetupPort = 1;
        program.Load();
        program.dialogs.onMessage = [this](const ScriptedDialogs::Message& m) {
            const double now = program.pump.Seconds();
            messageTimes.push_back(now);
            if (!powerCycle) return;
            if (m.text.find("power off") != std::string::npos) sensor->PowerOff(now);
            if (m.text == kPowerOnPrompt) sensor->PowerOn(now);
        };
        program.pump.RunFor(1.5);
    }

    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const auto& m : program.dialogs.Messages()) titles.push_back(m.title);
        return titles;
    }

    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<SimulatedSensor> sensor;
    std::vector<double> messageTimes;
    bool powerCycle = true;
};

TEST_F(ConsoleTest, InterruptWithAnAnsweringSensorSendsCapitalCAndReportsReadyWithoutPrompts) {
    Start(Behaviour::Answering);
    m.Command27.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Zan Sensor Ready");
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Zan Sensor ready to accept commands");
    EXPECT_EQ(sensor->Received(), "C");
    program.pump.RunFor(0.5);
    EXPECT_FALSE(sensor->Streaming());
    // The characters that answered the pulse were left for the receive list.
    bool sawFirmware = false;
    for (const auto& entry : m.List1.Entries())
        sawFirmware |= entry.find(sim::FirmwareLine(SensorModel::Vsf)) != std::string::npos;
    EXPECT_TRUE(sawFirmware);
}

TEST_F(ConsoleTest, InterruptWithASilentSensorWalksThroughThePowerCycleAndSendsSmallC) {
    Start(Behaviour::SilentUntilPowerCycled);
    m.Command27.Click();
    const auto& messages = program.dialogs.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].title, "Interupt Autostart");
    EXPECT_EQ(messages[0].text, kInterruptPrompt);
    EXPECT_EQ(messages[1].title, "Interupt Autostart");
    EXPECT_EQ(messages[1].text, kPowerOnPrompt);
    EXPECT_EQ(messages[2].title, "Zan Sensor Ready");
    EXPECT_GE(messageTimes[1] - messageTimes[0], 5.0);
    EXPECT_LT(messageTimes[1] - messageTimes[0], 5.1);
    // 0.2 s before "c" and 1 s after it, once the sensor has spoken.
    EXPECT_GE(messageTimes[2] - messageTimes[1], 1.2);
    EXPECT_LT(messageTimes[2] - messageTimes[1], 1.5);
    EXPECT_EQ(sensor->Received(), "c");
}

TEST_F(ConsoleTest, InterruptWithNoSensorGivesUpWithinItsTimeLimitsAndSendsNothing) {
    Start(Behaviour::Absent);
    const double start = program.pump.Seconds();
    m.Command27.Click();
    const auto& messages = program.dialogs.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Interupt Autostart", "Interupt Autostart",
                                                  "Zan Sensor Not Responding"}));
    EXPECT_EQ(
        messages[2].text,
        "Zan Sensor did not respond. Please check power and try again. If you can, please use "
        "the Halvorn bench cable with the selecter switch set to ZAN Host.");
    EXPECT_EQ(sensor->Received(), "");
    // The DTR pulse, then the first wait for an answer ends on time, not on its poll count.
    EXPECT_NEAR(messageTimes[0] - start, 0.5 + kAnswerWaitSeconds, 0.01);
    EXPECT_NEAR(messageTimes[2] - messageTimes[1], kPowerUpWaitSeconds, 0.01);
}

TEST_F(ConsoleTest, InterruptWithAClosedPortEndsSilently) {
    Start(Behaviour::Answering);
    m.cp.Click();
    m.Command27.Click();
    EXPECT_TRUE(program.dialogs.Messages().empty());
    EXPECT_EQ(sensor->Received(), "");
}

TEST_F(ConsoleTest, InterruptStopsSilentlyWhenThePortClosesDuringItsWait) {
    Start(Behaviour::Absent);
    powerCycle = false;
    program.dialogs.onMessage = [this](const ScriptedDialogs::Message&) {
        program.pump.Post([this] { m.cp.Click(); });
    };
    m.Command27.Click();
    // The power-off box was shown; the port closed during the 5-second wait.
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text, kInterruptPrompt);
}

TEST_F(ConsoleTest, FirmwareQueryShowsTheWakeLineWithItsCarriageReturnAndLeavesTheLineFeed) {
    Start(Behaviour::Answering);
    m.Command28.Click();
    EXPECT_TRUE(program.dialogs.Messages().empty());
    EXPECT_EQ(m.Command28.Caption(), "Firmware: " + sim::FirmwareLine(SensorModel::Vsf) + "\r");
    program.pump.Pause(0.002);
    EXPECT_EQ(program.port.Read(1), "\n");
    EXPECT_EQ(program.ctx.portInputLen, 1);
    // The read ran no timer tick, so the line did not reach the receive list.
    for (const auto& entry : m.List1.Entries())
        EXPECT_EQ(entry.find(sim::FirmwareLine(SensorModel::Vsf)), std::string::npos);
}

TEST_F(ConsoleTest, FirmwareQueryWithASilentSensorPromptsForAPowerCycleThenReadsTheLine) {
    Start(Behaviour::SilentUntilPowerCycled);
    m.Command28.Click();
    const auto& messages = program.dialogs.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, "Firmware");
    EXPECT_EQ(messages[0].text, kFirmwarePrompt);
    EXPECT_EQ(messages[1].title, "Firmware");
    EXPECT_EQ(messages[1].text, kPowerOnPrompt);
    EXPECT_GE(messageTimes[1] - messageTimes[0], 5.0);
    EXPECT_EQ(m.Command28.Caption(), "Firmware: " + sim::FirmwareLine(SensorModel::Vsf) + "\r");
    EXPECT_EQ(sensor->Received(), "");
}

TEST_F(ConsoleTest, FirmwareQueryWithNoSensorEndsAfterItsReadLimitWithAnEmptyReply) {
    Start(Behaviour::Absent);
    m.Command28.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 2u);
    const double afterPrompt = program.pump.Seconds() - messageTimes[1];
    EXPECT_NEAR(afterPrompt, kFirmwareReadSeconds, 0.01);
    EXPECT_EQ(m.Command28.Caption(), "Firmware: ");
}

TEST(ConsoleFirmware, ReadWithoutACarriageReturnShowsWhatArrivedWhenTimeRunsOut) {
    VirtualProgram program;
    auto feed = program.AttachFeed(2);
    program.Load();
    program.ctx.main.op2.Click();
    double fedAt = 0;
    program.dialogs.onMessage = [&](const ScriptedDialogs::Message& m) {
        if (m.text != kPowerOnPrompt) return;
        fedAt = program.pump.Seconds();
        feed->Feed("ZAN-VSF 3.");
    };
    program.ctx.main.Command28.Click();
    EXPECT_EQ(program.dialogs.Messages().size(), 2u);
    EXPECT_EQ(program.ctx.main.Command28.Caption(), "Firmware: ZAN-VSF 3.");
    EXPECT_NEAR(program.pump.Seconds() - fedAt, kFirmwareReadSeconds, 0.01);
}

TEST(ConsoleFirmware, QueryEndsSilentlyWhenThePortClosesDuringThePowerCycleWait) {
    VirtualProgram program;
    program.AttachFeed(1);
    program.Load();
    MainForm& m = program.ctx.main;
    m.op1.Click();
    program.dialogs.onMessage = [&](const ScriptedDialogs::Message&) {
        program.pump.Post([&] { m.cp.Click(); });
    };
    m.Command28.Click();
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(m.Command28.Caption(), "Firmware: CLICK TO GET INFO");
}

TEST(ConsoleFirmware, QueryWithAClosedPortLeavesTheCaption) {
    VirtualProgram program;
    program.AttachFeed(1);
    program.Load();
    program.ctx.main.Command28.Click();
    EXPECT_EQ(program.ctx.main.Command28.Caption(), "Firmware: CLICK TO GET INFO");
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST(ConsoleRun, BothRunButtonsSendRAndAClosedPortDoesNothing) {
    VirtualProgram program;
    auto feed = program.AttachFeed(1);
    program.Load();
    MainForm& m = program.ctx.main;
    m.Command5_0.Click();
    EXPECT_EQ(feed->Written(), "");
    m.op1.Click();
    m.Command5_0.Click();
    m.Command5_1.Click();
    EXPECT_EQ(feed->Written(), "rr");
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST(ConsoleDownload, SendsOOnlyWhileThePortIsOpenAndTheDataFlowsIntoTheReceiveList) {
    VirtualProgram program;
    auto sensor = std::make_shared<SimulatedSensor>(SensorModel::Vsf);
    program.port.Attach(1, sensor);
    program.Load();
    MainForm& m = program.ctx.main;
    m.ddfe.Click();
    EXPECT_TRUE(program.dialogs.Messages().empty());
    m.op1.Click();
    program.port.Write("C");
    program.pump.RunFor(0.5);
    const int before = m.List1.Count();
    m.ddfe.Click();
    program.pump.RunFor(3);
    EXPECT_EQ(sensor->Received(), "Co");
    EXPECT_GE(m.List1.Count() - before, SimulatedSensor::kStoredLines);
}

struct TerminalTest : testing::Test {
    void SetUp() override {
        feed = program.AttachFeed(1);
        program.Load();
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<FeedDevice> feed;
};

TEST_F(TerminalTest, TypingWithThePortOpenSendsEachCharacterAndEmptiesTheBox) {
    m.op1.Click();
    m.Text9.TypeChar('a');
    EXPECT_EQ(feed->Written(), "a");
    EXPECT_EQ(m.Text9.Text(), "");
    m.Text9.TypeChar('b');
    EXPECT_EQ(feed->Written(), "ab");
    EXPECT_EQ(m.Text9.Text(), "");
    m.Text9.SetText("P\r");
    EXPECT_EQ(feed->Written(), "abP\r");
}

TEST_F(TerminalTest, TypingWithThePortClosedKeepsTheTextUntilThePortOpens) {
    m.Text9.TypeChar('a');
    m.Text9.TypeChar('b');
    EXPECT_EQ(m.Text9.Text(), "ab");
    EXPECT_EQ(feed->Written(), "");
    EXPECT_TRUE(program.dialogs.Messages().empty());
    m.op1.Click();
    m.Text9.TypeChar('c');
    EXPECT_EQ(feed->Written(), "abc");
    EXPECT_EQ(m.Text9.Text(), "");
}

TEST_F(TerminalTest, AFailingWriteShowsTheErrorAndKeepsTheText) {
    m.op1.Click();
    program.port.FailWrites("Device not ready");
    m.Text9.TypeChar('x');
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Device not ready");
    EXPECT_EQ(m.Text9.Text(), "x");
}

}  // namespace
}  // namespace zan
