#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QComboBox>
#include <QTableWidget>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/test_support.h"
#include "gui/qt_pty_program.h"
#include "shell/main_load.h"
#include "sim/simulated_sensor.h"
#include "ui/port_chooser.h"

namespace zan::ui {
namespace {

namespace fs = std::filesystem;

TEST(PortBindings, StableNamesBindingsAndSerialNumbersFindTheAdapterAgain) {
    const zan::test::TempFolder folder;
    const fs::path& dir = folder.path;
    std::FILE* device = std::fopen((dir / "ttyUSB3").c_str(), "w");
    std::fclose(device);
    fs::create_symlink(dir / "ttyUSB3", dir / "usb-Maker_Adapter_A1-if00-port0");
    const auto names = StableNames(dir.string());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names.at((dir / "ttyUSB3").string()),
              (dir / "usb-Maker_Adapter_A1-if00-port0").string());

    EXPECT_EQ(DevicePath("pts/3"), "/dev/pts/3");
    EXPECT_EQ(DevicePath("./link"), (fs::current_path() / "link").string());
    PortMap map;
    EXPECT_EQ(ApplyPortOverride(map, "1=ttyACM2"), "");
    EXPECT_EQ(map.paths.at(1), "/dev/ttyACM2");
    BindPort(map, 2, {"/dev/ttyUSB0", "/dev/serial/by-id/usb-A", "0403:6001", "M", "P", "A1"});
    BindPort(map, 4, {"/dev/ttyS0", "", "", "", "", ""});
    const std::string text = FormatPortBindings(map);
    EXPECT_EQ(text, "1=/dev/ttyACM2\r\n2=/dev/serial/by-id/usb-A\tA1\r\n4=/dev/ttyS0\r\n");
    PortMap again;
    ApplyPortBindings(again, "garbage\r\n9=/dev/x\r\n" + text);
    EXPECT_EQ(again.paths, map.paths);
    EXPECT_EQ(again.serials, map.serials);

    // The bound name is gone; the adapter with the same serial number is back elsewhere.
    const std::vector<SerialDevice> present = {{"/dev/ttyUSB7", "", "", "", "", "B2"},
                                               {"/dev/ttyUSB9", "", "", "", "", "A1"}};
    EXPECT_EQ(DeviceToOpen(map, 2, present), "/dev/ttyUSB9");
    EXPECT_EQ(DeviceToOpen(map, 3, present), "");
    const std::string bindings = (dir / "zanhost" / "ports.def").string();
    SavePortBindings(map, bindings);
    PortMap loaded;
    LoadPortBindings(loaded, bindings);
    EXPECT_EQ(loaded.paths, map.paths);
}

TEST(PortChooserDialog, ListsTheDevicesAndBindsThePortsAsChosen) {
    test::App();
    PortMap current;
    current.paths[1] = "/dev/ttyS0";
    current.paths[3] = "/dev/ttyS1";
    const std::vector<SerialDevice> devices = {
        {"/dev/ttyUSB0", "/dev/serial/by-id/usb-A", "0403:6001", "Maker", "Adapter", "A1"}};
    PortChooser chooser(current, devices, nullptr);
    const auto* table = chooser.findChild<QTableWidget*>("DeviceTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), "/dev/serial/by-id/usb-A");
    EXPECT_EQ(table->item(0, 5)->text(), "A1");
    chooser.findChild<QComboBox*>("PortChoice2")->setCurrentIndex(1);  // the adapter
    chooser.findChild<QComboBox*>("PortChoice3")->setCurrentIndex(1);  // no device
    const PortMap chosen = chooser.Chosen();
    EXPECT_EQ(chosen.paths,
              (std::map<int, std::string>{{1, "/dev/ttyS0"}, {2, "/dev/serial/by-id/usb-A"}}));
    EXPECT_EQ(chosen.serials, (std::map<int, std::string>{{2, "A1"}}));
}

// The adapter returns as a new pseudo-terminal behind the same stable name.
TEST(PtyReplug, ALinkRepointedToANewTerminalIsReopenedWithinTwoSeconds) {
    const zan::test::TempFolder folder;
    const fs::path& dir = folder.path;
    const fs::path link = dir / "usb-Maker_Adapter_A1-if00-port0";
    sim::SimulatedSensor sensor{sim::SensorModel::Vsf};
    PortMap map;
    map.paths[1] = link.string();
    test::QtPtyProgram program(map);
    auto& server = program.server;
    server = std::make_unique<sim::PtyServer>(sensor);
    fs::create_symlink(server->Path(), link);
    Context& ctx = program.ctx;
    QtSerialPort& port = program.port;
    ScriptedDialogs& dialogs = program.dialogs;
    ctx.state.InstrumentType = 1;
    ctx.state.QuickSetupPort = 1;
    const auto runUntil = [](const auto& done, int ms) { return test::RunUntil(done, ms); };
    MainForm_Load(ctx);
    ASSERT_TRUE(runUntil([&] { return ctx.main.List1.Count() >= 2; }, 5000));

    server.reset();
    ASSERT_TRUE(runUntil([&] { return !port.IsOpen(); }, 3000));
    runUntil([] { return false; }, 700);
    ASSERT_FALSE(port.IsOpen());
    server = std::make_unique<sim::PtyServer>(sensor);
    // A new terminal echoes what reaches it until its opener makes it raw;
    // made raw here, whatever the sensor receives was sent by the program.
    const int slave = ::open(server->Path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    ::close(slave);
    const fs::path fresh = dir / "fresh";
    fs::create_symlink(server->Path(), fresh);
    fs::rename(fresh, link);
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(runUntil([&] { return port.IsOpen(); }, 2000));
    std::printf("replug: reopened %lld ms after the link was re-pointed\n",
                static_cast<long long>(back.elapsed()));
    const int before = ctx.main.List1.Count();
    EXPECT_TRUE(runUntil([&] { return ctx.main.List1.Count() > before + 1; }, 4000));
    EXPECT_TRUE(ctx.main.op1.Checked());
    EXPECT_NE(ctx.main.PortStatus.Caption().find("Port 1 reopened"), std::string::npos);
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(sensor.Received(), "");
}

}  // namespace
}  // namespace zan::ui
