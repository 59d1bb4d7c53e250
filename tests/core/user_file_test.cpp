#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/file_problem.h"
#include "core/field_stream.h"
#include "core/test_support.h"
#include "core/text_file.h"
#include "core/user_file.h"
#include "shell/settings_files.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

struct UserFiles : ::testing::Test {
    test::TempFolder folder;
    const fs::path& dir = folder.path;
};

TEST_F(UserFiles, EveryReaderRefusesWhatIsNotItsKindAtOnceInTheSameWords) {
    const std::string text = (dir / "cal.txt").string(), big = (dir / "big.txt").string();
    test::WriteBytes(text, "ZAN x\r\n100\t1\t2\r\n");
    EXPECT_EQ(ReadUserTextFile(text, {"Cal Info file", 64}), "ZAN x\r\n100\t1\t2\r\n");
    test::WriteBytes(big, std::string(65, 'a'));
    // Text for far more than a first look, then a zero byte on line 3000.
    const std::string binary = (dir / "bin.txt").string();
    std::string late;
    for (int i = 1; i < 3000; ++i) late += "d\t12:00:00\t1850\r\n";
    test::WriteBytes(binary, late + std::string("x\0y\r\n", 5));
    const std::string pipe = (dir / "pipe").string(), gone = (dir / "gone.txt").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {dir.string(), dir.string() + " is a folder, not a Cal Info file."},
        {"/dev/zero", "/dev/zero is a device, not a Cal Info file."},
        {pipe, pipe + " is a pipe, not a Cal Info file."},
        {binary, binary + ", line 3000: holds binary data, not a Cal Info file."},
        {gone, "Could not open " + gone + ": No such file or directory"},
    };
    for (const auto& [path, message] : cases) {
        for (const bool whole : {true, false}) {
            try {
                if (whole) {
                    ReadUserTextFile(path, {"Cal Info file", 1 << 20});
                } else {
                    FieldStream fields(path, "Cal Info file");
                    while (fields.Next()) continue;
                }
                ADD_FAILURE() << path << " was read";
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(e.what(), message) << (whole ? "whole" : "fields");
            }
        }
    }
    EXPECT_THROW(ReadUserTextFile(big, {"Cal Info file", 64}), std::runtime_error);
}

TEST(EscapedText, ShowsControlBytesAsEscapesAndKeepsTheRest) {
    EXPECT_EQ(EscapedText("a\tb\r\n\x1b[2J\x7f\x9b\\ \xb0"
                          "C"),
              "a\\tb\\r\\n\\x1b[2J\\x7f\\x9b\\\\ \xb0"
              "C");
}

TEST_F(UserFiles, SettingsFilesThatAreNotTheirKindAreNamedAtStartAndDefaultsApply) {
    VirtualProgram program;
    program.clock.quickSetupPath = (dir / "def.zhl").string();
    program.clock.preferencesPath = (dir / "zhost.def").string();
    fs::create_directories(program.clock.quickSetupPath);
    test::WriteBytes(program.clock.preferencesPath, std::string(1 << 17, 'T'));
    program.Start();
    program.ctx.quick.Command2.Click();
    EXPECT_EQ(test::Messages(program),
              (test::Lines{"Error: " + program.clock.quickSetupPath +
                               " is a folder, not a quick setup file.",
                           "Error: " + program.clock.preferencesPath +
                               " is too large for a preference file (more than 65536 bytes)."}));
    EXPECT_TRUE(program.ctx.main.mdy.Checked());
    EXPECT_FALSE(ReadQuickSetupFile((dir / "absent.zhl").string()));
}

using test::Lines;

Lines AllFields(FieldReader&& reader) {
    Lines fields;
    while (!reader.AtEnd()) fields.push_back(reader.ReadField());
    return fields;
}

// Each field the stream reads, in blocks of the given size, as "text@line.firstField"
// or, without places, as its text alone.
Lines StreamFields(const std::string& content, size_t blockSize, FieldRules rules,
                   bool places = true) {
    std::istringstream in(content);
    FieldStream stream(in, "f.txt", rules, blockSize);
    Lines fields;
    while (stream.Next())
        fields.push_back(std::string(stream.Text()) +
                         (places ? "@" + std::to_string(stream.Line()) + "." +
                                       std::to_string(stream.FirstField())
                                 : ""));
    return fields;
}

TEST(FieldReading, BothReadersSplitAtCommasAndLineEndsButNotTabsAndHonourQuotes) {
    const std::pair<const char*, Lines> cases[] = {
        {"a,b\r\nc\r\n", {"a", "b", "c"}},
        {"a\nb\rc", {"a", "b", "c"}},
        // A raw log line comes back whole.
        {"12/06/26\t12:00:00\t1850\t\r\n", {"12/06/26\t12:00:00\t1850\t"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {",x", {"", "x"}},
        {"a,\r\n", {"a", ""}},
        {"a,", {"a"}},
        {"e\r\n  ", {"e", ""}},
        {"", {}},
        {"   padded\r\n", {"padded"}},
        {"\"a,b\",c\r\n", {"a,b", "c"}},
        {"\"line\"\r\nnext", {"line", "next"}},
        {"  x, \"q,\r\nr\" tail\r\nz", {"x", "q,\r\nr", "z"}},
        {"\"open", {"open"}}};
    for (const auto& [content, fields] : cases) {
        EXPECT_EQ(AllFields(FieldReader(content)), fields) << content;
        for (size_t block : {1, 2, 3, 64})
            EXPECT_EQ(StreamFields(content, block, kConversionFieldRules, false), fields)
                << '"' << content << "\" in blocks of " << block;
    }
    EXPECT_EQ(StreamFields("a\tb,c\td\te,f\r\n\ng\r\"h\ni\"\r\nj", 2, kConversionFieldRules),
              (Lines{"a\tb@1.1", "c\td\te@1.3", "f@1.6", "@2.1", "g@3.1", "h\ni@4.1", "j@6.1"}));
    // The Cal Info file and the raw log count lines at line feeds, as an editor shows them.
    EXPECT_EQ(StreamFields("a\r\r\nb\r\"c\r\nd\"\r\ne", 2, FieldRules{}),
              (Lines{"a@1.1", "@1.1", "b@2.1", "c\r\nd@2.1", "e@4.1"}));
}

}  // namespace
}  // namespace zan
