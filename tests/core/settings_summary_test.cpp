#include <gtest/gtest.h>

#include "settings/settings_summary.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

const std::string kStart = "When power is applied the instrument will turn on,";
const std::string kTakes =
    " data points to create one averaged Measurement.  This Measurement will take approx. ";
const std::string kLoops =
    " The sensor will continue to loop though the measurement process until it is powered off. ";

SummaryInputs Idle(float type) {
    SummaryInputs in;
    in.samples = 25;
    in.blockDelay = "0";
    in.blockLength = "0";
    in.measurementDelay = "0";
    in.instrumentType = type;
    return in;
}

TEST(SettingsSummary, CommandModeSensorWithoutBlocksDescribesOneEndlessLoop) {
    EXPECT_EQ(SettingsSummaryText(Idle(kVsf)),
              kStart + " and be ready to accept commands. When RUN is clicked it will" +
                  "  open a shutter (if it has one) then start to collect one measurement." +
                  " It will then take " + "25" + kTakes + "0.9" +
                  " second(s) to collect. It will then close the shutter (if it has one)." +
                  kLoops);
}

TEST(SettingsSummary, ModelWithoutTimingGoesStraightOnAfterApprox) {
    EXPECT_EQ(SettingsSummaryText(Idle(kVsfs)),
              kStart + " and be ready to accept commands. When RUN is clicked it will" +
                  "  open a shutter (if it has one) then start to collect one "
                  "measurement." +
                  " It will then take 25" + kTakes + kLoops);
}

TEST(SettingsSummary, AutoStartWithBlockDelayAndDelayBetweenMeasurementsLoopsWithSleep) {
    SummaryInputs in = Idle(kDfl);
    in.autoStart = 1;
    in.logEnabled = 1;
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

TEST(SettingsSummary, CommandModeWithBlockDelaySleepsFirst) {
    SummaryInputs in = Idle(kVsf);
    in.blockDelay = "3";
    const std::string text = SettingsSummaryText(in);
    EXPECT_EQ(text.substr(0, text.find(" It will then take")),
              kStart + " and be ready to accept commands. When RUN is clicked it will" +
                  " enter sleep mode for 3 hour(s).");
}

TEST(SettingsSummary, DataBlocksEndWithPointerAndWakeUpOrSleepAndGreyWakeUpSaysNeither) {
    SummaryInputs in = Idle(kVsf);
    in.logEnabled = 1;
    in.append = 1;
    in.blockLength = "100";
    in.measurementDelay = "300";
    in.wakeUp = 1;
    const std::string head =
        kStart + " and be ready to accept commands. When RUN is clicked it will" +
        "  open a shutter (if it has one) then start to collect one measurement." +
        " It will then take 25" + kTakes + "0.9" +
        " second(s) to collect. It will then close the shutter (if it has one)." +
        " The Measurement is then logged into memory. " +
        " The sensor will then check to see if it has taken 100 Measurements. " +
        " It will then enter a low current sleep mode." +
        " The instrument will then sleep for 5 Min(s) 0 Second(s)" +
        " It will then wake up and repeat the Measurement process" +
        " until it reaches 100 Measurements." +
        " If the sensor is done collecting Measurements, it will then write a memory pointer "
        "to tell the instrument where the data ends. ";
    EXPECT_EQ(SettingsSummaryText(in),
              head + " The instrument will then a prompted and be ready to accept commands.");
    in.wakeUp = 0;
    EXPECT_EQ(SettingsSummaryText(in),
              head +
                  " The instrument will enter a low power sleep mode, where it must power "
                  "cycled before it will wake up again.");
    in.wakeUp = 2;
    EXPECT_EQ(SettingsSummaryText(in), head);
    in.append = 2;
    in.wakeUp = 2;
    EXPECT_EQ(SettingsSummaryText(in).find("memory pointer"), std::string::npos);
}

TEST(SettingsSummary, GreyAutoStartCountsAsNotChecked) {
    SummaryInputs in = Idle(kVsf);
    in.autoStart = 2;
    EXPECT_EQ(SettingsSummaryText(in), SettingsSummaryText(Idle(kVsf)));
}

TEST(MeasurementTime, LinearModelsRoundToTheNearestTenth) {
    EXPECT_DOUBLE_EQ(*MeasurementSeconds(kVsf, 1), 0.5);
    EXPECT_DOUBLE_EQ(*MeasurementSeconds(kVsf, 25), 0.9);
    EXPECT_DOUBLE_EQ(*MeasurementSeconds(kVsf, 255), 4.9);
    EXPECT_DOUBLE_EQ(*MeasurementSeconds(kDfl, 1), 0.2);
    EXPECT_DOUBLE_EQ(*MeasurementSeconds(kDfl, 25), 0.3);
    EXPECT_DOUBLE_EQ(*MeasurementSeconds(kDfl, 255), 1.3);
    for (float type : {kNoInstrument, kVsfs, kDfls, kTria})
        EXPECT_FALSE(MeasurementSeconds(type, 25));
}

struct SettingsFrame : ::testing::Test {
    void SetUp() override { program.Load(); }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
};

TEST_F(SettingsFrame, MovingTheSliderUpdatesTheEstimateForTimedModelsOnly) {
    m.inst4.Click();
    m.Slider1.SetValue(255);
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.3 Second(s)");
    EXPECT_NE(m.Label35.Caption().find(" It will then take 255 data points"), std::string::npos);
    m.inst5.Click();
    m.Slider1.SetValue(1);
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.3 Second(s)");
    EXPECT_NE(m.Label35.Caption().find(" It will then take 1 data points"), std::string::npos);
}

TEST_F(SettingsFrame, NumericBoxesAreClampedToTheLoggerLimits) {
    m.Text2.SetText("300");
    EXPECT_EQ(m.Text2.Text(), "256");
    EXPECT_NE(m.Label35.Caption().find("sleep mode for 256 hour(s)."), std::string::npos);
    m.Text3.SetText("70000");
    EXPECT_EQ(m.Text3.Text(), "65535");
    m.Text4.SetText("70000");
    EXPECT_EQ(m.Text4.Text(), "65535");
    EXPECT_EQ(m.Label58.Caption(), "(1092 Mins 15 Seconds)");
    m.Text2.SetText("256");
    EXPECT_EQ(m.Text2.Text(), "256");
}

TEST_F(SettingsFrame, DelayBetweenMeasurementsIsShownInMinutesAndSeconds) {
    const std::pair<const char*, const char*> cases[] = {
        {"59", "(0 Mins 59 Seconds)"},    {"3600", "(60 Mins 0 Seconds)"},
        {"300", "(5 Mins 0 Seconds)"},    {"90.5", "(1 Mins 30.5 Seconds)"},
        {"60.1", "(1 Mins 0.1 Seconds)"}, {"", "(0 Mins 0 Seconds)"},
        {"-5", "(0 Mins 0 Seconds)"},     {"abc", "(0 Mins 0 Seconds)"}};
    for (const auto& [text, caption] : cases) {
        m.Text4.SetText(text);
        EXPECT_EQ(m.Label58.Caption(), caption) << text;
    }
}

TEST_F(SettingsFrame, LogEnabledIsOfferedOnlyWithABlockLength) {
    m.Text3.SetText("5");
    m.Check1.Click();
    EXPECT_EQ(m.Check1.Value(), 1);
    m.Text3.SetText("0");
    EXPECT_FALSE(m.Check1.Enabled());
    EXPECT_EQ(m.Check1.Value(), 0);
    m.Text3.SetText("5");
    EXPECT_TRUE(m.Check1.Enabled());
    EXPECT_EQ(m.Check1.Value(), 0);
}

TEST_F(SettingsFrame, EveryCheckBoxChangeRebuildsTheSummary) {
    m.inst2.Click();
    m.Text3.SetText("10");
    for (CheckBox* box : {&m.Check7, &m.Check1, &m.Check2, &m.Check6}) {
        const std::string before = m.Label35.Caption();
        box->Click();
        EXPECT_NE(m.Label35.Caption(), before) << box->Name();
    }
}

}  // namespace
}  // namespace zan
