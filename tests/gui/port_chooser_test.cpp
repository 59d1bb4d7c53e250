#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>
#include <cstdio>
#include <filesystem>

#include "core/test_support.h"
#include "gui/qt_test_app.h"
#include "link/port_operations.h"
#include "ui/port_chooser.h"
#include "ui/port_map.h"

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

TEST(PortMap, UsbAdaptersComeFirstAndAnOverrideNamesOnePort) {
    PortMap map = PortMapFromDevices(
        {"/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyUSB2"});
    EXPECT_EQ(
        map.paths,
        (std::map<int, std::string>{
            {1, "/dev/ttyUSB2"}, {2, "/dev/ttyUSB10"}, {3, "/dev/ttyACM0"}, {4, "/dev/ttyS2"}}));
    EXPECT_EQ(ApplyPortOverride(map, "3=/dev/serial/by-id/usb-adapter"), "");
    EXPECT_EQ(map.paths.at(3), "/dev/serial/by-id/usb-adapter");
    for (const char* bad : {"5=/dev/ttyS0", "0=/dev/ttyS0", "1", "1=", "=/dev/ttyS0"})
        EXPECT_NE(ApplyPortOverride(map, bad).find("--port wants N=PATH"), std::string::npos)
            << bad;
}

}  // namespace
}  // namespace zan::ui
