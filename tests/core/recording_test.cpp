#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "acquisition/acquisition_loop.h"
#include "calibration/cal_info_file.h"
#include "core/test_support.h"
#include "replay/replay.h"
#include "state/instruments.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

using test::kVsfLine;
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
    std::string line;  // a whole packet of the instrument
    std::string recordedLine;
    std::string junk = "";  // sent after it, kept by the raw log alone
};

// The coefficients of every instrument, loaded as Cal Info files (VSF beta
// 1.8, 2.4, 0.09 below) and typed into the DFL boxes (chlorophyll 10 below).
const fs::path kTriaCalInfo = fs::path(ZANHOST_SOURCE_DIR) / "examples" / "tria_cal_info.txt";

std::optional<CalInfoValues> Calibrate(VirtualProgram& program, const fs::path& dir) {
    const float type = program.ctx.state.InstrumentType;
    program.ctx.main.Text10.SetText("50");
    program.ctx.main.Text16.SetText("0.01");
    if (type == kDfl || type == kDfls) return std::nullopt;
    fs::path cal = kTriaCalInfo;
    if (type != kTria) test::WriteBytes(cal = dir / "cal.txt", test::kVsfCalInfo);
    program.dialogs.AnswerFile(cal.string());
    program.ctx.main.Command30.Click();
    FieldStream file(cal.string(), "Cal Info file");
    return ParseCalInfo(file, type);
}

bool StartsWith(const std::string& line, const char* word) { return line.rfind(word, 0) == 0; }

// Read as a spreadsheet reads it: after the two header lines, every data line
// has as many fields as the heading above it names.
void ExpectEveryLineUnderItsHeading(const std::string& file, size_t dataLines) {
    std::istringstream lines(file);
    std::string line;
    long names = -1;
    for (int header = 0; header < 2; ++header) std::getline(lines, line);
    while (dataLines > 0 && std::getline(lines, line)) {
        const long fields = std::count(line.begin(), line.end(), '\t');
        if (StartsWith(line, "Date\t") || StartsWith(line, "Time\t") ||
            StartsWith(line, "Header\t")) {
            names = fields;
            continue;
        }
        EXPECT_EQ(fields, names) << line;
        --dataLines;
    }
    EXPECT_EQ(dataLines, 0u) << file;
}

const std::string kVsfHeading = "Date\tTime\t100\t125\t150\tRef\r\n";
const std::string kVsfBeta = "12/06/26\t12:00:00\t1.8\t2.4\t0.09\t4010\r\n";
const std::string kDflHeading = "Date\tTime\tOutput\r\n";
const std::string kDflLine = "12/06/26\t12:00:00\t1050\r\n";
const std::string kDflChlorophyll = "12/06/26\t12:00:00\t10\r\n";
const std::string kTriaBgr =
    "TRIA-0042 BGRVNNN\t12:00:00\t2100\t1420\t1030\t4000\t2200\t1500"
    "\t1100\t4100\t1300\t1200\t1100\t4050\t12.1\r\n";
// Red, the fluorometer and blue in slots 1 to 3; pressure and Aux 2 only.
const std::string kTriaRfb =
    "TRIA-0042 RFBVANY\t12:00:01\t1300\t1200\t1100\t4000\t310\t2100"
    "\t1420\t1030\t4100\t12.1\t1013\t0.5\r\n";
// The two heads' counts as recorded, each under its heading.
const std::string kBgfHeading = "Time\tB100\tB125\tB150\tG100\tG125\tG150\tFluor.\tVin\tAtmos.\r\n";
const std::string kBgfCounts = "12:00:00\t2100\t1420\t1030\t2200\t1500\t1100\t310\t12.1\t1013\r\n";
const std::string kRfbHeading =
    "Time\tR100\tR125\tR150\tFluor.\tB100\tB125\tB150\tVin\tAtmos.\tAux 2\r\n";
const std::string kRfbCounts =
    "12:00:01\t1300\t1200\t1100\t310\t2100\t1420\t1030\t12.1\t1013\t0.5\r\n";

// clang-format off
const InstrumentCase kInstrumentCases[] = {
    {"VsfCounts", &MainForm::inst2, kViewVsfCounts, kVsfHeading, kVsfHeading, kVsfLine, kVsfLine,
     kVsfShortLine},
    {"VsfBeta", &MainForm::inst2, kViewVsfBeta, kVsfHeading, kVsfHeading, kVsfLine, kVsfBeta,
     kVsfShortLine},
    {"VsfsCounts", &MainForm::inst3, kViewVsfCounts, "", kVsfHeading, kVsfLine, kVsfLine},
    {"VsfsBeta", &MainForm::inst3, kViewVsfBeta, "", kVsfHeading, kVsfLine, kVsfBeta},
    {"DflChlorophyll", &MainForm::inst4, kViewDflChlorophyll, kDflHeading, kDflHeading, kDflLine,
     kDflChlorophyll, "bad\r\n"},
    {"DflCounts", &MainForm::inst4, kViewDflCounts, kDflHeading, kDflHeading, kDflLine, kDflLine},
    {"DflsChlorophyll", &MainForm::inst5, kViewDflChlorophyll, "", kDflHeading, kDflLine,
     kDflChlorophyll},
    {"DflsCounts", &MainForm::inst5, kViewDflCounts, "", kDflHeading, kDflLine, kDflLine},
    {"TriaCounts", &MainForm::inst6, kViewTriaCounts, kBgfHeading,
     "Header\tTime\tB100\tB125\tB150\tBref\tG100\tG125\tG150\tGref\tFluor.\tVin\tAtmos.\r\n",
     kTriaLine, kBgfCounts},
    {"TriaBeta", &MainForm::inst6, kViewTriaBeta,
     "Time\tB100\tB125\tB150\tG100\tG125\tG150\tR100\tR125\tR150\tVin\r\n",
     "Header\tTime\tB100\tB125\tB150\tBref\tG100\tG125\tG150\tGref\tR100\tR125\tR150\tRref\tVin\r\n",
     kTriaBgr,
     "12:00:00\t0.00205\t0.001781\t0.00147\t0.00215\t0.001885\t0.001575\t0.00125\t0.001495\t0.001575"
     "\t12.1\r\n"},
    // Each colour's values under its own heading, in the head's slot order, nothing left out.
    {"TriaRedFluorBlue", &MainForm::inst6, kViewTriaCounts, kRfbHeading,
     "Header\tTime\tR100\tR125\tR150\tRref\tFluor.\tB100\tB125\tB150\tBref\tVin\tAtmos.\tAux 2\r\n",
     kTriaRfb, kRfbCounts},
    // A colour named twice is decoded from its later slot alone; a header cut
    // short of its auxiliary letters has no auxiliary inputs.
    {"TriaRepeatedColourShortHeader", &MainForm::inst6, kViewTriaCounts,
     "Time\tB100\tB125\tB150\tR100\tR125\tR150\tVin\r\n",
     "Header\tTime\tB100\tB125\tB150\tBref\tB100\tB125\tB150\tBref\tR100\tR125\tR150\tRref\tVin\r\n",
     "TRIA-0042 BBRV\t12:00:02\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t12.1\r\n",
     "12:00:02\t5\t6\t7\t9\t10\t11\t12.1\r\n"},
};
// clang-format on

class EveryInstrument : public RecordingFiles,
                        public ::testing::WithParamInterface<InstrumentCase> {};

// The files of a live run hold exactly their lines under headings that name
// them, and a replay of the raw log records the same bytes.
TEST_P(EveryInstrument, RecordingAndRawLogHoldExactlyTheirLinesAndReplayRecordsTheSame) {
    const InstrumentCase& c = GetParam();
    (m.*c.menu).Click();
    const std::optional<CalInfoValues> calibration = Calibrate(program, dir);
    s.GraphView = c.view;
    StartBoth();
    Feed(c.line + c.junk);
    EXPECT_EQ(m.Label67.Caption(), c.junk.empty() ? "1" : "2");
    StopBoth();
    const std::string recorded = test::ReadBytes(recording);
    EXPECT_EQ(recorded, Header(recording) + c.recordingHeading + c.recordedLine + "EOF\r\n");
    EXPECT_EQ(test::ReadBytes(raw), Header(raw) + c.rawHeading + c.line + c.junk + "EOF\r\n");
    EXPECT_TRUE(messages().empty());
    if (!c.recordingHeading.empty()) ExpectEveryLineUnderItsHeading(recorded, 1);
    ExpectEveryLineUnderItsHeading(test::ReadBytes(raw), 1);

    FieldStream rawFile(raw.string(), "raw log");
    const fs::path out = dir / "replayed.txt";
    const ReplayOptions options{s.InstrumentType, c.view, calibration, "50",
                                "0.01",           out,    false,       {}};
    ASSERT_FALSE(ReplayRawLog(rawFile, options, LocalDateTime{2026, 12, 6}).failure);
    const std::string replayed = test::ReadBytes(out);
    EXPECT_EQ(replayed.substr(replayed.find("\r\n", replayed.find("Location"))),
              recorded.substr(Header(recording).size() - 2));
}

INSTANTIATE_TEST_SUITE_P(Views, EveryInstrument, ::testing::ValuesIn(kInstrumentCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A head reconfigured while recording is headed again in the recording; a
// recording started before any packet is headed by its first line's head.
TEST_F(RecordingFiles, ARecordingIsHeadedAgainWhenTheHeadChanges) {
    m.inst6.Click();
    s.GraphView = kViewTriaCounts;
    StartBoth();
    Feed(kTriaLine + kTriaRfb);
    StopBoth();
    EXPECT_EQ(test::ReadBytes(recording),
              Header(recording) + kBgfHeading + kBgfCounts + kRfbHeading + kRfbCounts + "EOF\r\n");
    // Played back, a raw log is headed once, by its first line.
    EXPECT_EQ(test::ReadBytes(raw).substr(Header(raw).size(), 7), "Header\t");
    // A file that took no line is headed by the last packet's head.
    StartBoth();
    StopBoth();
    EXPECT_EQ(test::ReadBytes(recording), Header(recording) + kRfbHeading + "EOF\r\n");
}

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
    EXPECT_EQ(
        test::Messages(program),
        test::Lines{"Error: Could not write to " + recording.string() +
                    ": No space left on device. 4 lines are in the file. Recording has stopped."});
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

}  // namespace
}  // namespace zan
