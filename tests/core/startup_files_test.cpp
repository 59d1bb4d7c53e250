#include <gtest/gtest.h>

#include <string>

#include "core/test_support.h"
#include "shell/settings_files.h"

namespace zan {
namespace {

TEST(QuickSetupFile, ReadsTheFirstNumberOfEachLineAndCodesThatNameNothingAsNone) {
    const std::pair<const char*, std::pair<float, float>> cases[] = {{" 3 \r\n  2\r\n", {3, 2}},
                                                                     {"5\n4\n", {5, 4}},
                                                                     {"9\r\n7\r\n", {0, 0}},
                                                                     {"abc\r\n2.5\r\n", {0, 0}},
                                                                     {"-1\r\n-3\r\n", {0, 0}}};
    for (const auto& [bytes, expected] : cases) {
        const auto choice = ParseQuickSetup(bytes);
        ASSERT_TRUE(choice) << bytes;
        EXPECT_EQ(std::make_pair(choice->instrument, choice->port), expected) << bytes;
    }
    // A missing line makes the whole file unreadable.
    EXPECT_FALSE(ParseQuickSetup(""));
    EXPECT_FALSE(ParseQuickSetup("3\r\n"));
}

TEST(QuickSetupFile, RoundTripsByteForByteAndReportsWhatCannotBeReadOrWritten) {
    test::TempFolder folder;
    const auto path = (folder / "def.zhl").string();
    test::WriteBytes(path, "4\r\n3\r\n");
    WriteQuickSetupFile(path, *ReadQuickSetupFile(path));
    EXPECT_EQ(test::ReadBytes(path), "4\r\n3\r\n");
    EXPECT_FALSE(ReadQuickSetupFile((folder / "absent.zhl").string()));
    EXPECT_FALSE(ReadQuickSetupFile(""));
    EXPECT_THROW(WriteQuickSetupFile((folder / "no/def.zhl").string(), {1, 1}), std::runtime_error);
}

TEST(PreferenceFile, ReadsSixTruthValuesInAnyLetterCaseOrNothing) {
    const auto marks = ParsePreferences("true\r\nFALSE\r\n TrUe \r\nfalse\r\nFalse\r\nTrue\r\n");
    ASSERT_TRUE(marks);
    EXPECT_EQ(*marks, (DateFormatMarks{true, false, true, false, false, true}));
    for (const char* bad : {"True\r\nYes\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n",
                            "True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n",
                            "True\r\n\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n", ""})
        EXPECT_FALSE(ParsePreferences(bad)) << bad;
}

TEST(PreferenceFile, RoundTripsByteForByteCreatesItsFolderAndNamesWhatCannotBeWritten) {
    test::TempFolder folder;
    const auto path = (folder.path / "config" / "zanhost" / "zhost.def").string();
    const std::string bytes = "False\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\n";
    WritePreferencesFile(path, *ParsePreferences(bytes));
    EXPECT_EQ(test::ReadBytes(path), bytes);
    WritePreferencesFile(path, *ReadPreferencesFile(path));
    EXPECT_EQ(test::ReadBytes(path), bytes);
    test::WriteBytes(folder / "plain", "x");
    try {
        WritePreferencesFile((folder.path / "plain" / "zhost.def").string(), {});
        FAIL() << "no failure";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("plain"), std::string::npos) << e.what();
    }
}

TEST(PreferencePath, FollowsTheUsersConfigurationFolder) {
    EXPECT_EQ(UserPreferencesPath("/tmp/cfg", "/home/ann"), "/tmp/cfg/zanhost/zhost.def");
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/cfg"})
        EXPECT_EQ(UserPreferencesPath(ignored, "/home/ann"), "/home/ann/.config/zanhost/zhost.def");
    EXPECT_EQ(UserPreferencesPath(nullptr, nullptr), "zhost.def");
}

}  // namespace
}  // namespace zan
