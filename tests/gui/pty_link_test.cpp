#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/test_support.h"
#include "gui/qt_pty_program.h"
#include "shell/main_load.h"
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
    const auto serve = [&] {
        p.server = std::make_unique<sim::PtyServer>(sensor);
        // A new terminal echoes what reaches it until its opener makes it raw;
        // made raw here, whatever the sensor receives was sent by the program.
        const int slave = ::open(p.server->Path().c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        ::close(slave);
        fs::create_symlink(p.server->Path(), folder / "fresh");
        fs::rename(folder / "fresh", link);
    };
    serve();
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

    p.server.reset();
    ASSERT_TRUE(test::RunUntil([&] { return !p.port.IsOpen(); }, 3000));
    test::RunUntil([] { return false; }, 700);
    ASSERT_FALSE(p.port.IsOpen());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Error");
    EXPECT_FALSE(m.op1.Checked());
    serve();
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
    const auto& messages = p.dialogs.Messages();
    p.ctx.main.op3.Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Error");
    EXPECT_NE(messages[0].text.find("/dev/zanhost-no-such-device"), std::string::npos);
    EXPECT_FALSE(p.ctx.main.op3.Checked());
    p.ctx.main.op2.Click();
    EXPECT_NE(messages.back().text.find("--port 2="), std::string::npos);
}

}  // namespace
}  // namespace zan::ui
