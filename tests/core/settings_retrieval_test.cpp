#include <gtest/gtest.h>

#include "core/test_support.h"
#include "settings/settings_retrieval.h"
#include "settings_test_support.h"

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

TEST_F(Retrieval, FillsTheFrameFromTheReplyAndTheClockInTheChosenDateOrder) {
    double highest = 0;
    m.ProgressBar1.Observe([&](Property) { highest = std::max(highest, m.ProgressBar1.Value()); });
    Retrieve(Reply(">P", "100101", kValues), kClock);
    EXPECT_EQ(logger->written, "PC");
    EXPECT_EQ(Frame(m), "1101 S30 D2 Q100 I90 7/4/2006 12:00:00");
    EXPECT_TRUE(m.Check1.Enabled());
    EXPECT_EQ(m.Label3.Caption(), "32767");
    EXPECT_EQ(m.Label10.Caption(), " 49.9%");
    // The progress bar climbs twenty-two steps, then returns to zero.
    EXPECT_NEAR(highest, 22 * 4.34, 1e-9);
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
    EXPECT_TRUE(Messages().empty());
    m.dmy.Click();
    Retrieve("", "C\r\n07/04/06\t0\r\n>");
    EXPECT_EQ(Frame(m), "1101 S30 D2 Q100 I90 4/7/2006 0:00:00");
}

TEST_F(Retrieval, EachReplyLineSetsItsBoxAsTheLoggerMeansIt) {
    // Grey digit and letter bits set the boxes and other digits leave them.
    m.Check7.SetValue(1);
    m.Check1.SetValue(1);
    Retrieve(Reply("P", "2005x2", kValues));
    EXPECT_EQ(Frame(m).substr(0, 4), "2102");
    // No block length clears Log Enabled until a later reply has one.
    Retrieve(Reply("P", "100100", "S=30\r\nD=0\r\nQ=0\r\nI=0\r\nMP=0\r\n"));
    EXPECT_EQ(m.Check1.Value(), 0);
    EXPECT_FALSE(m.Check1.Enabled());
    Retrieve(Reply("P", "100100", kValues));
    EXPECT_TRUE(m.Check1.Enabled());
    EXPECT_EQ(m.Check1.Value(), 1);
    // A bare label reads as zero; smoothing outside the slider's range is
    // clamped and halves round to even.
    Retrieve(Reply("P", "100101", "S=24.5\r\nD=\r\nQ=5\r\nI=90\r\nMP=32767\r\n"));
    EXPECT_EQ(m.Text2.Text() + " " + m.Text3.Text(), "0 5");
    EXPECT_EQ(m.Slider1.Value(), 24);
    EXPECT_TRUE(Messages().empty());
    Retrieve(Reply("P", "100101", "S=0\r\nD=0\r\nQ=5\r\nI=0\r\nMP=0\r\n"));
    EXPECT_EQ(m.Slider1.Value(), 1);
    Retrieve(Reply("P", "100101", "S=300\r\nD=0\r\nQ=5\r\nI=0\r\nMP=0\r\n"));
    EXPECT_EQ(m.Slider1.Value(), 255);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].rfind("Measurement Smoothing: ", 0), 0u);
    EXPECT_NE(Messages()[1].find("300 samples, outside the range 1 to 255. The slider shows 255"),
              std::string::npos);
    // A line shorter than its label is an error.
    Retrieve(Reply("P", "100101", "S=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP\r\n"));
    EXPECT_EQ(Messages()[2],
              "Error: The settings reply is incomplete: line 11 of 11 is missing or too short.");
}

TEST_F(Retrieval, CutOffReplyReportsAnErrorKeepsWhatWasReadAndStillAsksTheClock) {
    Retrieve("P\r\nBit 1\r\nBit 0\r\nBit 0\r\nBit 1\r\nBit 1\r\nBit 1\r\nS=30\r\n>", kClock);
    EXPECT_EQ(Messages(),
              Lines{"Error: The settings reply is incomplete: line 8 of 11 is missing or too "
                    "short."});
    EXPECT_EQ(m.Check2.Value(), 1);
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
    EXPECT_EQ(m.Text5.Text(), "12");
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

TEST_F(Retrieval, AClosedPortSaysNothingAndAFailingOneAsksTheUserToCheck) {
    m.cp.Click();
    m.Command3.Click();
    EXPECT_EQ(logger->written, "");
    EXPECT_TRUE(Messages().empty());
    m.op1.Click();
    bench.program.port.FailWrites("Device not ready");
    m.Command3.Click();
    EXPECT_EQ(Messages(), Lines{"Please Check: Please make sure the power is on, the instrument is "
                                "not running, and the comm port is selected."});
    EXPECT_TRUE(m.Command3.Enabled());
    EXPECT_TRUE(m.Command2.Enabled());
}

}  // namespace
}  // namespace zan
