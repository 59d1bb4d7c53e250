#include <gtest/gtest.h>

#include "core/test_support.h"
#include "settings/settings_application.h"
#include "settings_test_support.h"

namespace zan {
namespace {

using test::Frame;
using test::Lines;
using test::ScriptedLogger;
using test::SettingsBench;

const std::string kSettings = "B100101D2\rI60\rQ100\rT 25\r";

// Sets the frame's boxes as the user types them; the frame reads back through Frame().
void Type(MainForm& m, const std::string& bits, int smoothing,
          std::initializer_list<std::pair<TextBox*, const char*>> boxes) {
    CheckBox* checks[] = {&m.Check7, &m.Check1, &m.Check2, &m.Check6};
    for (size_t i = 0; i < bits.size(); ++i) checks[i]->SetValue(bits[i] - '0');
    m.Slider1.SetValue(smoothing);
    for (const auto& [box, text] : boxes) box->SetText(text);
}

struct Application : ::testing::Test {
    void SetUp() override {
        m.mdy.Click();
        Type(m, "1101", 25,
             {{&m.Text3, "100"},
              {&m.Text2, "2"},
              {&m.Text4, "60"},
              {&m.Text1, "7"},
              {&m.Text6, "4"},
              {&m.Text7, "2006"},
              {&m.Text5, "9"},
              {&m.Text8, "05"}});
    }
    Lines Messages() const { return test::Messages(bench.program); }

    std::shared_ptr<ScriptedLogger> logger = std::make_shared<ScriptedLogger>();
    SettingsBench bench{logger};
    MainForm& m = bench.m;
};

TEST_F(Application, SendsEverySettingThenTheDateAndTimeAndNormalisesTheDateBoxes) {
    EXPECT_EQ(ControlBitsText(bench.program.ctx), "100101");
    double highest = 0;
    m.ProgressBar1.Observe([&](Property) { highest = std::max(highest, m.ProgressBar1.Value()); });
    const double start = bench.program.pump.Seconds();
    m.Command2.Click();
    EXPECT_EQ(logger->written, kSettings + "U070406905\r");
    EXPECT_NEAR(bench.program.pump.Seconds() - start, 10.2, 0.05);
    EXPECT_EQ(Frame(m), "1101 S25 D2 Q100 I60 07/04/06 9:05:");
    EXPECT_EQ(highest, 90);
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Application, TheTimeCommandFollowsTheDateFormatAndBoxes) {
    struct Case {
        MenuItem MainForm::*format;
        const char *minutes, *sent;
        double progress;
    };
    // Single-digit minutes go as two so the sensor splits the time right; without a date format
    // only the time goes and the progress stops at eighty.
    const Case cases[] = {{&MainForm::dmy, "05", "U040706905\r", 90},
                          {&MainForm::mdy, "5", "U070406905\r", 90},
                          {nullptr, "05", "U905\r", 80}};
    double highest = 0;
    m.ProgressBar1.Observe([&](Property) { highest = std::max(highest, m.ProgressBar1.Value()); });
    for (const Case& c : cases) {
        if (c.format)
            (m.*c.format).Click();
        else
            m.mdy.SetChecked(false);
        m.Text8.SetText(c.minutes);
        highest = 0;
        logger->written.clear();
        m.Command2.Click();
        EXPECT_EQ(logger->written, kSettings + c.sent);
        EXPECT_EQ(highest, c.progress);
        EXPECT_EQ(m.Text8.Text(), c.minutes);
    }
}

TEST_F(Application, GreyCheckBoxesSendTwoAndEmptyBoxesABareReturn) {
    m.Check2.SetValue(2);
    m.Text2.SetText("");
    m.Command2.Click();
    EXPECT_EQ(logger->written.substr(0, 9), "B100121D\r");
}

TEST_F(Application, ImpossibleDatesAndTimesAreRefusedBeforeAnythingIsSent) {
    const struct {
        const char *month, *day, *hours, *minutes, *says;
    } cases[] = {
        {"4", "31", "9", "05", "Month 04 of year 06 has 30 days; day 31 does not exist."},
        {"13", "1", "9", "05", "The month must be 1 to 12, not 13."},
        {"", "1", "9", "05", "The month must be 1 to 12, not 0."},
        {"7x", "1", "9", "05", "The date fields must hold numbers (7x, 01, 06)."},
        {"7", "4", "25", "05", "The hour must be 0 to 23 in the 24 hour format, not \"25\"."},
        {"7", "4", "9", "60", "The minutes must be 00 to 59, not \"60\"."},
    };
    for (const auto& c : cases) {
        bench.program.dialogs.ClearMessages();
        Type(m, "", 25,
             {{&m.Text1, c.month}, {&m.Text6, c.day}, {&m.Text5, c.hours}, {&m.Text8, c.minutes}});
        m.Command2.Click();
        EXPECT_EQ(logger->written, "") << c.says;
        EXPECT_EQ(Messages(), Lines{"Settings Not Sent: " + std::string(c.says) +
                                    " Nothing was sent to the instrument."});
        EXPECT_TRUE(m.Command2.Enabled());
    }
    Type(m, "", 25,
         {{&m.Text1, "2"},
          {&m.Text6, "29"},
          {&m.Text7, "2008"},
          {&m.Text5, "23"},
          {&m.Text8, "59"}});
    m.Command2.Click();
    EXPECT_EQ(logger->written, kSettings + "U0229082359\r");
}

TEST_F(Application, DateSpoiledDuringTheWaitsStopsBeforeTheClockCommand) {
    bench.program.pump.Post([this] { m.Text6.SetText("32"); });
    m.Command2.Click();
    EXPECT_EQ(logger->written, kSettings);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind("Settings Not Sent: ", 0), 0u);
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
}

TEST_F(Application, AClosedPortSaysNothingAndAFailingWriteShowsTheError) {
    m.cp.Click();
    m.Command2.Click();
    EXPECT_EQ(logger->written, "");
    EXPECT_TRUE(Messages().empty());
    m.op1.Click();
    bench.program.port.FailWrites("Device not ready");
    m.Command2.Click();
    EXPECT_EQ(Messages(), Lines{"Error: Device not ready"});
    EXPECT_TRUE(m.Command2.Enabled());
}

}  // namespace
}  // namespace zan
