#include <gtest/gtest.h>

#include "settings/settings_summary.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

const std::string kStart = "When power is applied the instrument will turn on,";
const std::string kCommands = " and be ready to accept commands. When RUN is clicked it will";
const std::string kTakes =
    " data points to create one averaged Measurement.  This Measurement will take approx. ";
const std::string kLoops =
    " The sensor will continue to loop though the measurement process until it is powered off. ";

SummaryInputs Idle(float type) {
    SummaryInputs in;
    in.samples = 25;
    in.blockDelay = in.blockLength = in.measurementDelay = "0";
    in.instrumentType = type;
    return in;
}

bool Says(const SummaryInputs& in, const std::string& part) {
    return SettingsSummaryText(in).find(part) != std::string::npos;
}

TEST(SettingsSummary, CommandModeDescribesOneEndlessLoopWithTheTimeIfTheModelHasOne) {
    const std::string shutter =
        "  open a shutter (if it has one) then start to collect one measurement. It will then take "
        "25";
    EXPECT_EQ(SettingsSummaryText(Idle(kVsf)),
              kStart + kCommands + shutter + kTakes + "0.9" +
                  " second(s) to collect. It will then close the shutter (if it has one)." +
                  kLoops);
    EXPECT_EQ(SettingsSummaryText(Idle(kVsfs)), kStart + kCommands + shutter + kTakes + kLoops);
    SummaryInputs in = Idle(kVsf);
    in.blockDelay = "3";
    EXPECT_TRUE(Says(in, kCommands + " enter sleep mode for 3 hour(s). It will then take"));
    // A grey Auto Start counts as not checked.
    in = Idle(kVsf);
    in.autoStart = 2;
    EXPECT_EQ(SettingsSummaryText(in), SettingsSummaryText(Idle(kVsf)));
}

TEST(SettingsSummary, AutoStartWithBlockDelayAndDelayBetweenMeasurementsLoopsWithSleep) {
    SummaryInputs in = Idle(kDfl);
    in.autoStart = in.logEnabled = 1;
    in.blockDelay = "2";
    in.measurementDelay = "90.5";
    EXPECT_EQ(SettingsSummaryText(in),
              kStart + " and enter sleep mode for 2 hour(s). It will then wake up and " +
                  " open a shutter (if it has one) then " + " It will then take 25" + kTakes +
                  "0.3" + " second(s) to collect. It will then close the shutter (if it has one)." +
                  " The Measurement is then logged into memory. " +
                  " It will then enter a low current sleep mode." +
                  " The instrument will then sleep for 1 Min(s) 30.5 Second(s)" +
                  " It will then wake up and repeat the Measurement process." + kLoops);
}

TEST(SettingsSummary, DataBlocksEndWithPointerAndWakeUpOrSleepAndGreyWakeUpSaysNeither) {
    SummaryInputs in = Idle(kVsf);
    in.logEnabled = in.append = in.wakeUp = 1;
    in.blockLength = "100";
    in.measurementDelay = "300";
    const std::string pointer =
        " until it reaches 100 Measurements. If the sensor is done collecting Measurements, it "
        "will then write a memory pointer to tell the instrument where the data ends. ";
    const std::string prompt =
        " The instrument will then a prompted and be ready to accept commands.";
    const std::string sleep =
        " The instrument will enter a low power sleep mode, where it must power cycled before it "
        "will wake up again.";
    EXPECT_TRUE(Says(in, " The sensor will then check to see if it has taken 100 Measurements. "));
    EXPECT_TRUE(Says(in, " The instrument will then sleep for 5 Min(s) 0 Second(s)"));
    EXPECT_TRUE(Says(in, pointer + prompt));
    in.wakeUp = 0;
    EXPECT_TRUE(Says(in, pointer + sleep));
    in.wakeUp = 2;
    EXPECT_EQ(SettingsSummaryText(in).substr(SettingsSummaryText(in).size() - pointer.size()),
              pointer);
    in.append = 2;
    EXPECT_FALSE(Says(in, "memory pointer"));
}

struct SettingsFrame : ::testing::Test {
    void SetUp() override { program.Load(); }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
};

TEST_F(SettingsFrame, TheSliderAndBoxesUpdateTheEstimateSummaryAndDelayWithinTheLoggerLimits) {
    m.inst4.Click();
    m.Slider1.SetValue(255);
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.3 Second(s)");
    EXPECT_NE(m.Label35.Caption().find(" It will then take 255 data points"), std::string::npos);
    // A model without timing keeps the last estimate.
    m.inst5.Click();
    m.Slider1.SetValue(1);
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.3 Second(s)");
    m.Text2.SetText("300");
    EXPECT_EQ(m.Text2.Text(), "256");
    EXPECT_NE(m.Label35.Caption().find("sleep mode for 256 hour(s)."), std::string::npos);
    m.Text3.SetText("70000");
    EXPECT_EQ(m.Text3.Text(), "65535");
    const std::pair<const char*, const char*> delays[] = {{"70000", "65535 (1092 Mins 15 Seconds)"},
                                                          {"3600", "3600 (60 Mins 0 Seconds)"},
                                                          {"60.1", "60.1 (1 Mins 0.1 Seconds)"},
                                                          {"-5", "-5 (0 Mins 0 Seconds)"},
                                                          {"abc", "abc (0 Mins 0 Seconds)"}};
    for (const auto& [typed, shown] : delays) {
        m.Text4.SetText(typed);
        EXPECT_EQ(m.Text4.Text() + " " + m.Label58.Caption(), shown) << typed;
    }
}

}  // namespace
}  // namespace zan
