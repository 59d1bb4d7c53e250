#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "core/test_support.h"
#include "core/user_file_writer.h"

namespace zan {
namespace {

namespace fs = std::filesystem;
using Mode = UserFileWriter::Mode;
using Sync = UserFileWriter::Sync;

struct Writer : ::testing::Test {
    test::TempFolder folder;
    const std::string path = (folder.path / "out.txt").string();
    double now = 0;
    UserFileWriter::Options Periodic(Mode mode = Mode::Create) {
        return {"the recording file", mode, Sync::Periodically, [this] { return now; }};
    }
};

TEST_F(Writer, EachLineIsInTheFileAtOnceAppendKeepsWhatWasThereCreateEmpties) {
    test::WriteBytes(path, "old\r\n");
    UserFileWriter writer(path, Periodic(Mode::Append));
    ASSERT_TRUE(writer.WriteLine("a\tb"));
    EXPECT_EQ(test::ReadBytes(path), "old\r\na\tb\r\n");
    EXPECT_TRUE(writer.Close());
    UserFileWriter(path, Periodic()).WriteLine("");
    EXPECT_EQ(test::ReadBytes(path), "\r\n");
}

TEST_F(Writer, AWriteCutShortLeavesOnlyWholeLinesAndCountsThem) {
    test::WriteBytes(path, "before\r\n");
    // The disk takes 7 more bytes, then is full: "one\r\n" and "tw" of the next line.
    size_t room = 7;
    UserFileWriter::Options options = Periodic(Mode::Append);
    options.batchBytes = 64;
    options.write = [&room](int fd, const char* data, size_t size) -> long {
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const size_t taken = std::min(room, size);
        room -= taken;
        return ::write(fd, data, taken);
    };
    UserFileWriter writer(path, options);
    EXPECT_TRUE(writer.WriteLine("one"));
    EXPECT_TRUE(writer.WriteLine("two"));
    EXPECT_FALSE(writer.Close());
    EXPECT_EQ(test::ReadBytes(path), "before\r\none\r\n");
    EXPECT_EQ(writer.Failure()->Message(),
              "Could not write to " + path + ": No space left on device. 1 line is in the file.");
    EXPECT_EQ(writer.LinesWritten(), 1);
}

// Another program removes, shortens, replaces or moves the file; the timed
// sync notices without waiting for a new line.
TEST_F(Writer, AFileChangedByAnotherProgramIsReportedOnceWithoutHoles) {
    UserFileWriter writer(path, Periodic());
    ASSERT_TRUE(writer.WriteLine("one"));
    ASSERT_TRUE(writer.WriteLine("two"));
    fs::remove(path);
    now = UserFileWriter::kSyncInterval - 0.1;
    EXPECT_TRUE(writer.SyncIfDue());
    now = UserFileWriter::kSyncInterval;
    EXPECT_FALSE(writer.SyncIfDue());
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.Failure()->Message(),
              "Could not write to " + path +
                  ": the file was removed or replaced by another program. 2 lines had been "
                  "written to it.");
    EXPECT_FALSE(writer.WriteLine("three"));

    UserFileWriter shortened(path, Periodic());
    for (const char* line : {"one", "two", "three"}) ASSERT_TRUE(shortened.WriteLine(line));
    fs::resize_file(path, 5);
    // Written at the end of what is left, never after a hole of zero bytes.
    EXPECT_TRUE(shortened.WriteLine("four"));
    EXPECT_EQ(test::ReadBytes(path), "one\r\nfour\r\n");
    now = 2 * UserFileWriter::kSyncInterval;
    EXPECT_FALSE(shortened.SyncIfDue());
    EXPECT_EQ(shortened.Failure()->Message(),
              "Could not write to " + path +
                  ": the file was shortened by another program. 2 lines are in the file.");

    // An editor saves a new file over the old name; another program moves it away.
    const std::string other = (folder.path / "other.txt").string();
    UserFileWriter replaced(other, Periodic());
    fs::rename(path, other);
    EXPECT_FALSE(replaced.Close());
    EXPECT_EQ(replaced.Failure()->description,
              "the file was removed or replaced by another program");
    UserFileWriter moved(other, Periodic());
    fs::rename(other, path);
    EXPECT_FALSE(moved.Close());
    EXPECT_EQ(moved.Failure()->description, "the file was moved or replaced by another program");
}

}  // namespace
}  // namespace zan
