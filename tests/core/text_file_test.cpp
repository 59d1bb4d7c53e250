#include "core/text_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zan {
namespace {

std::vector<std::string> AllFields(FieldReader& reader) {
    std::vector<std::string> fields;
    while (!reader.AtEnd()) fields.push_back(reader.ReadField());
    return fields;
}

std::vector<std::string> AllFields(const std::string& content) {
    FieldReader reader(content);
    return AllFields(reader);
}

using Fields = std::vector<std::string>;

TEST(FieldReader, EndsAFieldAtACommaOrAnyLineEnd) {
    EXPECT_EQ(AllFields("a,b\r\nc\r\n"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(AllFields("a\nb\rc"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(AllFields("1.5,2.5,3.5"), (Fields{"1.5", "2.5", "3.5"}));
    // Tabs are not separators: a raw log line comes back whole.
    EXPECT_EQ(AllFields("12/06/26\t12:00:00\t1850\t\r\n"), (Fields{"12/06/26\t12:00:00\t1850\t"}));
    // A comma inside a line splits it.
    EXPECT_EQ(AllFields("Cal Info, TRIA\r\n"), (Fields{"Cal Info", "TRIA"}));
}

TEST(FieldReader, KeepsEmptyFieldsAndSkipsLeadingBlanks) {
    EXPECT_EQ(AllFields("a\r\n\r\nb\r\n"), (Fields{"a", "", "b"}));
    EXPECT_EQ(AllFields(",x"), (Fields{"", "x"}));
    EXPECT_EQ(AllFields("   padded\r\n"), (Fields{"padded"}));
    EXPECT_EQ(AllFields("\r\n"), (Fields{""}));
}

TEST(FieldReader, ReadsAQuotedFieldUpToItsClosingQuote) {
    EXPECT_EQ(AllFields("\"a,b\",c\r\n"), (Fields{"a,b", "c"}));
    EXPECT_EQ(AllFields("\"line\"\r\nnext"), (Fields{"line", "next"}));
    EXPECT_EQ(AllFields("\"open"), (Fields{"open"}));
}

TEST(FieldReader, ReportsTheEndOfTheFileAndFailsReadingPastIt) {
    FieldReader empty("");
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_THROW(empty.ReadField(), std::runtime_error);

    FieldReader reader("last\r\n");
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.ReadField(), "last");
    EXPECT_TRUE(reader.AtEnd());
    try {
        reader.ReadField();
        FAIL() << "read past the end";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Input past end of file");
    }
}

class TextFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zanhost_text_file_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    std::filesystem::path dir_;
};

TEST_F(TextFileOnDisk, WritesLinesEndedByCrLfWithEveryByteUnchanged) {
    const std::string path = Path("out.txt");
    LineWriter writer(path, LineWriter::Mode::Create);
    writer.WriteLine("Angle\tBeta \t.02");
    writer.Write("no end");
    writer.WriteLine("\xB0 8-bit");
    writer.WriteLine("");
    writer.Close();
    EXPECT_EQ(Bytes(path), "Angle\tBeta \t.02\r\nno end\xB0 8-bit\r\n\r\n");
}

TEST_F(TextFileOnDisk, CreateReplacesAFileAndAppendAddsToIt) {
    const std::string path = Path("log.txt");
    {
        LineWriter first(path, LineWriter::Mode::Create);
        first.WriteLine("old line that is long");
    }
    {
        LineWriter second(path, LineWriter::Mode::Create);
        second.WriteLine("one");
    }
    LineWriter third(path, LineWriter::Mode::Append);
    third.WriteLine("two");
    third.Close();
    EXPECT_EQ(Bytes(path), "one\r\ntwo\r\n");
    // Append also creates a missing file.
    LineWriter fresh(Path("new.txt"), LineWriter::Mode::Append);
    fresh.WriteLine("x");
    fresh.Close();
    EXPECT_EQ(Bytes(Path("new.txt")), "x\r\n");
}

TEST_F(TextFileOnDisk, FailsWithADescriptionWhenAFileCannotBeOpened) {
    const std::string missingDir = Path("no/such/dir/file.txt");
    try {
        LineWriter writer(missingDir, LineWriter::Mode::Create);
        FAIL() << "opened a file in a missing folder";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(missingDir), std::string::npos) << e.what();
    }
    try {
        OpenFieldReader(Path("missing.txt"));
        FAIL() << "opened a missing file";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("missing.txt"), std::string::npos) << e.what();
    }
}

TEST_F(TextFileOnDisk, WritingAfterCloseFailsInsteadOfLosingTheLine) {
    LineWriter writer(Path("closed.txt"), LineWriter::Mode::Create);
    writer.Close();
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_THROW(writer.WriteLine("lost"), std::runtime_error);
    writer.Close();
}

TEST_F(TextFileOnDisk, ReadsBackWhatTheWriterWrote) {
    const std::string path = Path("round.txt");
    LineWriter writer(path, LineWriter::Mode::Create);
    writer.WriteLine("1,2");
    writer.WriteLine("a\tb");
    writer.WriteLine("EOF");
    writer.Close();
    auto reader = OpenFieldReader(path);
    EXPECT_EQ(AllFields(*reader), (Fields{"1", "2", "a\tb", "EOF"}));
}

}  // namespace
}  // namespace zan
