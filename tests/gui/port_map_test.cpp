#include "ui/port_map.h"

#include <gtest/gtest.h>

namespace zan::ui {
namespace {

TEST(PortMap, UsbAdaptersComeFirstThenModemsThenBuiltInPortsInNumberOrder) {
    const std::vector<std::string> ordered =
        OrderSerialDevices({"/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM0", "/dev/ttyUSB10",
                            "/dev/ttyUSB2", "/dev/ttyS0"});
    EXPECT_EQ(ordered, (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0",
                                                 "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10"}));
}

TEST(PortMap, OnlyTheFirstFourDevicesGetANumber) {
    const PortMap map = PortMapFromDevices(
        {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3", "/dev/ttyUSB0"});
    ASSERT_EQ(map.paths.size(), 4u);
    EXPECT_EQ(map.paths.at(1), "/dev/ttyUSB0");
    EXPECT_EQ(map.paths.at(4), "/dev/ttyS2");
    const PortMap one = PortMapFromDevices({"/dev/ttyUSB0"});
    EXPECT_EQ(DescribePorts([&one](int n) { return one.paths.count(n) ? one.paths.at(n) : "-"; }),
              "Port 1: /dev/ttyUSB0   Port 2: -   Port 3: -   Port 4: -");
}

TEST(PortMap, AnOverrideNamesOnePortAndBadOnesAreExplained) {
    PortMap map = PortMapFromDevices({"/dev/ttyS0"});
    EXPECT_EQ(ApplyPortOverride(map, "3=/dev/serial/by-id/usb-adapter"), "");
    EXPECT_EQ(map.paths.at(3), "/dev/serial/by-id/usb-adapter");
    EXPECT_EQ(ApplyPortOverride(map, "1=/dev/ttyUSB7"), "");
    EXPECT_EQ(map.paths.at(1), "/dev/ttyUSB7");
    for (const char* bad : {"5=/dev/ttyS0", "0=/dev/ttyS0", "1", "1=", "=/dev/ttyS0", "12=/dev/x"})
        EXPECT_NE(ApplyPortOverride(map, bad).find("--port wants N=PATH"), std::string::npos)
            << bad;
}

}  // namespace
}  // namespace zan::ui
