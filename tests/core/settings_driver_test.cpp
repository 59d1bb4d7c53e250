#include <gtest/gtest.h>

#include <sstream>

#include "driver/driver.h"

namespace zan {
namespace {

std::string RunScript(const std::string& script) {
    std::ostringstream out;
    Driver driver(out);
    std::istringstream in(script);
    EXPECT_EQ(driver.Run(in), 0) << out.str();
    return out.str();
}

TEST(SettingsDriver, ScriptAppliesRetrievesAndPrintsTheFrameAndTheLogger) {
    const std::string out = RunScript(
        "attach 1 VSF\nload\nclick inst2\nclick op1\nclick mdy\nwait 2\n"
        "set Text3 40\nset Slider1 60\nset Text4 90\nset Check6 1\n"
        "set Text1 3\nset Text6 9\nset Text7 27\nset Text5 14\nset Text8 30\n"
        "click Command2\nset Slider1 2\nclick Command3\nprint Slider1\nprint Check6\nlogger 1\n");
    EXPECT_NE(
        out.find("Slider1: caption \"\" visible true enabled true colour 192,192,192 value 60\n"
                 "Check6: caption \"Append\" visible true enabled true colour 192,192,192 value 1\n"
                 "logger 1: bits 000001 smoothing 60 delay 0 block 40 interval 90 pointer 8192"),
        std::string::npos)
        << out;
}

TEST(SettingsDriver, LoggerCommandChoosesTheAwkwardSensorsAndRejectsUnknownSettings) {
    const std::string out = RunScript(
        "attach 1 DFL\nlogger 1 busy on\nload\nclick inst4\nclick op1\nwait 2\nclick Command3\n"
        "logger 1 busy off prompt-echo on bits 102102 pointer 65535 smoothing 999\nclick Command3\n"
        "print Label10\n");
    EXPECT_NE(out.find("message \"Conflict\""), std::string::npos) << out;
    EXPECT_NE(out.find("message \"Measurement Smoothing\""), std::string::npos) << out;
    EXPECT_NE(out.find("Label10: caption \" 100%\""), std::string::npos) << out;
    std::ostringstream ignored;
    Driver driver(ignored);
    EXPECT_TRUE(driver.Execute("attach 1 VSF"));
    for (const char* bad : {"logger 1 colour red", "logger 1 bits 12", "logger 2 busy on"})
        EXPECT_FALSE(driver.Execute(bad)) << bad;
}

}  // namespace
}  // namespace zan
