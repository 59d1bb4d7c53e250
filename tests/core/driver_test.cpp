#include "driver/driver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zan {
namespace {

std::string RunScript(const std::string& script) {
    std::ostringstream out;
    Driver driver(out);
    std::istringstream in(script);
    EXPECT_EQ(driver.Run(in), 0) << out.str();
    return out.str();
}

TEST(Driver, RunsAnAcquisitionScriptAndPrintsWhatItIsAsked) {
    const std::string out = RunScript(
        "# a VSF on port 1\nattach 1 VSF\nload\nclick op1\nwait 2.5\nprint Label43\n"
        "state PacketRow\nunplug\nwait 0.1\nport 1\nfeed 1 1\\t2\\r\\n\n");
    EXPECT_EQ(out,
              "Label43: caption \"2\" visible true enabled true colour 192,192,192\n"
              "PacketRow = \"3\"\n"
              "message \"Error\": Port 1 (simulated VSF) was lost: the serial adapter was "
              "disconnected. ZAN Host reopens it by itself when the device is back.\n"
              "port 1 = simulated VSF\n");
}

TEST(Driver, RunsASettingsScriptAndPrintsTheLogger) {
    const std::string out = RunScript(
        "attach 1 VSF\nload\nclick inst2\nclick op1\nclick mdy\nwait 2\n"
        "set Text3 40\nset Slider1 60\nset Text4 90\nset Check6 1\n"
        "set Text1 3\nset Text6 9\nset Text7 27\nset Text5 14\nset Text8 30\n"
        "click Command2\nset Slider1 2\nclick Command3\nprint Slider1\nlogger 1\n");
    EXPECT_NE(
        out.find("Slider1: caption \"\" visible true enabled true colour 192,192,192 value 60\n"
                 "logger 1: bits 000001 smoothing 60 delay 0 block 40 interval 90 pointer 8192"),
        std::string::npos)
        << out;
}

TEST(Driver, ReportsUnknownAndFailedCommands) {
    std::ostringstream out;
    Driver driver(out);
    for (const char* bad : {"bogus", "click NoSuchControl", "wait soon", "logger 1 bits 12"})
        EXPECT_FALSE(driver.Execute(bad)) << bad;
    EXPECT_EQ(out.str().rfind("error: unknown command: bogus\n", 0), 0u) << out.str();
}

}  // namespace
}  // namespace zan
