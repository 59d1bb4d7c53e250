#include "driver/driver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zan {
namespace {

std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Driver, RunsAScriptAgainstASimulatedSensorAndPrintsWhatItIsAsked) {
    std::ostringstream out;
    Driver driver(out);
    std::istringstream script(
        "# a VSF on port 1\n"
        "attach 1 VSF\n"
        "load\n"
        "click op1\n"
        "wait 2.5\n"
        "print Label43\n"
        "print List1\n"
        "state PacketRow\n"
        "unplug\n"
        "wait 0.1\n"
        "print op1\n"
        "port 1\n");
    EXPECT_EQ(driver.Run(script), 0);
    const auto lines = OutputLines(out.str());
    ASSERT_EQ(lines.size(), 9u) << out.str();
    EXPECT_EQ(lines[0], "Label43: caption \"2\" visible true enabled true colour 192,192,192");
    EXPECT_EQ(lines[1].rfind("List1: caption \"\"", 0), 0u);
    // The port opened as the first line began, so only its tail arrived.
    EXPECT_EQ(lines[2].rfind("  0: \"2/06/26\\t12:00:00\\t", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("  1: \"12/06/26\\t12:00:01\\t", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4].rfind("  2: \"12/06/26\\t12:00:02\\t", 0), 0u) << lines[4];
    EXPECT_EQ(lines[5], "PacketRow = \"3\"");
    EXPECT_EQ(lines[6], "message \"Error\": The serial adapter was disconnected");
    EXPECT_EQ(
        lines[7],
        "op1: caption \"Open Port 1\" visible true enabled true colour 192,192,192 checked false");
    EXPECT_EQ(lines[8], "port 1 = simulated VSF");
}

TEST(Driver, FeedsEscapedTextAndReportsUnknownAndFailedCommands) {
    std::ostringstream out;
    Driver driver(out);
    EXPECT_TRUE(driver.Execute("load"));
    EXPECT_TRUE(driver.Execute("feed 2 1\\t2\\r\\n"));
    EXPECT_TRUE(driver.Execute("click op2"));
    EXPECT_TRUE(driver.Execute("feed 2 7\\t8\\r\\n"));
    EXPECT_TRUE(driver.Execute("wait 0.05"));
    EXPECT_TRUE(driver.Execute("state PacketTable(0,0)"));
    EXPECT_TRUE(driver.Execute("click cp"));
    EXPECT_TRUE(driver.Execute("click op3"));
    EXPECT_FALSE(driver.Execute("bogus"));
    EXPECT_FALSE(driver.Execute("click NoSuchControl"));
    EXPECT_FALSE(driver.Execute("wait soon"));
    // What was fed before the port opened was lost on the line.
    EXPECT_EQ(out.str(),
              "PacketTable(0,0) = \"7\\t\"\n"
              "message \"Error\": Port 3 is not connected to a device\n"
              "error: unknown command: bogus\n"
              "error: click: no control named NoSuchControl\n"
              "error: wait: Type mismatch\n");
}

TEST(Driver, EscapesRoundTripThroughUnescape) {
    const std::string raw = "a\tb\r\nc\\d";
    EXPECT_EQ(Escape(raw), "a\\tb\\r\\nc\\\\d");
    EXPECT_EQ(Unescape(Escape(raw)), raw);
}

}  // namespace
}  // namespace zan
