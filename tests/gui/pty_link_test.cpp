#include <gtest/gtest.h>

#include <unistd.h>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/test_support.h"
#include "gui/qt_pty_program.h"
#include "sim/simulated_sensor.h"

namespace zan::ui {
namespace {

namespace fs = std::filesystem;

// The real Qt serial backend reading the simulator over a pseudo-terminal
// behind a stable name, as a USB adapter's by-id link; the adapter is pulled
// and returns as a new terminal behind the same name.
TEST(PtyLink, LinesAndCommandsPassAndALostDeviceIsReopenedWhenItsLinkReturns) {
    const zan::test::TempFolder folder;
    const fs::path link = folder / "usb-Maker_Adapter_A1-if00-port0";
    sim::SimulatedSensor sensor{sim::SensorModel::Vsf};
    test::QtPtyProgram p(PortMap{{{1, link.string()}}});
    p.ServeBehind(sensor, link);
    MainForm& m = p.ctx.main;
    const auto& messages = p.dialogs.Messages();
    p.ctx.state.InstrumentType = 1;  // the quick setup's VSF
    p.ctx.state.QuickSetupPort = 1;
    MainForm_Load(p.ctx);
    ASSERT_TRUE(p.port.IsOpen()) << (messages.empty() ? "" : messages[0].text);
    ASSERT_TRUE(test::RunUntil([&] { return m.List1.Count() >= 3; }, 8000));
    EXPECT_EQ(m.List1.Entry(0).rfind("12/06/26\t", 0), 0u) << m.List1.Entry(0);
    EXPECT_EQ(m.List1.Entry(1).find('\r'), std::string::npos);
    EXPECT_EQ(m.Label44.Caption(), "6");
    m.Command5_1.Click();
    ASSERT_TRUE(test::RunUntil([&] { return !sensor.Received().empty(); }, 3000));

    // The adapter's by-id link goes with it; left behind, it could point at a
    // terminal another program opens meanwhile.
    p.server.reset();
    fs::remove(link);
    ASSERT_TRUE(test::RunUntil([&] { return !p.port.IsOpen(); }, 3000));
    test::RunUntil([] { return false; }, 700);
    ASSERT_FALSE(p.port.IsOpen());
    EXPECT_TRUE(zan::test::OneMessageWith(p.dialogs, "Error: "));
    EXPECT_FALSE(m.op1.Checked());
    p.ServeBehind(sensor, link);
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(test::RunUntil([&] { return p.port.IsOpen(); }, 2000));
    std::printf("replug: reopened %lld ms after the link was re-pointed\n",
                static_cast<long long>(back.elapsed()));
    const int before = m.List1.Count();
    EXPECT_TRUE(test::RunUntil([&] { return m.List1.Count() > before + 1; }, 4000));
    EXPECT_TRUE(m.op1.Checked());
    EXPECT_NE(m.PortStatus.Caption().find("Port 1 reopened"), std::string::npos);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(sensor.Received(), "r");
}

TEST(PtyLinkOpenTest, AMissingDeviceIsReportedWithTheSystemsWords) {
    test::QtPtyProgram p(PortMap{{{3, "/dev/zanhost-no-such-device"}}});
    p.ctx.main.op3.Click();
    EXPECT_TRUE(zan::test::OneMessageWith(p.dialogs, "Error: /dev/zanhost-no-such-device"));
    EXPECT_FALSE(p.ctx.main.op3.Checked());
    p.ctx.main.op2.Click();
    EXPECT_NE(p.dialogs.Messages().back().text.find("--port 2="), std::string::npos);
}

// A quiet port lets the tick sleep; the port's read notification wakes it.
TEST(IdleTimer, TicksSleepAtAQuietPortAndWakeWhenDataArrives) {
    test::App();
    FeedDevice sensor;
    sim::PtyServer server(sensor);
    QtEventPump pump;
    QtDeviceLine port;
    port.Open(server.Path());
    server.Step(0);
    int ticks = 0;
    std::string received;
    const auto tick = [&] {
        ++ticks;
        received += port.Read(0);
    };
    pump.AddIdleTimer(0.010, tick, [&] { return !port.MayHaveInput(); });

    test::RunEventLoop(200);
    EXPECT_LE(ticks, 1);

    const std::string line = "12/06/26\t12:00:00\t1836\r\n";
    sensor.Feed(line);
    server.Step(0);
    test::RunUntil([&] { return received.size() >= line.size(); }, 2000, 10);
    EXPECT_EQ(received, line);
    EXPECT_LE(ticks, 5);
}

// A sensor talking fast: a short line every millisecond of its clock.
struct StreamDevice : Device {
    std::string Produce(double now) override {
        std::string out;
        for (; next < now; next += 0.001) out += "1\t2\t3\r\n";
        return out;
    }
    void OnOpen(double now) override { next = now; }
    std::string Describe() const override { return "stream"; }

    double next = 0;
};

// The pseudo-terminal is killed at a random moment while lines stream, many
// times over: every time the port must close with exactly one message, and
// never stay open on a line that has gone (which would spin on empty reads).
// ZANHOST_UNPLUG_LOOPS sets the count for a longer run.
TEST(UnplugLoop, EveryKilledTerminalClosesThePortWithExactlyOneMessage) {
    const char* loopsSetting = std::getenv("ZANHOST_UNPLUG_LOOPS");
    const int loops = loopsSetting ? std::atoi(loopsSetting) : 20;
    StreamDevice device;
    test::QtPtyProgram program(PortMap{}, 1);
    Context& ctx = program.ctx;
    MainForm_Load(ctx);
    const auto runUntil = [](const auto& done, int ms) { return test::RunUntil(done, ms, 1); };
    std::mt19937 rng(7);
    int singleMessages = 0, spins = 0;
    for (int i = 0; i < loops; ++i) {
        program.server = std::make_unique<sim::PtyServer>(device);
        PortMap map;
        map.paths[1] = program.server->Path();
        program.port.SetMap(map);
        ctx.main.op1.Click();
        ASSERT_TRUE(program.port.IsOpen());
        const std::string before = ctx.main.Label43.Caption();
        ASSERT_TRUE(runUntil([&] { return ctx.main.Label43.Caption() != before; }, 2000));
        test::RunEventLoop(std::uniform_int_distribution<int>(0, 20)(rng));
        const size_t messages = program.dialogs.Messages().size();
        program.server.reset();
        // The program is busy for a moment: by then the line may read as
        // ended (nothing) rather than failed.
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 20000)(rng)));
        if (!runUntil([&] { return !program.port.IsOpen(); }, 2000)) {
            ++spins;
            ctx.main.cp.Click();
        }
        test::RunEventLoop(20);
        if (program.dialogs.Messages().size() == messages + 1) ++singleMessages;
    }
    std::printf("unplug loop: %d kills, %d single messages, %d spins\n", loops, singleMessages,
                spins);
    EXPECT_EQ(singleMessages, loops);
    EXPECT_EQ(spins, 0);
}

}  // namespace
}  // namespace zan::ui
