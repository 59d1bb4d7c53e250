#include <gtest/gtest.h>

#include "recording/recording_files.h"
#include "service/service_file.h"
#include "service_rig.h"

namespace zan {
namespace {

namespace fs = std::filesystem;
using test::Lines;

// The service's pair of a period matches, byte for byte, what the window
// records from the same lines at the same paths, started with "Append File"
// off at the given date and stopped after the last line.
void ExpectSameAsWindow(const test::PtyRig& rig, const std::string& period,
                        const LocalDateTime& date) {
    const fs::path recording = RecordingPath(rig.config, period);
    const fs::path raw = RawLogPath(rig.config, period);
    const std::string serviceRecording = test::ReadBytes(recording);
    const std::string serviceRaw = test::ReadBytes(raw);
    const Lines lines = test::RawDataLines(raw);
    EXPECT_GT(lines.size(), 10u) << period;
    fs::remove(recording);
    fs::remove(raw);
    VirtualProgram program;
    program.clock.now = date;
    program.Load();
    MainForm& m = program.ctx.main;
    m.inst2.Click();
    ApplyCalInfo(*rig.calibration, m.MSFlexGrid2, kVsf);
    program.ctx.state.GraphView = kViewVsfBeta;
    program.dialogs.AnswerFile(recording.string());
    m.Command18.Click();
    program.dialogs.AnswerFile(raw.string());
    m.Command19.Click();
    for (const std::string& line : lines) WalkReceivedText(program.ctx, line + "\r\n");
    m.Command18.Click();
    m.Command19.Click();
    EXPECT_TRUE(program.dialogs.Messages().empty());
    EXPECT_EQ(serviceRecording, test::ReadBytes(recording)) << period;
    EXPECT_EQ(serviceRaw, test::ReadBytes(raw)) << period;
}

// Half a minute before midnight, an unplug and replug, the day rollover, a
// sensor that stops at its prompt and is woken, and the stop SIGTERM makes.
TEST(LogSession, RecordsAcrossMidnightUnplugAndSilenceAsTheWindowWould) {
    test::PtyRig rig;
    rig.Run(10);
    rig.RunToQuiet();
    rig.Unplug();
    rig.Run(3);
    rig.Plug();
    rig.Run(40);
    // The sensor stops at its prompt, as after a "c"; nothing comes for ten seconds.
    rig.device.OnWrite("c", rig.clock.now);
    rig.Run(20);
    rig.session->Finish();

    const std::string events = rig.messages.str();
    for (const std::string& event :
         {"Z Port opened: " + rig.config.portPath, std::string("Z Port lost: "),
          "Z Port back: " + rig.config.portPath,
          std::string("Z No character for 10 s: waking the sensor"),
          std::string("Z Stopped: both files ended with EOF.")})
        EXPECT_NE(events.find(event), std::string::npos) << event << "\n" << events;
    std::string crlf;
    for (const std::string& line : test::ReceivedLines(events)) crlf += line + "\r\n";
    EXPECT_EQ(test::ReadBytes(EventLogPath(rig.config)), crlf);
    // The run started again after the wake: lines came after the prompt.
    EXPECT_NE(rig.device.Received().find("r"), std::string::npos);

    // Every line the sensor sent is in the raw logs, once, in order, across both days.
    EXPECT_EQ(rig.LoggedLines(), test::ReceivedLines(rig.device.sent));
    ExpectSameAsWindow(rig, "2026-12-07", {2026, 12, 7, 23, 59, 30});
    ExpectSameAsWindow(rig, "2026-12-08", {2026, 12, 8, 0, 0, 0});
}

TEST(LogSession, HangUpEndsBothFilesAndTheNextLineOpensThemWithAHeader) {
    test::PtyRig rig;
    rig.Run(3.5);
    rig.session->ReopenFiles();
    rig.Run(2);
    rig.session->Finish();
    const std::string path = RawLogPath(rig.config, "2026-12-07");
    const std::string raw = test::ReadBytes(path);
    const std::string header =
        "Created on 12-07-2026\r\nLocation : " + path + "\r\nDate\tTime\t100\t125\t150\tRef\r\n";
    ASSERT_EQ(raw.find(header), 0u) << raw;
    const size_t second = raw.find(header, 1);
    ASSERT_NE(second, std::string::npos) << raw;
    EXPECT_EQ(raw.substr(second - 5, 5), "EOF\r\n");
    EXPECT_EQ(raw.substr(raw.size() - 5), "EOF\r\n");
}

TEST(ServiceFile, AFullDiskHoldsTheLinesWithOneEventAndWritesThemWhenSpaceReturns) {
    test::TempFolder folder;
    std::ostringstream told;
    EventLog events((folder / "events.log").string(), told, [] { return test::kBeforeMidnight; });
    ServiceFile file(KeptFile::RawLog, events, [] { return 0.0; });
    ProgramState state;
    state.InstrumentType = kDfl;
    const std::string path = (folder / "raw.txt").string();
    const LocalDateTime date{2026, 12, 7, 23, 59, 30};
    auto write = [&](const std::string& text) {
        LinePieces line;
        line.Add(text);
        file.Write(state, path, date, line);
    };
    write("1");
    ASSERT_TRUE(test::FillDiskUnder(path));
    for (const char* text : {"2", "3", "4"}) write(text);
    file.Finish(state, date);
    EXPECT_EQ(std::make_pair(file.HeldLines(), events.Count()), std::make_pair(size_t{4}, 1LL));
    EXPECT_NE(told.str().find("Could not write to " + path +
                              ": No space left on device. 4 lines are in the file. Its lines are "
                              "held"),
              std::string::npos)
        << told.str();

    file.Retry(state, date);
    EXPECT_EQ(std::make_pair(file.HeldLines(), events.Count()), std::make_pair(size_t{0}, 2LL));
    EXPECT_EQ(test::ReadBytes(path), "Created on 12-07-2026\r\nLocation : " + path +
                                         "\r\nDate\tTime\tOutput\r\n1\r\n2\r\n3\r\n4\r\nEOF\r\n");
}

}  // namespace
}  // namespace zan
