#include <gtest/gtest.h>

#include "settings/settings_application.h"
#include "settings_test_support.h"

namespace zan {
namespace {

using test::ScriptedLogger;
using test::SettingsBench;

struct Application : ::testing::Test {
    void SetUp() override {
        m.mdy.Click();
        m.Text3.SetText("100");
        m.Check7.SetValue(1);
        m.Check1.SetValue(1);
        m.Check2.SetValue(0);
        m.Check6.SetValue(1);
        m.Slider1.SetValue(25);
        m.Text2.SetText("2");
        m.Text4.SetText("60");
        m.Text1.SetText("7");
        m.Text6.SetText("4");
        m.Text7.SetText("2006");
        m.Text5.SetText("9");
        m.Text8.SetText("05");
    }
    std::shared_ptr<ScriptedLogger> logger = std::make_shared<ScriptedLogger>();
    SettingsBench bench{logger};
    MainForm& m = bench.m;
    const std::vector<ScriptedDialogs::Message>& Messages() {
        return bench.program.dialogs.Messages();
    }
};

TEST_F(Application, SendsEverySettingThenTheDateAndTimeAndNormalisesTheDateBoxes) {
    EXPECT_EQ(ControlBitsText(bench.program.ctx), "100101");
    const double start = bench.program.pump.Seconds();
    m.Command2.Click();
    EXPECT_EQ(logger->written, "B100101D2\rI60\rQ100\rT 25\rU070406905\r");
    EXPECT_NEAR(bench.program.pump.Seconds() - start, 10.2, 0.05);
    EXPECT_EQ(m.Text1.Text(), "07");
    EXPECT_EQ(m.Text6.Text(), "04");
    EXPECT_EQ(m.Text7.Text(), "06");
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Application, DayMonthFormatSendsTheMonthFromTheSecondBox) {
    m.dmy.Click();
    m.Command2.Click();
    EXPECT_NE(logger->written.find("U040706905\r"), std::string::npos) << logger->written;
}

TEST_F(Application, ProgressReachesNinetyWithADateAndEightyWithout) {
    double highest = 0;
    m.ProgressBar1.Observe([&](Property) { highest = std::max(highest, m.ProgressBar1.Value()); });
    m.Command2.Click();
    EXPECT_EQ(highest, 90);
    m.mdy.SetChecked(false);
    highest = 0;
    logger->written.clear();
    m.Command2.Click();
    EXPECT_EQ(highest, 80);
    EXPECT_EQ(logger->written, "B100101D2\rI60\rQ100\rT 25\rU905\r");
}

TEST_F(Application, GreyCheckBoxesSendTwoAndEmptyBoxesABareReturn) {
    m.Check2.SetValue(2);
    m.Text2.SetText("");
    m.Command2.Click();
    EXPECT_EQ(logger->written.substr(0, 9), "B100121D\r");
}

TEST_F(Application, SingleDigitMinutesAreSentAsTwoSoTheSensorSplitsTheTimeRight) {
    m.Text8.SetText("5");
    m.Command2.Click();
    EXPECT_NE(logger->written.find("U070406905\r"), std::string::npos) << logger->written;
    EXPECT_EQ(m.Text8.Text(), "5");
}

TEST_F(Application, ImpossibleDatesAndTimesAreRefusedBeforeAnythingIsSent) {
    const struct {
        const char *month, *day, *hours, *minutes, *says;
    } cases[] = {
        {"4", "31", "9", "05", "Month 04 of year 06 has 30 days; day 31 does not exist."},
        {"2", "29", "9", "05", "Month 02 of year 06 has 28 days; day 29 does not exist."},
        {"13", "1", "9", "05", "The month must be 1 to 12, not 13."},
        {"", "1", "9", "05", "The month must be 1 to 12, not 0."},
        {"7x", "1", "9", "05", "The date fields must hold numbers (7x, 01, 06)."},
        {"7", "4", "25", "05", "The hour must be 0 to 23 in the 24 hour format, not \"25\"."},
        {"7", "4", "9", "60", "The minutes must be 00 to 59, not \"60\"."},
        {"7", "4", "", "05", "The hour must be 0 to 23 in the 24 hour format, not \"\"."},
    };
    for (const auto& c : cases) {
        bench.program.dialogs.ClearMessages();
        m.Text1.SetText(c.month);
        m.Text6.SetText(c.day);
        m.Text5.SetText(c.hours);
        m.Text8.SetText(c.minutes);
        m.Command2.Click();
        EXPECT_EQ(logger->written, "") << c.says;
        ASSERT_EQ(Messages().size(), 1u) << c.says;
        EXPECT_EQ(Messages()[0].title, "Settings Not Sent");
        EXPECT_EQ(Messages()[0].text, std::string(c.says) + " Nothing was sent to the instrument.");
        EXPECT_TRUE(m.Command2.Enabled());
    }
    m.Text1.SetText("2");
    m.Text6.SetText("29");
    m.Text7.SetText("2008");
    m.Text5.SetText("23");
    m.Text8.SetText("59");
    m.Command2.Click();
    EXPECT_NE(logger->written.find("U0229082359\r"), std::string::npos) << logger->written;
}

TEST_F(Application, DateSpoiledDuringTheWaitsStopsBeforeTheClockCommand) {
    bench.program.pump.Post([this] { m.Text6.SetText("32"); });
    m.Command2.Click();
    EXPECT_EQ(logger->written, "B100101D2\rI60\rQ100\rT 25\r");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Settings Not Sent");
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
}

TEST_F(Application, ClosedPortSendsNothingAndSaysNothing) {
    m.cp.Click();
    m.Command2.Click();
    EXPECT_EQ(logger->written, "");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Application, FailingWriteShowsTheErrorAndKeepsTheProgress) {
    bench.program.port.FailWrites("Device not ready");
    m.Command2.Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Error");
    EXPECT_EQ(Messages()[0].text, "Device not ready");
    EXPECT_TRUE(m.Command2.Enabled());
}

TEST_F(Application, SecondClickDuringTheExchangeIsRefusedAndButtonsShowIt) {
    std::vector<bool> enabledDuring;
    bench.program.pump.Post([this, &enabledDuring] {
        enabledDuring = {m.Command2.Enabled(), m.Command3.Enabled(), m.Command27.Enabled()};
        m.Command3.Click();
        m.Command2.Click();
    });
    m.Command2.Click();
    EXPECT_EQ(enabledDuring, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(logger->written, "B100101D2\rI60\rQ100\rT 25\rU070406905\r");
    EXPECT_TRUE(m.Command2.Enabled());
    EXPECT_TRUE(m.Command3.Enabled());
    EXPECT_TRUE(m.Command27.Enabled());
}

TEST_F(Application, ApplyClickedDuringARetrievalIsRefused) {
    bench.program.pump.Post([this] { m.Command2.Click(); });
    m.Command3.Click();
    EXPECT_EQ(logger->written, "PC");
    logger->written.clear();
    m.Command2.Click();
    EXPECT_EQ(logger->written.substr(0, 1), "B");
}

TEST(ApplyThenRetrieve, SimulatedLoggerGivesBackWhatWasApplied) {
    SettingsBench bench(nullptr, sim::SensorModel::Dfl);
    MainForm& m = bench.m;
    m.mdy.Click();
    m.Text3.SetText("250");
    m.Check7.SetValue(0);
    m.Check1.SetValue(1);
    m.Check2.SetValue(1);
    m.Check6.SetValue(0);
    m.Slider1.SetValue(200);
    m.Text2.SetText("12");
    m.Text4.SetText("3600");
    m.Text1.SetText("2");
    m.Text6.SetText("28");
    m.Text7.SetText("2030");
    m.Text5.SetText("23");
    m.Text8.SetText("59");
    m.Command2.Click();
    EXPECT_EQ(bench.sensor->Logger().controlBits, "000110");

    // Scramble the frame so the retrieval has to restore every field.
    m.Check1.SetValue(0);
    m.Check2.SetValue(0);
    m.Check7.SetValue(1);
    m.Slider1.SetValue(5);
    m.Text2.SetText("0");
    m.Text3.SetText("1");
    m.Text4.SetText("0");
    for (TextBox* box : {&m.Text1, &m.Text6, &m.Text7, &m.Text5, &m.Text8}) box->SetText("0");
    bench.program.pump.RunFor(60);
    m.Command3.Click();

    EXPECT_TRUE(bench.program.dialogs.Messages().empty());
    EXPECT_EQ(m.Check7.Value(), 0);
    EXPECT_EQ(m.Check1.Value(), 1);
    EXPECT_EQ(m.Check2.Value(), 1);
    EXPECT_EQ(m.Check6.Value(), 0);
    EXPECT_EQ(m.Slider1.Value(), 200);
    EXPECT_EQ(m.Text2.Text(), "12");
    EXPECT_EQ(m.Text3.Text(), "250");
    EXPECT_EQ(m.Text4.Text(), "3600");
    EXPECT_EQ(m.Label58.Caption(), "(60 Mins 0 Seconds)");
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.1 Second(s)");
    // About a minute and a quarter after 23:59 on 28 February the clock has passed midnight.
    EXPECT_EQ(m.Text1.Text(), "3");
    EXPECT_EQ(m.Text6.Text(), "1");
    EXPECT_EQ(m.Text7.Text(), "2030");
    EXPECT_EQ(m.Text5.Text(), "0");
    EXPECT_EQ(m.Text8.Text(), "00");
    EXPECT_NE(m.Label35.Caption().find(
                  " The instrument will then a prompted and be ready to accept commands."),
              std::string::npos);
}

}  // namespace
}  // namespace zan
