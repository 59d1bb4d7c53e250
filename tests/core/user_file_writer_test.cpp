#include "core/user_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "file_bytes.h"
#include "full_disk.h"
#include "test_folder.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

class UserFileWriterTest : public ::testing::Test {
  protected:
    test::TestFolder folder;
    const fs::path& dir = folder.path;
    void SetUp() override { path = dir / "out.txt"; }
    UserFileWriter Open(UserFileWriter::Mode mode = UserFileWriter::Mode::Create) {
        return UserFileWriter(path.string(), mode, [this] { return now; });
    }
    fs::path path;
    double now = 0;
};

TEST_F(UserFileWriterTest, EachLineIsInTheFileAsSoonAsItIsWritten) {
    auto writer = Open();
    ASSERT_TRUE(writer.WriteLine("a\tb"));
    EXPECT_EQ(test::ReadBytes(path), "a\tb\r\n");
    ASSERT_TRUE(writer.WriteLine(""));
    EXPECT_EQ(test::ReadBytes(path), "a\tb\r\n\r\n");
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(writer.LinesWritten(), 2);
}

TEST_F(UserFileWriterTest, AppendKeepsWhatTheFileHeldAndCreateReplacesIt) {
    test::WriteBytes(path, "old\r\n");
    Open(UserFileWriter::Mode::Append).WriteLine("new");
    EXPECT_EQ(test::ReadBytes(path), "old\r\nnew\r\n");
    Open(UserFileWriter::Mode::Create).WriteLine("only");
    EXPECT_EQ(test::ReadBytes(path), "only\r\n");
}

TEST_F(UserFileWriterTest, OpenFailureNamesTheFileAndTheReason) {
    try {
        UserFileWriter(dir.string(), UserFileWriter::Mode::Create, [] { return 0.0; });
        FAIL() << "a folder opened for writing";
    } catch (const UserFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not open " + dir.string() + ": Is a directory");
    }
}

TEST_F(UserFileWriterTest, FullDiskStopsTheWriterOnceKeepingEarlierLines) {
    auto writer = Open();
    ASSERT_TRUE(writer.WriteLine("one"));
    ASSERT_TRUE(writer.WriteLine("two"));
    ASSERT_TRUE(test::FillDiskUnder(path));
    EXPECT_FALSE(writer.WriteLine("three"));
    EXPECT_FALSE(writer.IsOpen());
    ASSERT_TRUE(writer.Failure());
    EXPECT_EQ(writer.Failure()->Message(), "Could not write to " + path.string() +
                                               ": No space left on device. 2 lines were written.");
    EXPECT_FALSE(writer.WriteLine("four"));
    EXPECT_FALSE(writer.Close());
    EXPECT_EQ(writer.Failure()->linesWritten, 2);
    EXPECT_EQ(test::ReadBytes(path), "one\r\ntwo\r\n");
}

TEST_F(UserFileWriterTest, FileRemovedUnderTheWriterIsNoticedAtTheNextSync) {
    auto writer = Open();
    ASSERT_TRUE(writer.WriteLine("one"));
    fs::remove(path);
    now = UserFileWriter::kSyncInterval / 2;
    EXPECT_TRUE(writer.WriteLine("two"));
    now = UserFileWriter::kSyncInterval;
    EXPECT_FALSE(writer.WriteLine("three"));
    EXPECT_EQ(writer.Failure()->description, "the file was removed");
    EXPECT_EQ(writer.Failure()->linesWritten, 3);
}

}  // namespace
}  // namespace zan
