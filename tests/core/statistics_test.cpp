#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "core/colour.h"
#include "core/test_support.h"
#include "driver/driver.h"
#include "statistics/data_capture.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;
using test::Lines;

// The testing panel of a VSF fed line by line on port 1.
class TestingPanel : public test::LoadedWithFeed {
  protected:
    void SetUp() override {
        m.inst2.Click();
        m.op1.Click();
    }
    void Receive(const std::string& text) {
        feed->Feed(text);
        Timer1_Timer(program.ctx);
    }
    // A VSF line whose three angle channels read the value; returns the first average.
    std::string Packet(const std::string& v) {
        Receive("12/06/26\t12:00:00\t" + v + "\t" + v + "\t" + v + "\t4000\r\n");
        return m.MSFlexGrid3.Cell(1, 1);
    }
    void Capture(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        m.Command20.Click();
    }

    test::TempFolder folder;
};

TEST_F(TestingPanel, AveragesRunOverTheRingAndKeepItAcrossAStop) {
    m.Text12.SetText("4");
    m.Command23.Click();
    EXPECT_EQ(m.Label50.Caption(), "|");
    EXPECT_EQ(m.Command23.BackColour(), kLightRed);
    // A braced list runs its packets in order.
    const Lines ramp = {Packet("2"), Packet("2"), Packet("2"), Packet("2")};
    EXPECT_EQ(ramp, (Lines{"0.5", "1", "1.5", "2"}));
    EXPECT_EQ(m.MSFlexGrid3.Cell(1, 3) + m.MSFlexGrid3.Cell(1, 4), "20");
    m.Command23.Click();
    EXPECT_EQ(Packet("9") + m.Label50.Caption(), "2/");
    EXPECT_EQ(m.Command23.BackColour(), kLightGreen);
    m.Command23.Click();
    m.Text12.SetText("2");
    EXPECT_EQ(Packet("8") + " at " + m.Label49.Caption(), "5 at 1");
    m.Text12.SetText("4");
    m.Command26.Click();  // clears positions 1 and 2 only
    EXPECT_EQ(m.MSFlexGrid3.Cell(1, 1), "5");
    EXPECT_EQ(Packet("0") + " at " + m.Label49.Caption(), "1 at 1");
}

TEST_F(TestingPanel, FractionalPopulationsAndSmallMeansRoundDownAndTheFluorometerAveragesCounts) {
    m.Text12.SetText("2.5");
    m.Command23.Click();
    const Lines shown = {Packet("1"), Packet("1"), Packet("4"), m.Label49.Caption()};
    EXPECT_EQ(shown, (Lines{"0.4", "0.8", "2", "1"}));
    m.Text12.SetText("1");
    EXPECT_EQ(Packet("-0.0004") + " " + Packet("0.0004"), "-0.001 0");
    m.inst4.Click();
    m.df2.Click();
    m.Text16.SetText("2");
    Receive("12/06/26\t100\t50\r\n");
    EXPECT_EQ(m.Text47.Text() + " " + m.MSFlexGrid3.Cell(1, 1), "100 50");
}

TEST_F(TestingPanel, PopulationBoxKeepsANumberOfSamplesTheRingsHold) {
    const char* cases[][2] = {{"0", "1"},       {"-5", "1"},      {"", "1"},        {"1e-50", "1"},
                              {"2000", "2000"}, {" 2.5", " 2.5"}, {"2001", "60 !"}, {"abc", "60 !"},
                              {"6a", "60 !"},   {"nan", "60 !"}};
    for (const auto& c : cases) {
        m.Text12.SetText("60");
        program.dialogs.ClearMessages();
        m.Text12.SetText(c[0]);
        EXPECT_EQ(m.Text12.Text() + (Messages().empty() ? "" : " !"), c[1]) << c[0];
    }
    EXPECT_EQ(Messages()[0],
              "Population: The population is a number of samples from 1 to 2000: \"nan\" is "
              "refused and the population stays 60.");
}

TEST_F(TestingPanel, CaptureStepsRunInFiftiethsToOneThenInTenths) {
    std::string expected, steps;
    for (int i = 2; i <= 98; i += 2)
        expected += " ." + std::to_string(i / 10) + (i % 10 ? std::to_string(i % 10) : "") + "|";
    expected += " 1|1.1| 1.2| 1.3| 1.4| 1.5| 1.6| 1.7| 1.8| 1.9| 2| 2.1|";
    for (std::string step = "0"; steps.size() < expected.size();)
        steps += (step = NextCaptureStep(step)) + "|";
    EXPECT_EQ(steps, expected);
}

TEST_F(TestingPanel, CapturedLinesReachTheFileAsTheyAreCaptured) {
    Receive("12/06/26\t1\t2\r\n12/06/26\t3");
    const fs::path path = folder / "points.txt";
    Capture(path);
    m.Command21.Click();
    EXPECT_EQ(test::ReadBytes(path), "12/06/26\t1\t2\r\n");
    Receive("\t4\r\n");  // complete, the next line not yet begun
    m.Command21.Click();
    m.Command22.Click();
    EXPECT_EQ(test::ReadBytes(path), "12/06/26\t1\t2\r\n12/06/26\t3\t4\r\n");
    EXPECT_EQ(m.Label34.Caption(), " .04");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TestingPanel, CaptureThatCannotHappenSaysWhyOnce) {
    m.Command21.Click();
    Receive("a");
    Capture(folder / "first.txt");
    m.Command21.Click();
    Receive("\r\n");
    m.Command20.Click();  // refused before its dialog: a file is open
    m.Command22.Click();
    Capture(folder / "missing/points.txt");
    Capture("/dev/full");
    m.Command21.Click();
    m.Command21.Click();
    const std::string noFile =
        "Error: No capture file is open: choose one with \"Save File As\" first.";
    EXPECT_EQ(Messages(),
              (Lines{noFile, "Error: No complete line has been received yet; nothing was captured.",
                     "Error: The capture file " + (folder / "first.txt").string() +
                         " is still open; close it with \"Close File\" before choosing another.",
                     "Error: Could not open " + (folder / "missing").string() +
                         "/points.txt: No such file or directory",
                     "Error: Could not write to /dev/full: No space left on device. 0 lines are "
                     "in the file.",
                     noFile}));
    EXPECT_EQ(m.Label34.Caption(), "0");
}

// The driver runs the panel and prints the capture file; it reports unknown
// and failed commands.
TEST_F(TestingPanel, DriverRunsThePanelAndPrintsTheCaptureFile) {
    const std::string path = (folder / "driven.txt").string();
    std::ostringstream out;
    Driver driver(out);
    std::istringstream script("attach 1 VSF\nload\nclick inst2\nclick op1\nwait 1.5\nanswer " +
                              path + "\nclick Command20\nclick Command21\nbytes " + path + "\n");
    EXPECT_EQ(driver.Run(script), 0);
    EXPECT_EQ(out.str(),
              "bytes " + path + " = \"12/06/26\\t12:00:01\\t1847\\t1202\\t957\\t4006\\r\\n\"\n");
    for (const char* bad : {"bogus", "click NoSuchControl", "wait soon", "logger 1 bits 12"})
        EXPECT_FALSE(driver.Execute(bad)) << bad;
    EXPECT_NE(out.str().find("error: unknown command: bogus\n"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace zan
