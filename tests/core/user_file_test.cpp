#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/file_problem.h"
#include "core/field_stream.h"
#include "core/test_support.h"
#include "core/text_file.h"
#include "core/user_file.h"
#include "core/user_file_writer.h"
#include "shell/settings_files.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

struct UserFiles : ::testing::Test {
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
    for (const auto& c : cases) {
        try {
            ReadUserTextFile(c.path, {"Cal Info file", 64});
            ADD_FAILURE() << c.path << " was read";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
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

using test::Lines;

Lines AllFields(FieldReader& reader) {
    Lines fields;
    while (!reader.AtEnd()) fields.push_back(reader.ReadField());
    return fields;
}

// Each field the stream reads, in blocks of the given size, as "text@line.firstField".
Lines StreamFields(const std::string& content, size_t blockSize, FieldRules rules) {
    std::istringstream in(content);
    FieldStream stream(in, "f.txt", rules, blockSize);
    Lines fields;
    while (stream.Next())
        fields.push_back(std::string(stream.Text()) + "@" + std::to_string(stream.Line()) + "." +
                         std::to_string(stream.FirstField()));
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
        FieldReader reader(content);
        EXPECT_EQ(AllFields(reader), fields) << content;
        for (size_t block : {1, 2, 3, 64}) {
            Lines texts;
            for (const std::string& f : StreamFields(content, block, kConversionFieldRules))
                texts.push_back(f.substr(0, f.rfind('@')));
            EXPECT_EQ(texts, fields) << '"' << content << "\" in blocks of " << block;
        }
    }
    EXPECT_EQ(StreamFields("a\tb,c\td\te,f\r\n\ng\r\"h\ni\"\r\nj", 2, kConversionFieldRules),
              (Lines{"a\tb@1.1", "c\td\te@1.3", "f@1.6", "@2.1", "g@3.1", "h\ni@4.1", "j@6.1"}));
    // The Cal Info file and the raw log count lines at line feeds, as an editor
    // shows them, and keep a later zero byte as text.
    EXPECT_EQ(StreamFields(std::string("a\r\r\nb\r\"c\r\nd\"\r\ne\0f", 17), 2, FieldRules{}),
              (Lines{"a@1.1", "@1.1", "b@2.1", "c\r\nd@2.1", std::string("e\0f@4.1", 7)}));
}

TEST(LineWriter, WritesCrLfLinesByteForByteCreatingOrAppendingAndReadsThemBack) {
    test::TempFolder dir;
    const std::string path = (dir / "out.txt").string();
    LineWriter(path, LineWriter::Mode::Create).WriteLine("old line that is long");
    LineWriter writer(path, LineWriter::Mode::Create);
    writer.WriteLine("Angle\tBeta \t.02");
    writer.Write("no end");
    writer.WriteLine("\xB0 8-bit");
    writer.Close();
    LineWriter(path, LineWriter::Mode::Append).WriteLine("");
    EXPECT_EQ(test::ReadBytes(path), "Angle\tBeta \t.02\r\nno end\xB0 8-bit\r\n\r\n");
    EXPECT_EQ(AllFields(*OpenFieldReader(path)),
              (Lines{"Angle\tBeta \t.02", "no end\xB0 8-bit", ""}));
    // Append also creates a missing file.
    LineWriter((dir / "new.txt").string(), LineWriter::Mode::Append).WriteLine("x");
    EXPECT_EQ(test::ReadBytes(dir / "new.txt"), "x\r\n");
    // Writing after Close fails instead of losing the line.
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_THROW(writer.WriteLine("lost"), std::runtime_error);
}

}  // namespace
}  // namespace zan
