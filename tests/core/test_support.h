#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "link/port_operations.h"
#include "virtual/virtual_program.h"

namespace zan::test {

using Lines = std::vector<std::string>;

// A VSF data line, and a VSF Cal Info file whose coefficients make its betas 1.8, 2.4 and 0.09.
inline const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
inline const std::string kVsfCalInfo =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling Factor\tOffset\r\n"
    "100\t0.001\t50\r\n125\t0.002\t10\r\n150\t0.0001\t60\r\n";

// A file's bytes exactly, CR LF and all.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every message box shown so far, as "title: text".
inline Lines Messages(const ScriptedDialogs& dialogs) {
    Lines shown;
    for (const auto& m : dialogs.Messages()) shown.push_back(m.title + ": " + m.text);
    return shown;
}
inline Lines Messages(const VirtualProgram& program) { return Messages(program.dialogs); }

// Exactly one message box was shown and "title: text" holds the words.
inline testing::AssertionResult OneMessageWith(const ScriptedDialogs& dialogs,
                                               const std::string& words) {
    const Lines shown = Messages(dialogs);
    if (shown.size() == 1 && shown[0].find(words) != std::string::npos)
        return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure() << "shown:";
    for (const std::string& message : shown) failure << "\n  " << message;
    return failure;
}
inline testing::AssertionResult OneMessageWith(const VirtualProgram& program,
                                               const std::string& words) {
    return OneMessageWith(program.dialogs, words);
}

// The texts of a block of grid cells, row by row, joined by "|".
inline std::string Cells(const FlexGrid& grid, int row, int col, int lastRow, int lastCol) {
    std::string texts;
    for (int r = row; r <= lastRow; ++r)
        for (int c = col; c <= lastCol; ++c)
            texts += (texts.empty() && r == row && c == col ? "" : "|") + grid.Cell(r, c);
    return texts;
}

// A program with its main window loaded, and the handles tests use most.
struct Loaded : testing::Test {
    Loaded() { program.Load(); }
    void Feed(const std::string& line) { WalkReceivedText(program.ctx, line); }
    // The time count of packet k is k, so a point's time tells which packet made it.
    void FeedNumbered(int from, int to) {
        for (int k = from; k <= to; ++k) Feed("d\t" + std::to_string(k) + "\t5\r\n");
    }
    Lines Messages() const { return test::Messages(program); }

    VirtualProgram program;
    MainForm& m = program.ctx.main;
    ProgramState& s = program.ctx.state;
};

// A loaded program with a scripted feed on port 1, the port still closed.
struct LoadedWithFeed : Loaded {
    std::shared_ptr<FeedDevice> feed = program.AttachFeed(1);
};

// Plugs the pulled adapter back in; returns the seconds until the program had reopened its port.
inline double SecondsToReopen(VirtualProgram& program) {
    program.port.Replug();
    const double back = program.pump.Seconds();
    while (!IsPortOpen(program.ctx) && program.pump.Seconds() - back < 2)
        program.pump.DispatchPending();
    return program.pump.Seconds() - back;
}

// Makes every later write to an open file fail as on a full disk: the
// descriptor this process holds on the path is pointed at /dev/full.
// Returns false when the process holds no descriptor on the path.
inline bool FillDiskUnder(const std::filesystem::path& path) {
    const auto target = std::filesystem::canonical(path);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != target) continue;
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        const int fd = std::stoi(entry.path().filename().string());
        const bool moved = ::dup2(full, fd) == fd;
        ::close(full);
        return moved;
    }
    return false;
}

// The file by its name, with "./", through a symbolic link and a hard link.
inline std::vector<std::string> SameFileNames(const std::filesystem::path& file) {
    const std::filesystem::path dir = file.parent_path();
    const std::string stem = file.stem().string();
    std::filesystem::create_symlink(file, dir / (stem + "_symbolic.txt"));
    std::filesystem::create_hard_link(file, dir / (stem + "_hard.txt"));
    return {file.string(), (dir / "." / file.filename()).string(),
            (dir / (stem + "_symbolic.txt")).string(), (dir / (stem + "_hard.txt")).string()};
}

// A fresh folder of the test's own, removed with the object; the process id keeps builds
// that run the suite at the same time apart.
struct TempFolder {
    TempFolder() {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        path = std::filesystem::temp_directory_path() /
               ("zanhost-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path / name; }
    std::filesystem::path path;
};

}  // namespace zan::test
