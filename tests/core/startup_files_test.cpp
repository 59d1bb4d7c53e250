#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/file_bytes.h"
#include "platform/system_clock.h"
#include "shell/settings_files.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

struct FilesTest : testing::Test {
    void SetUp() override {
        // The process id keeps builds that run the suite at the same time apart.
        folder = fs::temp_directory_path() /
                 ("zanhost-files-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST(QuickSetupFile, WritesOneWholeNumberPerLineEndedByCrLf) {
    EXPECT_EQ(FormatQuickSetup({3, 2}), "3\r\n2\r\n");
    EXPECT_EQ(FormatQuickSetup({0, 0}), "0\r\n0\r\n");
}

TEST(QuickSetupFile, ReadsTheFirstNumberOfEachLineIgnoringBlanks) {
    const auto choice = ParseQuickSetup(" 3 \r\n  2\r\n");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->instrument, 3);
    EXPECT_EQ(choice->port, 2);
    const auto lf = ParseQuickSetup("5\n4\n");
    ASSERT_TRUE(lf);
    EXPECT_EQ(lf->instrument, 5);
    EXPECT_EQ(lf->port, 4);
}

TEST(QuickSetupFile, AMissingLineMakesTheWholeFileUnreadable) {
    EXPECT_FALSE(ParseQuickSetup(""));
    EXPECT_FALSE(ParseQuickSetup("3\r\n"));
}

TEST(QuickSetupFile, CodesThatNameNoInstrumentOrPortReadAsNone) {
    const auto choice = ParseQuickSetup("9\r\n7\r\n");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->instrument, 0);
    EXPECT_EQ(choice->port, 0);
    const auto text = ParseQuickSetup("abc\r\n2.5\r\n");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->instrument, 0);
    EXPECT_EQ(text->port, 0);
    const auto negative = ParseQuickSetup("-1\r\n-3\r\n");
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->instrument, 0);
    EXPECT_EQ(negative->port, 0);
}

TEST_F(FilesTest, QuickSetupFileRoundTripsByteForByte) {
    const fs::path path = folder / "def.zhl";
    test::WriteBytes(path, "4\r\n3\r\n");
    const auto choice = ReadQuickSetupFile(path.string());
    ASSERT_TRUE(choice);
    WriteQuickSetupFile(path.string(), *choice);
    EXPECT_EQ(test::ReadBytes(path), "4\r\n3\r\n");
}

TEST_F(FilesTest, MissingOrUnwritableQuickSetupFilesAreReportedToTheCaller) {
    EXPECT_FALSE(ReadQuickSetupFile((folder / "absent.zhl").string()));
    EXPECT_FALSE(ReadQuickSetupFile(""));
    EXPECT_THROW(WriteQuickSetupFile((folder / "no" / "def.zhl").string(), {1, 1}),
                 std::runtime_error);
}

TEST(PreferenceFile, WritesSixTruthLinesInFileOrder) {
    EXPECT_EQ(FormatPreferences({false, true, false, false, true, false}),
              "False\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n");
}

TEST(PreferenceFile, ReadsTruthValuesInAnyLetterCase) {
    const auto marks = ParsePreferences("true\r\nFALSE\r\n TrUe \r\nfalse\r\nFalse\r\nTrue\r\n");
    ASSERT_TRUE(marks);
    EXPECT_EQ(*marks, (DateFormatMarks{true, false, true, false, false, true}));
}

TEST(PreferenceFile, ALineThatIsNotATruthValueOrAMissingLineFailsTheWholeRead) {
    EXPECT_FALSE(ParsePreferences("True\r\nYes\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n"));
    EXPECT_FALSE(ParsePreferences("True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n"));
    EXPECT_FALSE(ParsePreferences("True\r\n\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n"));
    EXPECT_FALSE(ParsePreferences(""));
}

TEST_F(FilesTest, PreferenceFileRoundTripsByteForByteAndCreatesItsFolder) {
    const fs::path path = folder / "config" / "zanhost" / "zhost.def";
    const std::string bytes = "False\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\n";
    WritePreferencesFile(path.string(), *ParsePreferences(bytes));
    EXPECT_EQ(test::ReadBytes(path), bytes);
    const auto again = ReadPreferencesFile(path.string());
    ASSERT_TRUE(again);
    WritePreferencesFile(path.string(), *again);
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

TEST_F(FilesTest, PreferenceFileThatCannotBeWrittenThrowsWithADescription) {
    test::WriteBytes(folder / "plain", "x");
    try {
        WritePreferencesFile((folder / "plain" / "zhost.def").string(), {});
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("plain"), std::string::npos) << e.what();
    }
}

TEST(PreferencePath, FollowsTheUsersConfigurationFolder) {
    EXPECT_EQ(UserPreferencesPath("/tmp/cfg", "/home/ann"), "/tmp/cfg/zanhost/zhost.def");
    EXPECT_EQ(UserPreferencesPath(nullptr, "/home/ann"), "/home/ann/.config/zanhost/zhost.def");
    EXPECT_EQ(UserPreferencesPath("", "/home/ann"), "/home/ann/.config/zanhost/zhost.def");
    EXPECT_EQ(UserPreferencesPath("relative/cfg", "/home/ann"),
              "/home/ann/.config/zanhost/zhost.def");
    EXPECT_EQ(UserPreferencesPath(nullptr, nullptr), "zhost.def");
}

}  // namespace
}  // namespace zan
