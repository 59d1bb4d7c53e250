#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "conversion/convert_tool.h"
#include "core/test_support.h"
#include "replay/replay_command.h"
#include "virtual/virtual_program.h"

// Every place the program or a tool writes a user's file refuses a file it
// has open or reads, by any of its names, and leaves that file as it was.
namespace zan {
namespace {

namespace fs = std::filesystem;

const std::string kRawLog =
    "Created on 12-06-2026\r\nLocation : raw.txt\r\nDate\tTime\t100\t125\t150\tRef\r\n"
    "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\nEOF\r\n";
const std::string kDevice =
    "ZAN TRIA 42\r\nx\r\ny\r\nz\r\nB100\t1\t0\r\nB125\t1\t0\r\nB150\t1\t0\r\nG100\t1\t0\r\n"
    "G125\t1\t0\r\nG150\t1\t0\r\nR100\t1\t0\r\nR125\t1\t0\r\nR150\t1\t0\r\n";
const std::string kData = "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\n";

std::string Refusal(const std::string& name, const std::string& open, const std::string& newUse) {
    return "Could not open " + name + ": the file is already open as " + open +
           ", so it cannot also be " + newUse;
}

struct SameFile : ::testing::Test {
    SameFile() {
        program.Load();
        m.inst2.Click();
        m.Text1.SetText("60");
        for (const auto& [file, bytes] :
             {std::pair{raw, kRawLog}, {cal, test::kVsfCalInfo}, {data, kData}, {device, kDevice}})
            test::WriteBytes(file, bytes);
    }
    void Answer(CommandButton& button, const std::string& path) {
        program.dialogs.AnswerFile(path);
        button.Click();
    }
    // Runs the check once for every name of the file and, after each, checks
    // that the file's bytes are as they were.
    void EveryName(const fs::path& file, const std::function<void(const std::string&)>& check) {
        const std::string before = test::ReadBytes(file);
        const std::vector<std::string> names = test::SameFileNames(file);
        for (const std::string& name : names) {
            check(name);
            EXPECT_EQ(test::ReadBytes(file), before) << name;
        }
        for (const std::string& link : {names[2], names[3]}) fs::remove(link);
    }
    // The button given every name of the file refuses it, open as `open`, for its `use`.
    void EveryNameRefused(const fs::path& file, CommandButton& button, const std::string& open,
                          const std::string& use, const std::string& end = "") {
        EveryName(file, [&](const std::string& name) {
            Answer(button, name);
            EXPECT_EQ(LastMessage(), Refusal(name, open, use) + end);
        });
    }
    std::string LastMessage() {
        const auto& shown = program.dialogs.Messages();
        return shown.empty() ? "" : shown.back().text;
    }

    test::TempFolder folder;
    // The files the player and the tools read.
    const fs::path raw = folder / "raw.txt", cal = folder / "cal.txt", data = folder / "data.txt",
                   device = folder / "device.txt";
    VirtualProgram program;
    MainForm& m = program.ctx.main;
};

// The player, the recording, the raw log, the capture and Save Cal Info.
TEST_F(SameFile, EveryFileButtonRefusesAFileThatIsPlayedBackOrWritten) {
    Answer(m.Command16, raw.string());
    EveryNameRefused(raw, m.Command18, "the raw log being played back", "the recording file");
    EveryNameRefused(raw, m.Command19, "the raw log being played back", "the raw log");
    EXPECT_EQ(m.Command18.Caption(), "Start Recording");
    EXPECT_EQ(m.Command19.Caption(), "Start Logging Raw Data");
    m.Command16.Click();
    const fs::path recording = folder / "rec.txt", log = folder / "log.txt";
    Answer(m.Command18, recording.string());
    EveryNameRefused(recording, m.Command19, "the recording file", "the raw log");
    Answer(m.Command19, log.string());
    EveryNameRefused(log, m.Command16, "the raw log", "the raw log being played back", ".");
    EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
    EveryNameRefused(log, m.Command20, "the raw log", "the capture file");
    EXPECT_EQ(program.ctx.state.CaptureFile, nullptr);
    EveryNameRefused(log, m.Command31, "the raw log", "the Cal Info file");
}

TEST_F(SameFile, ReplayRefusesItsRawLogAndCalInfoAsItsRecordingAlsoWhenAppending) {
    // Each input, given as the recording, with and without appending.
    for (const auto& [input, use] :
         {std::pair{raw, "the raw log being replayed"}, std::pair{cal, "the Cal Info file"}}) {
        for (const char* append : {"--append", "--"}) {
            EveryName(input, [&, use = use](const std::string& name) {
                std::ostringstream out, err;
                EXPECT_EQ(RunReplayCommand({"--instrument", "VSF", "--cal", cal.string(), append,
                                            raw.string(), name},
                                           out, err, false, "v"),
                          1);
                const std::string refusal =
                    Refusal(fs::absolute(name).string(), use, "the recording file");
                EXPECT_EQ(err.str(), "zanhost-replay: " + refusal + "\n");
            });
        }
    }
}

// The tool and the window's Convert give the same refusal.
TEST_F(SameFile, ConversionRefusesItsDataAndDeviceFilesInTheToolAndTheWindow) {
    for (const auto& [input, use] :
         {std::pair{data, "the TRIA data file"}, std::pair{device, "the TRIA device file"}}) {
        EveryName(input, [&, use = use](const std::string& name) {
            std::ostringstream out, err;
            EXPECT_EQ(RunConvertTool({device.string(), data.string(), name}, out, err, false), 1);
            const std::string refusal = Refusal(name, use, "the converted file");
            EXPECT_EQ(err.str(), "zanhost-convert: " + refusal + "\n");
            for (const std::string& answer : {device.string(), data.string(), name})
                program.dialogs.AnswerFile(answer);
            m.tria1.onClick();
            EXPECT_EQ(LastMessage(), refusal);
        });
    }
}

}  // namespace
}  // namespace zan
