#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/settings_test_support.h"
#include "service/log_files.h"
#include "settings/sensor_clock.h"

namespace zan {
namespace {

using test::ScriptedLogger;
using test::SettingsBench;

TEST(SensorClock, TheComparisonNamesBothClocksAndHowFarApartInWords) {
    const InstrumentClock noon{2006, 7, 4, 12, 0, 0};
    const struct {
        LocalDateTime computer;
        std::string says;
    } cases[] = {
        {{2006, 7, 4, 12, 0, 37}, "computer 2006-07-04 12:00:37: sensor clock 37 s behind"},
        {{2006, 7, 4, 12, 0, 1}, "computer 2006-07-04 12:00:01: sensor clock in step"},
        {{2006, 7, 4, 11, 57, 55}, "computer 2006-07-04 11:57:55: sensor clock 2 min 5 s ahead"},
        {{2006, 7, 3, 23, 0, 0}, "computer 2006-07-03 23:00:00: sensor clock 13 h 0 min ahead"},
        {{2007, 3, 1, 12, 0, 0}, "computer 2007-03-01 12:00:00: sensor clock 240 days 0 h behind"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClockComparison(noon, c.computer), "Sensor 2006-07-04 12:00:00, " + c.says);
}

struct ComputerClock : testing::Test {
    std::shared_ptr<ScriptedLogger> logger = std::make_shared<ScriptedLogger>();
    SettingsBench bench{logger};
    MainForm& m = bench.m;
    LocalDateTime& now = bench.program.clock.now;
};

TEST_F(ComputerClock, RetrievalShowsTheSensorClockBesideTheComputers) {
    logger->replies['C'] = "C\r\n07/04/06\t32400\r\n>";
    now = {2006, 7, 4, 12, 0, 37};
    m.Command3.Click();
    EXPECT_EQ(m.ClockDifference.Caption(),
              "Sensor 2006-07-04 12:00:00, computer 2006-07-04 12:00:37: sensor clock 37 s behind");
    EXPECT_EQ(m.Text5.Text() + ":" + m.Text8.Text() + ":" + m.Text48.Text(), "12:00:00");
}

// The wall clock goes on during the exchange: Apply sends the time of the moment it sends.
TEST_F(ComputerClock, ApplySendsTheComputersDateAndTimeOfTheMomentTheyAreSent) {
    const double newYearsEve = 1798761595;  // 2026-12-31 23:59:55
    int seconds = 0;
    now = UtcDateTime(newYearsEve);
    bench.program.pump.AddTimer(1, [&] { now = UtcDateTime(newYearsEve + ++seconds); });
    logger->replies['B'] = "B\r\nControl bits: ";
    m.ComputerClock.Click();
    m.Text1.SetText("x");
    m.Command2.Click();
    const std::string& sent = logger->written;
    // The boxes' own "x" was never a date to refuse; midnight passed before the date went.
    for (const auto& shown : bench.program.dialogs.Messages())
        ADD_FAILURE() << shown.title << ": " << shown.text;
    ASSERT_GE(sent.size(), 11u);
    EXPECT_EQ(sent.substr(sent.size() - 11), "U010127000\r");
    EXPECT_EQ(m.Text1.Text() + "/" + m.Text6.Text() + "/" + m.Text7.Text(), "01/01/27");
}

}  // namespace
}  // namespace zan
