#include <gtest/gtest.h>

#include <memory>

#include "gui/qt_pty_program.h"
#include "shell/main_load.h"
#include "sim/simulated_sensor.h"

namespace zan::ui {
namespace {

// The real Qt serial backend reading the simulator over a pseudo-terminal.
class PtyLinkTest : public ::testing::Test {
  protected:
    PtyLinkTest() {
        p.server = std::make_unique<sim::PtyServer>(sensor);
        p.port.SetMap(PortMap{{{1, p.server->Path()}}});
        p.ctx.state.InstrumentType = 1;  // the quick setup's VSF
        p.ctx.state.QuickSetupPort = 1;
    }

    sim::SimulatedSensor sensor{sim::SensorModel::Vsf};
    test::QtPtyProgram p{PortMap{}};
};

TEST_F(PtyLinkTest, StreamedLinesReachTheReceiveList) {
    MainForm_Load(p.ctx);
    ASSERT_TRUE(p.port.IsOpen()) << (p.dialogs.Messages().empty() ? ""
                                                                  : p.dialogs.Messages()[0].text);
    ASSERT_TRUE(test::RunUntil([&] { return p.ctx.main.List1.Count() >= 3; }, 8000));
    EXPECT_EQ(p.ctx.main.List1.Entry(0).rfind("12/06/26\t", 0), 0u) << p.ctx.main.List1.Entry(0);
    EXPECT_EQ(p.ctx.main.List1.Entry(1).find('\r'), std::string::npos);
    EXPECT_GE(std::stoi(p.ctx.main.Label43.Caption()), 1);
    EXPECT_EQ(p.ctx.main.Label44.Caption(), "6");
    EXPECT_TRUE(p.dialogs.Messages().empty());
}

TEST_F(PtyLinkTest, CommandsReachTheSensorThroughTheRealPort) {
    MainForm_Load(p.ctx);
    ASSERT_TRUE(p.port.IsOpen());
    p.ctx.main.Command5_1.Click();
    ASSERT_TRUE(
        test::RunUntil([&] { return sensor.Received().find('r') != std::string::npos; }, 3000));
    EXPECT_EQ(sensor.Received(), "r");
}

TEST_F(PtyLinkTest, LosingTheDeviceClosesThePortWithOneMessage) {
    MainForm_Load(p.ctx);
    ASSERT_TRUE(test::RunUntil([&] { return p.ctx.main.List1.Count() >= 1; }, 5000));
    p.server.reset();
    ASSERT_TRUE(test::RunUntil([&] { return !p.port.IsOpen(); }, 3000));
    test::RunUntil([] { return false; }, 300);
    ASSERT_EQ(p.dialogs.Messages().size(), 1u);
    EXPECT_EQ(p.dialogs.Messages()[0].title, "Error");
    EXPECT_FALSE(p.ctx.main.op1.Checked());
}

TEST(PtyLinkOpenTest, AMissingDeviceIsReportedWithTheSystemsWords) {
    test::QtPtyProgram p(PortMap{{{3, "/dev/zanhost-no-such-device"}}});
    Context& ctx = p.ctx;
    ScriptedDialogs& dialogs = p.dialogs;
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
