#include "core/user_file_writer.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace zan {
namespace {

TEST(UserFileWriter, EachLineIsInTheFileAtOnceAndAppendKeepsWhatWasThere) {
    test::TempFolder folder;
    const auto path = folder.path / "out.txt";
    test::WriteBytes(path, "old\r\n");
    UserFileWriter writer(path.string(), UserFileWriter::Mode::Append, [] { return 0.0; });
    ASSERT_TRUE(writer.WriteLine("a\tb"));
    EXPECT_EQ(test::ReadBytes(path), "old\r\na\tb\r\n");
    EXPECT_TRUE(writer.Close());
    UserFileWriter(path.string(), UserFileWriter::Mode::Create, [] { return 0.0; }).WriteLine("");
    EXPECT_EQ(test::ReadBytes(path), "\r\n");
}

TEST(UserFileWriter, AFileRemovedUnderTheWriterStopsItAtTheNextSync) {
    test::TempFolder folder;
    const auto path = folder.path / "out.txt";
    double now = 0;
    UserFileWriter writer(path.string(), UserFileWriter::Mode::Create, [&now] { return now; });
    ASSERT_TRUE(writer.WriteLine("one"));
    std::filesystem::remove(path);
    now = UserFileWriter::kSyncInterval;
    EXPECT_FALSE(writer.WriteLine("two"));
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.Failure()->Message(), "Could not write to " + path.string() +
                                               ": the file was removed. 2 lines were written.");
    EXPECT_FALSE(writer.WriteLine("three"));
}

}  // namespace
}  // namespace zan
