#include <gtest/gtest.h>

#include <filesystem>

#include "core/test_support.h"
#include "ports/mapped_port.h"
#include "ports/routing_port.h"
#include "ports/serial_devices.h"
#include "virtual/virtual_port.h"
#include "virtual/virtual_pump.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

TEST(PortBindings, StableNamesBindingsAndSerialNumbersFindTheAdapterAgain) {
    const test::TempFolder folder;
    const fs::path& dir = folder.path;
    const fs::path device = dir / "ttyUSB3", link = dir / "usb-Maker_Adapter_A1-if00-port0";
    test::WriteBytes(device, "");
    fs::create_symlink(device, link);
    EXPECT_EQ(StableNames(dir.string()),
              (std::map<std::string, std::string>{{device.string(), link.string()}}));

    EXPECT_EQ(DevicePath("pts/3"), "/dev/pts/3");
    EXPECT_EQ(DevicePath("./link"), (fs::current_path() / "link").string());
    PortMap map;
    EXPECT_EQ(ApplyPortOverride(map, "1=ttyACM2"), "");
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

// A device line that opens any path that is in its list of present devices.
class FakeLine : public DeviceLine {
  public:
    std::vector<std::string> present;
    std::string opened;
    void Open(const std::string& path) override {
        if (std::find(present.begin(), present.end(), path) == present.end())
            throw PortError(path + ": No such file or directory");
        opened = path;
    }
    void Close() override { opened.clear(); }
    bool IsOpen() const override { return !opened.empty(); }
    void Write(const std::string&) override {}
    std::string Read(int) override { return "from " + opened; }
    int CharsWaiting() override { return 0; }
    bool MayHaveInput() override { return true; }
    void SetDtr(bool) override {}
};

// An adapter bound by name and serial number is opened again under a new
// name; a number routed elsewhere (a simulated sensor) never reaches the devices.
TEST(Ports, ARepluggedAdapterOpensUnderItsNewNameAndARoutedNumberGoesItsOwnWay) {
    FakeLine line;
    std::vector<SerialDevice> devices = {{"/dev/zanhost-ttyUSB0", "", "", "", "", "A1"}};
    int listings = 0;
    PortMap map{{{2, "/dev/zanhost-ttyUSB0"}}};
    RecordSerialNumbers(map, devices);
    MappedPort mapped(
        line,
        [&] {
            ++listings;
            return devices;
        },
        map);
    VirtualPump pump;
    VirtualPort simulated(pump);
    RoutingPort port(mapped);
    port.Route(1, simulated);

    devices = {{"/dev/zanhost-ttyUSB5", "", "", "", "", "A1"}};
    line.present = {"/dev/zanhost-ttyUSB5"};
    port.Open(2);
    EXPECT_EQ(port.Describe(2), "/dev/zanhost-ttyUSB0 (now /dev/zanhost-ttyUSB5)");
    EXPECT_EQ(port.Read(0), "from /dev/zanhost-ttyUSB5");
    EXPECT_EQ(listings, 1);
    port.Close();
    EXPECT_EQ(port.Describe(2), "/dev/zanhost-ttyUSB0");

    EXPECT_THROW(port.Open(1), PortError);  // nothing attached to the simulated port
    EXPECT_TRUE(line.opened.empty());
    EXPECT_EQ(port.Describe(3), "no device");
    try {
        port.Open(3);
        FAIL();
    } catch (const PortError& e) {
        EXPECT_NE(std::string(e.what()).find("--port 3="), std::string::npos);
    }
}

}  // namespace
}  // namespace zan
