#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <memory>

#include "context/context.h"
#include "gui/qt_test_app.h"
#include "link/port_operations.h"
#include "shell/main_load.h"
#include "sim/pty_server.h"
#include "sim/simulated_sensor.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_serial_port.h"
#include "virtual/fixed_clock.h"
#include "virtual/scripted_dialogs.h"

namespace zan::ui {
namespace {

// The real Qt serial backend reading the simulator over a pseudo-terminal.
class PtyLinkTest : public ::testing::Test {
  protected:
    PtyLinkTest() {
        test::App();
        server = std::make_unique<sim::PtyServer>(sensor);
        port = std::make_unique<QtSerialPort>(PortMap{{{1, server->Path()}}});
        ctx = std::make_unique<Context>(Platform{pump, *port, dialogs, clock});
        WireProgram(*ctx);
        ctx->state.InstrumentType = 1;  // the quick setup's VSF
        ctx->state.QuickSetupPort = 1;
        serve.setInterval(5);
        QObject::connect(&serve, &QTimer::timeout, [this] {
            if (server) server->Step(pump.Seconds());
        });
        serve.start();
    }

    // Runs the event loop until the condition holds or the time is up.
    template <typename F>
    bool RunUntil(F done, int ms) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms) test::RunEventLoop(20);
        return done();
    }

    sim::SimulatedSensor sensor{sim::SensorModel::Vsf};
    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<QtSerialPort> port;
    QtEventPump pump;
    ScriptedDialogs dialogs;
    FixedClock clock;
    std::unique_ptr<Context> ctx;
    QTimer serve;
};

TEST_F(PtyLinkTest, StreamedLinesReachTheReceiveList) {
    MainForm_Load(*ctx);
    ASSERT_TRUE(port->IsOpen()) << (dialogs.Messages().empty() ? "" : dialogs.Messages()[0].text);
    ASSERT_TRUE(RunUntil([&] { return ctx->main.List1.Count() >= 3; }, 8000));
    EXPECT_EQ(ctx->main.List1.Entry(0).rfind("12/06/26\t", 0), 0u) << ctx->main.List1.Entry(0);
    EXPECT_EQ(ctx->main.List1.Entry(1).find('\r'), std::string::npos);
    EXPECT_GE(std::stoi(ctx->main.Label43.Caption()), 1);
    EXPECT_EQ(ctx->main.Label44.Caption(), "6");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PtyLinkTest, CommandsReachTheSensorThroughTheRealPort) {
    MainForm_Load(*ctx);
    ASSERT_TRUE(port->IsOpen());
    ctx->main.Command5_1.Click();
    ASSERT_TRUE(RunUntil([&] { return sensor.Received().find('r') != std::string::npos; }, 3000));
    EXPECT_EQ(sensor.Received(), "r");
}

TEST_F(PtyLinkTest, LosingTheDeviceClosesThePortWithOneMessage) {
    MainForm_Load(*ctx);
    ASSERT_TRUE(RunUntil([&] { return ctx->main.List1.Count() >= 1; }, 5000));
    server.reset();
    ASSERT_TRUE(RunUntil([&] { return !port->IsOpen(); }, 3000));
    RunUntil([] { return false; }, 300);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, "Error");
    EXPECT_FALSE(ctx->main.op1.Checked());
}

TEST(PtyLinkOpenTest, AMissingDeviceIsReportedWithTheSystemsWords) {
    test::App();
    QtEventPump pump;
    QtSerialPort port(PortMap{{{3, "/dev/zanhost-no-such-device"}}});
    ScriptedDialogs dialogs;
    FixedClock clock;
    Context ctx(Platform{pump, port, dialogs, clock});
    WireProgram(ctx);
    ctx.main.op3.Click();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, "Error");
    EXPECT_NE(dialogs.Messages()[0].text.find("/dev/zanhost-no-such-device"), std::string::npos);
    EXPECT_FALSE(ctx.main.op3.Checked());
    ctx.main.op2.Click();
    EXPECT_NE(dialogs.Messages().back().text.find("--port 2="), std::string::npos);
}

}  // namespace
}  // namespace zan::ui
