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
using test::Lines;

// Everything after the two header lines, which name the day and the file.
std::string Body(const fs::path& file) {
    const std::string bytes = test::ReadBytes(file);
    return bytes.substr(bytes.find("\r\n", bytes.find("\r\n") + 2) + 2);
}

class Playback : public ::testing::Test {
  protected:
    test::TempFolder folder;
    const fs::path& dir = folder.path;
    void SetUp() override { test::WriteBytes(dir / "cal.txt", test::kVsfCalInfo); }

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
    // Starts recording and raw logging into the two files, or stops both.
    static void RecordBoth(VirtualProgram& program, const fs::path& recording,
                           const fs::path& log) {
        Click(program, program.ctx.main.Command18, recording);
        Click(program, program.ctx.main.Command19, log);
    }
    static void StopBoth(VirtualProgram& program) {
        program.ctx.main.Command18.Click();
        program.ctx.main.Command19.Click();
    }
    // Plays the raw log back in `player` as VSF beta, recording played.txt and logging
    // raw_again.txt.
    void PlayBack(VirtualProgram& player) {
        VsfBeta(player, dir / "cal.txt");
        Click(player, player.ctx.main.Command16, raw);
        RecordBoth(player, dir / "played.txt", dir / "raw_again.txt");
        player.ctx.main.Command17.Click();
        player.pump.RunFor(1);
        StopBoth(player);
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
    // The raw log written with `data`, opened with the instrument chosen.
    void OpenRaw(MenuItem& instrument, const std::string& data) {
        WriteRaw(data);
        program.Load();
        instrument.Click();
        Click(program, m.Command16, raw);
    }
    // The file and play buttons as the operator sees them, and whether a file is open.
    std::string Buttons() const {
        return m.Command16.Caption() + "|" + m.Command17.Caption() +
               (m.Command17.Enabled() ? "" : " (disabled)") + (s.PlaybackFile ? "|open" : "|none");
    }
    void Play() {
        m.Command17.Click();
        program.pump.RunFor(0.1);
    }

    fs::path raw = dir / "raw.txt";
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    ProgramState& s = program.ctx.state;
};

TEST_F(Playback, PlayedBackAndReplayedRawLogsRecordWhatTheLiveRunRecorded) {
    program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Vsf));
    VsfBeta(program, dir / "cal.txt");
    m.op1.Click();
    program.pump.RunFor(1.5);
    RecordBoth(program, dir / "live.txt", raw);
    program.pump.RunFor(6);
    StopBoth(program);
    const std::string live = Body(dir / "live.txt");
    ASSERT_GE(std::count(live.begin(), live.end(), '\n'), 6) << live;

    VirtualProgram again;
    PlayBack(again);
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
    const std::string& good = test::kVsfLine;
    std::string wrapped;
    for (int i = 0; i < 20; ++i) wrapped += "x\t";
    WriteRaw(good + "12/06/26\t12:00:01\t1850\t1210\t960\t4010\t\r\n" + wrapped + good +
             "12/06/26\r12:00:03\t1850\t1210\t960\t4010\r\n" + std::string(3000, '7') + "\t" +
             good + "\t\t\t\t\t\r\n" + good + "EOF\r\n");
    PlayBack(program);
    EXPECT_FALSE(ReplayVsfBeta(dir / "replayed.txt").failure);
    const std::string played = Body(dir / "played.txt");
    EXPECT_EQ(Body(dir / "replayed.txt"), played);
    EXPECT_GE(std::count(played.begin(), played.end(), '\n'), 5) << played;
}

// After the end of a VSF file Play is offered no more and, pressed anyway, gives no error.
TEST_F(Playback, OpeningClosesThePortAndTheEndOfTheFileStopsPlayForGood) {
    program.AttachFeed(1);
    WriteRaw("1\t2\r\n3\t4\r\nEOF\r\n");
    program.Load();
    m.inst2.Click();
    m.op1.Click();
    Click(program, m.Command16, raw);
    EXPECT_FALSE(IsPortOpen(program.ctx) || m.op1.Checked());
    EXPECT_EQ(m.Label29.Caption(), "File Name: raw.txt");
    EXPECT_EQ(Buttons(), "Close Raw File|Play|open");

    m.Command17.Click();
    m.Command16.Click();
    const Lines refused{": Please press play before closing raw data file"};
    EXPECT_EQ(test::Messages(program), refused);
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Playing);

    program.pump.RunFor(0.1);
    EXPECT_EQ(m.List1.Entries(), (Lines{"1\t2", "3\t4", "EOF"}));
    EXPECT_EQ(m.Label29.Caption(), "File Name: raw.txt :EOF");
    EXPECT_EQ(Buttons(), "Close Raw File|Play (disabled)|none");
    Play();
    EXPECT_EQ(Buttons(), "Close Raw File|Play (disabled)|none");
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Idle);
    EXPECT_EQ(test::Messages(program), refused);
    m.Command16.Click();
    EXPECT_EQ(Buttons(), "Open Raw File|Play (disabled)|none");
    EXPECT_FALSE(IsPortOpen(program.ctx));
}

TEST_F(Playback, TriaReadsItsFirstLineAtOnceAndClosesTheFileAtTheEnd) {
    OpenRaw(m.inst6, "first\r\nsecond\r\neof\r\n");
    program.pump.RunFor(0.1);
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Idle);
    EXPECT_EQ(m.List1.Entries(), (Lines{"first"}));
    Play();
    EXPECT_EQ(m.List1.Entries(), (Lines{"first", "second", "eof"}));
    EXPECT_EQ(Buttons(), "Open Raw File|Play (disabled)|none");
    // A file whose first line is its end closes at once, Play not left on.
    WriteRaw("EOF\r\n");
    Click(program, m.Command16, raw);
    program.pump.RunFor(0.1);
    EXPECT_EQ(Buttons(), "Open Raw File|Play (disabled)|none");
    EXPECT_EQ(s.PlaybackState, PlaybackMode::Idle);
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

// A file that is not text is refused at once. An over-long line (a comma in it
// too) stops Play with its reason; Play again goes on at the next whole line,
// not in the rest of the refused one.
TEST_F(Playback, RefusedFilesAndLinesSayWhyAndPlayGoesOnAtTheNextWholeLine) {
    test::WriteBytes(raw, std::string("a\0b", 3));
    program.Load();
    Click(program, m.Command16, raw);
    EXPECT_EQ(Buttons(), "Open Raw File|Play (disabled)|none");
    EXPECT_EQ(test::Messages(program),
              Lines{"Error: " + raw.string() + ", line 1: holds binary data, not a raw log."});

    program.dialogs.ClearMessages();
    WriteRaw("1\t2\r\n" + std::string(70000, '9') + ",\t8\r\n3\t4\r\nEOF\r\n");
    m.inst2.Click();
    Click(program, m.Command16, raw);
    Play();
    EXPECT_EQ(test::Messages(program),
              Lines{"Error: " + raw.string() +
                    ", line 5: longer than 65536 characters, not a text line"});
    EXPECT_EQ(m.Command17.Caption(), "Play");
    Play();
    EXPECT_EQ(m.List1.Entries(), (Lines{"1\t2", "3\t4", "EOF"}));
    EXPECT_EQ(m.Label43.Caption(), "2");
}

TEST_F(Playback, TheDriverLogsPlaysAndPrintsTheFilesBytes) {
    const std::string r = raw.string();
    std::istringstream script(
        "feed 1 1\\t2\\r\\n\nload\nclick inst2\nclick op1\nwait 1\nanswer " + r +
        "\nclick Command19\nfeed 1 3\\t4\\r\\n\nwait 1\nclick Command19\nbytes " + r + "\nanswer " +
        r + "\nclick Command16\nclick Command17\nwait 1\nprint Label29\n");
    std::ostringstream out;
    Driver driver(out);
    EXPECT_EQ(driver.Run(script), 0) << out.str();
    EXPECT_EQ(out.str(),
              "bytes " + r + " = \"Created on 12-06-2026\\r\\nLocation : " + r +
                  "\\r\\nDate\\tTime\\t100\\t125\\t150\\tRef\\r\\n3\\t4\\r\\nEOF\\r\\n\"\n"
                  "Label29: caption \"File Name: raw.txt :EOF\" visible true enabled "
                  "true colour 192,192,192\n");
}

// The exit status, what was written to the output and to the error stream, joined by "|".
std::string Replay(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunReplayCommand(args, out, err, false, "zanhost-replay 4.1.4");
    return std::to_string(status) + "|" + out.str() + "|" + err.str();
}

TEST_F(Playback, ReplayCommandExplainsItselfAndFailsClearly) {
    const std::string kTry = "Try 'zanhost-replay --help' for more information.\n";
    // A comma splits a line into fields, each played, but the line is counted once.
    WriteRaw("12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\na note, with commas\r\nEOF\r\n");
    const std::string out = (dir / "out.txt").string();
    const std::string shortCal = (dir / "short.txt").string();
    test::WriteBytes(shortCal, test::kVsfCalInfo.substr(0, test::kVsfCalInfo.find("125")));
    // Files of other kinds, each refused saying what it is.
    const std::string empty = (dir / "empty.txt").string(), data = (dir / "data.txt").string(),
                      rec = (dir / "rec.txt").string(), cut = (dir / "cut.txt").string();
    test::WriteBytes(empty, "");
    test::WriteBytes(data, "TRIA-0042 BGRVNNN\t06:00:00\t1\r\n");
    test::WriteBytes(rec, "Created on 12-06-2026\r\nLocation : rec.txt\r\nTime\tVin\r\nEOF\r\n");
    test::WriteBytes(cut, "Created on 12-06-2026\r\n");

    const struct {
        std::vector<std::string> args;
        std::string run;
    } failures[] = {
        {{"--instrument", "DFL", "--offset", "inf", raw.string(), out},
         "2||zanhost-replay: Option '--offset' needs a number, not 'inf'.\n" + kTry},
        {{"--instrument", "VSF", raw.string()},
         "2||zanhost-replay: Expected RAWLOG RECORDING, got 1 argument.\n" + kTry},
        {{"--instrument", "VSF", (dir / "absent.txt").string(), out},
         "1||zanhost-replay: Could not open " + (dir / "absent.txt").string() +
             ": No such file or directory\n"},
        {{"--instrument", "VSF", "--cal", shortCal, raw.string(), out},
         "1||zanhost-replay: " + shortCal + ", line 6: Input past end of file\n"},
        {{"--instrument", "VSF", raw.string(), out},
         "1||zanhost-replay: " + raw.string() +
             ", line 4: Beta needs every calibration coefficient, and the 100\xC2\xB0 offset "
             "(row 1, column 2) is empty.\n"},
        {{"--instrument", "VSF", empty, out},
         "1||zanhost-replay: " + empty + " is empty, so it is not a raw log.\n"},
        {{"--instrument", "TRIA", data, out},
         "1||zanhost-replay: " + data +
             " does not begin as a raw log does (\"Created on ...\"), so "
             "it is not one; a TRIA data file from the logger is converted with "
             "zanhost-convert.\n"},
        {{"--instrument", "TRIA", rec, out},
         "1||zanhost-replay: " + rec +
             " is a recording file, not a raw log: its values are decoded "
             "already; replay the raw log it was recorded from.\n"},
        {{"--instrument", "VSF", cut, out},
         "1||zanhost-replay: " + cut + " ends within its header lines: it holds no data.\n"},
    };
    for (const auto& f : failures) EXPECT_EQ(Replay(f.args), f.run) << f.args[0];
    EXPECT_FALSE(fs::exists(out));

    EXPECT_EQ(
        Replay({"--instrument", "VSF", "--cal", (dir / "cal.txt").string(), raw.string(), out}),
        "0|3 lines read from " + raw.string() + ", 5 lines written to " + out + "\n|");
    EXPECT_EQ(
        Body(out),
        "Date\tTime\t100\t125\t150\tRef\r\n12/06/26\t12:00:00\t1.8\t2.4\t0.09\t4010\r\nEOF\r\n");
}

}  // namespace
}  // namespace zan
