#include <gtest/gtest.h>

#include "core/test_support.h"
#include "service/log_files.h"
#include "settings/sensor_clock.h"
#include "settings/settings_application.h"
#include "settings/settings_retrieval.h"
#include "settings/settings_summary.h"
#include "settings_test_support.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

using test::Frame;
using test::Lines;
using test::ScriptedLogger;
using test::SettingsBench;

// A settings reply as a logger prints it, with the given line texts after the echo.
std::string Reply(const std::string& echo, const std::string& bits, const std::string& values) {
    std::string reply = echo + "\r\n";
    for (char bit : bits) reply += std::string("Bit ") + bit + "\r\n";
    return reply + values + ">";
}

const char* kValues = "S=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP=32767\r\n";
const char* kClock = "C\r\n07/04/06\t32400\r\n>";

struct Retrieval : ::testing::Test {
    Retrieval() {
        m.ProgressBar1.Observe(
            [this](Property) { highest = std::max(highest, m.ProgressBar1.Value()); });
    }
    // Retrieves with the given replies to P and C.
    void Retrieve(const std::string& settings, const std::string& clock = "") {
        logger->replies['P'] = settings;
        logger->replies['C'] = clock;
        m.Command3.Click();
    }
    Lines Messages() const { return test::Messages(bench.program); }

    std::shared_ptr<ScriptedLogger> logger = std::make_shared<ScriptedLogger>();
    SettingsBench bench{logger};
    MainForm& m = bench.m;
    double highest = 0;  // the highest the progress bar climbed
};

TEST(SettingsClock, TimeCountsAreSixtyFourThousandEightHundredADay) {
    const auto late = ParseClockLine("12/31/99\t64799");
    ASSERT_TRUE(late);
    EXPECT_EQ((std::array<int, 6>{late->month, late->day, late->year, late->hours, late->minutes,
                                  late->seconds}),
              (std::array<int, 6>{12, 31, 2099, 23, 59, 58}));
    for (const char* bad :
         {"1/1/06\t", "01/01/06 32400", "02/30/06\t32400", "07/04/06\tnoon", "12/06/26\t1e300",
          "12/06/26\t-3", "12/06/26\t64800", "99999999999/06/26\t100"})
        EXPECT_FALSE(ParseClockLine(bad)) << bad;
    // Counts on a whole second are not shown one second short.
    for (int count = 0; count < 64800; count += 3) {
        const auto c = ParseClockLine("07/04/06\t" + std::to_string(count));
        ASSERT_TRUE(c);
        ASSERT_EQ(c->hours * 3600 + c->minutes * 60 + c->seconds, count / 3 * 4) << count;
    }
}

TEST(SensorClock, TheComparisonNamesBothClocksAndHowFarApartInWords) {
    const InstrumentClock noon{2006, 7, 4, 12, 0, 0};
    const struct {
        LocalDateTime computer;
        std::string says;
    } cases[] = {
        {{2006, 7, 4, 12, 0, 1}, "computer 2006-07-04 12:00:01: sensor clock in step"},
        {{2006, 7, 4, 11, 57, 55}, "computer 2006-07-04 11:57:55: sensor clock 2 min 5 s ahead"},
        {{2006, 7, 3, 23, 0, 0}, "computer 2006-07-03 23:00:00: sensor clock 13 h 0 min ahead"},
        {{2007, 3, 1, 12, 0, 0}, "computer 2007-03-01 12:00:00: sensor clock 240 days 0 h behind"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClockComparison(noon, c.computer), "Sensor 2006-07-04 12:00:00, " + c.says);
}

TEST_F(Retrieval, FillsTheFrameFromTheReplyAndTheClockInTheChosenDateOrderBesideTheComputers) {
    bench.program.clock.now = {2006, 7, 4, 12, 0, 37};
    Retrieve(Reply(">P", "100101", kValues), kClock);
    EXPECT_EQ(logger->written, "PC");
    EXPECT_EQ(Frame(m), "1101 S30 D2 Q100 I90 7/4/2006 12:00:00");
    EXPECT_EQ(m.ClockDifference.Caption(),
              "Sensor 2006-07-04 12:00:00, computer 2006-07-04 12:00:37: sensor clock 37 s behind");
    EXPECT_EQ(m.Label3.Caption() + "|" + m.Label10.Caption(), "32767| 49.9%");
    // The progress bar climbs twenty-two steps, then returns to zero.
    EXPECT_NEAR(highest, 22 * 4.34, 1e-9);
    EXPECT_TRUE(m.ProgressBar1.Value() == 0 && m.Check1.Enabled() && Messages().empty());
    m.dmy.Click();
    Retrieve("", "C\r\n07/04/06\t0\r\n>");
    EXPECT_EQ(Frame(m), "1101 S30 D2 Q100 I90 4/7/2006 0:00:00");
}

TEST_F(Retrieval, EachReplyLineSetsItsBoxAsTheLoggerMeansItAndAShortOrCutOffReplyIsAnError) {
    // Grey digit and letter bits set the boxes and other digits leave them.
    m.Check7.SetValue(1);
    m.Check1.SetValue(1);
    Retrieve(Reply("P", "2005x2", kValues));
    EXPECT_EQ(Frame(m).substr(0, 4), "2102");
    // No block length clears Log Enabled until a later reply has one.
    Retrieve(Reply("P", "100100", "S=30\r\nD=0\r\nQ=0\r\nI=0\r\nMP=0\r\n"));
    EXPECT_TRUE(m.Check1.Value() == 0 && !m.Check1.Enabled());
    Retrieve(Reply("P", "100100", kValues));
    EXPECT_TRUE(m.Check1.Value() == 1 && m.Check1.Enabled());
    // A bare label reads as zero; smoothing outside the slider's range is
    // clamped and halves round to even.
    Retrieve(Reply("P", "100101", "S=24.5\r\nD=\r\nQ=5\r\nI=90\r\nMP=32767\r\n"));
    EXPECT_EQ(Frame(m).substr(5, 13), "S24 D0 Q5 I90");
    EXPECT_TRUE(Messages().empty());
    for (const auto& [smoothing, shown] : {std::pair{"0", 1}, {"300", 255}}) {
        Retrieve(Reply("P", "100101",
                       "S=" + std::string(smoothing) + "\r\nD=0\r\nQ=5\r\nI=0\r\nMP=0\r\n"));
        EXPECT_EQ(m.Slider1.Value(), shown) << smoothing;
    }
    // A line shorter than its label is an error; a reply cut off keeps what was read and the
    // clock is still asked.
    Retrieve(Reply("P", "100101", "S=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP\r\n"));
    Retrieve("P\r\nBit 1\r\nBit 0\r\nBit 0\r\nBit 1\r\nBit 1\r\nBit 1\r\nS=30\r\n>", kClock);
    EXPECT_TRUE(m.Check2.Value() == 1 && m.ProgressBar1.Value() == 0);
    EXPECT_EQ(m.Text5.Text(), "12");
    const std::string smoothing =
        "Measurement Smoothing: The instrument reported a Measurement Smoothing of ";
    const std::string stores = "; Apply Settings stores that value in the instrument.";
    const std::string incomplete = "Error: The settings reply is incomplete: line ";
    EXPECT_EQ(
        Messages(),
        (Lines{smoothing + "0 samples, outside the range 1 to 255. The slider shows 1" + stores,
               smoothing + "300 samples, outside the range 1 to 255. The slider shows 255" + stores,
               incomplete + "11 of 11 is missing or too short.",
               incomplete + "8 of 11 is missing or too short."}));
}

TEST_F(Retrieval, APlaybackDelayWithNothingPlayingHoldsNoTickAndNoReply) {
    VirtualProgram& program = bench.program;
    m.CWNumEdit1.SetValue(5);
    program.pump.RunFor(1);
    // The click lands where the window's events run: inside a tick, if a tick waits.
    const double start = program.pump.Seconds();
    std::function<void()> click = [&] {
        if (program.ctx.pollRunning || program.pump.Seconds() - start > 0.6)
            Retrieve(Reply("P", "100101", kValues), kClock);
        else
            program.pump.Post(click);
    };
    program.pump.Post(click);
    program.pump.RunFor(8);
    EXPECT_EQ(logger->written, "PC");
    EXPECT_EQ(Frame(m), "1101 S30 D2 Q100 I90 7/4/2006 12:00:00");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Retrieval, AStreamingSensorOrAnOldEchoGiveConflictAndLeaveTheFrame) {
    m.Text3.SetText("7");
    Retrieve("12/06/26\t12:00:01\t1847\t1202\t957\t4006\r\n");
    EXPECT_EQ(logger->written, "PC");
    EXPECT_EQ(m.Text3.Text(), "7");
    // The echo of an earlier retrieval is not taken for a new reply.
    Retrieve(Reply("P", "100101", kValues));
    m.Slider1.SetValue(3);
    Retrieve("");
    const std::string conflict =
        "Conflict: Unable to Get Settings. Check and make sure the instrument is not outputing "
        "data";
    EXPECT_EQ(Messages(), (Lines{conflict, conflict}));
    EXPECT_EQ(m.Slider1.Value(), 3);
}

const std::string kSettings = "B100101D2\rI60\rQ100\rT 25\r";

// The frame typed in full (Auto Start, Log Enabled and Append checked), the
// date in the month-first order.
struct Application : Retrieval {
    void SetUp() override {
        logger->replies['B'] = "B\r\nControl bits: ";
        m.mdy.Click();
        for (CheckBox* box : {&m.Check7, &m.Check1, &m.Check6}) box->SetValue(1);
        m.Slider1.SetValue(25);
        test::TypeInto(
            {&m.Text3, &m.Text2, &m.Text4, &m.Text1, &m.Text6, &m.Text7, &m.Text5, &m.Text8},
            {"100", "2", "60", "7", "4", "2006", "9", "05"});
    }
    // The date and time boxes: month, day, year, hours, minutes.
    void TypeDate(std::initializer_list<const char*> texts) {
        test::TypeInto({&m.Text1, &m.Text6, &m.Text7, &m.Text5, &m.Text8}, texts);
    }
};

TEST_F(Application, SendsEverySettingThenTheTimeInTheDateFormatAndNormalisesTheDateBoxes) {
    EXPECT_EQ(ControlBitsText(bench.program.ctx), "100101");
    // Single-digit minutes go as two so the sensor splits the time right; without a date format
    // only the time goes and the progress stops at eighty.
    const struct {
        MenuItem MainForm::*format;
        const char *minutes, *sent, *frame;
        double seconds, progress;
    } cases[] = {
        {&MainForm::mdy, "05", "U070406905\r", "1101 S25 D2 Q100 I60 07/04/06 9:05:", 10.2, 90},
        {&MainForm::dmy, "05", "U040706905\r", "1101 S25 D2 Q100 I60 07/04/06 9:05:", 10.2, 90},
        {&MainForm::mdy, "5", "U070406905\r", "1101 S25 D2 Q100 I60 07/04/06 9:5:", 10.2, 90},
        {nullptr, "05", "U905\r", "1101 S25 D2 Q100 I60 07/04/06 9:05:", 9.7, 80}};
    for (const auto& c : cases) {
        if (c.format)
            (m.*c.format).Click();
        else
            m.mdy.SetChecked(false);
        m.Text8.SetText(c.minutes);
        highest = 0;
        logger->written.clear();
        const double start = bench.program.pump.Seconds();
        m.Command2.Click();
        EXPECT_EQ(logger->written, kSettings + c.sent);
        EXPECT_NEAR(bench.program.pump.Seconds() - start, c.seconds, 0.05) << c.sent;
        EXPECT_EQ(Frame(m), c.frame);
        EXPECT_EQ(highest, c.progress);
        EXPECT_TRUE(m.ProgressBar1.Value() == 0 && Messages().empty());
    }
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
        TypeDate({c.month, c.day, "2006", c.hours, c.minutes});
        m.Command2.Click();
        EXPECT_EQ(logger->written, "") << c.says;
        EXPECT_EQ(Messages(), Lines{"Settings Not Sent: " + std::string(c.says) +
                                    " Nothing was sent to the instrument."});
        EXPECT_TRUE(m.Command2.Enabled());
    }
    // Grey check boxes send two and empty boxes a bare return.
    m.Check2.SetValue(2);
    m.Text2.SetText("");
    TypeDate({"2", "29", "2008", "23", "59"});
    m.Command2.Click();
    EXPECT_EQ(logger->written, "B100121D\rI60\rQ100\rT 25\rU0229082359\r");
}

// The wall clock goes on during the exchange: Apply sends the time of the moment it sends.
TEST_F(Application, TheComputersDateAndTimeAreThoseOfTheMomentTheyAreSent) {
    const double newYearsEve = 1798761595;  // 2026-12-31 23:59:55
    int seconds = 0;
    LocalDateTime& now = bench.program.clock.now;
    now = UtcDateTime(newYearsEve);
    bench.program.pump.AddTimer(1, [&] { now = UtcDateTime(newYearsEve + ++seconds); });
    m.ComputerClock.Click();
    m.Text1.SetText("x");
    m.Command2.Click();
    // The boxes' own "x" was never a date to refuse; midnight passed before the date went.
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(logger->written, kSettings + "U010127000\r");
    EXPECT_EQ(m.Text1.Text() + "/" + m.Text6.Text() + "/" + m.Text7.Text(), "01/01/27");
}

TEST_F(Application, DateSpoiledDuringTheWaitsStopsBeforeTheClockCommand) {
    bench.program.pump.Post([this] { m.Text6.SetText("32"); });
    m.Command2.Click();
    EXPECT_EQ(logger->written, kSettings);
    EXPECT_TRUE(test::OneMessageWith(bench.program, "Settings Not Sent: "));
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
}

// Retrieval asks the user to check; application shows the system's words.
TEST_F(Application, AClosedPortSaysNothingAndAFailingWriteSaysSo) {
    m.cp.Click();
    m.Command3.Click();
    m.Command2.Click();
    EXPECT_EQ(logger->written, "");
    EXPECT_TRUE(Messages().empty());
    m.op1.Click();
    bench.program.port.FailWrites("Device not ready");
    m.Command3.Click();
    m.Command2.Click();
    EXPECT_EQ(Messages(), (Lines{"Please Check: Please make sure the power is on, the instrument "
                                 "is not running, and the comm port is selected.",
                                 "Error: Device not ready"}));
    EXPECT_TRUE(m.Command3.Enabled() && m.Command2.Enabled());
}

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

using SettingsFrame = test::Loaded;

TEST_F(SettingsFrame, TheSliderAndBoxesUpdateTheEstimateSummaryAndDelayWithinTheLoggerLimits) {
    m.inst4.Click();
    m.Slider1.SetValue(255);
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.3 Second(s)");
    EXPECT_NE(m.Label35.Caption().find(" It will then take 255 data points"), std::string::npos);
    // A model without timing keeps the last estimate.
    m.inst5.Click();
    m.Slider1.SetValue(1);
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1.3 Second(s)");
    test::TypeInto({&m.Text2, &m.Text3}, {"300", "70000"});
    EXPECT_EQ(m.Text2.Text() + " " + m.Text3.Text(), "256 65535");
    EXPECT_NE(m.Label35.Caption().find("sleep mode for 256 hour(s)."), std::string::npos);
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
