#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>

#include "gui/qt_test_app.h"
#include "ui/port_chooser.h"

namespace zan::ui {
namespace {

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

}  // namespace
}  // namespace zan::ui
