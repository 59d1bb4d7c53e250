#include <gtest/gtest.h>

#include <set>

#include "core/test_support.h"
#include "service/log_check.h"
#include "service/log_files.h"
#include "service/posix_device_line.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace zan {
namespace {

TEST(LogConfig, ReadsEveryKeyAndFillsTheDefaults) {
    const LogConfigResult dfl = ParseLogConfig(
        "# a fluorometer on the ship's flow-through\n"
        "instrument = DFL\n"
        "usb-serial = A1B2C3   # found under any name\n"
        "offset = 50\n scale=0.01\n"
        "output = /data/ship\n"
        "rotation = hourly\n"
        "silence = 30\n"
        "mqtt-host = fleet.example.org\n",
        "flowthrough");
    ASSERT_TRUE(dfl.problems.empty()) << dfl.problems.front();
    const LogConfig& c = dfl.config;
    EXPECT_EQ(
        (std::vector<std::string>{c.name, c.viewName, c.usbSerial, c.dflOffset, c.dflScaling}),
        (std::vector<std::string>{"flowthrough", "chlorophyll", "A1B2C3", "50", "0.01"}));
    EXPECT_EQ(c.instrumentType, kDfl);
    EXPECT_EQ(c.graphView, kViewDflChlorophyll);
    EXPECT_EQ(c.rotation, Rotation::Hourly);
    EXPECT_EQ(c.silenceSeconds, 30);
    ASSERT_TRUE(c.broker);
    EXPECT_EQ(c.broker->port, 1883);
    EXPECT_EQ(c.broker->topic, "zanhost/flowthrough");

    const LogConfig tria =
        ParseLogConfig("instrument=TRIA\nview=counts\nport=/dev/ttyUSB0\noutput=/o\nname=m2\n", "x")
            .config;
    EXPECT_EQ(tria.graphView, kViewTriaCounts);
    EXPECT_EQ(tria.name, "m2");
    EXPECT_EQ(tria.rotation, Rotation::Daily);
    EXPECT_FALSE(tria.broker);
}

TEST(LogConfig, NamesEveryProblemWithItsLine) {
    const LogConfigResult bad = ParseLogConfig(
        "instrument = DFL\n"
        "cal = /etc/zanhost/cal.txt\n"
        "view = beta\n"
        "rotation = weekly\n"
        "silence = soon\n"
        "mqtt-port = 70000\n"
        "colour = blue\n"
        "just words\n"
        "mqtt-topic = fleet/m\n"
        "offset = nan\n",
        "m");
    const std::vector<std::string> expected{
        "line 4: 'rotation' is daily or hourly, not 'weekly'",
        "line 5: 'silence' needs a number, not 'soon'",
        "line 6: 'mqtt-port' is a port number from 1 to 65535",
        "line 7: unknown key 'colour'",
        "line 8: 'just words' is not key = value",
        "line 10: 'offset' needs a number, not 'nan'",
        "'port' or 'usb-serial' is needed",
        "'output' is needed",
        "no view 'beta' for the DFL; use chlorophyll or counts",
        "'cal' is for VSF, VSFS and TRIA; a DFL takes 'offset' and 'scale'",
        "'mqtt-host' is needed for the broker",
    };
    EXPECT_EQ(bad.problems, expected);
}

TEST(LogConfig, CheckReadsTheCalInfoFileAndTheFolderAndSaysWhatWouldBeDone) {
    test::TempFolder folder;
    const std::string conf = (folder / "mooring1.conf").string();
    test::WriteBytes(conf, "instrument = VSF\nport = " + (folder / "gone").string() +
                               "\nusb-serial = A1B2C3\ncal = " + ZANHOST_SOURCE_DIR +
                               "/examples/vsf_cal_info.txt\noutput = " + folder.path.string() +
                               "\nmqtt-host = 127.0.0.1\n");
    const LoadedLogConfig loaded = LoadLogConfig(conf);
    ASSERT_TRUE(loaded.problems.empty()) << loaded.problems.front();
    ASSERT_TRUE(loaded.calibration);
    const std::string plan = DescribeLogPlan(loaded.config, 1796687970);
    for (const std::string& words : std::vector<std::string>{
             "record the VSF 'mooring1'",
             (folder / "gone").string() +
                 " (or the adapter with USB serial number A1B2C3 when it is gone), not present now",
             "view beta, coefficients from " + std::string(ZANHOST_SOURCE_DIR),
             "a pair every UTC day", (folder / "mooring1_2026-12-07_raw.txt").string(),
             (folder / "mooring1_2026-12-07.txt").string(),
             (folder / "mooring1_events.log").string(),
             "published to 127.0.0.1:1883 under zanhost/mooring1"})
        EXPECT_NE(plan.find(words), std::string::npos) << words << "\n" << plan;

    test::WriteBytes(conf,
                     "instrument = VSF\nport = /dev/x\ncal = " + (folder / "none.txt").string() +
                         "\noutput = " + (folder / "none").string() + "\n");
    const LoadedLogConfig missing = LoadLogConfig(conf);
    ASSERT_EQ(missing.problems.size(), 2u);
    EXPECT_NE(missing.problems[0].find("none.txt"), std::string::npos) << missing.problems[0];
    EXPECT_EQ(missing.problems[1], "output folder " + (folder / "none").string() + " is not there");
    // The file's control bytes are quoted escaped, never sent to the terminal.
    test::WriteBytes(conf, "instrument = VSF\x1b]0;x\x07\n");
    EXPECT_EQ(
        LoadLogConfig(conf).problems.at(0),
        conf +
            ", line 1: unknown instrument 'VSF\\x1b]0;x\\x07'; use VSF, VSFS, DFL, DFLS or TRIA");
}

// An adapter is known by the USB serial number of the USB device above its
// terminal, wherever the system names it.
TEST(LogPort, TheSystemsTerminalsCarryTheirAdaptersUsbSerialNumber) {
    test::TempFolder sys;
    namespace fs = std::filesystem;
    const fs::path usb = sys / "devices/pci0/usb1/1-2";
    fs::create_directories(usb / "1-2:1.0/ttyUSB3");
    test::WriteBytes(usb / "idVendor", "0403\n");
    test::WriteBytes(usb / "serial", "A1B2C3\n");
    fs::create_directories(sys / "devices/platform/serial8250/tty/ttyS0");
    for (const char* tty : {"ttyUSB3", "ttyS0", "console"})
        fs::create_directories(sys / "class/tty" / tty);
    fs::create_directory_symlink(usb / "1-2:1.0", sys / "class/tty/ttyUSB3/device");
    fs::create_directory_symlink(sys / "devices/platform/serial8250",
                                 sys / "class/tty/ttyS0/device");

    const std::vector<SerialDevice> devices = ListSystemSerialDevices(sys.path.string());
    std::set<std::string> found;
    for (const SerialDevice& d : devices) found.insert(d.path + " " + d.serialNumber);
    EXPECT_EQ(found, (std::set<std::string>{"/dev/ttyS0 ", "/dev/ttyUSB3 A1B2C3"}));

    LogConfig config;
    config.usbSerial = "A1B2C3";
    EXPECT_EQ(DeviceToOpen(AdapterPortMap(config), 1, devices), "/dev/ttyUSB3");
    config.portPath = (sys / "by-id-gone").string();
    EXPECT_EQ(DeviceToOpen(AdapterPortMap(config), 1, devices), "/dev/ttyUSB3");
}

TEST(LogFiles, PeriodsAreUtcDaysOrHoursInIsoForm) {
    const LocalDateTime utc = UtcDateTime(1796687970);
    EXPECT_EQ(IsoTime(utc), "2026-12-07T23:59:30Z");
    EXPECT_EQ(PeriodName(utc, Rotation::Daily), "2026-12-07");
    EXPECT_EQ(PeriodName(utc, Rotation::Hourly), "2026-12-07T23");
    EXPECT_EQ(PeriodName(UtcDateTime(1796687970 + 30), Rotation::Hourly), "2026-12-08T00");
}

}  // namespace
}  // namespace zan
