#include "ui/port_map.h"

#include "link/port_operations.h"

#include <gtest/gtest.h>

namespace zan::ui {
namespace {

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
