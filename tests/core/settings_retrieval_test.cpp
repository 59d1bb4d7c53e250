#include <gtest/gtest.h>

#include "settings/settings_retrieval.h"
#include "settings_test_support.h"

namespace zan {
namespace {

using test::ScriptedLogger;
using test::SettingsBench;

// A settings reply as a logger prints it, with the given line texts after the echo.
std::string Reply(const std::string& echo, const std::string& bits, const std::string& values) {
    std::string reply = echo + "\r\n";
    for (char bit : bits) reply += std::string("Bit ") + bit + "\r\n";
    return reply + values + ">";
}

const char* kValues = "S=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP=32767\r\n";

struct Retrieval : ::testing::Test {
    std::shared_ptr<ScriptedLogger> logger = std::make_shared<ScriptedLogger>();
    SettingsBench bench{logger};
    MainForm& m = bench.m;
    const std::vector<ScriptedDialogs::Message>& Messages() {
        return bench.program.dialogs.Messages();
    }
};

TEST(SettingsEcho, PromptAndEchoOnOneLineIsFoundAndTheNewestEchoWins) {
    VirtualProgram program;
    ListBox& list = program.ctx.main.List1;
    for (const char* entry : {"junk", ">P", "a", "p", "b"}) list.AddItem(entry);
    EXPECT_EQ(FindSettingsEcho(list), 3);
    EXPECT_EQ(FindSettingsEcho(list, 4), -1);
    for (int i = 0; i < 15; ++i) list.AddItem("data");
    EXPECT_EQ(FindSettingsEcho(list), -1);
    list.AddItem(">p");
    EXPECT_EQ(FindSettingsEcho(list), list.Count() - 1);
    list.AddItem("P ");
    EXPECT_EQ(FindSettingsEcho(list), list.Count() - 2);
}

TEST(SettingsCapacity, PointerIsShownAsTenthsOfAPercentRoundedDown) {
    EXPECT_EQ(CapacityCaption(65535), " 100%");
    EXPECT_EQ(CapacityCaption(32767), " 49.9%");
    EXPECT_EQ(CapacityCaption(8192), " 12.5%");
    EXPECT_EQ(CapacityCaption(0), " 0%");
}

TEST(SettingsClock, TimeCountsAreSixtyFourThousandEightHundredADay) {
    const auto noon = ParseClockLine("07/04/06\t32400");
    ASSERT_TRUE(noon);
    EXPECT_EQ(noon->month, 7);
    EXPECT_EQ(noon->day, 4);
    EXPECT_EQ(noon->year, 2006);
    EXPECT_EQ(noon->hours, 12);
    EXPECT_EQ(noon->minutes, 0);
    EXPECT_EQ(noon->seconds, 0);
    const auto late = ParseClockLine("12/31/99\t64799");
    ASSERT_TRUE(late);
    EXPECT_EQ(late->year, 2099);
    EXPECT_EQ(late->hours, 23);
    EXPECT_EQ(late->minutes, 59);
    EXPECT_EQ(late->seconds, 58);
    EXPECT_FALSE(ParseClockLine("1/1/06\t"));
    EXPECT_FALSE(ParseClockLine("01/01/06 32400"));
    EXPECT_FALSE(ParseClockLine("02/30/06\t32400"));
    EXPECT_FALSE(ParseClockLine("07/04/06\tnoon"));
}

TEST(SettingsClock, CountsOnAWholeSecondAreNotShownOneSecondShort) {
    const auto clock = ParseClockLine("07/04/06\t2745");
    ASSERT_TRUE(clock);
    EXPECT_EQ(clock->hours, 1);
    EXPECT_EQ(clock->minutes, 1);
    EXPECT_EQ(clock->seconds, 0);
    for (int count = 0; count < 64800; count += 3) {
        const auto c = ParseClockLine("07/04/06\t" + std::to_string(count));
        ASSERT_TRUE(c);
        ASSERT_EQ(c->hours * 3600 + c->minutes * 60 + c->seconds, count / 3 * 4) << count;
    }
}

TEST_F(Retrieval, BareLabelReadsAsZeroButALineShorterThanItsLabelIsAnError) {
    m.Text2.SetText("5");
    logger->replies['P'] = Reply("P", "100101", "S=30\r\nD=\r\nQ=100\r\nI=90\r\nMP=32767\r\n");
    m.Command3.Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m.Text2.Text(), "0");
    EXPECT_EQ(m.Label3.Caption(), "32767");
    logger->replies['P'] = Reply("P", "100101", "S=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP\r\n");
    m.Command3.Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Error");
    EXPECT_EQ(Messages()[0].text,
              "The settings reply is incomplete: line 11 of 11 is missing or too short.");
    EXPECT_EQ(m.Text2.Text(), "0");
}

TEST_F(Retrieval, FillsTheFrameFromTheReplyAndTheClock) {
    logger->replies['P'] = Reply(">P", "100101", kValues);
    logger->replies['C'] = "C\r\n07/04/06\t32400\r\n>";
    m.Command3.Click();
    EXPECT_EQ(logger->written, "PC");
    EXPECT_EQ(m.Check7.Value(), 1);
    EXPECT_EQ(m.Check1.Value(), 1);
    EXPECT_TRUE(m.Check1.Enabled());
    EXPECT_EQ(m.Check2.Value(), 0);
    EXPECT_EQ(m.Check6.Value(), 1);
    EXPECT_EQ(m.Slider1.Value(), 30);
    EXPECT_EQ(m.Text2.Text(), "2");
    EXPECT_EQ(m.Text3.Text(), "100");
    EXPECT_EQ(m.Text4.Text(), "90");
    EXPECT_EQ(m.Label58.Caption(), "(1 Mins 30 Seconds)");
    EXPECT_EQ(m.Label3.Caption(), "32767");
    EXPECT_EQ(m.Label10.Caption(), " 49.9%");
    EXPECT_EQ(m.Label48.Caption(), "One Measurement will take ~ 1 Second(s)");
    EXPECT_EQ(m.Text1.Text(), "7");
    EXPECT_EQ(m.Text6.Text(), "4");
    EXPECT_EQ(m.Text7.Text(), "2006");
    EXPECT_EQ(m.Text5.Text(), "12");
    EXPECT_EQ(m.Text8.Text(), "00");
    EXPECT_EQ(m.Text48.Text(), "00");
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Retrieval, ProgressBarClimbsTwentyTwoStepsThenReturnsToZero) {
    logger->replies['P'] = Reply("P", "100101", kValues);
    double highest = 0;
    m.ProgressBar1.Observe([&](Property) { highest = std::max(highest, m.ProgressBar1.Value()); });
    m.Command3.Click();
    EXPECT_NEAR(highest, 22 * 4.34, 1e-9);
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
}

TEST_F(Retrieval, GreyDigitAndLetterBitsSetTheBoxesAndOtherDigitsLeaveThem) {
    m.Text3.SetText("5");
    m.Check7.SetValue(1);
    m.Check1.SetValue(1);
    logger->replies['P'] = Reply("P", "2005x2", kValues);
    m.Command3.Click();
    EXPECT_EQ(m.Check7.Value(), 2);
    EXPECT_EQ(m.Check1.Value(), 1);
    EXPECT_EQ(m.Check2.Value(), 0);
    EXPECT_EQ(m.Check6.Value(), 2);
}

TEST_F(Retrieval, NoBlockLengthClearsLogEnabledUntilALaterReplyHasOne) {
    logger->replies['P'] = Reply("P", "100100", "S=30\r\nD=0\r\nQ=0\r\nI=0\r\nMP=0\r\n");
    m.Command3.Click();
    EXPECT_EQ(m.Check1.Value(), 0);
    EXPECT_FALSE(m.Check1.Enabled());
    logger->replies['P'] = Reply("P", "100100", kValues);
    m.Command3.Click();
    EXPECT_TRUE(m.Check1.Enabled());
    EXPECT_EQ(m.Check1.Value(), 1);
}

TEST_F(Retrieval, StreamingSensorGivesConflictLeavesTheFrameAndStillAsksTheClock) {
    logger->replies['P'] = "12/06/26\t12:00:01\t1847\t1202\t957\t4006\r\n";
    m.Text3.SetText("7");
    m.Command3.Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Conflict");
    EXPECT_EQ(Messages()[0].text,
              "Unable to Get Settings. Check and make sure the instrument is not outputing data");
    EXPECT_EQ(m.Text3.Text(), "7");
    EXPECT_EQ(logger->written, "PC");
}

TEST_F(Retrieval, EchoFromAnEarlierRetrievalIsNotTakenForANewReply) {
    logger->replies['P'] = Reply("P", "100101", kValues);
    m.Command3.Click();
    logger->replies['P'] = "";
    m.Slider1.SetValue(3);
    m.Command3.Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Conflict");
    EXPECT_EQ(m.Slider1.Value(), 3);
}

TEST_F(Retrieval, CutOffReplyReportsAnErrorKeepsWhatWasReadAndStillAsksTheClock) {
    logger->replies['P'] = "P\r\nBit 1\r\nBit 0\r\nBit 0\r\nBit 1\r\nBit 1\r\nBit 1\r\nS=30\r\n>";
    logger->replies['C'] = "C\r\n07/04/06\t32400\r\n>";
    m.Command3.Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Error");
    EXPECT_EQ(Messages()[0].text,
              "The settings reply is incomplete: line 8 of 11 is missing or too short.");
    EXPECT_EQ(m.Check2.Value(), 1);
    EXPECT_EQ(m.ProgressBar1.Value(), 0);
    EXPECT_EQ(m.Text5.Text(), "12");
}

TEST_F(Retrieval, SmoothingOutsideTheSliderRangeIsClampedAndTheUserTold) {
    logger->replies['P'] = Reply("P", "100101", "S=300\r\nD=0\r\nQ=5\r\nI=0\r\nMP=0\r\n");
    m.Command3.Click();
    EXPECT_EQ(m.Slider1.Value(), 255);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Measurement Smoothing");
    EXPECT_NE(
        Messages()[0].text.find("300 samples, outside the range 1 to 255. The slider shows 255"),
        std::string::npos);
    EXPECT_EQ(m.Text3.Text(), "5");
    logger->replies['P'] = Reply("P", "100101", "S=0\r\nD=0\r\nQ=5\r\nI=0\r\nMP=0\r\n");
    m.Command3.Click();
    EXPECT_EQ(m.Slider1.Value(), 1);
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(Retrieval, HalfSampleSmoothingRoundsToTheEvenNeighbour) {
    logger->replies['P'] = Reply("P", "100101", "S=24.5\r\nD=0\r\nQ=5\r\nI=0\r\nMP=0\r\n");
    m.Command3.Click();
    EXPECT_EQ(m.Slider1.Value(), 24);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Retrieval, ShortOrTablessClockLineChangesNothing) {
    logger->replies['P'] = Reply("P", "100101", kValues);
    for (const char* clock : {"C\r\n1/1/06\t\r\n>", "C\r\n07/04/06 32400\r\n>", "C\r\n>"}) {
        logger->replies['C'] = clock;
        m.Command3.Click();
        EXPECT_EQ(m.Text1.Text(), "0") << clock;
        EXPECT_EQ(m.Text5.Text(), "0") << clock;
    }
}

TEST_F(Retrieval, MidnightGivesZeroHoursAndTwoDigitMinutesAndSeconds) {
    logger->replies['C'] = "C\r\n07/04/06\t0\r\n>";
    m.Command3.Click();
    EXPECT_EQ(m.Text5.Text(), "0");
    EXPECT_EQ(m.Text8.Text(), "00");
    EXPECT_EQ(m.Text48.Text(), "00");
}

TEST_F(Retrieval, DateGoesIntoTheBoxesInTheOrderTheChosenFormatShows) {
    m.dmy.Click();
    ASSERT_FALSE(m.mdy.Checked());
    logger->replies['C'] = "C\r\n07/04/06\t32400\r\n>";
    m.Command3.Click();
    EXPECT_EQ(m.Text1.Text(), "4");
    EXPECT_EQ(m.Text6.Text(), "7");
    EXPECT_EQ(m.Text7.Text(), "2006");
}

TEST_F(Retrieval, ClosedPortSendsNothingAndSaysNothing) {
    m.cp.Click();
    m.Command3.Click();
    EXPECT_EQ(logger->written, "");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Retrieval, PortFailingDuringTheExchangeAsksTheUserToCheckAndFreesTheButtons) {
    bench.program.port.FailWrites("Device not ready");
    m.Command3.Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "Please Check");
    EXPECT_EQ(Messages()[0].text,
              "Please make sure the power is on, the instrument is not running, and the comm port "
              "is selected.");
    EXPECT_TRUE(m.Command3.Enabled());
    EXPECT_TRUE(m.Command2.Enabled());
}

TEST(RetrievalFromSimulator, SimulatedLoggerAnswersWithPromptEchoAndGreyBits) {
    SettingsBench bench;
    bench.sensor->Logger().promptBeforeEcho = true;
    bench.sensor->Logger().controlBits = "120112";
    bench.sensor->Logger().memoryPointer = 65535;
    bench.m.Command3.Click();
    EXPECT_TRUE(bench.program.dialogs.Messages().empty());
    EXPECT_EQ(bench.m.Check7.Value(), 1);
    EXPECT_EQ(bench.m.Check2.Value(), 1);
    EXPECT_EQ(bench.m.Check6.Value(), 2);
    EXPECT_EQ(bench.m.Label10.Caption(), " 100%");
}

TEST(RetrievalFromSimulator, SensorStreamingThroughCommandsGivesConflict) {
    SettingsBench bench;
    bench.sensor->Logger().streamsThroughCommands = true;
    bench.m.Command3.Click();
    ASSERT_EQ(bench.program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(bench.program.dialogs.Messages()[0].title, "Conflict");
    EXPECT_EQ(bench.m.Slider1.Value(), 1);
    bench.sensor->Logger().streamsThroughCommands = false;
    bench.sensor->Logger().smoothing = 77;
    bench.m.Command3.Click();
    EXPECT_EQ(bench.program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(bench.m.Slider1.Value(), 77);
}

}  // namespace
}  // namespace zan
