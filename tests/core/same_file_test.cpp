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
const std::string kCalInfo =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling Factor\tOffset\r\n"
    "100\t0.001\t50\r\n125\t0.002\t10\r\n150\t0.0001\t60\r\n";
const std::string kDevice =
    "ZAN TRIA 42\r\nx\r\ny\r\nz\r\nB100\t1\t0\r\nB125\t1\t0\r\nB150\t1\t0\r\nG100\t1\t0\r\n"
    "G125\t1\t0\r\nG150\t1\t0\r\nR100\t1\t0\r\nR125\t1\t0\r\nR150\t1\t0\r\n";
const std::string kData = "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\n";

// The file by its name, with "./", through a symbolic link and a hard link.
std::vector<std::string> Names(const fs::path& file) {
    const fs::path dir = file.parent_path();
    const std::string stem = file.stem().string();
    fs::create_symlink(file, dir / (stem + "_symbolic.txt"));
    fs::create_hard_link(file, dir / (stem + "_hard.txt"));
    return {file.string(), (dir / "." / file.filename()).string(),
            (dir / (stem + "_symbolic.txt")).string(), (dir / (stem + "_hard.txt")).string()};
}

std::string Refusal(const std::string& name, const std::string& open, const std::string& newUse) {
    return "Could not open " + name + ": the file is already open as " + open +
           ", so it cannot also be " + newUse;
}

struct SameFile : ::testing::Test {
    SameFile() {
        program.Load();
        m.inst2.Click();
        m.Text1.SetText("60");
    }
    void Answer(CommandButton& button, const std::string& path) {
        program.dialogs.AnswerFile(path);
        button.Click();
    }
    // Runs the action once for every name of the file and checks the one
    // message each time and the file's bytes after.
    void EveryName(const fs::path& file, const std::function<std::string(const std::string&)>& run,
                   const std::function<std::string(const std::string&)>& expected) {
        const std::string before = test::ReadBytes(file);
        for (const std::string& name : Names(file)) {
            EXPECT_EQ(run(name), expected(name));
            EXPECT_EQ(test::ReadBytes(file), before) << name;
        }
    }
    std::string LastMessage() {
        const auto& shown = program.dialogs.Messages();
        return shown.empty() ? "" : shown.back().text;
    }

    test::TempFolder folder;
    const fs::path& dir = folder.path;
    VirtualProgram program;
    MainForm& m = program.ctx.main;
};

TEST_F(SameFile, RecordingAndRawLogRefuseEachOtherAndThePlayedFile) {
    const fs::path raw = dir / "raw.txt";
    test::WriteBytes(raw, kRawLog);
    Answer(m.Command16, raw.string());
    for (CommandButton* button : {&m.Command18, &m.Command19}) {
        const std::string use = button == &m.Command18 ? "the recording file" : "the raw log";
        EveryName(
            raw,
            [&](const std::string& name) {
                Answer(*button, name);
                EXPECT_EQ(button->Caption(),
                          button == &m.Command18 ? "Start Recording" : "Start Logging Raw Data");
                return LastMessage();
            },
            [&](const std::string& name) {
                return Refusal(name, "the raw log being played back", use);
            });
        fs::remove(dir / "raw_symbolic.txt");
        fs::remove(dir / "raw_hard.txt");
    }
    m.Command16.Click();
    const fs::path recording = dir / "rec.txt";
    Answer(m.Command18, recording.string());
    EveryName(
        recording,
        [&](const std::string& name) {
            Answer(m.Command19, name);
            return LastMessage();
        },
        [](const std::string& name) { return Refusal(name, "the recording file", "the raw log"); });
}

TEST_F(SameFile, PlaybackCaptureAndSaveCalInfoRefuseAFileBeingWritten) {
    const fs::path log = dir / "log.txt";
    Answer(m.Command19, log.string());
    EveryName(
        log,
        [&](const std::string& name) {
            Answer(m.Command16, name);
            EXPECT_EQ(m.Command16.Caption(), "Open Raw File");
            return LastMessage();
        },
        [](const std::string& name) {
            return Refusal(name, "the raw log", "the raw log being played back") + ".";
        });
    fs::remove(dir / "log_symbolic.txt");
    fs::remove(dir / "log_hard.txt");
    EveryName(
        log,
        [&](const std::string& name) {
            Answer(m.Command20, name);
            EXPECT_EQ(program.ctx.state.CaptureFile, nullptr);
            return LastMessage();
        },
        [](const std::string& name) { return Refusal(name, "the raw log", "the capture file"); });
    fs::remove(dir / "log_symbolic.txt");
    fs::remove(dir / "log_hard.txt");
    EveryName(
        log,
        [&](const std::string& name) {
            Answer(m.Command31, name);
            return LastMessage();
        },
        [](const std::string& name) { return Refusal(name, "the raw log", "the Cal Info file"); });
}

TEST_F(SameFile, ReplayRefusesItsRawLogAndCalInfoAsItsRecordingAlsoWhenAppending) {
    const fs::path raw = dir / "raw.txt", cal = dir / "cal.txt";
    test::WriteBytes(raw, kRawLog);
    test::WriteBytes(cal, kCalInfo);
    const auto replay = [&](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        EXPECT_EQ(RunReplayCommand(args, out, err, false, "v"), 1);
        return err.str();
    };
    for (const char* append : {"--view", "--append"}) {
        std::vector<std::string> args{"--instrument", "VSF", "--cal", cal.string(), append};
        if (std::string(append) == "--view") args.push_back("beta");
        EveryName(
            raw,
            [&](const std::string& name) {
                auto withFiles = args;
                withFiles.insert(withFiles.end(), {raw.string(), name});
                return replay(withFiles);
            },
            [](const std::string& name) {
                return "zanhost-replay: " +
                       Refusal(fs::absolute(name).string(), "the raw log being replayed",
                               "the recording file") +
                       "\n";
            });
        fs::remove(dir / "raw_symbolic.txt");
        fs::remove(dir / "raw_hard.txt");
    }
    EveryName(
        cal,
        [&](const std::string& name) {
            return replay({"--instrument", "VSF", "--cal", cal.string(), raw.string(), name});
        },
        [](const std::string& name) {
            return "zanhost-replay: " +
                   Refusal(fs::absolute(name).string(), "the Cal Info file", "the recording file") +
                   "\n";
        });
}

TEST_F(SameFile, ConversionRefusesItsDataAndDeviceFilesInTheToolAndTheWindow) {
    const fs::path data = dir / "data.txt", device = dir / "device.txt";
    test::WriteBytes(data, kData);
    test::WriteBytes(device, kDevice);
    for (const auto& [input, use] :
         {std::pair{data, "the TRIA data file"}, std::pair{device, "the TRIA device file"}}) {
        EveryName(
            input,
            [&](const std::string& name) {
                std::ostringstream out, err;
                EXPECT_EQ(RunConvertTool({device.string(), data.string(), name}, out, err, false),
                          1);
                program.dialogs.AnswerFile(device.string());
                program.dialogs.AnswerFile(data.string());
                program.dialogs.AnswerFile(name);
                m.tria1.onClick();
                EXPECT_EQ("zanhost-convert: " + LastMessage() + "\n", err.str());
                return err.str();
            },
            [&, use = use](const std::string& name) {
                return "zanhost-convert: " + Refusal(name, use, "the converted file") + "\n";
            });
    }
}

}  // namespace
}  // namespace zan
