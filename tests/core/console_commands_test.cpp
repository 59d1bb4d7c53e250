#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/console_commands.h"
#include "core/test_support.h"
#include "link/exchange.h"
#include "link/port_operations.h"
#include "sim/simulated_sensor.h"
#include "state/instruments.h"

namespace zan {
namespace {

using sim::SensorModel;
using sim::SimulatedSensor;
using test::Lines;
using Behaviour = SimulatedSensor::Behaviour;

const std::string kPowerOff =
    ", please power off Zan sensor then press ok. The computer will then wait for 5 seconds to "
    "allow power discharge.";
const std::string kInterruptPrompt = "Interupt Autostart: To Interupt autostart" + kPowerOff;
const std::string kFirmwarePrompt = "Firmware: To get Instrument Firmware version" + kPowerOff;
const std::string kPowerOnPrompt = "Now press ok again and power on the Zan Sensor";
const std::string kReady = "Zan Sensor Ready: Zan Sensor ready to accept commands";
const std::string kNoFirmware = "Firmware: CLICK TO GET INFO";

// A VSF on port 1, opened by the main window's load. The user answers every
// box at once; the power-off box makes them switch the sensor off, the
// power-on box makes them switch it on again.
struct ConsoleBench {
    void Start(Behaviour behaviour) {
        sensor = std::make_shared<SimulatedSensor>(SensorModel::Vsf, behaviour);
        program.port.Attach(1, sensor);
        program.ctx.state.InstrumentType = kQuickVsf;
        program.ctx.state.QuickSetupPort = 1;
        program.Load();
        program.dialogs.onMessage = [this](const ScriptedDialogs::Message& m) {
            const double now = program.pump.Seconds();
            messageTimes.push_back(now);
            if (closeOnMessage) program.pump.Post([this] { this->m.cp.Click(); });
            if (m.text.find("power off") != std::string::npos) sensor->PowerOff(now);
            if (m.text == kPowerOnPrompt) sensor->PowerOn(now);
        };
        program.pump.RunFor(1.5);
    }
    Lines Messages() const { return test::Messages(program); }

    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<SimulatedSensor> sensor;
    std::vector<double> messageTimes;
    bool closeOnMessage = false;
};
struct ConsoleTest : ConsoleBench, testing::Test {};

// The power-on box comes 5 s after the power-off box; then an answering
// sensor gets "C" at once and a silent one "c" once it has spoken (0.2 s
// before, 1 s after), and none gives up when its waits end on time.
TEST_F(ConsoleTest, InterruptSendsWhatTheSensorNeedsOrGivesUpOnTime) {
    const Lines powerCycle = {kInterruptPrompt, "Interupt Autostart: " + kPowerOnPrompt};
    const struct {
        Behaviour behaviour;
        Lines messages;
        std::string received;
        double firstBox, lastGap;  // seconds from the click, and between the last two boxes
    } cases[] = {
        {Behaviour::Answering, {kReady}, "C", -1, -1},
        {Behaviour::SilentUntilPowerCycled, {powerCycle[0], powerCycle[1], kReady}, "c", -1, 1.35},
        {Behaviour::Absent,
         {powerCycle[0], powerCycle[1],
          "Zan Sensor Not Responding: Zan Sensor did not respond. Please check power and try "
          "again. If you can, please use the Halvorn bench cable with the selecter switch set to "
          "ZAN Host."},
         "",
         0.5 + kAnswerWaitSeconds,
         kPowerUpWaitSeconds},
    };
    for (const auto& c : cases) {
        ConsoleBench run;
        run.Start(c.behaviour);
        const double start = run.program.pump.Seconds();
        run.m.Command27.Click();
        EXPECT_EQ(run.Messages(), c.messages);
        EXPECT_EQ(run.sensor->Received(), c.received);
        const std::vector<double>& at = run.messageTimes;
        if (at.size() == 3) {
            EXPECT_NEAR(at[1] - at[0], 5.05, 0.05);
            EXPECT_NEAR(at[2] - at[1], c.lastGap, 0.15);
        }
        if (c.firstBox > 0) {
            EXPECT_NEAR(at[0] - start, c.firstBox, 0.01);
        }
        run.program.pump.RunFor(0.5);
        EXPECT_FALSE(run.sensor->Streaming());
    }
}

TEST_F(ConsoleTest, FirmwareQueryShowsTheWakeLineWithoutItsLineEndsAndLeavesTheLineFeed) {
    Start(Behaviour::Answering);
    m.Command28.Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m.Command28.Caption(), "Firmware: " + sim::FirmwareLine(SensorModel::Vsf));
    program.pump.Pause(0.002);
    EXPECT_EQ(program.port.Read(1), "\n");
    EXPECT_EQ(program.ctx.portInputLen, 1);
    // The read ran no timer tick, so the line did not reach the receive list.
    for (const auto& entry : m.List1.Entries())
        EXPECT_EQ(entry.find(sim::FirmwareLine(SensorModel::Vsf)), std::string::npos);
}

// The firmware query of a sensor that never answers says so once and keeps the caption;
// later commands end silently on a port closed during their wait, or closed before.
TEST_F(ConsoleTest, ASilentSensorsFirmwareIsToldOnceAndCommandsEndSilentlyOnAClosedPort) {
    Start(Behaviour::Absent);
    m.Command28.Click();
    const Lines firmware = {kFirmwarePrompt, "Firmware: " + kPowerOnPrompt,
                            "Firmware: Zan Sensor sent no firmware line after it was woken, so its "
                            "firmware is not known. Please check power and the cable, then click "
                            "again."};
    EXPECT_EQ(Messages(), firmware);
    EXPECT_EQ(m.Command28.Caption(), kNoFirmware);
    closeOnMessage = true;
    m.Command27.Click();
    m.Command27.Click();
    m.Command28.Click();
    m.op1.Click();
    m.Command28.Click();
    // Each power-off box was shown once; the port closed during the 5-second wait.
    EXPECT_EQ(Messages(),
              (Lines{firmware[0], firmware[1], firmware[2], kInterruptPrompt, kFirmwarePrompt}));
    EXPECT_EQ(m.Command28.Caption(), kNoFirmware);
    EXPECT_EQ(sensor->Received(), "");
}

using FeedTest = test::LoadedWithFeed;

TEST_F(FeedTest,
       RunButtonsAndTheTerminalSendOnceThePortIsOpenAndFreeAndATypedCharacterStaysOnAFailure) {
    m.Command5_0.Click();
    m.Text9.TypeChar('a');
    m.Text9.TypeChar('b');
    EXPECT_EQ(m.Text9.Text() + "|" + feed->Written(), "ab|");
    m.op1.Click();
    m.Command5_0.Click();
    m.Command5_1.Click();
    m.Text9.TypeChar('c');
    EXPECT_EQ(feed->Written() + "|" + m.Text9.Text(), "rrabc|");
    m.Text9.SetText("P\r");
    EXPECT_EQ(feed->Written(), "rrabcP\r");
    RunExchange(program.ctx, {}, [&](Exchange&) {
        m.Text9.TypeChar('y');
        EXPECT_EQ(m.Text9.Text(), "y");
    });
    m.Text9.TypeChar('z');
    EXPECT_EQ(feed->Written(), "rrabcP\ryz");
    program.port.FailWrites("Device not ready");
    m.Text9.TypeChar('x');
    EXPECT_EQ(Messages(), Lines{"Error: Device not ready"});
    EXPECT_EQ(m.Text9.Text(), "x");
}

// An adapter pulled out just as the wake-up pulse ends, while the firmware
// query watches the port without dispatching.
class PulledOnWake : public Device {
  public:
    explicit PulledOnWake(VirtualPort& port) : port_(port) {}
    void OnDtr(bool on, double) override {
        if (!on) port_.DropLine();
    }
    std::string Produce(double) override { return {}; }
    std::string Describe() const override { return "adapter"; }

  private:
    VirtualPort& port_;
};

TEST_F(FeedTest, APortLostDuringTheFirmwareQueryIsToldOnceAndClosesThePort) {
    program.port.Attach(2, std::make_shared<PulledOnWake>(program.port));
    m.op2.Click();
    m.Command28.Click();
    EXPECT_TRUE(test::OneMessageWith(program, "Port 2 (adapter) was lost"));
    EXPECT_FALSE(m.op2.Checked() || IsPortOpen(program.ctx));
    EXPECT_EQ(m.Command28.Caption(), kNoFirmware);
    program.port.Replug();
    program.pump.RunFor(1);
    EXPECT_TRUE(m.op2.Checked());
    EXPECT_EQ(Messages().size(), 1u);
}

}  // namespace
}  // namespace zan
