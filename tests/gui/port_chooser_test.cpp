#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>
#include <filesystem>

#include "core/test_support.h"
#include "gui/qt_test_app.h"
#include "ports/mapped_port.h"
#include "ui/port_chooser.h"
#include "ui/qt_text.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

TEST(PortChooserDialog, ListsTheDevicesAndBindsThePortsAsChosen) {
    test::App();
    const PortMap current{{{1, "/dev/ttyS0"}, {3, "/dev/ttyS1"}}};
    const std::vector<SerialDevice> devices = {
        {"/dev/ttyUSB0", "/dev/serial/by-id/usb-A", "0403:6001", "Maker", "Adapter", "A1"}};
    const auto describe = [&current](int n) {
        return n == 1                   ? std::string("simulated VSF")
               : current.paths.count(n) ? current.paths.at(n)
                                        : "no device";
    };
    PortChooser chooser(current, devices, describe, nullptr);
    const auto* table = chooser.findChild<QTableWidget*>("DeviceTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), "/dev/serial/by-id/usb-A");
    EXPECT_EQ(table->item(0, 5)->text(), "A1");
    // Each number first offers what it means now: the simulated sensor, not the device under it.
    EXPECT_EQ(chooser.findChild<QComboBox*>("PortChoice1")->currentText(),
              "simulated VSF (as now)");
    EXPECT_EQ(chooser.findChild<QComboBox*>("PortChoice2")->currentText(), "no device (as now)");
    EXPECT_EQ(chooser.Chosen().paths, current.paths);
    chooser.findChild<QComboBox*>("PortChoice2")->setCurrentIndex(2);  // the adapter
    chooser.findChild<QComboBox*>("PortChoice3")->setCurrentIndex(1);  // no device
    const PortMap chosen = chooser.Chosen();
    EXPECT_EQ(chosen.paths,
              (std::map<int, std::string>{{1, "/dev/ttyS0"}, {2, "/dev/serial/by-id/usb-A"}}));
    EXPECT_EQ(chosen.serials, (std::map<int, std::string>{{2, "A1"}}));
}

// A device line with nothing behind it: choosing devices opens none.
struct NoLine : DeviceLine {
    void Open(const std::string& path) override { throw PortError(path + ": not here"); }
    void Close() override {}
    bool IsOpen() const override { return false; }
    void Write(const std::string&) override {}
    std::string Read(int) override { return {}; }
    int CharsWaiting() override { return 0; }
    bool MayHaveInput() override { return false; }
    void SetDtr(bool) override {}
};

// The menu entry's caption ends in one UTF-8 ellipsis, read so in the menu;
// OK without a change saves nothing, and the status bar says which it was.
TEST(PortChooserDialog, TheMenuEntryReadsWithAnEllipsisAndOkSavesOnlyAChange) {
    test::App();
    const zan::test::TempFolder folder;
    const std::string bindings = (folder / "ports.def").string();
    VirtualProgram program;
    program.Load();
    EXPECT_EQ(program.ctx.main.chdev.Caption(), "Choose Devices\xE2\x80\xA6");
    EXPECT_EQ(ToQt(program.ctx.main.chdev.Caption()), QString("Choose Devices") + QChar(0x2026));
    // Bytes that are not UTF-8 are the sensor's Latin-1.
    EXPECT_EQ(ToQt("25\xB0"), QString("25") + QChar(0xB0));

    PortMap map{{{1, "/dev/ttyS0"}}};
    NoLine line;
    MappedPort port(
        line, [] { return std::vector<SerialDevice>{}; }, map);
    ApplyChosenDevices(program.ctx, port, map, bindings);
    EXPECT_FALSE(std::filesystem::exists(bindings));
    EXPECT_NE(program.ctx.main.PortStatus.Caption().find("nothing changed, nothing saved"),
              std::string::npos);
    map.paths[2] = "/dev/ttyUSB0";
    ApplyChosenDevices(program.ctx, port, map, bindings);
    EXPECT_EQ(zan::test::ReadBytes(bindings), "1=/dev/ttyS0\r\n2=/dev/ttyUSB0\r\n");
    EXPECT_EQ(port.Map().paths, map.paths);
    EXPECT_NE(program.ctx.main.PortStatus.Caption().find("devices chosen; kept in " + bindings),
              std::string::npos);
}

}  // namespace
}  // namespace zan::ui
