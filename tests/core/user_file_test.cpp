#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_bytes.h"
#include "core/test_support.h"
#include "core/user_file.h"
#include "shell/settings_files.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

class UserFiles : public ::testing::Test {
  protected:
    // The message a read of the path gives, or "" when it reads.
    static std::string Refusal(const std::string& path, size_t maxBytes = 64) {
        try {
            ReadUserTextFile(path, {"Cal Info file", maxBytes});
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    }
    test::TempFolder folder;
    const fs::path& dir = folder.path;
};

TEST_F(UserFiles, PlainTextReadsWholeAndEverythingElseIsRefusedByName) {
    const fs::path text = dir / "cal.txt";
    test::WriteBytes(text, "ZAN x\r\n100\t1\t2\r\n");
    EXPECT_EQ(ReadUserTextFile(text.string(), {"Cal Info file", 64}), "ZAN x\r\n100\t1\t2\r\n");
    const fs::path big = dir / "big.txt";
    test::WriteBytes(big, std::string(65, 'a'));
    const fs::path binary = dir / "bin.txt";
    test::WriteBytes(binary, std::string("ab\0cd", 5));
    const struct {
        std::string path, message;
    } cases[] = {
        {dir.string(), dir.string() + " is a folder, not a Cal Info file."},
        {"/dev/zero", "/dev/zero is a device, not a Cal Info file."},
        {big.string(), big.string() + " is too large for a Cal Info file (more than 64 bytes)."},
        {binary.string(), binary.string() + " holds binary data, not a Cal Info file."},
        {(dir / "gone.txt").string(), "No such file or directory: " + (dir / "gone.txt").string()},
    };
    for (const auto& c : cases) EXPECT_EQ(Refusal(c.path), c.message) << c.path;
}

TEST_F(UserFiles, SettingsFilesThatAreNotTheirKindAreNamedAtStartAndDefaultsApply) {
    VirtualProgram program;
    program.clock.quickSetupPath = (dir / "def.zhl").string();
    program.clock.preferencesPath = (dir / "zhost.def").string();
    fs::create_directories(program.clock.quickSetupPath);
    test::WriteBytes(program.clock.preferencesPath, std::string(1 << 17, 'T'));
    program.Start();
    program.ctx.quick.Command2.Click();
    const auto& messages = program.dialogs.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text,
              program.clock.quickSetupPath + " is a folder, not a quick setup file.");
    EXPECT_EQ(messages[1].text, program.clock.preferencesPath +
                                    " is too large for a preference file (more than 65536 bytes).");
    EXPECT_TRUE(program.ctx.main.mdy.Checked());
    EXPECT_FALSE(ReadQuickSetupFile((dir / "absent.zhl").string()));
}

}  // namespace
}  // namespace zan
