#include <gtest/gtest.h>

#include <filesystem>

#include "acquisition/acquisition_loop.h"
#include "core/test_support.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
const std::string kVsfShortLine = "12/06/26\t12:00:01\t1851\t1211\t961\r\n";
const std::string kTriaLine =
    "TRIA-0042 BGF "
    "ANN\t12:00:00\t2100\t1420\t1030\t4000\t2200\t1500\t1100\t4100\t310\t12.1\t1013\r\n";

class RecordingFiles : public ::testing::Test {
  protected:
    test::TempFolder folder;
    const fs::path& dir = folder.path;
    void SetUp() override {
        recording = dir / "rec.txt";
        raw = dir / "raw.txt";
        program.Load();
    }

    void Click(CommandButton& button, const fs::path& answer) {
        program.dialogs.AnswerFile(answer.string());
        button.Click();
    }
    void StartBoth() {
        Click(m.Command18, recording);
        Click(m.Command19, raw);
    }
    void StopBoth() {
        m.Command18.Click();
        m.Command19.Click();
    }
    void Feed(const std::string& text) { WalkReceivedText(program.ctx, text); }
    std::string Header(const fs::path& file) {
        return "Created on 12-06-2026\r\nLocation : " + file.string() + "\r\n";
    }
    const std::vector<ScriptedDialogs::Message>& messages() { return program.dialogs.Messages(); }

    VirtualProgram program;
    MainForm& m = program.ctx.main;
    ProgramState& s = program.ctx.state;
    fs::path recording, raw;
};

struct InstrumentCase {
    const char* name;
    MenuItem MainForm::*menu;
    float view;
    std::string recordingHeading;  // with its CR LF, or empty for none
    std::string rawHeading;
    std::vector<std::string> lines;
    std::string recordedLines;
};

// The coefficients of both families: VSF beta 1.8, 2.4, 0.09 and DFL chlorophyll 10 below.
void Calibrate(MainForm& m) {
    const char* cells[3][2] = {{"0.001", "50"}, {"0.002", "10"}, {"0.0001", "60"}};
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 2; ++col) m.MSFlexGrid2.SetCell(row, col, cells[row - 1][col - 1]);
    m.Text10.SetText("50");
    m.Text16.SetText("0.01");
}

const std::string kVsfHeading = "Date\tTime\t100\t125\t150\tRef\r\n";
const std::string kDflHeading = "Date\tTime\tOutput\r\n";
const std::string kDflLine = "12/06/26\t12:00:00\t1050\r\n";

// clang-format off
const InstrumentCase kInstrumentCases[] = {
    {"VsfCounts", &MainForm::inst2, kViewVsfCounts, kVsfHeading, kVsfHeading, {kVsfLine, kVsfShortLine},
     "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n"},
    {"VsfBeta", &MainForm::inst2, kViewVsfBeta, kVsfHeading, kVsfHeading, {kVsfLine, kVsfShortLine},
     "12/06/26\t12:00:00\t1.8\t2.4\t0.09\t4010\r\n"},
    {"VsfsCounts", &MainForm::inst3, kViewVsfCounts, "", kVsfHeading, {kVsfLine},
     "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n"},
    {"DflChlorophyll", &MainForm::inst4, kViewDflChlorophyll, kDflHeading, kDflHeading, {kDflLine, "bad\r\n"},
     "12/06/26\t12:00:00\t10\r\n"},
    {"DflCounts", &MainForm::inst4, kViewDflCounts, kDflHeading, kDflHeading, {kDflLine},
     "12/06/26\t12:00:00\t1050\r\n"},
    {"DflsChlorophyll", &MainForm::inst5, kViewDflChlorophyll, "", kDflHeading, {kDflLine},
     "12/06/26\t12:00:00\t10\r\n"},
    {"TriaCounts", &MainForm::inst6, kViewTriaCounts,
     "Time\tB100\tB125\tB150\tG100\tG125\tG150\tFluor.\tVin\tAtmos.\r\n",
     "Header\tTime\tB100\tB125\tB150\tBref\tG100\tG125\tG150\tGref\tFluor.\tVin\tAtmos.\r\n", {kTriaLine},
     "12:00:00\t2100\t1420\t1030\t2200\t1500\t1100\t310\t12.1\t1013\r\n"},
};
// clang-format on

class EveryInstrument : public RecordingFiles,
                        public ::testing::WithParamInterface<InstrumentCase> {};

// The TRIA heading follows the last decoded packet, so one line runs before the start.
TEST_P(EveryInstrument, RecordingAndRawLogHoldExactlyTheirLines) {
    const InstrumentCase& c = GetParam();
    (m.*c.menu).Click();
    Calibrate(m);
    s.GraphView = c.view;
    Feed(c.lines.front());
    StartBoth();
    std::string received;
    for (const std::string& line : c.lines) {
        Feed(line);
        received += line;
    }
    EXPECT_EQ(m.Label67.Caption(), std::to_string(c.lines.size()));
    StopBoth();
    EXPECT_EQ(test::ReadBytes(recording),
              Header(recording) + c.recordingHeading + c.recordedLines + "EOF\r\n");
    EXPECT_EQ(test::ReadBytes(raw), Header(raw) + c.rawHeading + received + "EOF\r\n");
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Views, EveryInstrument, ::testing::ValuesIn(kInstrumentCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordingFiles, AppendingKeepsTheFirstRunWithItsEofInTheMiddle) {
    m.inst2.Click();
    s.GraphView = kViewVsfCounts;
    m.Check3.SetValue(1);
    m.Check4.SetValue(1);
    for (int run = 0; run < 2; ++run) {
        StartBoth();
        Feed(kVsfLine);
        StopBoth();
    }
    const std::string once = kVsfHeading + kVsfLine + "EOF\r\n";
    EXPECT_EQ(test::ReadBytes(recording), Header(recording) + once + Header(recording) + once);
    EXPECT_EQ(test::ReadBytes(raw), Header(raw) + once + Header(raw) + once);
    // The dialog does not ask to replace a file that is to be added to; unchecked, it does.
    for (const auto& asked : program.dialogs.FileRequests())
        EXPECT_FALSE(asked.request.confirmReplace);
    m.Check3.SetValue(0);
    Click(m.Command18, recording);
    EXPECT_TRUE(program.dialogs.FileRequests().back().request.confirmReplace);
}

TEST_F(RecordingFiles, CancelledOrUnwritableStartReturnsToIdleAndSaysWhy) {
    m.inst2.Click();
    program.dialogs.CancelFile();
    m.Command18.Click();
    EXPECT_EQ(m.Command18.Caption(), "Start Recording");
    EXPECT_EQ(m.Command18.BackColour(), kLightGreen);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(fs::is_empty(dir));

    Click(m.Command19, dir);
    EXPECT_EQ(m.Command19.Caption(), "Start Logging Raw Data");
    EXPECT_EQ(s.RawLogging, 0);
    EXPECT_TRUE(
        test::OneMessageWith(program, ": Could not open " + dir.string() + ": Is a directory"));
}

TEST_F(RecordingFiles, AFullDiskStopsRecordingWithOneMessageAndLosesNothingBefore) {
    m.inst2.Click();
    s.GraphView = kViewVsfCounts;
    StartBoth();
    Feed(kVsfLine);
    ASSERT_TRUE(test::FillDiskUnder(recording));
    for (int k = 0; k < 5; ++k) Feed(kVsfLine);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Could not write to " + recording.string() +
                                      ": No space left on device. 4 lines are in the file. "
                                      "Recording has stopped.");
    EXPECT_EQ(m.Command18.Caption(), "Start Recording");
    EXPECT_EQ(s.Recording, 0);
    EXPECT_EQ(test::ReadBytes(recording), Header(recording) + kVsfHeading + kVsfLine);
    // The raw log on another disk goes on; the stop restarted its count, as every stop does.
    EXPECT_EQ(m.Label67.Caption(), "5");
    m.Command19.Click();
    EXPECT_EQ(test::ReadBytes(raw).size(),
              (Header(raw) + kVsfHeading + "EOF\r\n").size() + 6 * kVsfLine.size());
}

TEST_F(RecordingFiles, TheSyncRunsWhenNoLineArrivesAndAFailedRawLogCountsZero) {
    m.inst2.Click();
    s.GraphView = kViewVsfCounts;
    StartBoth();
    for (int k = 0; k < 3; ++k) Feed(kVsfLine);
    EXPECT_EQ(m.Label67.Caption(), "3");
    fs::remove(raw);
    fs::resize_file(recording, Header(recording).size());
    // No line arrives: the timed sync finds both files gone wrong within its interval.
    program.pump.RunFor(UserFileWriter::kSyncInterval + 0.5);
    EXPECT_EQ(test::Messages(program),
              (test::Lines{"Error: Could not write to " + recording.string() +
                               ": the file was shortened by another program. 2 lines are in the "
                               "file. Recording has stopped.",
                           "Error: Could not write to " + raw.string() +
                               ": the file was removed or replaced by another program. 6 lines "
                               "had been written to it. Raw logging has stopped."}));
    EXPECT_EQ(m.Label67.Caption(), "0");
    EXPECT_EQ(s.RawLogging, 0);
    EXPECT_EQ(test::ReadBytes(recording), Header(recording));
}

TEST_F(RecordingFiles, UnpluggingWhileRecordingAndLoggingLosesNoLine) {
    auto feed = program.AttachFeed(1);
    m.inst2.Click();
    m.op1.Click();
    s.GraphView = kViewVsfCounts;
    StartBoth();
    feed->Feed(kVsfLine + kVsfLine + "12/06/26\t12:00");
    program.pump.RunFor(0.1);
    program.port.DropLine();
    program.pump.RunFor(0.5);
    EXPECT_TRUE(test::OneMessageWith(program, "Error: "));
    EXPECT_EQ(s.Recording, 1);
    StopBoth();
    EXPECT_EQ(test::ReadBytes(recording),
              Header(recording) + kVsfHeading + kVsfLine + kVsfLine + "EOF\r\n");
    EXPECT_EQ(test::ReadBytes(raw), Header(raw) + kVsfHeading + kVsfLine + kVsfLine + "EOF\r\n");
    EXPECT_EQ(messages().size(), 1u);
}

}  // namespace
}  // namespace zan
