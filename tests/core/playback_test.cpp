#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "acquisition/acquisition_loop.h"
#include "core/test_support.h"
#include "driver/driver.h"
#include "link/port_operations.h"
#include "replay/replay.h"
#include "replay/replay_command.h"
#include "sim/simulated_sensor.h"
#include "state/instruments.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const std::string kCalInfo =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling Factor\tOffset\r\n"
    "100\t0.001\t50\r\n125\t0.002\t10\r\n150\t0.0001\t60\r\n";

// Everything after the two header lines, which name the day and the file.
std::string Body(const fs::path& file) {
    const std::string bytes = test::ReadBytes(file);
    return bytes.substr(bytes.find("\r\n", bytes.find("\r\n") + 2) + 2);
}

class Playback : public ::testing::Test {
  protected:
    test::TempFolder folder;
    const fs::path& dir = folder.path;
    void SetUp() override { test::WriteBytes(dir / "cal.txt", kCalInfo); }

    // A program with the VSF selected in the beta view, its coefficients loaded.
    static void VsfBeta(VirtualProgram& program, const fs::path& cal) {
        program.Load();
        program.ctx.main.inst2.Click();
        program.dialogs.AnswerFile(cal.string());
        program.ctx.main.Command30.Click();
        program.ctx.state.GraphView = kViewVsfBeta;
    }
    static void Click(VirtualProgram& program, CommandButton& button, const fs::path& answer) {
        program.dialogs.AnswerFile(answer.string());
        button.Click();
    }
    // Replays the raw log into `out` as the VSF beta program above records it.
    ReplayReport ReplayVsfBeta(const fs::path& out) {
        FieldStream rawFile(raw.string(), "raw log");
        FieldStream cal((dir / "cal.txt").string(), "Cal Info file");
        ReplayOptions options;
        options.instrumentType = kVsf;
        options.graphView = kViewVsfBeta;
        options.calibration = ParseCalInfo(cal, kVsf);
        options.outputPath = out.string();
        return ReplayRawLog(rawFile, options, LocalDateTime{2026, 12, 6});
    }
    void WriteRaw(const std::string& data) {
        test::WriteBytes(raw, "Created on 12-06-2026\r\nLocation : " + raw.string() +
                                  "\r\nDate\tTime\t100\t125\t150\tRef\r\n" + data);
    }

    fs::path raw = fs::temp_directory_path() / "unset";
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    ProgramState& s = program.ctx.state;
};

TEST_F(Playback, PlayedBackAndReplayedRawLogsRecordWhatTheLiveRunRecorded) {
    raw = dir / "raw.txt";
    program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Vsf));
    VsfBeta(program, dir / "cal.txt");
    m.op1.Click();
    program.pump.RunFor(1.5);
    Click(program, m.Command18, dir / "live.txt");
    Click(program, m.Command19, raw);
    program.pump.RunFor(6);
    m.Command18.Click();
    m.Command19.Click();
    const std::string live = Body(dir / "live.txt");
    ASSERT_GE(std::count(live.begin(), live.end(), '\n'), 6) << live;

    VirtualProgram again;
    VsfBeta(again, dir / "cal.txt");
    Click(again, again.ctx.main.Command16, raw);
    Click(again, again.ctx.main.Command18, dir / "played.txt");
    Click(again, again.ctx.main.Command19, dir / "raw_again.txt");
    again.ctx.main.Command17.Click();
    again.pump.RunFor(1);
    again.ctx.main.Command18.Click();
    again.ctx.main.Command19.Click();
    EXPECT_EQ(Body(dir / "played.txt"), live);
    // The marker line is walked as a packet too, so the new raw log holds it before its own.
    EXPECT_EQ(Body(dir / "raw_again.txt"), Body(raw) + "EOF\r\n");
    EXPECT_TRUE(again.dialogs.Messages().empty());
    EXPECT_FALSE(ReplayVsfBeta(dir / "replayed.txt").failure);
    EXPECT_EQ(Body(dir / "replayed.txt"), live);
}

// Lines a replay cannot take as they lie (a wrapped twentieth separator, a
// carriage return inside, an over-long line) are walked as the window walks
// them, so the replay still records what playback records.
TEST_F(Playback, ReplayRecordsOddLinesAsPlaybackDoes) {
    raw = dir / "raw.txt";
    const std::string good = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
    std::string wrapped;
    for (int i = 0; i < 20; ++i) wrapped += "x\t";
    WriteRaw(good + "12/06/26\t12:00:01\t1850\t1210\t960\t4010\t\r\n" + wrapped + good +
             "12/06/26\r12:00:03\t1850\t1210\t960\t4010\r\n" + std::string(3000, '7') + "\t" +
             good + "\t\t\t\t\t\r\n" + good + "EOF\r\n");
    VsfBeta(program, dir / "cal.txt");
    Click(program, m.Command16, raw);
    Click(program, m.Command18, dir / "played.txt");
    m.Command17.Click();
    program.pump.RunFor(1);
    m.Command18.Click();
    EXPECT_FALSE(ReplayVsfBeta(dir / "replayed.txt").failure);
    const std::string played = Body(dir / "played.txt");
    EXPECT_EQ(Body(dir / "replayed.txt"), played);
    EXPECT_GE(std::count(played.begin(), played.end(), '\n'), 5) << played;
}

TEST_F(Playback, OpeningClosesThePortAndTheEndOfTheFileStopsPlay) {
    raw = dir / "raw.txt";
    WriteRaw("1\t2\r\n3\t4\r\nEOF\r\n");
    program.AttachFeed(1);
    program.Load();
    m.inst2.Click();
    m.op1.Click();
    Click(program, m.Command16, raw);
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_FALSE(m.op1.Checked());
    EXPECT_EQ(m.Label29.Caption(), "File Name: raw.txt");
    EXPECT_TRUE(m.Command17.Enabled());

    m.Command17.Click();
    m.Command16.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Please press play before closing raw data file");
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Playing);

    program.pump.RunFor(0.1);
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2", "3\t4", "EOF"}));
    EXPECT_EQ(m.Label29.Caption(), "File Name: raw.txt :EOF");
    EXPECT_EQ(m.Command17.Caption(), "Play");
    EXPECT_EQ(m.Command16.Caption(), "Close Raw File");
    EXPECT_EQ(s.PlaybackFile, nullptr);
    m.Command16.Click();
    EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
    EXPECT_FALSE(m.Command17.Enabled());
    EXPECT_FALSE(IsPortOpen(program.ctx));
}

TEST_F(Playback, PlayAfterTheEndOfAVsfFileIsOfferedNoMoreAndGivesNoError) {
    raw = dir / "raw.txt";
    WriteRaw("1\t2\r\nEOF\r\n");
    program.Load();
    m.inst2.Click();
    Click(program, m.Command16, raw);
    m.Command17.Click();
    program.pump.RunFor(0.1);
    EXPECT_FALSE(m.Command17.Enabled());
    m.Command17.Click();
    program.pump.RunFor(0.1);
    EXPECT_TRUE(program.dialogs.Messages().empty());
    EXPECT_EQ(m.Command17.Caption(), "Play");
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Idle);
    m.Command16.Click();
    EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
}

TEST_F(Playback, TriaReadsItsFirstLineAtOnceAndClosesTheFileAtTheEnd) {
    raw = dir / "raw.txt";
    WriteRaw("first\r\nsecond\r\neof\r\n");
    program.Load();
    m.inst6.Click();
    Click(program, m.Command16, raw);
    program.pump.RunFor(0.1);
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Idle);
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"first"}));
    m.Command17.Click();
    program.pump.RunFor(0.1);
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"first", "second", "eof"}));
    EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
    EXPECT_FALSE(m.Command17.Enabled());
    EXPECT_EQ(s.PlaybackFile, nullptr);
    // A file whose first line is its end closes at once, Play not left on.
    WriteRaw("EOF\r\n");
    Click(program, m.Command16, raw);
    program.pump.RunFor(0.1);
    EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
    EXPECT_EQ(m.Command17.Caption(), "Play");
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Idle);
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(Playback, AFileThatIsNotTextIsRefusedWithTheReason) {
    raw = dir / "bad.txt";
    test::WriteBytes(raw, std::string("a\0b", 3));
    program.Load();
    Click(program, m.Command16, raw);
    EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
    EXPECT_FALSE(m.Command17.Enabled());
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text,
              raw.string() + ", line 1: holds binary data, not a raw log.");
}

// An over-long line (a comma in it too) stops Play with its reason; Play
// again goes on at the next whole line, not in the rest of the refused one.
TEST_F(Playback, PlayAfterARefusedOverlongLineStartsAtTheNextWholeLine) {
    raw = dir / "raw.txt";
    WriteRaw("1\t2\r\n" + std::string(70000, '9') + ",\t8\r\n3\t4\r\nEOF\r\n");
    program.Load();
    m.inst2.Click();
    Click(program, m.Command16, raw);
    m.Command17.Click();
    program.pump.RunFor(0.1);
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text,
              raw.string() + ", line 5: longer than 65536 characters, not a text line");
    EXPECT_EQ(m.Command17.Caption(), "Play");
    m.Command17.Click();
    program.pump.RunFor(0.1);
    EXPECT_EQ(m.List1.Entries(), (std::vector<std::string>{"1\t2", "3\t4", "EOF"}));
    EXPECT_EQ(m.Label43.Caption(), "2");
}

TEST_F(Playback, TheDriverLogsPlaysAndPrintsTheFilesBytes) {
    raw = dir / "raw.txt";
    std::istringstream script(
        "feed 1 1\\t2\\r\\n\nload\nclick inst2\nclick op1\nwait 1\n"
        "answer " +
        raw.string() +
        "\nclick Command19\n"
        "feed 1 3\\t4\\r\\n\nwait 1\nclick Command19\n"
        "bytes " +
        raw.string() +
        "\n"
        "answer " +
        raw.string() +
        "\nclick Command16\n"
        "click Command17\nwait 1\nprint Label29\n");
    std::ostringstream out;
    Driver driver(out);
    EXPECT_EQ(driver.Run(script), 0) << out.str();
    EXPECT_EQ(out.str(),
              "bytes " + raw.string() +
                  " = \"Created on 12-06-2026\\r\\nLocation : " + raw.string() +
                  "\\r\\nDate\\tTime\\t100\\t125\\t150\\tRef\\r\\n3\\t4\\r\\nEOF\\r\\n\"\n"
                  "Label29: caption \"File Name: raw.txt :EOF\" visible true enabled true "
                  "colour 192,192,192\n");
}

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun Replay(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunReplayCommand(args, out, err, false, "zanhost-replay 4.1.4");
    return {status, out.str(), err.str()};
}

TEST_F(Playback, ReplayCommandExplainsItselfAndFailsClearly) {
    const std::string kTry = "Try 'zanhost-replay --help' for more information.\n";
    raw = dir / "raw.txt";
    // A comma splits a line into fields, each played, but the line is counted once.
    WriteRaw("12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\na note, with commas\r\nEOF\r\n");
    const std::string out = (dir / "out.txt").string();
    const std::string shortCal = (dir / "short.txt").string();
    test::WriteBytes(shortCal, kCalInfo.substr(0, kCalInfo.find("125")));
    // Files of other kinds, each refused saying what it is.
    const std::string empty = (dir / "empty.txt").string(), data = (dir / "data.txt").string(),
                      rec = (dir / "rec.txt").string(), cut = (dir / "cut.txt").string();
    test::WriteBytes(empty, "");
    test::WriteBytes(data, "TRIA-0042 BGRVNNN\t06:00:00\t1\r\n");
    test::WriteBytes(rec, "Created on 12-06-2026\r\nLocation : rec.txt\r\nTime\tVin\r\nEOF\r\n");
    test::WriteBytes(cut, "Created on 12-06-2026\r\n");

    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } failures[] = {
        {{"--colour", "red"}, 2, "zanhost-replay: Unknown option '--colour'.\n" + kTry},
        {{"--instrument", "DFL", "--offset", "inf", raw.string(), out},
         2,
         "zanhost-replay: Option '--offset' needs a number, not 'inf'.\n" + kTry},
        {{"--instrument", "VSF", raw.string()},
         2,
         "zanhost-replay: Expected RAWLOG RECORDING, got 1 argument.\n" + kTry},
        {{"--instrument", "VSF", (dir / "absent.txt").string(), out},
         1,
         "zanhost-replay: Could not open " + (dir / "absent.txt").string() +
             ": No such file or directory\n"},
        {{"--instrument", "VSF", "--cal", shortCal, raw.string(), out},
         1,
         "zanhost-replay: " + shortCal + ", line 6: Input past end of file\n"},
        {{"--instrument", "VSF", raw.string(), out},
         1,
         "zanhost-replay: " + raw.string() +
             ", line 4: Beta needs every calibration coefficient, and the 100\xC2\xB0 offset "
             "(row 1, column 2) is empty.\n"},
        {{"--instrument", "VSF", empty, out},
         1,
         "zanhost-replay: " + empty + " is empty, so it is not a raw log.\n"},
        {{"--instrument", "TRIA", data, out},
         1,
         "zanhost-replay: " + data +
             " does not begin as a raw log does (\"Created on ...\"), so "
             "it is not one; a TRIA data file from the logger is converted with "
             "zanhost-convert.\n"},
        {{"--instrument", "TRIA", rec, out},
         1,
         "zanhost-replay: " + rec +
             " is a recording file, not a raw log: its values are decoded "
             "already; replay the raw log it was recorded from.\n"},
        {{"--instrument", "VSF", cut, out},
         1,
         "zanhost-replay: " + cut + " ends within its header lines: it holds no data.\n"},
    };
    for (const auto& f : failures) {
        const CommandRun run = Replay(f.args);
        EXPECT_EQ(run.status, f.status) << f.args[0];
        EXPECT_EQ(run.err, f.err);
    }
    EXPECT_FALSE(fs::exists(out));

    const CommandRun done =
        Replay({"--instrument", "VSF", "--cal", (dir / "cal.txt").string(), raw.string(), out});
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(done.out, "3 lines read from " + raw.string() + ", 5 lines written to " + out + "\n");
    EXPECT_EQ(
        Body(out),
        "Date\tTime\t100\t125\t150\tRef\r\n12/06/26\t12:00:00\t1.8\t2.4\t0.09\t4010\r\nEOF\r\n");
}

}  // namespace
}  // namespace zan
