#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "core/colour.h"
#include "driver/driver.h"
#include "file_bytes.h"
#include "statistics/data_capture.h"
#include "statistics/running_averages.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

// The testing panel of a VSF fed line by line on port 1.
class TestingPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        feed = program.AttachFeed(1);
        program.Load();
        m.inst2.Click();
        m.op1.Click();
        m.Image1.Click();
        folder = fs::temp_directory_path() /
                 ("zanhost_statistics_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void Receive(const std::string& text) {
        feed->Feed(text);
        Timer1_Timer(ctx);
    }
    // A VSF line whose three angle channels all read the value.
    void Packet(const std::string& value) {
        Receive("12/06/26\t12:00:00\t" + value + "\t" + value + "\t" + value + "\t4000\r\n");
    }
    std::vector<std::string> Averages() const {
        std::vector<std::string> row;
        for (int col = 1; col <= 4; ++col) row.push_back(m.MSFlexGrid3.Cell(1, col));
        return row;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& message : program.dialogs.Messages()) texts.push_back(message.text);
        return texts;
    }
    std::string OpenCapture(const std::string& name) {
        const std::string path = (folder / name).string();
        program.dialogs.AnswerFile(path);
        m.Command20.Click();
        return path;
    }

    VirtualProgram program;
    Context& ctx = program.ctx;
    MainForm& m = ctx.main;
    ProgramState& s = ctx.state;
    std::shared_ptr<FeedDevice> feed;
    fs::path folder;
};

TEST_F(TestingPanel, ConstantChannelClimbsToItsValueOverThePopulation) {
    m.Text12.SetText("4");
    m.Command23.Click();
    const std::vector<std::string> expected = {"0.5", "1", "1.5", "2", "2"};
    for (size_t i = 0; i < expected.size(); ++i) {
        Packet("2");
        EXPECT_EQ(Averages(),
                  (std::vector<std::string>{expected[i], expected[i], expected[i], "0"}))
            << "packet " << i + 1;
        EXPECT_EQ(m.Label49.Caption(), std::to_string(i % 4 + 1));
    }
    EXPECT_EQ(m.MSFlexGrid3.Row(), 1);
    EXPECT_EQ(m.MSFlexGrid3.Col(), 1);
}

TEST_F(TestingPanel, AveragesRoundDownToAThousandthOverTheWholePopulation) {
    struct Case {
        std::vector<float> samples;
        float population;
        float average;
    };
    const std::vector<Case> cases = {{{-0.0004f}, 1, -0.001f},     {{0.0004f}, 1, 0},
                                     {{1, 1, 9}, 2.5f, 0.8f},      {{2}, 4, 0.5f},
                                     {{1, 2, 2}, 3, 1.666f},       {{-1, -2, -2}, 3, -1.667f},
                                     {{0.1f, 0.2f, 0.3f}, 3, 0.2f}};
    for (const Case& c : cases) {
        StatisticsRing ring{};
        for (size_t i = 0; i < c.samples.size(); ++i) ring[i + 1] = c.samples[i];
        EXPECT_FLOAT_EQ(RingAverage(ring, c.population), c.average) << c.population;
    }
}

TEST_F(TestingPanel, FractionalPopulationUsesTwoPositionsAndDividesByItself) {
    m.Text12.SetText("2.5");
    m.Command23.Click();
    std::vector<std::string> indices, averages;
    for (const char* value : {"1", "1", "4"}) {
        Packet(value);
        indices.push_back(m.Label49.Caption());
        averages.push_back(m.MSFlexGrid3.Cell(1, 1));
    }
    EXPECT_EQ(indices, (std::vector<std::string>{"1", "2", "1"}));
    EXPECT_EQ(averages, (std::vector<std::string>{"0.4", "0.8", "2"}));
}

TEST_F(TestingPanel, LoweringThePopulationSendsTheNextSampleToPositionOne) {
    m.Text12.SetText("4");
    m.Command23.Click();
    for (const char* value : {"1", "2", "3"}) Packet(value);
    m.Text12.SetText("2");
    Packet("8");
    EXPECT_EQ(m.Label49.Caption(), "1");
    EXPECT_EQ(s.StatisticsSamples[0][1], 8);
    EXPECT_EQ(m.MSFlexGrid3.Cell(1, 1), "5");
}

TEST_F(TestingPanel, ClearEmptiesOnlyThePopulationOfTheLastSample) {
    m.Text12.SetText("4");
    m.Command23.Click();
    for (int i = 0; i < 4; ++i) Packet("7");
    m.Text12.SetText("2");
    Packet("7");
    m.Text12.SetText("4");
    m.Command26.Click();
    EXPECT_EQ(s.StatisticsIndex, 0);
    EXPECT_EQ(Averages()[0], "7") << "the grid keeps its figures until the next sample";
    Packet("0");
    EXPECT_EQ(m.Label49.Caption(), "1");
    EXPECT_EQ(Averages()[0], "3.5") << "positions 3 and 4 kept their sevens";
}

TEST_F(TestingPanel, StartButtonColourIsItsStateAndTheRingsOutliveAStop) {
    m.Text12.SetText("2");
    m.Command23.Click();
    EXPECT_EQ(m.Command23.BackColour(), kLightRed);
    EXPECT_EQ(m.Label50.Caption(), "|");
    Packet("6");
    m.Command23.Click();
    EXPECT_EQ(m.Command23.BackColour(), kLightGreen);
    EXPECT_EQ(m.Label50.Caption(), "/");
    EXPECT_EQ(s.StatisticsRunning, 0);
    Packet("100");
    EXPECT_EQ(m.Label49.Caption(), "1") << "no sample while stopped";
    m.Command23.Click();
    Packet("6");
    EXPECT_EQ(m.MSFlexGrid3.Cell(1, 1), "6");
    EXPECT_EQ(m.Command23.Caption(), "Start Ave && Stdev");
}

TEST_F(TestingPanel, FluorometerAveragesItsRawCountsInTheFirstColumn) {
    m.inst4.Click();
    m.df2.Click();
    m.Text16.SetText("2");
    m.Text12.SetText("1");
    m.Command23.Click();
    Receive("12/06/26\t100\t50\r\n");
    EXPECT_EQ(m.Text47.Text(), "100");
    EXPECT_EQ(m.MSFlexGrid3.Cell(1, 1), "50");
}

TEST_F(TestingPanel, PopulationBoxKeepsANumberOfSamplesTheRingsHold) {
    struct Case {
        std::string typed, kept;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"0", "1", false},     {"-5", "1", false},      {"", "1", false},
        {"1e-50", "1", false}, {"2000", "2000", false}, {" 2.5", " 2.5", false},
        {"2001", "60", true},  {"abc", "60", true},     {"6a", "60", true},
        {"inf", "60", true},   {"nan", "60", true},
    };
    for (const Case& c : cases) {
        m.Text12.SetText("60");
        program.dialogs.ClearMessages();
        m.Text12.SetText(c.typed);
        EXPECT_EQ(m.Text12.Text(), c.kept) << c.typed;
        ASSERT_EQ(Messages().size(), c.refused ? 1u : 0u) << c.typed;
        if (c.refused) {
            EXPECT_EQ(Messages()[0], "The population is a number of samples from 1 to 2000: \"" +
                                         c.typed + "\" is refused and the population stays 60.");
        }
    }
}

TEST_F(TestingPanel, CaptureStepsRunInFiftiethsToOneThenInTenths) {
    std::vector<std::string> expected;
    for (int i = 2; i <= 98; i += 2) {
        std::string hundredths = (i < 10 ? "0" : "") + std::to_string(i);
        if (hundredths.back() == '0') hundredths.pop_back();
        expected.push_back(" ." + hundredths);
    }
    for (const char* step : {" 1", "1.1", " 1.2", " 1.3", " 1.4", " 1.5", " 1.6", " 1.7", " 1.8",
                             " 1.9", " 2", " 2.1"})
        expected.push_back(step);
    std::vector<std::string> steps;
    std::string step = "0";
    for (size_t i = 0; i < expected.size(); ++i) steps.push_back(step = NextCaptureStep(step));
    EXPECT_EQ(steps, expected);
}

TEST_F(TestingPanel, CapturedLinesReachTheFileAsTheyAreCaptured) {
    Receive("12/06/26\t12:00:00\t1\t2\t3\t4000\r\n12/06/26\t12:00:01\t5");
    const std::string path = OpenCapture("points.txt");
    EXPECT_EQ(m.Label34.Caption(), "0");
    m.Command21.Click();
    EXPECT_EQ(test::ReadBytes(path), "12/06/26\t12:00:00\t1\t2\t3\t4000\r\n");
    Receive("\t6\t7\t4001\r\n");
    m.Command21.Click();
    Receive("1");
    m.Command21.Click();
    m.Command22.Click();
    EXPECT_EQ(test::ReadBytes(path),
              "12/06/26\t12:00:00\t1\t2\t3\t4000\r\n"
              "12/06/26\t12:00:01\t5\t6\t7\t4001\r\n"
              "12/06/26\t12:00:01\t5\t6\t7\t4001\r\n");
    EXPECT_EQ(m.Label34.Caption(), " .06");
    EXPECT_TRUE(program.dialogs.Messages().empty());
    m.Command22.Click();
    EXPECT_TRUE(program.dialogs.Messages().empty()) << "closing with none open says nothing";
}

TEST_F(TestingPanel, CaptureWithoutAFileOrALineSaysWhyAndLeavesTheStep) {
    m.Command21.Click();
    Receive("12/06/26\t12:00:00\t1");
    const std::string path = OpenCapture("points.txt");
    m.Command21.Click();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "No capture file is open: choose one with \"Save File As\" first.",
                              "No complete line has been received yet; nothing was captured."}));
    EXPECT_EQ(m.Label34.Caption(), "0");
    EXPECT_EQ(test::ReadBytes(path), "");
}

TEST_F(TestingPanel, CaptureFileThatCannotBeCreatedOrWrittenSaysWhyOnce) {
    Receive("a\r\n");
    OpenCapture("missing/points.txt");
    program.dialogs.AnswerFile("/dev/full");
    m.Command20.Click();
    m.Command21.Click();
    m.Command21.Click();
    const std::string missing = (folder / "missing/points.txt").string();
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{
                  "Could not create the capture file " + missing + ": No such file or directory",
                  "Could not write the capture file /dev/full after 0 lines: No space left on "
                  "device",
                  "No capture file is open: choose one with \"Save File As\" first."}));
    EXPECT_EQ(m.Label34.Caption(), "0");
}

TEST_F(TestingPanel, SaveFileAsWhileAFileIsOpenKeepsTheFirstFile) {
    Receive("a\r\n");
    const std::string first = OpenCapture("first.txt");
    m.Command21.Click();
    m.Command20.Click();
    m.Command21.Click();
    program.dialogs.CancelFile();
    m.Command22.Click();
    m.Command20.Click();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The capture file " + first +
                                                    " is still open; close it with \"Close "
                                                    "File\" before choosing another."}));
    EXPECT_EQ(test::ReadBytes(first), "a\r\na\r\n");
    EXPECT_EQ(program.dialogs.FileRequests().size(), 2u) << "no dialog for a refused choice";
    EXPECT_EQ(m.Label34.Caption(), " .04") << "a cancelled dialog changes nothing";
}

TEST_F(TestingPanel, DriverRunsThePanelAndPrintsTheCaptureFile) {
    const std::string path = (folder / "driven.txt").string();
    std::ostringstream out;
    Driver driver(out);
    std::istringstream script(
        "attach 1 VSF\nload\nclick inst2\nclick op1\nclick Image1\n"
        "set Text12 2\nclick Command23\nwait 2.5\nprint MSFlexGrid3\n"
        "answer " +
        path +
        "\nclick Command20\nclick Command21\n"
        "click Command22\nprint Label34\nfile " +
        path + "\n");
    EXPECT_EQ(driver.Run(script), 0);
    EXPECT_EQ(out.str(),
              "MSFlexGrid3: caption \"\" visible true enabled true colour 192,192,192\n"
              "  0: | |100      |125      |150      |     Ref|\n"
              "  1: | |1855.5 |1213 |960 |0|\n"
              "Label34: caption \" .02\" visible true enabled true colour 192,192,192\n"
              "file " +
                  path + " = \"12/06/26\\t12:00:02\\t1864\\t1224\\t963\\t4008\\r\\n\"\n");
}

}  // namespace
}  // namespace zan
